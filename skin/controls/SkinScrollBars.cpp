#include "skin/controls/SkinScrollBars.h"

#include "skin/controls/OwnWindow.h"
#include "skin/controls/SkinHeader.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/WinSkinForm.h"
#include "ui/controls/Controls.h"

#include <algorithm>

namespace skin {

using namespace ui;

namespace {

// Frames of the Scrollbar picture (from 1). Each arrow has four, in the
// order normal, pressed, disabled, hot; each grip three: normal, pressed, hot.
constexpr int ScrollbarFrames = 23;
constexpr int TrackFrames = 4;
constexpr int LeftArrowFrame = 1, RightArrowFrame = 5, UpArrowFrame = 9, DownArrowFrame = 13;
constexpr int HorzGripFrame = 17, VertGripFrame = 20;
constexpr COLORREF KeyColour = 0xFF00FF;

// The arrows' length: the system's arrow size, or half a bar too short for two.
int ArrowLength(const TScrollBarLook& look)
{
    return look.Length < 2 * look.ArrowSize ? look.Length / 2 : look.ArrowSize;
}

// The piece of the bar from `from` to `to` along it, across its whole thickness.
RECT Span(const TScrollBarLook& look, int from, int to)
{
    return look.Vertical ? RECT{0, from, look.Thickness, to} : RECT{from, 0, to, look.Thickness};
}

int ArrowFrame(const TScrollBarLook& look, int base, int part)
{
    if (!look.Enabled)
        return base + 2;
    if (look.HotPart != part)
        return base;
    return base + (look.Pressed ? 1 : 3);
}

void PaintThumb(HDC dc, TSkinData& data, const TScrollBarLook& look)
{
    const bool hot = look.HotPart == spThumb;
    TDataSkinObject* thumb = look.Vertical ? data.VertScrollThumb.get() : data.HorzScrollThumb.get();
    if (HasPicture(thumb))
        DrawElement(dc, Span(look, look.ThumbStart, look.ThumbEnd), thumb->FrameCount,
                    hot ? (look.Pressed ? 2 : 3) : 1, *thumb);
    // The grip, centred on the thumb, when the thumb is long enough for it.
    TBitmap& strip = *data.Scrollbar->Image;
    const int grip = strip.Height();
    const int length = look.ThumbEnd - look.ThumbStart;
    if (grip >= length + 2)
        return;
    const int from = look.ThumbStart + (length - grip) / 2;
    const int frame = (look.Vertical ? VertGripFrame : HorzGripFrame) + (hot ? (look.Pressed ? 1 : 2) : 0);
    DrawFrameStretched(dc, Span(look, from, from + grip), strip, ScrollbarFrames, frame, true);
}

} // namespace

int SkinBarThickness(const TSkinData& data, bool vertical)
{
    const TDataSkinObject* strip = data.Scrollbar.get();
    if (!HasPicture(strip))
        return 0;
    return vertical ? strip->Image->Width() / ScrollbarFrames : strip->Image->Height();
}

int ScrollPartAt(const TScrollBarLook& look, int along)
{
    const int arrow = ArrowLength(look);
    if (along < arrow)
        return spFirstArrow;
    if (along < look.ThumbStart)
        return spPageBefore;
    if (along < look.ThumbEnd)
        return spThumb;
    if (along < look.Length - arrow)
        return spPageAfter;
    return spSecondArrow;
}

void DragThumbTo(TScrollBarLook& look, int pressThumbStart, int cursorMoved)
{
    const int length = look.ThumbEnd - look.ThumbStart;
    const int arrow = ArrowLength(look);
    const int start = std::max(arrow, std::min(pressThumbStart + cursorMoved, look.Length - arrow - length));
    look.ThumbStart = start;
    look.ThumbEnd = start + length;
}

// An arrow's frame of the Scrollbar picture over `place`, its margins kept:
// a bar thinner or arrows shorter than the picture get its middle averaged.
void DrawArrow(HDC dc, TSkinData& data, const RECT& place, int frame)
{
    TDataSkinObject& strip = *data.Scrollbar;
    DrawElementFrame(dc, place, *strip.Image, strip.Margins(), false, true, ScrollbarFrames, frame);
}

// The bar without its thumb: the face colour, the track and the arrows.
void PaintGround(HDC dc, TSkinData& data, const TScrollBarLook& look, int firstFrame, int secondFrame)
{
    const RECT all = Span(look, 0, look.Length);
    const TBrushHandle face(CreateSolidBrush(ColorToRGB(data.Colours.ButtonFace)));
    FillRect(dc, &all, face.Get());
    const int arrow = ArrowLength(look);
    TDataSkinObject* track = look.Vertical ? data.VertScroll.get() : data.HorzScroll.get();
    if (HasPicture(track))
        DrawElement(dc, Span(look, arrow, look.Length - arrow), TrackFrames, look.Enabled ? 1 : 3, *track);
    DrawArrow(dc, data, Span(look, 0, arrow), firstFrame);
    DrawArrow(dc, data, Span(look, look.Length - arrow, look.Length), secondFrame);
}

void TScrollFaces::Paint(HDC dc, TSkinData& data, const TScrollBarLook& look)
{
    if (!HasPicture(data.Scrollbar.get()))
        return;
    const int first = ArrowFrame(look, look.Vertical ? UpArrowFrame : LeftArrowFrame, spFirstArrow);
    const int second = ArrowFrame(look, look.Vertical ? DownArrowFrame : RightArrowFrame, spSecondArrow);
    const RECT all = Span(look, 0, look.Length);
    const TKey ground{look.Vertical, look.Length, look.Thickness, look.ArrowSize, look.Enabled, first, second};
    if (ground != groundKey_ || ground_.Empty()) {
        ground_.SetSize(all.right, all.bottom);
        PaintGround(ground_.Canvas()->Handle(), data, look, first, second);
        groundKey_ = ground;
    }
    // Composed off-screen and shown in one copy, so the thumb never flickers.
    if (face_.Width() != all.right || face_.Height() != all.bottom)
        face_.SetSize(all.right, all.bottom);
    const HDC face = face_.Canvas()->Handle();
    BitBlt(face, 0, 0, all.right, all.bottom, ground_.Canvas()->Handle(), 0, 0, SRCCOPY);
    PaintThumbFace(face, data, look);
    BitBlt(dc, 0, 0, all.right, all.bottom, face, 0, 0, SRCCOPY);
}

void TScrollFaces::PaintThumbFace(HDC dc, TSkinData& data, const TScrollBarLook& look)
{
    const int length = look.ThumbEnd - look.ThumbStart;
    if (!look.Enabled || length <= 0 || look.ThumbStart < 0 || look.ThumbEnd > look.Length)
        return;
    const bool hot = look.HotPart == spThumb;
    const TKey thumb{look.Vertical, length, look.Thickness, hot, look.Pressed, 0, 0};
    if (thumb != thumbKey_ || thumb_.Empty()) {
        TScrollBarLook alone = look;
        alone.ThumbStart = 0;
        alone.ThumbEnd = length;
        const RECT place = Span(alone, 0, length);
        TBitmap picture(place.right, place.bottom);
        const TBrushHandle key(CreateSolidBrush(KeyColour));
        FillRect(picture.Canvas()->Handle(), &place, key.Get());
        PaintThumb(picture.Canvas()->Handle(), data, alone);
        thumb_.Take(picture, KeyColour);
        thumbKey_ = thumb;
    }
    const RECT place = Span(look, look.ThumbStart, look.ThumbEnd);
    thumb_.Draw(dc, place.left, place.top);
}

void TScrollFaces::Clear()
{
    ground_.SetSize(0, 0);
    thumb_.Clear();
    face_.SetSize(0, 0);
}

// ---- TScrollOverlay

namespace {

RECT ScreenToClientRect(HWND window, RECT r)
{
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

TScrollOverlay::TScrollOverlay(TSkinControl& skinner, HWND host, TBarKind kind)
    : skinner_(skinner), host_(host), kind_(kind), arrowSize_(GetSystemMetrics(SM_CXHSCROLL))
{
    look_.Vertical = Vertical();
    look_.ArrowSize = arrowSize_;
    // A tool window that tells its parent nothing of its making, so no
    // control discovery runs for it.
    CreateOwnWindow(L"TWScrollbar", OwnWindowProc<TScrollOverlay>, WS_EX_TOOLWINDOW | WS_EX_NOPARENTNOTIFY,
                    WS_CHILD | WS_CLIPSIBLINGS, GetParent(host), this);
    Place();
}

TScrollOverlay::~TScrollOverlay()
{
    *alive_ = false;
    if (window_)
        DestroyOwnWindow(window_);
}

bool TScrollOverlay::Vertical() const
{
    if (kind_ != TBarKind::Control)
        return kind_ == TBarKind::Vertical;
    return (GetWindowLongPtrW(host_, GWL_STYLE) & SBS_VERT) != 0;
}

bool TScrollOverlay::ReadBarInfo(SCROLLBARINFO& info) const
{
    switch (kind_) {
    case TBarKind::Horizontal: return OptionalGetScrollBarInfo(host_, OBJID_HSCROLL, info);
    case TBarKind::Vertical: return OptionalGetScrollBarInfo(host_, OBJID_VSCROLL, info);
    case TBarKind::Control: return OptionalGetScrollBarInfo(host_, OBJID_CLIENT, info);
    }
    return false;
}

void TScrollOverlay::SetThickness(int thickness)
{
    thickness_ = kind_ == TBarKind::Control ? 0 : thickness;
}

// The bar on the screen, widened to the thickness the skinner gave it on
// the side away from the host's client area (where the room was added).
RECT TScrollOverlay::Covered(const RECT& bar) const
{
    RECT cover = bar;
    RECT client{};
    GetClientRect(host_, &client);
    MapWindowPoints(host_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (Vertical()) {
        const int more = thickness_ - RectWidth(cover);
        if (more > 0 && cover.left >= client.right)
            cover.right += more;
        else if (more > 0)
            cover.left -= more;
    } else if (const int more = thickness_ - RectHeight(cover); more > 0) {
        cover.bottom += more;
    }
    return cover;
}

std::optional<RECT> TScrollOverlay::CoverInHost() const
{
    SCROLLBARINFO info{};
    if (!ReadBarInfo(info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) || IsRectEmpty(&info.rcScrollBar))
        return std::nullopt;
    return ScreenToClientRect(host_, Covered(info.rcScrollBar));
}

void TScrollOverlay::Place()
{
    SCROLLBARINFO info{};
    if (!window_ || !ReadBarInfo(info))
        return;
    bar_ = info.rcScrollBar;
    const RECT bar = Covered(bar_);
    const bool barShown = !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE) && !IsRectEmpty(&bar);
    if (!skinner_.SkinEnabled || !IsWindowVisible(host_) || !barShown) {
        Hide();
        return;
    }
    barOrigin_ = {bar.left, bar.top};
    barInHost_ = ScreenToClientRect(host_, bar);
    // Directly above the host, so the windows above the host cover it too.
    const HWND above = GetWindow(host_, GW_HWNDPREV);
    RECT now{};
    GetWindowRect(window_, &now);
    const bool moved = above != window_ || !EqualRect(&now, &bar) || !IsWindowVisible(window_);
    if (moved) {
        const RECT inParent = ScreenToClientRect(GetParent(host_), bar);
        const UINT zOrder = above == window_ ? SWP_NOZORDER : 0;
        SetWindowPos(window_, above ? above : HWND_TOP, inParent.left, inParent.top, RectWidth(inParent),
                     RectHeight(inParent), SWP_NOACTIVATE | SWP_SHOWWINDOW | zOrder);
    }
    shown_ = true;
    PaintChange(info, moved);
}

void TScrollOverlay::Hide()
{
    if (window_ && IsWindowVisible(window_))
        ShowWindow(window_, SW_HIDE);
    shown_ = false;
    painted_.reset();
}

void TScrollOverlay::Repaint()
{
    SCROLLBARINFO info{};
    if (shown_ && ReadBarInfo(info))
        PaintChange(info, false);
}

void TScrollOverlay::Reskin()
{
    faces_.Clear();
    painted_.reset();
    Place();
}

// While the bar is held, the part the system's tracking acts on shows
// pressed; the end of the scroll leaves none.
void TScrollOverlay::ScrolledBy(int scrollCode)
{
    if (look_.Pressed)
        look_.HotPart = scrollCode;
    Repaint();
}

// What the bar shows now (look_), from its information and the overlay's
// size; false when there is nothing to show.
bool TScrollOverlay::ReadLook(const SCROLLBARINFO& info)
{
    RECT client{};
    GetClientRect(window_, &client);
    if (!skinner_.SkinData || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) || IsRectEmpty(&client))
        return false;
    look_.Vertical = Vertical();
    look_.Length = look_.Vertical ? client.bottom : client.right;
    look_.Thickness = look_.Vertical ? client.right : client.bottom;
    look_.Enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) && IsWindowEnabled(host_);
    look_.ThumbStart = info.xyThumbTop;
    look_.ThumbEnd = info.xyThumbBottom;
    // A window's bar shows the thumb under the cursor while it is dragged:
    // the system moves its own only as the host scrolls.
    if (look_.Pressed && look_.HotPart == spThumb && kind_ != TBarKind::Control) {
        POINT cursor{};
        GetCursorPos(&cursor);
        DragThumbTo(look_, pressThumbStart_, Along(cursor) - Along(pressPoint_));
    }
    return true;
}

// Paints the bar at once, in the same step as the change (a scroll, a
// press, the host's paint), and only when it shows something else than at
// the last paint: a thumb step costs one paint and no paint message. The
// host clips its siblings, so its own drawing of the bar never reaches the
// overlay's pixels.
void TScrollOverlay::PaintChange(const SCROLLBARINFO& info, bool always)
{
    if (!ReadLook(info) || (!always && painted_ == look_))
        return;
    if (HDC dc = GetDC(window_)) {
        faces_.Paint(dc, *skinner_.SkinData, look_);
        ReleaseDC(window_, dc);
        painted_ = look_;
        ValidateRect(window_, nullptr);
    }
}

// Its parent went first.
void TScrollOverlay::WindowGone()
{
    window_ = nullptr;
    shown_ = false;
}

LRESULT TScrollOverlay::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(); return 0;
    case WM_MOUSEMOVE: MouseMoved(at); return 0;
    case WM_MOUSELEAVE:
        if (!look_.Pressed) {
            look_.HotPart = spNone;
            Repaint();
        }
        return 0;
    case WM_LBUTTONDOWN: Pressed(at); return 0;
    case WM_LBUTTONUP: Released(at); return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: return SendMessageW(host_, msg, wParam, lParam);
    default: return DefWindowProcW(window_, msg, wParam, lParam);
    }
}

