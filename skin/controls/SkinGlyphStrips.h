// Check boxes and radio buttons of other libraries that paint themselves
// from a strip of glyphs they publish. TSkinObjImage rearranges the skin's
// check (radio) frames into the strip such a control expects and hands it
// over through the control's published properties; the control keeps its
// own painting and messages.
//
// Kind 1: a check box taking a 9-frame strip through "CustomGlyphs"
// (with "transparentcolor" and "UseCustomGlyphs"); kind 2: a radio button
// taking a 6-frame strip the same way; kind 3: a check box taking a 6-frame
// strip through the "Glyph" picture of its "Properties" object.
#pragma once

#include <memory>

#include "skin/controls/SkinControl.h"

namespace skin {

class TDataSkinButton;

enum class TGlyphStripKind : int { CheckNine = 1, RadioSix = 2, CheckSix = 3 };

// The strip of a kind built from the skin's Buttons element: frames of the
// check (radio) picture copied unscaled into their places; places no frame
// goes to stay magenta. Null when the element has no such picture.
std::unique_ptr<ui::TBitmap> BuildGlyphStrip(TGlyphStripKind kind, TDataSkinButton& buttons);

class TSkinObjImage : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    TGlyphStripKind Kind = TGlyphStripKind::CheckNine;

    void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour) override;
    void RestoreControl() override;
    void RefreshSkin() override;

private:
    void ApplyStrip();
};

} // namespace skin
