// Windows of the engine's own classes (a scroll bar's overlay, a date
// picker's arrow button): each carries the object it serves in its user
// data, which handles its messages guarded, as every entry point the system
// calls. An object that lets go of its window first (DestroyOwnWindow) is
// not called again; a window destroyed with its parent tells the object
// through WindowGone.
#pragma once

#include <windows.h>

#include "ui/forms/ErrorGuard.h"

namespace skin {

// The procedure of a class whose windows serve a T, which has
// Created(HWND), Handle(msg, wParam, lParam) and WindowGone().
template <class T>
LRESULT CALLBACK OwnWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* created = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
        static_cast<T*>(created->lpCreateParams)->Created(window);
    }
    auto* object = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!object)
        return DefWindowProcW(window, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        object->WindowGone();
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    LRESULT result = 0;
    if (!ui::CallGuarded([&] { result = object->Handle(msg, wParam, lParam); }))
        return DefWindowProcW(window, msg, wParam, lParam);
    return result;
}

// A window of the class `className` (registered with `procedure` on first
// use) serving `object`; null when it cannot be made.
HWND CreateOwnWindow(const wchar_t* className, WNDPROC procedure, DWORD exStyle, DWORD style, HWND parent,
                     void* object);
// Destroys the window without calling its object again.
void DestroyOwnWindow(HWND window);

} // namespace skin
