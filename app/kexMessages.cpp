#include "app/kexMessages.h"

#include <windows.h>

#include <cstdlib>

#include "ui/forms/Forms.h"

namespace kex {

void ShowInfo(const std::wstring& text)
{
    ui::Application()->MessageBox(text, L"提示", MB_OK | MB_ICONINFORMATION);
}

void Halt()
{
    // std::exit runs the process-wide clean-up (static destructors and exit
    // handlers) before the process ends; the windows die with the process
    // without another paint.
    std::exit(0);
}

} // namespace kex
