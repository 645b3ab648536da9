// The progress bar over the platform's progress control.
#pragma once

#include "ui/controls/Controls.h"

namespace ui {

enum class TProgressBarOrientation { pbHorizontal, pbVertical };

// Shows Position within Min..Max as a filled part, growing right (or up).
class TProgressBar : public TWinControl {
    UI_CLASS(TProgressBar)
public:
    explicit TProgressBar(TComponent* owner);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    // Always within Min..Max.
    int Position() const { return position_; }
    void SetPosition(int value);
    int Step() const { return step_; }
    void SetStep(int value) { step_ = value; }
    TProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TProgressBarOrientation orientation);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool on);
    void StepIt() { SetPosition(position_ + step_); }
    void StepBy(int delta) { SetPosition(position_ + delta); }

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Loaded() override;

private:
    void SendRange();
    int min_ = 0, max_ = 100, position_ = 0, step_ = 10;
    TProgressBarOrientation orientation_ = TProgressBarOrientation::pbHorizontal;
    bool smooth_ = false;
};

} // namespace ui
