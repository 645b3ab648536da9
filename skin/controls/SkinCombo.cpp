#include "skin/controls/SkinCombo.h"

#include "skin/data/SkinRecords.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/WindowHooks.h"

#include <algorithm>

namespace skin {

using namespace ui;

namespace {

bool LeftScrollBar(HWND window)
{
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
}

} // namespace

TArrowState ComboFaceState(bool enabled, bool pressed, bool hotOrFocused)
{
    if (!enabled)
        return TArrowState::Disabled;
    if (pressed)
        return TArrowState::Pressed;
    return hotOrFocused ? TArrowState::Hot : TArrowState::Normal;
}

int ThumbDragPosition(const SCROLLINFO& info, int track, int thumb, int along)
{
    const int free = track - thumb;
    const int last = info.nPage ? info.nMax - static_cast<int>(info.nPage) + 1 : info.nMax;
    if (free <= 0 || last <= info.nMin)
        return info.nMin;
    return info.nMin + MulDiv(std::clamp(along, 0, free), last - info.nMin, free);
}

// ---- TComboxScrollBar

bool TComboxScrollBar::ReadBar(SCROLLBARINFO& info) const
{
    return OptionalGetScrollBarInfo(Handle, OBJID_VSCROLL, info);
}

TComboxScrollBar::TBarKey TComboxScrollBar::KeyOf(const SCROLLBARINFO& info)
{
    const RECT& r = info.rcScrollBar;
    return {r.left, r.top, r.right, r.bottom, info.xyThumbTop, info.xyThumbBottom,
            static_cast<LONG>(info.rgstate[0]), 1};
}

bool TComboxScrollBar::BeforeMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_NCMOUSEMOVE:  // the system's bar would light its parts up
        return m.WParam != HTVSCROLL && m.WParam != HTHSCROLL;
    case WM_NCLBUTTONDOWN:
        if (m.WParam == HTVSCROLL &&
            TrackThumbDrag({static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))})) {
            m.Result = 0;
            return false;
        }
        return true;
    default: return TSkinControl::BeforeMessage(m);
    }
}

// The system draws its bar straight to the screen whenever the list scrolls
// (by keys, wheel, arrows, the rows under a held pointer), so the skin's bar
// follows every message after which the bar is not as it was last painted.
void TComboxScrollBar::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_NCPAINT:
    case WM_VSCROLL:
    case WM_HSCROLL:
        painted_ = {};
        PaintWindow(nullptr);
        return;
    default: break;
    }
    SCROLLBARINFO info{};
    if (SkinState == StateAttached && IsWindowVisible(Handle) && ReadBar(info) && KeyOf(info) != painted_)
        PaintWindow(nullptr);
}

// The bar painted where it lies in the list's frame, arrows and thumb in
// their normal faces.
void TComboxScrollBar::PaintControl(HDC dc, const RECT& rect)
{
    SCROLLBARINFO info{};
    if (!ReadBar(info))
        return;
    painted_ = KeyOf(info);
    const RECT bar = info.rcScrollBar;
    if ((info.rgstate[0] & STATE_SYSTEM_INVISIBLE) || IsRectEmpty(&bar) || bar.right > WindowRect.right ||
        bar.bottom > WindowRect.bottom)
        return;
    TScrollBarLook look;
    look.Vertical = true;
    look.Length = std::min<int>(RectHeight(bar), RectHeight(rect));
    look.Thickness = RectWidth(bar);
    look.ArrowSize = GetSystemMetrics(SM_CXHSCROLL);
    look.Enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) && IsWindowEnabled(Handle);
    look.ThumbStart = info.xyThumbTop;
    look.ThumbEnd = info.xyThumbBottom;
    TSavedDC saved(dc);
    SetViewportOrgEx(dc, bar.left - WindowRect.left, bar.top - WindowRect.top, nullptr);
    faces_.Paint(dc, *SkinData, look);
}

bool TComboxScrollBar::TrackThumbDrag(POINT screen)
{
    SCROLLBARINFO bar{};
    if (!ReadBar(bar))
        return false;
    const int pressedAt = screen.y - bar.rcScrollBar.top;
    if (pressedAt < bar.xyThumbTop || pressedAt > bar.xyThumbBottom)
        return false;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(Handle, SB_VERT, &info);
    const int arrow = bar.dxyLineButton;
    const int track = RectHeight(bar.rcScrollBar) - 2 * arrow;
    const int thumb = bar.xyThumbBottom - bar.xyThumbTop;
    int last = info.nPos;
    const std::shared_ptr<bool> alive = AliveFlag();
    SetCapture(Handle);
    // The list follows the pointer until the button is released, the mouse
    // taken elsewhere or the list gone. The moves are the drag's alone: the
    // list would choose the rows beside the pointer.
    for (MSG msg{};;) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (GetCapture() != Handle)
                break;
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
            POINT cursor{};
            GetCursorPos(&cursor);
            const int pos = ThumbDragPosition(info, track, thumb, bar.xyThumbTop - arrow + cursor.y - screen.y);
            if (pos != last)
                SendMessageW(Handle, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pos), 0);
            last = pos;
        } else if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) {
            SendMessageW(Handle, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, last), 0);
            PostMessageW(Handle, WM_VSCROLL, SB_ENDSCROLL, 0);
            break;
        } else {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (!*alive)
            return true;
    }
    if (*alive && GetCapture() == Handle)
        ReleaseCapture();
    return true;
}

