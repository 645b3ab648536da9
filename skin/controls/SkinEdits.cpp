#include "skin/controls/SkinEdits.h"

#include "skin/data/SkinRecords.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/WinSkinForm.h"
#include "ui/controls/Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <memory>
#include <string>

namespace skin {

using namespace ui;

// ---- TSkinEdit

HWND SpinInside(HWND edit)
{
    for (HWND child = GetWindow(edit, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64]{};
        GetClassNameW(child, name, 64);
        std::wstring cls = name;
        for (wchar_t& c : cls)
            c = static_cast<wchar_t>(std::towlower(c));
        if (cls == L"msctls_updown32" || cls.find(L"spin") != std::wstring::npos ||
            cls.find(L"updown") != std::wstring::npos)
            return child;
    }
    return nullptr;
}

void TSkinEdit::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    TSkinControl::InitControl(form, skinData, takeColour);
    AdoptSpin();
}

void TSkinEdit::InitWindow(HWND window, TSkinData& skinData, TWinSkinForm& form)
{
    TSkinControl::InitWindow(window, skinData, form);
    AdoptSpin();
}

// A spin edit may make its up-down after the edit, so each paint looks for
// it too. The up-down's skinner goes with the edit (or, for a bare window,
// with the controller); one that discovery gave the up-down already is
// told that it sits inside the edit.
void TSkinEdit::AdoptSpin()
{
    if (!FormSkin || !SkinData || !Handle || !(SkinData->SkinControls() & SetOf(xcSpin)))
        return;
    const HWND spin = SpinInside(Handle);
    TComponent* owner = Control ? static_cast<TComponent*>(Control) : FormSkin;
    if (TSkinUpDown* arrows = spin ? AdoptUpDown(spin, owner, *FormSkin, *SkinData) : nullptr)
        arrows->Embedded = true;
}

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
    AdoptSpin();
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

TSkinUpDown* AdoptUpDown(HWND upDown, TComponent* owner, TWinSkinForm& form, TSkinData& data)
{
    if (TFormSkinner* skinned = form.FindSkinnerOfWindow(upDown))
        return dynamic_cast<TSkinUpDown*>(skinned);
    auto skinner = std::make_unique<TSkinUpDown>(owner);
    skinner->InitWindow(upDown, data, form);
    return skinner.release();  // owned by `owner`
}

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

// Inside an edit, each side of the up-down nearer than the border's width
// to the edit's side moves in, so the edit's border shows whole around it.
RECT TSkinUpDown::ArrowsRect(const RECT& all) const
{
    RECT arrows = all;
    RECT own{}, edit{};
    if (!Embedded || !GetWindowRect(Handle, &own) || !GetWindowRect(GetParent(Handle), &edit))
        return arrows;
    arrows.left += std::max(0, EditBorderWidth - static_cast<int>(own.left - edit.left));
    arrows.top += std::max(0, EditBorderWidth - static_cast<int>(own.top - edit.top));
    arrows.right -= std::max(0, EditBorderWidth - static_cast<int>(edit.right - own.right));
    arrows.bottom -= std::max(0, EditBorderWidth - static_cast<int>(edit.bottom - own.bottom));
    return arrows;
}

// Each half is its arrow's frame stretched over it, with the arrow's glyph
// from the second picture centred at its own size. Inside an edit the room
// around the arrows is the white of the edit's border.
void TSkinUpDown::PaintControl(HDC dc, const RECT& rect)
{
    TDataSkinBorder* element = Element();
    if (!element)
        return;
    TFacePainter face(dc, rect);
    if (Embedded)
        FillRect(face.Dc(), &face.Rect(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const RECT all = ArrowsRect(face.Rect());
    FillSkinColour(face.Dc(), all);
    const bool horizontal = SideBySide();
    const int middleX = all.left + RectWidth(all) / 2, middleY = all.top + RectHeight(all) / 2;
    const RECT first = horizontal ? RECT{all.left, all.top, middleX, all.bottom} : RECT{all.left, all.top, all.right, middleY};
    const RECT second = horizontal ? RECT{middleX, all.top, all.right, all.bottom} : RECT{all.left, middleY, all.right, all.bottom};
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
