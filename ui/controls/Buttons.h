// Buttons with pictures: the push button with a picture beside its caption,
// and the windowless speed button.
#pragma once

#include "ui/controls/StdCtrls.h"

namespace ui {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Owner-drawn: the face, the picture (drawn transparent: the colour of its
// bottom-left pixel is left out) and the caption are painted by the control.
class TBitBtn : public TButton {
    UI_CLASS(TBitBtn)
public:
    explicit TBitBtn(TComponent* owner);
    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(TBitmap* glyph);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    // How many pictures of equal width Glyph holds side by side: up,
    // disabled, pressed.
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);

protected:
    void CreateParams(TCreateParams& params) override;
    void Dispatch(TMessage& m) override;
    // Paints the whole button for its current state.
    virtual void DrawItem(const DRAWITEMSTRUCT& item);

private:
    std::unique_ptr<TBitmap> glyph_;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int spacing_ = 4;
    int margin_ = -1;
    int numGlyphs_ = 1;
};

// A windowless button, often one of a bar. With a GroupIndex other than 0 it
// latches: a click puts it Down and lets the other buttons of the parent with
// the same GroupIndex up; with AllowAllUp a click on the button that is down
// lets it up again. A Flat button shows its edge only under the mouse or
// while down. Glyph holds NumGlyphs pictures side by side: up, disabled,
// pressed, down.
class TSpeedButton : public TGraphicControl {
    UI_CLASS(TSpeedButton)
public:
    explicit TSpeedButton(TComponent* owner);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool Down() const { return down_; }
    void SetDown(bool down);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool on);
    bool Flat() const { return flat_; }
    void SetFlat(bool on);
    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(TBitmap* glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    // Held down by the mouse (and still under it).
    bool Pressed() const { return pressed_; }
    // A click as if the user had clicked the button.
    void Click() override;

protected:
    void Loaded() override;
    void Paint() override;
    void Dispatch(TMessage& m) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    // Lets the other buttons of the group up.
    void GroupButtonDown();
    std::unique_ptr<TBitmap> glyph_;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int spacing_ = 4;
    int margin_ = -1;
    int numGlyphs_ = 1;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    bool flat_ = false;
    bool tracking_ = false;  // the left button went down on it and is held
    bool pressed_ = false;
    bool hot_ = false;
};

} // namespace ui
