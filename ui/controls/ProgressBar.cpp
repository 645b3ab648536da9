// The progress bar.
#include "ui/controls/ProgressBar.h"

#include <algorithm>

#include "ui/controls/CommonControls.h"

namespace ui {

const TClassInfo& TProgressBar::StaticClass()
{
    using B = TProgressBar;
    static const TClassInfo info =
        TClassBuilder<B>("TProgressBar", &TWinControl::StaticClass())
            .Int("Min", &B::Min, &B::SetMin)
            .Int("Max", &B::Max, &B::SetMax)
            .Int("Position", &B::Position, &B::SetPosition)
            .Int("Step", &B::Step, &B::SetStep)
            .Enum("Orientation", {"pbHorizontal", "pbVertical"}, &B::Orientation, &B::SetOrientation)
            .Bool("Smooth", &B::Smooth, &B::SetSmooth)
            .Creatable()
            .Done();
    return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 150, 16);
}

// A form may give Min, Max and Position in any order: the range is taken as
// it comes and the position is fitted into it once the form is read.
void TProgressBar::SetMin(int value)
{
    min_ = value;
    if (!Loading())
        max_ = std::max(max_, min_);
    SendRange();
}

void TProgressBar::SetMax(int value)
{
    max_ = value;
    if (!Loading())
        min_ = std::min(min_, max_);
    SendRange();
}

void TProgressBar::SetPosition(int value)
{
    position_ = Loading() ? value : std::clamp(value, min_, std::max(min_, max_));
    if (HandleAllocated())
        SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SendRange()
{
    if (Loading())
        return;
    SetPosition(position_);
    if (HandleAllocated()) {
        SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
        SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
    }
}

void TProgressBar::SetOrientation(TProgressBarOrientation orientation)
{
    orientation_ = orientation;
    ApplyStyle(*this, PBS_VERTICAL, orientation == TProgressBarOrientation::pbVertical);
}

void TProgressBar::SetSmooth(bool on)
{
    smooth_ = on;
    ApplyStyle(*this, PBS_SMOOTH, on);
}

void TProgressBar::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_PROGRESS_CLASS);
    TWinControl::CreateParams(params);
    params.SystemClass = PROGRESS_CLASSW;
    if (orientation_ == TProgressBarOrientation::pbVertical)
        params.Style |= PBS_VERTICAL;
    if (smooth_)
        params.Style |= PBS_SMOOTH;
}

void TProgressBar::CreateWnd()
{
    TWinControl::CreateWnd();
    SendRange();
}

void TProgressBar::Loaded()
{
    TWinControl::Loaded();
    max_ = std::max(max_, min_);
    SendRange();
}

} // namespace ui
