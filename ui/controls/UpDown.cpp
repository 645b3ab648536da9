// The up-down control.
#include "ui/controls/UpDown.h"

#include <algorithm>

#include "ui/controls/CommonControls.h"

namespace ui {

const TClassInfo& TUpDown::StaticClass()
{
    using U = TUpDown;
    static const TClassInfo info =
        TClassBuilder<U>("TUpDown", &TWinControl::StaticClass())
            .Int("Min", &U::Min, &U::SetMin)
            .Int("Max", &U::Max, &U::SetMax)
            .Int("Position", &U::Position, &U::SetPosition)
            .Int("Increment", &U::Increment, &U::SetIncrement)
            .Bool("Wrap", &U::Wrap, &U::SetWrap)
            .Enum("Orientation", {"udVertical", "udHorizontal"}, &U::Orientation, &U::SetOrientation)
            .Reference("Associate", &U::Associate, &U::SetAssociate)
            .Event("OnChange", &U::OnChange)
            .Creatable()
            .Done();
    return info;
}

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 17, 25);
}

void TUpDown::SetMin(int value)
{
    min_ = value;
    ApplyRange();
}

void TUpDown::SetMax(int value)
{
    max_ = value;
    ApplyRange();
}

void TUpDown::SetPosition(int value)
{
    position_ = Loading() ? value : std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    if (HandleAllocated())
        SendMessageW(Handle(), UDM_SETPOS32, 0, position_);
}

void TUpDown::ApplyRange()
{
    if (Loading())
        return;
    if (HandleAllocated())
        SendMessageW(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SetPosition(position_);
}

void TUpDown::SetIncrement(int value)
{
    increment_ = value;
    if (HandleAllocated()) {
        UDACCEL accel{0, static_cast<UINT>(std::max(value, 1))};
        SendMessageW(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
}

void TUpDown::SetWrap(bool on)
{
    wrap_ = on;
    if (HandleAllocated())
        RecreateWnd();
}

void TUpDown::SetOrientation(TUDOrientation orientation)
{
    orientation_ = orientation;
    if (HandleAllocated())
        RecreateWnd();
}

void TUpDown::SetAssociate(TWinControl* control)
{
    SetReference(associate_, control);
    if (HandleAllocated() && !Loading())
        RecreateWnd();
}

void TUpDown::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == associate_)
        associate_ = nullptr;
}

void TUpDown::Loaded()
{
    TWinControl::Loaded();
    ApplyRange();
}

void TUpDown::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_UPDOWN_CLASS);
    TWinControl::CreateParams(params);
    params.SystemClass = UPDOWN_CLASSW;
    params.Style |= UDS_ARROWKEYS | UDS_NOTHOUSANDS;
    if (orientation_ == TUDOrientation::udHorizontal)
        params.Style |= UDS_HORZ;
    if (wrap_)
        params.Style |= UDS_WRAP;
    if (associate_)
        params.Style |= UDS_SETBUDDYINT | UDS_ALIGNRIGHT;
}

void TUpDown::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND wnd = Handle();
    if (associate_)
        SendMessageW(wnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
    SendMessageW(wnd, UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SendMessageW(wnd, UDM_SETPOS32, 0, position_);
    SetIncrement(increment_);
}

// A step of the arrows (mouse or keys) comes back as a reflected scroll
// message once the window has moved.
void TUpDown::Dispatch(TMessage& m)
{
    if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
        const int now = static_cast<int>(SendMessageW(Handle(), UDM_GETPOS32, 0, 0));
        if (now != position_) {
            position_ = now;
            OnChange(this);
        }
        return;
    }
    TWinControl::Dispatch(m);
}

} // namespace ui