// The overlay was uncovered or made visible.
void TScrollOverlay::Paint()
{
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(window_, &ps);
    SCROLLBARINFO info{};
    if (ReadBarInfo(info) && ReadLook(info)) {
        faces_.Paint(dc, *skinner_.SkinData, look_);
        painted_ = look_;
    }
    EndPaint(window_, &ps);
}

void TScrollOverlay::MouseMoved(POINT client)
{
    TrackMouseLeave(window_);
    const int part = ScrollPartAt(look_, Along(client));
    if (look_.Pressed || part == look_.HotPart)
        return;
    look_.HotPart = part;
    Repaint();
}

// The press goes to the real bar under the overlay, whose tracking runs
// until the button is released.
void TScrollOverlay::Pressed(POINT client)
{
    GetCursorPos(&pressPoint_);
    SCROLLBARINFO info{};
    if (ReadBarInfo(info)) {
        pressThumbStart_ = info.xyThumbTop;
        look_.ThumbStart = info.xyThumbTop;
        look_.ThumbEnd = info.xyThumbBottom;
        bar_ = info.rcScrollBar;
        const RECT cover = Covered(bar_);
        barOrigin_ = {cover.left, cover.top};
    }
    look_.HotPart = ScrollPartAt(look_, Along(client));
    look_.Pressed = true;
    Repaint();
    ReleaseCapture();
    const std::shared_ptr<bool> alive = alive_;
    HandToBar(true, {barOrigin_.x + client.x, barOrigin_.y + client.y});
    if (!*alive)  // the host went while its bar was held
        return;
    look_.Pressed = false;
    ReleaseCapture();
    POINT cursor{};
    GetCursorPos(&cursor);
    look_.HotPart = spNone;
    if (WindowFromPoint(cursor) == window_) {
        ScreenToClient(window_, &cursor);
        look_.HotPart = ScrollPartAt(look_, Along(cursor));
    }
    Repaint();
}

