#include "app/Startup.h"

#include <windows.h>

#include "ui/forms/ErrorGuard.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // An error escaping the entry sequence (a form that cannot be built) is
    // shown, and the program ends with an exit code that says it failed.
    return ui::RunGuardedMain(app::RunTessaly);
}
