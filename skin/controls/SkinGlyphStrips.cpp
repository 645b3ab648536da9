#include "skin/controls/SkinGlyphStrips.h"

#include "skin/data/SkinRecords.h"
#include "skin/data/WinSkinData.h"
#include "ui/controls/Controls.h"
#include "ui/core/TypInfo.h"

#include <string>
#include <utility>
#include <vector>

namespace skin {

using namespace ui;

namespace {

// Where the frames of the skin's picture go in a kind's strip: pairs of
// (strip frame, picture frame), counted from 1; a five-frame picture also
// gives its fifth frame (the grayed look) to the places listed last.
struct TStripLayout {
    bool Radio;
    int Frames;
    std::vector<std::pair<int, int>> Places;
    std::vector<int> FifthFrameGoesTo;
};

const TStripLayout& LayoutOf(TGlyphStripKind kind)
{
    static const TStripLayout checkNine{false, 9, {{1, 1}, {4, 1}, {2, 2}, {5, 2}, {7, 3}, {8, 4}}, {3, 6, 9}};
    static const TStripLayout radioSix{true, 6, {{1, 1}, {3, 1}, {2, 2}, {4, 2}, {5, 3}, {6, 4}}, {}};
    static const TStripLayout checkSix{false, 6, {{1, 1}, {4, 1}, {2, 2}, {5, 2}}, {3, 6}};
    switch (kind) {
    case TGlyphStripKind::RadioSix: return radioSix;
    case TGlyphStripKind::CheckSix: return checkSix;
    default: return checkNine;
    }
}

constexpr TColor StripKey = 0xFF00FF;

} // namespace

std::unique_ptr<TBitmap> BuildGlyphStrip(TGlyphStripKind kind, TDataSkinButton& buttons)
{
    const TStripLayout& layout = LayoutOf(kind);
    TBitmap* source = layout.Radio ? buttons.RadioImage.get() : buttons.CheckImage.get();
    const int frames = layout.Radio ? buttons.RadioFrameCount : buttons.CheckFrameCount;
    if (!source || source->Empty() || frames < 1 || source->Width() / frames < 1)
        return nullptr;
    const int w = source->Width() / frames, h = source->Height();
    auto strip = std::make_unique<TBitmap>(w * layout.Frames, h);
    HDC to = strip->Canvas()->Handle();
    const RECT all{0, 0, strip->Width(), h};
    const TBrushHandle key(CreateSolidBrush(StripKey));
    FillRect(to, &all, key.Get());
    HDC from = source->Canvas()->Handle();
    const auto copy = [&](int place, int frame) {
        if (frame <= frames)
            BitBlt(to, (place - 1) * w, 0, w, h, from, (frame - 1) * w, 0, SRCCOPY);
    };
    for (const auto& [place, frame] : layout.Places)
        copy(place, frame);
    if (frames == 5)
        for (int place : layout.FifthFrameGoesTo)
            copy(place, 5);
    return strip;
}

// ---- TSkinObjImage

// The control keeps its own message handling: it paints from the strip.
void TSkinObjImage::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    AttachControl(form, skinData, takeColour, false);
    ApplyStrip();
}

void TSkinObjImage::RefreshSkin()
{
    ApplyStrip();
    TSkinControl::RefreshSkin();
}

void TSkinObjImage::RestoreControl()
{
    if (Control) {
        if (Kind == TGlyphStripKind::CheckSix) {
            if (auto* glyph = dynamic_cast<TBitmap*>(
                    GetObjectPropByName(GetObjectPropByName(Control, "Properties"), "Glyph")))
                glyph->Assign(TBitmap());
        } else {
            SetPropByName(Control, "UseCustomGlyphs", "False");
        }
        Control->Invalidate();
    }
    TSkinControl::RestoreControl();
}

// Kinds 1 and 2 switch their custom glyphs off and on again, so that the
// control takes the new strip; kind 3 draws the strip itself keyed with
// magenta, so the picture's own transparency stays off.
void TSkinObjImage::ApplyStrip()
{
    if (!Control || !SkinData || !SkinData->Buttons)
        return;
    const std::unique_ptr<TBitmap> strip = BuildGlyphStrip(Kind, *SkinData->Buttons);
    if (!strip)
        return;
    if (Kind == TGlyphStripKind::CheckSix) {
        auto* glyph =
            dynamic_cast<TBitmap*>(GetObjectPropByName(GetObjectPropByName(Control, "Properties"), "Glyph"));
        if (!glyph)
            return;
        glyph->Assign(*strip);
        glyph->SetTransparentColor(StripKey);
        glyph->SetTransparent(false);
    } else {
        TPersistent* glyphs = GetObjectPropByName(Control, "CustomGlyphs");
        if (!glyphs)
            return;
        glyphs->Assign(*strip);
        SetPropByName(Control, "transparentcolor", std::to_string(StripKey));
        SetPropByName(Control, "UseCustomGlyphs", "False");
        SetPropByName(Control, "UseCustomGlyphs", "True");
    }
    Control->Invalidate();
}

} // namespace skin
