#include "skin/controls/SkinStatusBar.h"

#include <commctrl.h>

#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinObjects.h"
#include "ui/controls/CommonControls.h"
#include "ui/controls/StatusBar.h"

namespace skin {

using namespace ui;

namespace {

constexpr int PanelFaceCount = 3;
constexpr int SizeGripFrame = 5;  // of ExtraImages

UINT AlignmentFlags(TAlignment alignment, bool rightToLeft)
{
    switch (alignment) {
    case TAlignment::taCenter: return DT_CENTER;
    case TAlignment::taRightJustify: return rightToLeft ? DT_LEFT : DT_RIGHT;
    default: return rightToLeft ? DT_RIGHT : DT_LEFT;
    }
}

TPanelFace PanelFaceOf(TStatusPanelBevel bevel)
{
    switch (bevel) {
    case TStatusPanelBevel::pbRaised: return TPanelFace::Raised;
    case TStatusPanelBevel::pbNone: return TPanelFace::None;
    default: return TPanelFace::Lowered;
    }
}

} // namespace

bool TSkinStatusBar::BeforeMessage(TMessage& m)
{
    return TakeOverPaint(m) && TSkinControl::BeforeMessage(m);
}

void TSkinStatusBar::PaintControl(HDC dc, const RECT& rect)
{
    if (!Control)
        return;
    {
        TFacePainter painter(dc, rect);
        HDC face = painter.Dc();
        FillSkinColour(face, rect);
        SelectObject(face, CurrentFont());
        const TDataSkinObject* edges = SkinData->StatusBarEdges.get();
        SetTextColor(face, ColorToRGB(edges ? edges->NormalColour2 : Control->Font()->Color()));
        auto* bar = dynamic_cast<TCustomStatusBar*>(Control);
        const bool rightToLeft = Control->UseRightToLeftReading();
        if (!bar || bar->SimplePanel() || bar->Panels()->Count() == 0) {
            DrawPanelFace(face, rect, TPanelFace::Lowered);
            RECT text = rect;
            InflateRect(&text, -2, 0);
            DrawCaptionAligned(face, text, rightToLeft ? DT_RIGHT : DT_LEFT,
                               bar ? bar->SimpleText() : CurrentCaption());
        } else {
            const int count = bar->Panels()->Count();
            for (int i = 0; i < count; ++i) {
                RECT r{};
                if (!bar->PanelRect(i, r))
                    continue;
                r.right = i == count - 1 ? rect.right : r.right + 2;
                const TStatusPanel& panel = *bar->Panels()->Items(i);
                DrawPanelFace(face, r, PanelFaceOf(panel.Bevel()));
                if (panel.Style() == TStatusPanelStyle::psText) {
                    InflateRect(&r, -2, 0);
                    DrawCaptionAligned(face, r, AlignmentFlags(panel.Alignment(), rightToLeft), panel.Text());
                }
            }
        }
        if (GetWindowLongPtrW(Handle, GWL_STYLE) & SBARS_SIZEGRIP)
            DrawSizeGrip(face, rect);
        SelectObject(face, GetStockObject(SYSTEM_FONT));
        painter.Show();
    }
    if (auto* windowed = dynamic_cast<TWinControl*>(Control))
        windowed->PaintGraphicChildren(dc);
    DrawOwnerPanels(dc);
}

// A frame of the element at the panel's size; without the element a thin
// edge of the system's shadow and highlight colours.
void TSkinStatusBar::DrawPanelFace(HDC dc, const RECT& rect, TPanelFace face) const
{
    TDataSkinObject* edges = SkinData->StatusBarEdges.get();
    if (HasPicture(edges)) {
        const RECT size{0, 0, RectWidth(rect), RectHeight(rect)};
        const auto picture = BuildElementBitmap(size, *edges->Image, edges->Margins(), false, edges->Tile != 0,
                                                PanelFaceCount, static_cast<int>(face));
        BitBlt(dc, rect.left, rect.top, size.right, size.bottom, picture->Canvas()->Handle(), 0, 0, SRCCOPY);
        return;
    }
    if (face == TPanelFace::None)
        return;
    const bool lowered = face == TPanelFace::Lowered;
    RECT r = rect;
    DrawEdge(dc, &r, lowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
}

void TSkinStatusBar::DrawCaptionAligned(HDC dc, const RECT& rect, UINT flags, std::wstring text) const
{
    if (text.empty())
        text = L" ";
    SetBkMode(dc, TRANSPARENT);
    RECT t = rect;
    DrawTextWide(dc, text, t, flags | DT_EXPANDTABS | DT_CALCRECT | DT_NOCLIP);
    if (flags & DT_CENTER) {
        OffsetRect(&t, (RectWidth(rect) - RectWidth(t)) / 2, 0);
    } else {
        t.left = rect.left;
        t.right = rect.right;
    }
    OffsetRect(&t, 0, (RectHeight(rect) - RectHeight(t)) / 2 - 1);
    DrawTextWide(dc, text, t, TextFlagsFor(flags | DT_EXPANDTABS));
}

// Frame 5 of ExtraImages in the bottom-right corner, 1 pixel inside it.
void TSkinStatusBar::DrawSizeGrip(HDC dc, const RECT& rect) const
{
    TDataSkinObject* extra = SkinData->ExtraImages.get();
    if (!HasPicture(extra) || extra->FrameCount < SizeGripFrame)
        return;
    const int frames = extra->FrameCount;
    const RECT frame = StripFrame(*extra->Image, frames, SizeGripFrame);
    const RECT place{rect.right - 1 - RectWidth(frame), rect.bottom - 1 - RectHeight(frame), rect.right - 1,
                     rect.bottom - 1};
    DrawFrameStretched(dc, place, *extra->Image, frames, SizeGripFrame, true);
}

void TSkinStatusBar::DrawOwnerPanels(HDC dc)
{
    auto* bar = dynamic_cast<TCustomStatusBar*>(Control);
    if (!bar || !bar->OnDrawPanel || bar->SimplePanel())
        return;
    const TCanvasAttachment attached(*bar->Canvas(), dc);
    bar->Canvas()->Font()->Assign(*bar->Font());
    for (int i = 0; i < bar->Panels()->Count(); ++i) {
        TStatusPanel* panel = bar->Panels()->Items(i);
        RECT r{};
        if (panel->Style() != TStatusPanelStyle::psOwnerDraw || !bar->PanelRect(i, r))
            continue;
        InflateRect(&r, -2, -2);
        bar->OnDrawPanel(bar, panel, r);
    }
}

} // namespace skin
