// The push-button skinners: plain push buttons, picture buttons and speed
// buttons wear one of the five faces of the skin's Buttons element, with the
// caption (and the picture) drawn over it. The push and picture button
// skinners take over painting and the mouse press completely: the native
// button never paints and never sees a press, and the click is run by the
// skinner when the left button is released over a button it was pressed on.
// The keyboard (Space) stays the native button's. A speed button has no
// window: its skinner paints it where its parent paints it and leaves its
// clicks, groups and Down to the button.
#pragma once

#include "skin/controls/SkinControl.h"

namespace ui {
class TImageList;
} // namespace ui

namespace skin {

// The faces of the Buttons element, in strip order.
enum class TButtonFace : int { Normal = 1, Pressed = 2, Disabled = 3, Hot = 4, Focused = 5 };
inline constexpr int ButtonFaceCount = 5;

// The face of a button in a state; a disabled button is always Disabled.
TButtonFace ButtonFaceOf(unsigned mouseState, bool focusedOrDefault, bool enabled);

// A caption's colour on face `face`: the skin's colour for that face where it
// has one, else `own` (the button's font colour); disabled, the skin's
// disabled text colour against it.
ui::TColor ButtonCaptionColour(const TSkinData& data, ui::TColor own, TButtonFace face);

enum class TGlyphLayout { Left, Right, Top, Bottom };

// What a button shows beside its caption, from its published Glyph,
// NumGlyphs, Images, ImageIndex, DisabledIndex, Layout, Margin, Spacing and
// Alignment.
struct TGlyphLook {
    const ui::TBitmap* Glyph = nullptr;  // null or empty: no picture of its own
    int NumGlyphs = 1;
    // Without a Glyph, picture ImageIndex of Images (-1: none); disabled,
    // DisabledIndex, or at -1 ImageIndex greyed.
    const ui::TImageList* Images = nullptr;
    int ImageIndex = -1, DisabledIndex = -1;
    TGlyphLayout Layout = TGlyphLayout::Left;
    int Margin = -1, Spacing = -1;
    bool Centred = false;
    bool HasBitmap() const { return Glyph && !Glyph->Empty(); }
    bool HasListImage() const { return Images && ImageIndex != -1; }
    bool HasGlyph() const { return HasBitmap() || HasListImage(); }
    // The picture's size, (0, 0) without one.
    SIZE GlyphSize() const;
};

// A push button: the caption centred on the face, or beside the picture
// the button publishes (a Glyph, or an image of its Images) by the glyph's
// rules.
class TSkinButton : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeMessage(ui::TMessage& m) override;
    void AfterMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;

    // The face state of the button now.
    virtual TButtonFace CurrentFace() const;
    // Whether the element is drawn for `face` (a flat button shows it only
    // under the mouse or pressed).
    virtual bool ShowsElement(TButtonFace) const { return true; }
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
    // The picture the button publishes, and its placing.
    TGlyphLook GlyphLookOf() const;
    // Glyph frame `frame` (1 up, 2 disabled, 3 pressed, 4 down) and the
    // caption placed by the look in rect, with the focus rectangle around
    // the caption while focused. centringShift moves a pair centred by its
    // spacing alone that much further.
    void DrawGlyphAndCaption(HDC dc, const RECT& rect, const TGlyphLook& look, int frame,
                             int centringShift) const;

private:
    void Press();
    void Release();
    void Click();
};

// A button with a drop-down arrow: the caption centred in the room left of
// the arrow, which takes the rightmost 17 pixels.
class TSkinMenuButton : public TSkinButton {
public:
    using TSkinButton::TSkinButton;

protected:
    // No default-button face; the focused button shows the hot face.
    TButtonFace CurrentFace() const override;
    void PaintControl(HDC dc, const RECT& rect) override;
};

// The width a menu button keeps for its arrow, and the arrow's corners
// (pointing down) in a button of that size.
inline constexpr int MenuArrowRoom = 17;
void MenuArrowCorners(SIZE button, POINT (&corners)[3]);

// A picture button: the Glyph (NumGlyphs frames: up, disabled, pressed,
// down) beside the caption by Layout, Margin and Spacing.
class TSkinBitButton : public TSkinButton {
public:
    using TSkinButton::TSkinButton;

protected:
    void PaintControl(HDC dc, const RECT& rect) override;
};

// A speed button (a windowless control): the face of its state drawn where
// its parent paints it, Down showing the pressed face and glyph frame 4.
class TSkinSpeedButton : public TSkinBitButton {
public:
    using TSkinBitButton::TSkinBitButton;
    // Repaints the button on its parent at once.
    void RedrawNow() override;

protected:
    bool BeforeMessage(ui::TMessage& m) override;
    void AfterMessage(ui::TMessage& m) override;
    TButtonFace CurrentFace() const override;
    bool ShowsElement(TButtonFace face) const override;

private:
    // Paints the face onto dc, whose origin is the button's top-left corner.
    void PaintSpeedButton(HDC dc);
    bool IsDown() const;
    // Set while a face is painted: the parent's picture under a Tag 5555
    // button paints the parent's windowless children, this one among them.
    bool painting_ = false;
};

// Where a glyph and a caption go in a button of `client` size: margin is the
// distance of the pair from the edge the glyph is on, spacing the gap
// between them; -1 for either spreads the free room evenly (centred does the
// same for the margin). Across the layout the two are centred each. A
// margin of -1 with a spacing given centres the pair and adds centringShift.
struct TGlyphPlacement {
    POINT Glyph{}, Text{};
    UINT Flags = DT_WORDBREAK;  // the caption's text flags
};
TGlyphPlacement PlaceGlyph(TGlyphLayout layout, SIZE client, SIZE glyph, SIZE text, int margin, int spacing,
                           bool centred, int centringShift = 0);

// Draws frame `frame` (1 up, 2 disabled, 3 pressed, 4 down) of a glyph of
// numGlyphs frames at `at`, transparent at the colour of its bottom-left
// pixel; the disabled frame in grey. A glyph with fewer frames uses its
// first, in grey for the disabled one.
void DrawGlyphFrame(HDC dc, POINT at, int numGlyphs, int frame, const ui::TBitmap& glyph);

} // namespace skin