// ---- TSkinComBox

TSkinComBox::~TSkinComBox()
{
    if (edit_)
        edit_->Restore();
}

void TSkinComBox::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    if (SkinState == StateAttached)
        return;
    TSkinControl::InitControl(form, skinData, takeColour);
    if (!Handle)
        return;
    HookEdit();
    AttachListSkinner();
}

void TSkinComBox::InitWindow(HWND window, TSkinData& skinData, TWinSkinForm& form)
{
    if (SkinState == StateAttached)
        return;
    TSkinControl::InitWindow(window, skinData, form);
    HookEdit();
}

// The edit of an editable combo paints over the combo's inside and takes
// its focus: the combo's face follows both.
void TSkinComBox::HookEdit()
{
    COMBOBOXINFO info{};
    if (!OptionalGetComboBoxInfo(Handle, info) || !info.hwndItem || info.hwndItem == Handle)
        return;
    edit_ = std::make_unique<TWindowSubclass>(info.hwndItem, TSubclassKind::SkinControl,
                                              [this](UINT msg, WPARAM wParam, LPARAM lParam) {
                                                  const LRESULT result = edit_->CallOld(msg, wParam, lParam);
                                                  if (SkinEnabled && (msg == WM_PAINT || msg == WM_SETFOCUS ||
                                                                      msg == WM_KILLFOCUS))
                                                      PaintWindow(nullptr);
                                                  return result;
                                              });
}

// A drop-down list gets the skin's bar in its frame; a simple combo's list,
// a child of the combo, the overlays of a window's bars.
void TSkinComBox::AttachListSkinner()
{
    COMBOBOXINFO info{};
    if (!OptionalGetComboBoxInfo(Handle, info) || !info.hwndList)
        return;
    const auto listStyle = GetWindowLongPtrW(info.hwndList, GWL_STYLE);
    const bool popup = (listStyle & WS_POPUP) || GetParent(info.hwndList) == GetDesktopWindow();
    TSkinControl* skinner = nullptr;
    if ((GetWindowLongPtrW(Handle, GWL_STYLE) & 3) != CBS_SIMPLE)
        skinner = new TComboxScrollBar(this);
    else if (!popup && (listStyle & WS_CHILD))
        skinner = new TSkinScrollbar(this);
    if (skinner)
        skinner->InitWindow(info.hwndList, *SkinData, *FormSkin);
}

TSkinControl* TSkinComBox::ListSkinner() const
{
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* skinner = dynamic_cast<TSkinControl*>(Components(i)))
            return skinner;
    return nullptr;
}