// A release that reaches the overlay itself (the tracking never started)
// goes to the host too, so that it is not left holding a press.
void TScrollOverlay::Released(POINT client)
{
    look_.Pressed = false;
    ReleaseCapture();
    HandToBar(false, {barOrigin_.x + client.x, barOrigin_.y + client.y});
    Repaint();
}

// A press (sent: the system's tracking runs until the release) or a release
// (posted) at a screen point, to the real bar: a control's own button
// message, or the host's non-client one on its bar. A point in the room
// the skin's thickness added beside a window's bar goes to the bar across
// from it.
void TScrollOverlay::HandToBar(bool press, POINT screen)
{
    UINT msg = 0;
    WPARAM wParam = 0;
    if (kind_ == TBarKind::Control) {
        ScreenToClient(host_, &screen);
        msg = press ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        wParam = MK_LBUTTON;
    } else {
        msg = press ? WM_NCLBUTTONDOWN : WM_NCLBUTTONUP;
        wParam = Vertical() ? HTVSCROLL : HTHSCROLL;
        if (Vertical())
            screen.x = std::clamp(screen.x, bar_.left, std::max(bar_.left, bar_.right - 1));
        else
            screen.y = std::clamp(screen.y, bar_.top, std::max(bar_.top, bar_.bottom - 1));
    }
    const LPARAM lParam = MAKELPARAM(screen.x, screen.y);
    if (press)
        SendMessageW(host_, msg, wParam, lParam);
    else
        PostMessageW(host_, msg, wParam, lParam);
}

