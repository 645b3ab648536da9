#include "skin/controls/SkinEdits.h"

#include "skin/data/SkinRecords.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"

#include <commctrl.h>

namespace skin {

using namespace ui;

// ---- TSkinEdit

void TSkinEdit::RestoreControl()
{
    TSkinControl::RestoreControl();
    if (SkinState != StateClosed && Handle)  // the system's border again
        RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

// The border is repainted whenever the system may have drawn its own.
void TSkinEdit::AfterMessage(TMessage& m)
{
    if (m.Msg == WM_NCPAINT) {
        PaintWindow(nullptr);
        return;
    }
    TSkinControl::AfterMessage(m);
}

// A one-pixel frame in the skin's shadow colour and white rings inside it,
// over the border the edit has; an edit without a border is left alone.
void TSkinEdit::PaintControl(HDC dc, const RECT& rect)
{
    RECT client{};
    GetClientRect(Handle, &client);
    if (RectWidth(client) == RectWidth(rect) || RectHeight(client) == RectHeight(rect))
        return;
    const TBrushHandle shadow(CreateSolidBrush(ColorToRGB(SkinData->Colours.ButtonShadow)));
    RECT ring = rect;
    FrameRect(dc, &ring, shadow.Get());
    for (int i = 0; i < WhiteRings && RectWidth(ring) > 2 && RectHeight(ring) > 2; ++i) {
        InflateRect(&ring, -1, -1);
        FrameRect(dc, &ring, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
}

// ---- TSkinUpDown

int UpDownFrame(bool secondArrow, TArrowState state)
{
    return static_cast<int>(state) + (secondArrow ? 4 : 0);
}

bool TSkinUpDown::SideBySide() const
{
    return Horizontal == 1 || (GetWindowLongPtrW(Handle, GWL_STYLE) & UDS_HORZ) != 0;
}

TDataSkinBorder* TSkinUpDown::Element() const
{
    TDataSkinBorder* element = SideBySide() ? SkinData->UpDownHorz.get() : SkinData->UpDownVert.get();
    return HasPicture(element) ? element : nullptr;
}

// The press, its repeat and the keys stay the control's; the skinner only
// notes the press and the pointer to paint the halves in their states. A
// skin without the picture leaves the control its own look.
bool TSkinUpDown::BeforeMessage(TMessage& m)
{
    if (!Element())
        return TSkinControl::BeforeMessage(m);
    switch (m.Msg) {
    case WM_PAINT: PaintOnPaintMessage(m); return false;
    case WM_ERASEBKGND: m.Result = 1; return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
        NoteMouse(m.Msg);
        CallPrevious(m);
        PaintWindow(nullptr);
        return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinUpDown::NoteMouse(UINT msg)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: MouseState |= MousePressed; break;
    case WM_LBUTTONUP: MouseState &= ~MousePressed; break;
    case WM_MOUSELEAVE: MouseState &= ~MouseHot; break;
    default:  // a move
        if (!(MouseState & MouseHot))
            TrackMouseLeave(Handle);
        MouseState |= MouseHot;
        break;
    }
}

TArrowState TSkinUpDown::StateOf(const RECT& half, POINT cursor, bool enabled) const
{
    if (!enabled)
        return TArrowState::Disabled;
    if (!PtInRect(&half, cursor))
        return TArrowState::Normal;
    if (MouseState & MousePressed)
        return TArrowState::Pressed;
    return MouseState & MouseHot ? TArrowState::Hot : TArrowState::Normal;
}

// Each half is its arrow's frame stretched over it, with the arrow's glyph
// from the second picture centred at its own size.
void TSkinUpDown::PaintControl(HDC dc, const RECT& rect)
{
    TDataSkinBorder* element = Element();
    if (!element)
        return;
    TFacePainter face(dc, rect);
    FillSkinColour(face.Dc(), face.Rect());
    const RECT& all = face.Rect();
    const bool horizontal = SideBySide();
    const RECT first = horizontal ? RECT{0, 0, all.right / 2, all.bottom} : RECT{0, 0, all.right, all.bottom / 2};
    const RECT second = horizontal ? RECT{first.right, 0, all.right, all.bottom} : RECT{0, first.bottom, all.right, all.bottom};
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Handle, &cursor);
    const bool enabled = WindowEnabled();
    const int frames = 8;
    for (const RECT* half : {&first, &second}) {
        const int frame = UpDownFrame(half == &second, StateOf(*half, cursor, enabled));
        DrawFrameStretched(face.Dc(), *half, *element->Image, frames, frame, true);
        TBitmap& glyph = *element->Image2;
        if (glyph.Empty())
            continue;
        const int w = glyph.Width() / frames, h = glyph.Height();
        const int left = half->left + (RectWidth(*half) - w) / 2, top = half->top + (RectHeight(*half) - h) / 2;
        DrawFrameStretched(face.Dc(), {left, top, left + w, top + h}, glyph, frames, frame, true);
    }
    face.Show();
}

} // namespace skin
