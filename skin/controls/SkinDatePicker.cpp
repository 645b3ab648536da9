#include "skin/controls/SkinDatePicker.h"

#include "skin/controls/OwnWindow.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "ui/controls/Controls.h"

namespace skin {

using namespace ui;

// ---- TArrowButton

TArrowButton::TArrowButton(TSkinControl& skinner, HWND picker)
    : skinner_(skinner), picker_(picker), arrowWidth_(GetSystemMetrics(SM_CXHSCROLL))
{
    // It tells the picker nothing of its making, so no control discovery
    // runs for it.
    CreateOwnWindow(L"TArrowButton", OwnWindowProc<TArrowButton>, WS_EX_NOPARENTNOTIFY, WS_CHILD | WS_VISIBLE, picker,
                    this);
    Place();
}

TArrowButton::~TArrowButton()
{
    if (window_)
        DestroyOwnWindow(window_);
}

void TArrowButton::Place()
{
    RECT picker{};
    if (!window_ || !GetWindowRect(picker_, &picker))
        return;
    const bool left = (GetWindowLongPtrW(picker_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const int x = left ? 2 : RectWidth(picker) - arrowWidth_ - 4;
    SetWindowPos(window_, HWND_TOP, x, 0, arrowWidth_, RectHeight(picker) - 4, SWP_NOACTIVATE);
}

void TArrowButton::Repaint()
{
    if (window_)
        InvalidateRect(window_, nullptr, FALSE);
}

TArrowState TArrowButton::State() const
{
    if (!IsWindowEnabled(picker_))
        return TArrowState::Disabled;
    return hot_ ? TArrowState::Hot : TArrowState::Normal;
}

LRESULT TArrowButton::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(); return 0;
    case WM_MOUSEMOVE:
        if (!hot_ && IsWindowEnabled(picker_)) {
            hot_ = true;
            TrackMouseLeave(window_);
            Repaint();
        }
        return 0;
    case WM_MOUSELEAVE:
        hot_ = false;
        Repaint();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Pressed({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}, wParam);
        return 0;
    case WM_LBUTTONUP: SetFocus(picker_); return 0;
    default: return DefWindowProcW(window_, msg, wParam, lParam);
    }
}

// The press and its release go to the picker where its own button lies
// under the arrow: the picker opens (or closes) its calendar as it would.
void TArrowButton::Pressed(POINT client, WPARAM keys)
{
    MapWindowPoints(window_, picker_, &client, 1);
    const LPARAM at = MAKELPARAM(client.x, client.y);
    PostMessageW(picker_, WM_LBUTTONDOWN, keys, at);
    PostMessageW(picker_, WM_LBUTTONUP, keys & ~static_cast<WPARAM>(MK_LBUTTON), at);
    Repaint();
}

// The frame of the skin's ComboxArrow picture for the state, stretched over
// the button on the skin's face colour.
void TArrowButton::Paint()
{
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(window_, &ps);
    RECT client{};
    GetClientRect(window_, &client);
    if (TSkinData* data = skinner_.SkinData) {
        TFacePainter face(dc, client);
        const TBrushHandle ground(CreateSolidBrush(ColorToRGB(data->Colours.ButtonFace)));
        FillRect(face.Dc(), &face.Rect(), ground.Get());
        if (TDataSkinObject* arrow = data->ComboxArrow.get(); HasPicture(arrow))
            DrawFrameStretched(face.Dc(), face.Rect(), *arrow->Image, arrow->FrameCount, static_cast<int>(State()),
                               false);
        face.Show();
    }
    EndPaint(window_, &ps);
}

// ---- TSkinDateTime

TSkinDateTime::TSkinDateTime(TComponent* owner) : TSkinEdit(owner)
{
    WhiteRings = 1;
}

TSkinDateTime::~TSkinDateTime() = default;

// The arrow covers the picker's button; the picker clips its children, so
// that its own painting never draws the button over the arrow.
void TSkinDateTime::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    if (SkinState == StateAttached)
        return;
    TSkinEdit::InitControl(form, skinData, takeColour);
    if (!Handle)
        return;
    const LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
    addedClipChildren_ = !(style & WS_CLIPCHILDREN);
    SetWindowLongPtrW(Handle, GWL_STYLE, style | WS_CLIPCHILDREN);
    arrow_ = std::make_unique<TArrowButton>(*this, Handle);
}

void TSkinDateTime::RestoreControl()
{
    arrow_.reset();
    if (SkinState != StateClosed && Handle && addedClipChildren_)
        SetWindowLongPtrW(Handle, GWL_STYLE,
                          GetWindowLongPtrW(Handle, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CLIPCHILDREN));
    addedClipChildren_ = false;
    TSkinEdit::RestoreControl();
    if (SkinState != StateClosed && Handle)
        InvalidateRect(Handle, nullptr, TRUE);
}

void TSkinDateTime::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_SIZE:
    case WM_STYLECHANGED:
        if (arrow_)
            arrow_->Place();
        break;
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
        if (arrow_)
            arrow_->Repaint();
        break;
    default: break;
    }
    TSkinEdit::AfterMessage(m);
}

} // namespace skin
