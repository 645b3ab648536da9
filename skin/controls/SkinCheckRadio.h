// The check-box and radio-button skinners: the box (circle) is one frame of
// the skin's check (radio) strip, the caption is drawn beside it in the
// control's font. The native control keeps its behaviour (clicks, keyboard,
// the check state); the skinners only paint. A skin without the strip leaves
// the control painting itself.
#pragma once

#include "skin/controls/SkinControl.h"

namespace skin {

// What a check box or radio button shows.
struct TCheckLook {
    int Mark = 1;           // 1 unchecked, 2 checked, 3 grayed (check boxes only)
    bool Enabled = true;
};

// The frame of a check strip of `frameCount` frames for a look: 1 unchecked,
// 2 checked, +2 disabled, 4 grayed; twelve-frame strips keep their own order.
int CheckFrameOf(const TCheckLook& look, int frameCount);
// The frame of a radio strip: 1 unchecked, 2 checked, +2 disabled; eight-frame
// strips keep their own order.
int RadioFrameOf(const TCheckLook& look, int frameCount);

// What the two skinners share: the painting and the repaints after the
// native control changed its state.
class TSkinMarkControl : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeMessage(ui::TMessage& m) override;
    void AfterMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;

    // The strip and its frame count; an empty strip leaves painting to the control.
    virtual const ui::TBitmap* Strip() const = 0;
    virtual int StripFrames() const = 0;
    virtual int FrameNow() const = 0;
    // How far a right-hand box stays inside the right edge.
    virtual int RightInset() const = 0;

private:
    bool Paints() const;
    void DrawCaption(HDC dc, RECT text, UINT flags) const;
};

class TSkinCheckBox : public TSkinMarkControl {
public:
    using TSkinMarkControl::TSkinMarkControl;

protected:
    void AfterMessage(ui::TMessage& m) override;
    const ui::TBitmap* Strip() const override;
    int StripFrames() const override;
    int FrameNow() const override;
    int RightInset() const override { return 0; }

private:
    int lastSetCheck_ = 0;  // 0 until a BM_SETCHECK; then its state + 1
};

class TSkinRadioButton : public TSkinMarkControl {
public:
    using TSkinMarkControl::TSkinMarkControl;

protected:
    const ui::TBitmap* Strip() const override;
    int StripFrames() const override;
    int FrameNow() const override;
    int RightInset() const override { return 1; }
};

} // namespace skin
