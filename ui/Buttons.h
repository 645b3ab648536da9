// A push button with a picture beside its caption.
#pragma once

#include "ui/StdCtrls.h"

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

protected:
    void CreateParams(TCreateParams& params) override;
    void Dispatch(TMessage& m) override;
    // Paints the whole button for its current state.
    virtual void DrawItem(const DRAWITEMSTRUCT& item);

private:
    void DrawContent(TCanvas& canvas, RECT r, bool pressed, bool enabled);
    std::unique_ptr<TBitmap> glyph_;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int spacing_ = 4;
    int margin_ = -1;
};

} // namespace ui
