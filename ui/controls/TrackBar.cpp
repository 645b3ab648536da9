// The track bar.
#include "ui/controls/TrackBar.h"

#include <algorithm>

#include "ui/controls/CommonControls.h"

namespace ui {

const TClassInfo& TTrackBar::StaticClass()
{
    using B = TTrackBar;
    static const TClassInfo info =
        TClassBuilder<B>("TTrackBar", &TWinControl::StaticClass())
            .Int("Min", &B::Min, &B::SetMin)
            .Int("Max", &B::Max, &B::SetMax)
            .Int("Position", &B::Position, &B::SetPosition)
            .Int("Frequency", &B::Frequency, &B::SetFrequency)
            .Int("LineSize", &B::LineSize, &B::SetLineSize)
            .Int("PageSize", &B::PageSize, &B::SetPageSize)
            .Enum("Orientation", {"trHorizontal", "trVertical"}, &B::Orientation, &B::SetOrientation)
            .Enum("TickMarks", {"tmBottomRight", "tmTopLeft", "tmBoth"}, &B::TickMarks, &B::SetTickMarks)
            .Enum("TickStyle", {"tsNone", "tsAuto", "tsManual"}, &B::TickStyle, &B::SetTickStyle)
            .Event("OnChange", &B::OnChange)
            .Creatable()
            .Done();
    return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
    SetParentColor(true);
}

void TTrackBar::SetMin(int value)
{
    min_ = value;
    ApplyRange();
}

void TTrackBar::SetMax(int value)
{
    max_ = value;
    ApplyRange();
}

void TTrackBar::SetPosition(int value)
{
    MoveTo(value);
}

void TTrackBar::ApplyRange()
{
    if (HandleAllocated()) {
        SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, min_);
        SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, max_);
    }
    MoveTo(position_);
}

// The thumb goes to value fitted into the range, and OnChange hears of a
// move. While a form is read the value is kept as it is: the range may still
// be on its way.
void TTrackBar::MoveTo(int value)
{
    if (Loading()) {
        position_ = value;
        return;
    }
    const int fitted = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    if (HandleAllocated())
        SendMessageW(Handle(), TBM_SETPOS, TRUE, fitted);
    if (fitted == position_)
        return;
    position_ = fitted;
    OnChange(this);
}

void TTrackBar::Loaded()
{
    TWinControl::Loaded();
    ApplyRange();
}

void TTrackBar::SetFrequency(int value)
{
    frequency_ = value;
    if (HandleAllocated())
        SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(value), 0);
}

void TTrackBar::SetLineSize(int value)
{
    lineSize_ = value;
    if (HandleAllocated())
        SendMessageW(Handle(), TBM_SETLINESIZE, 0, value);
}

void TTrackBar::SetPageSize(int value)
{
    pageSize_ = value;
    if (HandleAllocated())
        SendMessageW(Handle(), TBM_SETPAGESIZE, 0, value);
}

void TTrackBar::SetOrientation(TTrackBarOrientation orientation)
{
    if (orientation == orientation_)
        return;
    orientation_ = orientation;
    if (HandleAllocated())
        RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark marks)
{
    tickMarks_ = marks;
    if (HandleAllocated())
        RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle style)
{
    tickStyle_ = style;
    if (HandleAllocated())
        RecreateWnd();
}

void TTrackBar::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.SystemClass = TRACKBAR_CLASSW;
    params.Style |= orientation_ == TTrackBarOrientation::trVertical ? TBS_VERT : TBS_HORZ;
    switch (tickMarks_) {
    case TTickMark::tmBottomRight: params.Style |= TBS_BOTTOM; break;
    case TTickMark::tmTopLeft: params.Style |= TBS_TOP; break;
    case TTickMark::tmBoth: params.Style |= TBS_BOTH; break;
    }
    if (tickStyle_ == TTickStyle::tsNone)
        params.Style |= TBS_NOTICKS;
    else if (tickStyle_ == TTickStyle::tsAuto)
        params.Style |= TBS_AUTOTICKS;
}

void TTrackBar::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND wnd = Handle();
    SendMessageW(wnd, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(wnd, TBM_SETRANGEMAX, FALSE, max_);
    SendMessageW(wnd, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
    SendMessageW(wnd, TBM_SETLINESIZE, 0, lineSize_);
    SendMessageW(wnd, TBM_SETPAGESIZE, 0, pageSize_);
    SendMessageW(wnd, TBM_SETPOS, TRUE, position_);
}

// The thumb moved by mouse or keys: the bar tells its parent, which hands
// the scroll message back here.
void TTrackBar::Dispatch(TMessage& m)
{
    if (m.Msg == CN_CTLCOLORSTATIC) {
        m.Result = CtlColor(reinterpret_cast<HDC>(m.WParam));
        return;
    }
    if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
        const int now = static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
        if (now != position_) {
            position_ = now;
            OnChange(this);
        }
        return;
    }
    TWinControl::Dispatch(m);
}

} // namespace ui