// ---- TSkinScrollbar

TSkinScrollbar::~TSkinScrollbar() = default;

void TSkinScrollbar::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    if (SkinState == StateAttached)
        return;
    TSkinControl::InitControl(form, skinData, takeColour);
    if (!Handle)
        return;
    hasBorder_ = GetEnumPropByName(Control, "BorderStyle") != "bsnone" && Variant != 1;
    MakeBars();
}

void TSkinScrollbar::InitWindow(HWND window, TSkinData& skinData, TWinSkinForm& form)
{
    if (SkinState == StateAttached)
        return;
    TSkinControl::InitWindow(window, skinData, form);
    hasBorder_ = false;
    MakeBars();
}

void TSkinScrollbar::MakeBars()
{
    horzBar_ = std::make_unique<TScrollOverlay>(*this, Handle, TBarKind::Horizontal);
    vertBar_ = std::make_unique<TScrollOverlay>(*this, Handle, TBarKind::Vertical);
    ReframeBars();
}

int TSkinScrollbar::AddedThickness(bool vertical) const
{
    const int system = GetSystemMetrics(vertical ? SM_CXVSCROLL : SM_CYHSCROLL);
    return SkinData ? std::max(SkinBarThickness(*SkinData, vertical) - system, 0) : 0;
}

// The bars take the skin's thickness: the host's frame is measured again
// with the room for it, and the overlays cover that room too.
void TSkinScrollbar::ReframeBars()
{
    if (horzBar_)
        horzBar_->SetThickness(GetSystemMetrics(SM_CYHSCROLL) + AddedThickness(false));
    if (vertBar_)
        vertBar_->SetThickness(GetSystemMetrics(SM_CXVSCROLL) + AddedThickness(true));
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// The system puts a window's bars beside its client area: the room a
// thicker skin needs is taken from the client area, on the bar's far side.
void TSkinScrollbar::WidenBars(TMessage& m) const
{
    RECT& client = m.WParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0]
                            : *reinterpret_cast<RECT*>(m.LParam);
    const auto style = GetWindowLongPtrW(Handle, GWL_STYLE);
    if (style & WS_VSCROLL) {
        if (GetWindowLongPtrW(Handle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR)
            client.left = std::min(client.left + AddedThickness(true), client.right);
        else
            client.right = std::max(client.right - AddedThickness(true), client.left);
    }
    if (style & WS_HSCROLL)
        client.bottom = std::max(client.bottom - AddedThickness(false), client.top);
}

void TSkinScrollbar::RestoreControl()
{
    TSkinControl::RestoreControl();
    horzBar_.reset();
    vertBar_.reset();
    if (SkinState != StateClosed) {  // the system's border, bars and client area again
        SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
}

void TSkinScrollbar::RefreshSkin()
{
    TSkinControl::RefreshSkin();
    for (TScrollOverlay* bar : {horzBar_.get(), vertBar_.get()})
        if (bar)
            bar->Reskin();
    if (horzBar_ || vertBar_)
        ReframeBars();
}

void TSkinScrollbar::PlaceBars()
{
    if (horzBar_)
        horzBar_->Place();
    if (vertBar_)
        vertBar_->Place();
}

// The border: the outer pixel ring in the skin's shadow colour, the next in
// its face colour; the corner between two bars in the face colour.
void TSkinScrollbar::PaintBorder(HDC dc) const
{
    RECT window{};
    GetWindowRect(Handle, &window);
    RECT ring{0, 0, RectWidth(window), RectHeight(window)};
    if (hasBorder_) {
        const TBrushHandle shadow(CreateSolidBrush(ColorToRGB(SkinData->Colours.ButtonShadow)));
        FrameRect(dc, &ring, shadow.Get());
        InflateRect(&ring, -1, -1);
        const TBrushHandle face(CreateSolidBrush(ColorToRGB(ButtonFace())));
        FrameRect(dc, &ring, face.Get());
    }
    // Where the system has the bars now, whether or not the overlays are
    // there yet: a window shown (or a frame measured again) is painted
    // before its overlays follow, and the system fills only a corner of its
    // own bars' size.
    const auto v = vertBar_ ? vertBar_->CoverInHost() : std::nullopt;
    const auto h = horzBar_ ? horzBar_->CoverInHost() : std::nullopt;
    if (v && h) {
        POINT client{0, 0};
        ClientToScreen(Handle, &client);
        const int dx = client.x - window.left, dy = client.y - window.top;
        const RECT corner{v->left + dx, h->top + dy, v->right + dx, h->bottom + dy};
        FillSkinColour(dc, corner);
    }
}

bool TSkinScrollbar::BeforeMessage(TMessage& m)
{
    if (m.Msg == WM_NCCALCSIZE && (horzBar_ || vertBar_)) {
        CallPrevious(m);
        WidenBars(m);
        return false;
    }
    if (m.Msg != WM_NCPAINT)
        return TSkinControl::BeforeMessage(m);
    CallPrevious(m);
    if (HDC dc = GetWindowDC(Handle)) {
        PaintBorder(dc);
        ReleaseDC(Handle, dc);
    }
    return false;
}

void TSkinScrollbar::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: PlaceBars(); break;
    case WM_HSCROLL:
        if (horzBar_)
            horzBar_->ScrolledBy(LOWORD(m.WParam));
        break;
    case WM_VSCROLL:
        if (vertBar_)
            vertBar_->ScrolledBy(LOWORD(m.WParam));
        break;
    case CM_VISIBLECHANGED:
        if (m.WParam) {
            PlaceBars();
        } else {
            if (horzBar_)
                horzBar_->Hide();
            if (vertBar_)
                vertBar_->Hide();
        }
        break;
    case CM_ENABLEDCHANGED:
    case WM_ENABLE: PlaceBars(); break;
    case WM_SKINPAINTFRAMETO:
        if (m.LParam == SkinMagic) {
            if (m.WParam)
                PaintBorder(reinterpret_cast<HDC>(m.WParam));
            m.Result = SkinMagic;
        }
        break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

// The host painted: its bars may have come, gone or scrolled. (The border
// is painted with the frame.)
void TSkinScrollbar::PaintControl(HDC, const RECT&)
{
    PlaceBars();
}

// Switched off, the overlays hide and the system's bars (at its own
// thickness) and border show; switched on again, both come back.
void TSkinScrollbar::SkinEnabledChanged()
{
    PlaceBars();
    TSkinControl::SkinEnabledChanged();
    if (!Handle)
        return;
    ReframeBars();
    RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

// ---- TSkinListView

// The header skinner goes with the list view, or earlier with the header's
// window (a list view made again makes a new header, found by the next
// discovery pass).
void TSkinListView::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    TSkinScrollbar::InitControl(form, skinData, takeColour);
    if (!Handle || !Control)
        return;
    const auto header = reinterpret_cast<HWND>(SendMessageW(Handle, LVM_GETHEADER, 0, 0));
    if (!header || form.FindSkinnerOfWindow(header))
        return;
    auto skinner = std::make_unique<TSkinHeader>(Control);
    skinner->InitWindow(header, skinData, form);
    skinner.release();  // owned by the list view
}

// ---- TSkinScControl

TSkinScControl::~TSkinScControl() = default;

void TSkinScControl::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    if (SkinState == StateAttached)
        return;
    TSkinControl::InitControl(form, skinData, takeColour);
    if (Handle)
        bar_ = std::make_unique<TScrollOverlay>(*this, Handle, TBarKind::Control);
}

void TSkinScControl::RestoreControl()
{
    TSkinControl::RestoreControl();
    bar_.reset();
}

void TSkinScControl::RefreshSkin()
{
    TSkinControl::RefreshSkin();
    if (bar_)
        bar_->Reskin();
}

void TSkinScControl::AfterMessage(TMessage& m)
{
    if (!bar_) {
        TSkinControl::AfterMessage(m);
        return;
    }
    switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case WM_NCPAINT: bar_->Place(); break;
    case CM_VISIBLECHANGED:
        if (m.WParam)
            bar_->Place();
        else
            bar_->Hide();
        break;
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_ENABLE_ARROWS:
    case CN_HSCROLL:
    case CN_VSCROLL:
    case WM_ENABLE:
    case CM_ENABLEDCHANGED: bar_->Repaint(); break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinScControl::SkinEnabledChanged()
{
    if (bar_)
        bar_->Place();
    TSkinControl::SkinEnabledChanged();
}

void TSkinScControl::PaintControl(HDC, const RECT&)
{
    if (bar_)
        bar_->Repaint();
}

} // namespace skin
