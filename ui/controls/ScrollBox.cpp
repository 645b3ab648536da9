#include "ui/controls/ScrollBox.h"

#include <algorithm>

namespace ui {

namespace {

constexpr int LineStep = 16;  // pixels an arrow of a bar scrolls

} // namespace

const TClassInfo& TScrollBox::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TScrollBox>("TScrollBox", &TWinControl::StaticClass())
            .Enum("BorderStyle", {"bsNone", "bsSingle"}, &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle)
            .Creatable()
            .Done();
    return info;
}

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TScrollBox::SetBorderStyle(TBorderStyle style)
{
    borderStyle_ = style;
    if (HandleAllocated())
        RecreateWnd();
}

SIZE TScrollBox::Range() const
{
    SIZE range{0, 0};
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (!c->Visible() || c->Align() != TAlign::alNone)
            continue;
        range.cx = std::max<LONG>(range.cx, c->Left() + c->Width() + position_.x);
        range.cy = std::max<LONG>(range.cy, c->Top() + c->Height() + position_.y);
    }
    return range;
}

// The position stays within what the range leaves beyond the client area;
// the controls move by the difference.
void TScrollBox::ScrollTo(int x, int y)
{
    const SIZE range = Range();
    const RECT client = ClientRect();
    x = std::clamp(x, 0, std::max<int>(0, range.cx - client.right));
    y = std::clamp(y, 0, std::max<int>(0, range.cy - client.bottom));
    const int dx = x - position_.x, dy = y - position_.y;
    if (dx == 0 && dy == 0)
        return;
    position_ = {x, y};
    moving_ = true;
    for (int i = 0; i < ControlCount(); ++i)
        if (TControl* c = Controls(i); c->Align() == TAlign::alNone)
            c->SetBounds(c->Left() - dx, c->Top() - dy, c->Width(), c->Height());
    moving_ = false;
    UpdateScrollBars();
    Invalidate();
}

// A bar scrolls the range that lies beyond the client area; it goes away
// while the controls fit. A bar that comes or goes resizes the client area
// and brings the box here again.
void TScrollBox::UpdateScrollBars()
{
    if (!HandleAllocated() || moving_)
        return;
    const SIZE range = Range();
    const RECT client = ClientRect();
    SCROLLINFO horz{sizeof horz, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max<int>(range.cx - 1, 0),
                    static_cast<UINT>(client.right), position_.x, 0};
    SCROLLINFO vert{sizeof vert, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max<int>(range.cy - 1, 0),
                    static_cast<UINT>(client.bottom), position_.y, 0};
    SetScrollInfo(Handle(), SB_HORZ, &horz, TRUE);
    SetScrollInfo(Handle(), SB_VERT, &vert, TRUE);
    // What fits once the bars are settled scrolls back into view.
    ScrollTo(position_.x, position_.y);
}

void TScrollBox::Scrolled(int bar, int code)
{
    const RECT client = ClientRect();
    const int page = bar == SB_HORZ ? client.right : client.bottom;
    int at = bar == SB_HORZ ? position_.x : position_.y;
    switch (code) {
    case SB_LINEUP: at -= LineStep; break;
    case SB_LINEDOWN: at += LineStep; break;
    case SB_PAGEUP: at -= page; break;
    case SB_PAGEDOWN: at += page; break;
    case SB_TOP: at = 0; break;
    case SB_BOTTOM: at = bar == SB_HORZ ? Range().cx : Range().cy; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(Handle(), bar, &info);
        at = info.nTrackPos;
        break;
    }
    default: return;
    }
    if (bar == SB_HORZ)
        ScrollTo(at, position_.y);
    else
        ScrollTo(position_.x, at);
}

void TScrollBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style |= WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
    if (borderStyle_ == TBorderStyle::bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateScrollBars();
}

void TScrollBox::AlignRemainder(const RECT& room)
{
    TWinControl::AlignRemainder(room);
    UpdateScrollBars();
}

void TScrollBox::ControlBoundsChanged(TControl& control)
{
    TWinControl::ControlBoundsChanged(control);
    UpdateScrollBars();
}

void TScrollBox::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_HSCROLL: Scrolled(SB_HORZ, LOWORD(m.WParam)); return;
    case WM_VSCROLL: Scrolled(SB_VERT, LOWORD(m.WParam)); return;
    case WM_MOUSEWHEEL:
        ScrollTo(position_.x, position_.y - GET_WHEEL_DELTA_WPARAM(m.WParam) / WHEEL_DELTA * 3 * LineStep);
        return;
    default: break;
    }
    TWinControl::Dispatch(m);
}

} // namespace ui
