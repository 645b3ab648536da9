// The track bar over the platform's track-bar control: a thumb on a channel.
#pragma once

#include "ui/controls/Controls.h"

namespace ui {

enum class TTrackBarOrientation { trHorizontal, trVertical };
enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum class TTickStyle { tsNone, tsAuto, tsManual };

// A thumb moved along a channel by mouse or keys; Position within Min..Max.
// OnChange runs whenever the user or the program moves it.
class TTrackBar : public TWinControl {
    UI_CLASS(TTrackBar)
public:
    explicit TTrackBar(TComponent* owner);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    int Frequency() const { return frequency_; }
    void SetFrequency(int value);
    int LineSize() const { return lineSize_; }
    void SetLineSize(int value);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation orientation);
    TTickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TTickMark marks);
    TTickStyle TickStyle() const { return tickStyle_; }
    void SetTickStyle(TTickStyle style);

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;
    void Loaded() override;

private:
    void ApplyRange();
    void MoveTo(int value);
    int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1, lineSize_ = 1, pageSize_ = 2;
    TTrackBarOrientation orientation_ = TTrackBarOrientation::trHorizontal;
    TTickMark tickMarks_ = TTickMark::tmBottomRight;
    TTickStyle tickStyle_ = TTickStyle::tsAuto;
};

} // namespace ui
