// The push-button skinners: plain push buttons and picture buttons wear one
// of the five faces of the skin's Buttons element, with the caption (and
// the picture) drawn over it. They take over painting and the mouse press
// completely: the native button never paints and never sees a press, and
// the click is run by the skinner when the left button is released over a
// button it was pressed on. The keyboard (Space) stays the native button's.
#pragma once

#include "skin/SkinControl.h"

namespace skin {

// The faces of the Buttons element, in strip order.
enum class TButtonFace : int { Normal = 1, Pressed = 2, Disabled = 3, Hot = 4, Focused = 5 };
inline constexpr int ButtonFaceCount = 5;

// The face of a button in a state; a disabled button is always Disabled.
TButtonFace ButtonFaceOf(unsigned mouseState, bool focusedOrDefault, bool enabled);

class TSkinButton : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeMessage(ui::TMessage& m) override;
    void AfterMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;

    // The face state of the button now.
    TButtonFace CurrentFace() const;
    // The background (the skin's face colour or the parent's picture), the
    // element's face of the current state, and the caption's font and
    // colour for it; returns the face.
    TButtonFace PaintFace(HDC dc, const RECT& rect) const;
    // Selects the button's font into dc and its text colour for `face`.
    void SelectCaptionFont(HDC dc, TButtonFace face) const;
    // The caption centred in rect, its first "||" a line break, with the
    // focus rectangle around it while focused.
    void DrawButtonCaption(HDC dc, const RECT& rect, std::wstring caption) const;
    bool DrawsFocusRect() const;
    bool IsDefaultButton() const;

private:
    void Press();
    void Release();
    void Click();
};

// A picture button: the Glyph (NumGlyphs frames: up, disabled, pressed,
// down) beside the caption by Layout, Margin and Spacing.
class TSkinBitButton : public TSkinButton {
public:
    using TSkinButton::TSkinButton;

protected:
    void PaintControl(HDC dc, const RECT& rect) override;
};

enum class TGlyphLayout { Left, Right, Top, Bottom };

// Where a glyph and a caption go in a button of `client` size: margin is the
// distance of the pair from the edge the glyph is on, spacing the gap
// between them; -1 for either spreads the free room evenly (centred does the
// same for the margin). Across the layout the two are centred each.
struct TGlyphPlacement {
    POINT Glyph{}, Text{};
    UINT Flags = DT_WORDBREAK;  // the caption's text flags
};
TGlyphPlacement PlaceGlyph(TGlyphLayout layout, SIZE client, SIZE glyph, SIZE text, int margin, int spacing,
                           bool centred);

// Draws frame `frame` (1 up, 2 disabled, 3 pressed, 4 down) of a glyph of
// numGlyphs frames at `at`, transparent at the colour of its bottom-left
// pixel; the disabled frame in grey. A glyph with fewer frames uses its first.
void DrawGlyphFrame(HDC dc, POINT at, int numGlyphs, int frame, const ui::TBitmap& glyph);

} // namespace skin
