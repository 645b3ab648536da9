#include "ui/forms/ErrorGuard.h"

#include <windows.h>

#include "ui/core/SysUtils.h"
#include "ui/forms/Forms.h"

namespace ui {

void HandleError(std::exception_ptr error) noexcept
{
    try {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            Application()->HandleException(e);
        } catch (...) {
            Application()->HandleException(Exception(SUnknownError));
        }
    } catch (...) {
        // The error handling failed itself (an OnException handler that
        // throws, no memory left for the text): a box that needs nothing.
        MessageBoxW(nullptr, L"程序无法处理发生的错误", nullptr, MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    }
}

} // namespace ui