void TSkinComBox::RestoreControl()
{
    TSkinControl::RestoreControl();
    if (edit_)
        edit_->Restore();
    edit_.reset();
    while (TSkinControl* list = ListSkinner()) {
        if (list->SkinState != StateClosed)
            list->RestoreControl();
        delete list;
    }
    if (SkinState != StateClosed && Handle)  // the combo's own face again
        RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TSkinComBox::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: break;  // the combo repaints itself, and the face after it
    case WM_NCPAINT:
    case WM_DRAWITEM: PaintWindow(nullptr); break;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: NoteMouse(m); break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

// The button is hot while the pointer is over it and pressed while the
// left button is held on the combo.
void TSkinComBox::NoteMouse(TMessage& m)
{
    const unsigned before = MouseState;
    switch (m.Msg) {
    case WM_MOUSEMOVE: {
        const POINT at{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
        if (PtInRect(&buttonRect_, at) && WindowEnabled()) {
            if (!(MouseState & MouseHot))
                TrackMouseLeave(Handle);
            MouseState |= MouseHot;
        } else {
            MouseState &= ~MouseHot;
        }
        break;
    }
    case WM_MOUSELEAVE: MouseState &= ~MouseHot; break;
    case WM_LBUTTONUP: MouseState &= ~MousePressed; break;
    default: MouseState |= MousePressed; break;
    }
    if (MouseState != before)
        PaintWindow(nullptr);
}

TArrowState TSkinComBox::FaceState() const
{
    const HWND focus = GetFocus();
    const bool focused = focus && (focus == Handle || IsChild(Handle, focus));
    return ComboFaceState(WindowEnabled(), MouseState & MousePressed, focused || (MouseState & MouseHot));
}

void TSkinComBox::PaintControl(HDC dc, const RECT& rect)
{
    TDataSkinBorder* button = SkinData->ComboButton.get();
    if (!HasPicture(button))
        return;
    bool leftButton = LeftScrollBar(Handle);
    const int b = GetSystemMetrics(SM_CXHSCROLL);
    buttonRect_ = leftButton ? RECT{0, 0, b + 2, rect.bottom} : RECT{rect.right - b - 2, 0, rect.right, rect.bottom};
    COMBOBOXINFO info{};
    if (OptionalGetComboBoxInfo(Handle, info)) {
        if (info.stateButton & STATE_SYSTEM_INVISIBLE)  // a simple combo has no button
            return;
        // The face's button goes over the combo's own, at whichever end the
        // combo keeps it (not every platform moves it for the style).
        buttonRect_ = info.rcButton;
        leftButton = info.rcButton.right <= rect.right / 2;
    }
    const TArrowState state = FaceState();
    if (button->Style == 1) {
        PaintFlat(dc, rect, state, leftButton);
    } else if (button->Style == 2) {
        // The composite of border and button made at load; its mirror image
        // is kept in SunkEdge for the button on the left.
        TDataSkinObject* face = leftButton && HasPicture(SkinData->SunkEdge.get()) ? SkinData->SunkEdge.get() : button;
        DrawElement(dc, rect, face->FrameCount, static_cast<int>(state), *face);
    } else {
        PaintSunkEdge(dc, rect, state, leftButton);
    }
}

// The SunkEdge border around the text, then the button picture (the
// mirrored one on the left) with the ExtraImages glyph centred on it.
void TSkinComBox::PaintSunkEdge(HDC dc, const RECT& rect, TArrowState state, bool leftButton)
{
    TDataSkinBorder& button = *SkinData->ComboButton;
    const int b = GetSystemMetrics(SM_CXHSCROLL);
    const int frame = static_cast<int>(state);
    const int r = rect.right, h = rect.bottom;
    const RECT place = leftButton ? RECT{0, 0, b + 2, h} : RECT{r - b - 2, 0, r, h};
    const RECT glyph = leftButton ? RECT{2, 0, b + 2, h} : RECT{r - b - 2, 0, r - 2, h};
    const RECT text = leftButton ? RECT{b + 4, 2, r - 2, h - 2} : RECT{2, 2, r - b - 4, h - 2};
    if (TDataSkinObject* edge = SkinData->SunkEdge.get(); HasPicture(edge)) {
        TSavedDC saved(dc);
        ExcludeClipRect(dc, text.left, text.top, text.right, text.bottom);
        DrawElement(dc, rect, edge->FrameCount, frame, *edge);
    }
    TBitmap& picture = leftButton && !button.Image2->Empty() ? *button.Image2 : *button.Image;
    DrawFrameStretched(dc, place, picture, button.FrameCount, frame, true);
    buttonRect_ = place;
    if (TDataSkinObject* extra = SkinData->ExtraImages.get(); HasPicture(extra))
        DrawFrameCentred(dc, glyph, *extra->Image, true, extra->FrameCount, frame);
}

// A flat frame in the window colour, the button picture at the end inside
// it, and the outer ring in the skin's shadow colour.
void TSkinComBox::PaintFlat(HDC dc, const RECT& rect, TArrowState state, bool leftButton)
{
    TDataSkinBorder& button = *SkinData->ComboButton;
    const int bw = button.Image->Width() / std::max(button.FrameCount, 1);
    const int bh = button.Image->Height();
    const int g = GetSystemMetrics(SM_CYVTHUMB);
    const HBRUSH window = GetSysColorBrush(COLOR_WINDOW);
    RECT ring = rect;
    InflateRect(&ring, -1, -1);
    FrameRect(dc, &ring, window);
    RECT inner = rect;
    InflateRect(&inner, -2, -2);
    const RECT strip = leftButton ? RECT{inner.left, inner.top, inner.left + g, inner.bottom}
                                  : RECT{inner.right - g, inner.top, inner.right, inner.bottom};
    FillRect(dc, &strip, window);
    RECT place = leftButton ? RECT{inner.left, inner.top, inner.left + bw, inner.bottom}
                            : RECT{inner.right - bw, inner.top, inner.right, inner.bottom};
    if (bh < g)
        place.bottom = place.top + bh;
    const TBrushHandle shadow(CreateSolidBrush(ColorToRGB(SkinData->Colours.ButtonShadow)));
    FrameRect(dc, &rect, shadow.Get());
    buttonRect_ = place;
    DrawFrameStretched(dc, place, *button.Image, button.FrameCount, static_cast<int>(state), true);
}

} // namespace skin
