#include "skin/controls/OwnWindow.h"

namespace skin {

HWND CreateOwnWindow(const wchar_t* className, WNDPROC procedure, DWORD exStyle, DWORD style, HWND parent,
                     void* object)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(instance, className, &wc)) {
        wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = procedure;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = className;
        RegisterClassExW(&wc);
    }
    return CreateWindowExW(exStyle, className, L"", style, 0, 0, 0, 0, parent, nullptr, instance, object);
}

void DestroyOwnWindow(HWND window)
{
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
}

} // namespace skin
