// The window-class registration and style switching shared by the controls
// over the platform's common controls.
#include "ui/controls/CommonControls.h"

namespace ui {

void InitCommonControlClasses(DWORD kinds)
{
    static DWORD done = 0;
    if ((done & kinds) == kinds)
        return;
    INITCOMMONCONTROLSEX init{sizeof init, kinds};
    InitCommonControlsEx(&init);
    done |= kinds;
}

void ApplyStyle(TWinControl& control, DWORD bit, bool on)
{
    if (!control.HandleAllocated())
        return;
    HWND wnd = control.Handle();
    const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
    SetWindowLongPtrW(wnd, GWL_STYLE, on ? (style | bit) : (style & ~static_cast<LONG_PTR>(bit)));
    control.Invalidate();
}

} // namespace ui
