// TWinControl, the control with a window of its own: making, remaking and
// destroying the window (a class of its own, or a system class subclassed),
// its children and their tab order, alignment, focus, text, painting, and
// the path of its messages from the shared window procedure to the default
// handler.
#include "ui/controls/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "ui/controls/ControlsInternal.h"
#include "ui/controls/Menus.h"
#include "ui/forms/ErrorGuard.h"

namespace ui {

namespace {

// The control whose own-class window is being created on this thread: the
// shared window procedure attaches it on the window's first message.
thread_local TWinControl* creatingControl = nullptr;

// Gives a variable a value for the guard's lifetime and puts the old value
// back when it goes, also when an error passes.
template <class T>
class TScopedValue {
public:
    TScopedValue(T& variable, T value) : variable_(variable), saved_(std::exchange(variable, value)) {}
    ~TScopedValue() { variable_ = saved_; }
    TScopedValue(const TScopedValue&) = delete;
    TScopedValue& operator=(const TScopedValue&) = delete;

private:
    T& variable_;
    T saved_;
};

std::wstring OwnClassName(const TWinControl& control)
{
    std::wstring name;
    for (char c : control.ClassName())
        name += static_cast<wchar_t>(c);
    return name;
}

} // namespace

TControl* windowlessCapture = nullptr;

// ---- TWinControl

const TClassInfo& TWinControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TWinControl>("TWinControl", &TControl::StaticClass())
                                       .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
                                       .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
                                       .Event("OnKeyDown", &TWinControl::OnKeyDown)
                                       .Event("OnKeyPress", &TWinControl::OnKeyPress)
                                       .Event("OnEnter", &TWinControl::OnEnter)
                                       .Event("OnExit", &TWinControl::OnExit)
                                       .Done();
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    BeginDestroy();
    while (!controls_.empty())
        RemoveControl(controls_.back());
    if (handle_) {
        HWND wnd = handle_;
        DetachWindow();
        DestroyWindow(wnd);
    }
}

HWND TWinControl::Handle()
{
    if (!handle_)
        CreateHandle();
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Parent())
        params.ParentWindow = Parent()->Handle();
    params.X = Left(), params.Y = Top(), params.Width = Width(), params.Height = Height();
    if (tabStop_)
        params.Style |= WS_TABSTOP;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    params.ExStyle |= BiDiExStyle(BiDiMode());
}

namespace {

// Tells the top window that a control came: a windowless one placed in it, or
// a child window made (also made again) anywhere in it. The skin finds new
// controls then. A child window's creation shows in its parent's
// WM_PARENTNOTIFY, but under Wine in no other ancestor's, so a control made
// inside a panel would go unseen by the top window.
void AnnounceToTopWindow(TControl& control)
{
    TWinControl* top = control.Parent();
    if (!top)
        return;
    while (top->Parent())
        top = top->Parent();
    if (top->HandleAllocated())
        SendMessageW(top->WindowHandle(), CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(&control), 0);
}

} // namespace

void TWinControl::CreateHandle()
{
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.ParentWindow)
        throw Exception("Control '" + Name() + "' has no parent window");
    HWND wnd = nullptr;
    if (params.SystemClass.empty()) {
        const std::wstring cls = OwnClassName(*this);
        RegisterOwnClass(cls, params);
        const TScopedValue<TWinControl*> creating(creatingControl, this);
        wnd = CreateWindowHandle(params, cls);
    } else {
        wnd = CreateWindowHandle(params, params.SystemClass);
        if (wnd)
            AttachWindow(wnd);
    }
    if (!wnd || !handle_)
        throw Exception("Cannot create the window of '" + Name() + "'");
    CreateWnd();
    AnnounceToTopWindow(*this);
}

void TWinControl::RegisterOwnClass(const std::wstring& cls, const TCreateParams& params)
{
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(inst, cls.c_str(), &wc))
        return;
    wc.cbSize = sizeof wc;
    wc.style = params.ClassStyle;
    wc.lpfnWndProc = StdWndProc;
    wc.hInstance = inst;
    wc.hCursor = params.ClassCursor ? params.ClassCursor : LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = cls.c_str();
    if (!RegisterClassExW(&wc))
        throw Exception("Cannot register the window class of " + ClassName());
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& params, const std::wstring& className)
{
    return CreateWindowExW(params.ExStyle, className.c_str(), text_.c_str(), params.Style, params.X, params.Y,
                           params.Width, params.Height, params.ParentWindow, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

void TWinControl::DestroyWindowHandle(HWND wnd)
{
    DestroyWindow(wnd);
}

void TWinControl::DestroyHandle()
{
    if (!handle_)
        return;
    HWND wnd = handle_;
    DetachWindow();
    DestroyWindowHandle(wnd);
}

void TWinControl::AttachWindow(HWND wnd)
{
    handle_ = wnd;
    SetPropW(wnd, MAKEINTATOM(ControlAtom()), this);
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC));
    if (current == StdWndProc) {
        defWndProc_ = DefWindowProcW;
    } else {
        defWndProc_ = current;
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StdWndProc));
    }
}

void TWinControl::DetachWindow()
{
    if (!handle_)
        return;
    RemovePropW(handle_, MAKEINTATOM(ControlAtom()));
    if (defWndProc_ != DefWindowProcW)
        SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defWndProc_));
    handle_ = nullptr;
    sentFont_ = nullptr;
}

void TWinControl::CreateWnd()
{
    sentFont_ = Font()->Handle();
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(sentFont_), FALSE);
    for (TControl* c : controls_)
        if (auto* wc = dynamic_cast<TWinControl*>(c); wc && wc->Visible())
            wc->HandleNeeded();
    // Windows of the children follow the tab order in the z-order.
    HWND after = HWND_TOP;
    for (TWinControl* wc : tabList_)
        if (wc->HandleAllocated()) {
            SetWindowPos(wc->handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            after = wc->handle_;
        }
    AlignControls();
    UpdateShowing();
}

void TWinControl::DestroyWnd()
{
    text_ = GetText();
}

void TWinControl::RecreateWnd()
{
    if (!handle_ || recreating_)
        return;
    recreating_ = true;
    for (TControl* c : controls_)
        if (auto* wc = dynamic_cast<TWinControl*>(c); wc && wc->HandleAllocated())
            wc->DestroyWnd();
    DestroyWnd();
    DestroyWindowHandle(handle_);  // WM_NCDESTROY detaches this and every child
    recreating_ = false;
    CreateHandle();
}

int TWinControl::ShowCommand() const
{
    return Parent() ? SW_SHOWNA : SW_SHOW;
}

void TWinControl::UpdateShowing()
{
    if (!handle_) {
        if (Visible() && Parent() && Parent()->HandleAllocated())
            HandleNeeded();
        return;
    }
    const bool shown = IsWindowVisible(handle_) || (GetWindowLongW(handle_, GWL_STYLE) & WS_VISIBLE);
    if (Visible() == shown)
        return;
    if (Visible() && !Parent())
        SendMessageW(handle_, CM_SHOWING, 0, 0);
    ShowWindow(handle_, Visible() ? ShowCommand() : SW_HIDE);
    if (Visible() && !Parent())
        SendMessageW(handle_, CM_SHOWN, 0, 0);
}

void TWinControl::InsertControl(TControl* control)
{
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* wc = dynamic_cast<TWinControl*>(control))
        tabList_.push_back(wc);
    if (control->parentFont_)
        control->ParentFontChanged();
    if (control->parentColor_)
        control->ParentColorChanged();
    control->ParentBiDiModeChanged();
    if (auto* wc = dynamic_cast<TWinControl*>(control); wc && handle_ && wc->Visible())
        wc->HandleNeeded();
    control->Invalidate();
    ControlBoundsChanged(*control);
    // A windowed control says so when its window is made (CreateHandle).
    if (!dynamic_cast<TWinControl*>(control))
        AnnounceToTopWindow(*control);
}

void TWinControl::RemoveControl(TControl* control)
{
    control->Invalidate();
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
    control->parent_ = nullptr;
    if (auto* wc = dynamic_cast<TWinControl*>(control); wc && wc->handle_ && !wc->Destroying()) {
        wc->DestroyWnd();
        wc->DestroyHandle();
    }
}

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    const auto& list = Parent()->tabList_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order)
{
    if (Loading()) {
        tabOrderWanted_ = order;
        return;
    }
    if (!Parent())
        return;
    auto& list = Parent()->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

// Tab orders read from form data take effect together, once every sibling
// exists: the children are ordered by the numbers they were given.
void TWinControl::Loaded()
{
    TControl::Loaded();
    const auto wanted = [](const TWinControl* c) {
        return c->tabOrderWanted_ >= 0 ? c->tabOrderWanted_ : static_cast<int>(0x7FFFFFFF);
    };
    std::stable_sort(tabList_.begin(), tabList_.end(),
                     [&](const TWinControl* a, const TWinControl* b) { return wanted(a) < wanted(b); });
    for (TWinControl* c : tabList_)
        c->tabOrderWanted_ = -1;
}

void TWinControl::SetTabStop(bool on)
{
    tabStop_ = on;
    if (handle_) {
        LONG style = GetWindowLongW(handle_, GWL_STYLE);
        SetWindowLongW(handle_, GWL_STYLE, on ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

std::vector<TWinControl*> TWinControl::TabOrderList() const
{
    std::vector<TWinControl*> out;
    for (TWinControl* wc : tabList_) {
        out.push_back(wc);
        const auto nested = wc->TabOrderList();
        out.insert(out.end(), nested.begin(), nested.end());
    }
    return out;
}

bool TWinControl::Focused() const
{
    return handle_ && GetFocus() == handle_;
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    if (!CanFocus())
        throw Exception("Cannot focus a disabled or invisible window");
    ::SetFocus(Handle());
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    TControl::SetBounds(left, top, width, height);
    if (handle_) {
        RECT r{};
        GetWindowRect(handle_, &r);
        if (HWND parent = GetParent(handle_); parent && (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD))
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        if (r.left != left || r.top != top || r.right - r.left != width || r.bottom - r.top != height)
            SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    AlignControls();
}

RECT TWinControl::ClientRect() const
{
    RECT r{0, 0, Width(), Height()};
    if (handle_)
        GetClientRect(handle_, &r);
    return r;
}

POINT TWinControl::ClientOrigin() const
{
    if (!handle_)
        return TControl::ClientOrigin();
    POINT p{0, 0};
    ::ClientToScreen(handle_, &p);
    return p;
}

void TWinControl::Invalidate()
{
    if (handle_)
        InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::BringToFront()
{
    if (handle_)
        SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TControl* TWinControl::ControlAtPos(POINT p) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->Visible())
            continue;
        const RECT r = c->BoundsRect();
        if (PtInRect(&r, p))
            return c;
    }
    return nullptr;
}

void TWinControl::AlignControls()
{
    RECT room = ClientRect();
    for (TControl* c : controls_) {
        if (!c->Visible() || c->Align() == TAlign::alNone)
            continue;
        int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
        switch (c->Align()) {
        case TAlign::alTop: l = room.left, t = room.top, w = room.right - room.left, room.top += h; break;
        case TAlign::alBottom: l = room.left, t = room.bottom - h, w = room.right - room.left, room.bottom -= h; break;
        case TAlign::alLeft: l = room.left, t = room.top, h = room.bottom - room.top, room.left += w; break;
        case TAlign::alRight: l = room.right - w, t = room.top, h = room.bottom - room.top, room.right -= w; break;
        case TAlign::alClient:
            l = room.left, t = room.top, w = room.right - room.left, h = room.bottom - room.top;
            break;
        case TAlign::alNone: break;
        }
        if (l != c->Left() || t != c->Top() || w != c->Width() || h != c->Height())
            c->SetBounds(l, t, std::max(w, 0), std::max(h, 0));
    }
    AlignRemainder(room);
}

void TWinControl::AlignRemainder(const RECT&) {}

void TWinControl::ControlBoundsChanged(TControl& control)
{
    if (control.Align() != TAlign::alNone)
        AlignControls();
}

TCanvas* TWinControl::ControlCanvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TCanvas>();
    return canvas_.get();
}

LRESULT TWinControl::CtlColor(HDC dc)
{
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    if (!colorBrush_ || colorBrushColor_ != Color()) {
        colorBrush_.Reset(CreateSolidBrush(ColorToRGB(Color())));
        colorBrushColor_ = Color();
    }
    return reinterpret_cast<LRESULT>(colorBrush_.Get());
}

void TWinControl::SpreadBiDiMode()
{
    for (TControl* c : controls_)
        if (c->parentBiDiMode_) {
            c->bidi_ = bidi_;
            if (auto* wc = dynamic_cast<TWinControl*>(c))
                wc->SpreadBiDiMode();
        }
}

// The reading order lives in the extended styles of the window and of its
// children's windows: the children take the new mode first, then the window
// is remade with them.
void TWinControl::BiDiModeChanged()
{
    SpreadBiDiMode();
    if (handle_)
        RecreateWnd();
    else
        Invalidate();
}

void TWinControl::ColorChanged()
{
    for (TControl* c : controls_)
        c->ParentColorChanged();
    TControl::ColorChanged();
}

void TWinControl::FontChanged()
{
    if (handle_) {
        sentFont_ = Font()->Handle();
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(sentFont_), TRUE);
    }
    for (TControl* c : controls_)
        c->ParentFontChanged();
    TControl::FontChanged();
}

void TWinControl::SetText(const std::wstring& text)
{
    if (handle_) {
        if (GetText() == text)
            return;
        SetWindowTextW(handle_, text.c_str());
        text_ = text;
        Perform(CM_TEXTCHANGED);
        return;
    }
    TControl::SetText(text);
}

std::wstring TWinControl::GetText() const
{
    if (!handle_)
        return text_;
    const int len = GetWindowTextLengthW(handle_);
    std::wstring s(static_cast<std::size_t>(len) + 1, L'\0');
    s.resize(static_cast<std::size_t>(GetWindowTextW(handle_, s.data(), len + 1)));
    return s;
}

bool TWinControl::KeyMessage(TMessage& m)
{
    if (m.Msg == WM_KEYDOWN) {
        auto key = static_cast<WORD>(m.WParam);
        KeyDown(key, ShiftStateFromKeyboard());
        m.WParam = key;
        return key == 0;
    }
    auto key = static_cast<wchar_t>(m.WParam);
    KeyPress(key);
    m.WParam = key;
    return key == 0;
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    OnKeyDown(this, key, shift);
}

void TWinControl::KeyPress(wchar_t& key)
{
    OnKeyPress(this, key);
}

void TWinControl::PaintWindow(HDC dc)
{
    TSavedDC saved(dc);
    TCanvas* canvas = ControlCanvas();
    const TCanvasAttachment attached(*canvas, dc);
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas->FillRect(ClientRect());
}

void TWinControl::PaintGraphicChildren(HDC dc)
{
    for (TControl* c : controls_) {
        auto* g = dynamic_cast<TGraphicControl*>(c);
        if (!g || !g->Visible())
            continue;
        TSavedDC saved(dc);
        const RECT r = g->BoundsRect();
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        SetWindowOrgEx(dc, -r.left, -r.top, nullptr);
        g->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
    }
}

// WM_PAINT and WM_PRINTCLIENT paint on the context they bring; a WM_PAINT
// without one paints the window's own update region.
void TWinControl::PaintHandler(TMessage& m)
{
    const auto paint = [this](HDC dc) {
        PaintWindow(dc);
        PaintGraphicChildren(dc);
    };
    if (m.WParam)
        return paint(reinterpret_cast<HDC>(m.WParam));
    const TPaintDC dc(handle_);
    paint(dc.Get());
}

bool TWinControl::ReflectToChild(TMessage& m)
{
    HWND child = nullptr;
    switch (m.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: child = reinterpret_cast<HWND>(m.LParam); break;
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom; break;
    case WM_DRAWITEM: child = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->hwndItem; break;
    default: return false;
    }
    TControl* control = FindControlOfWindow(child);
    if (!control || control == this)
        return false;
    m.Result = control->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    return true;
}

void TWinControl::WmSetCursor(TMessage& m)
{
    if (reinterpret_cast<HWND>(m.WParam) == handle_ && LOWORD(m.LParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ::ScreenToClient(handle_, &p);
        const TControl* target = ControlAtPos(p);
        const TCursor cursor = target && target->Cursor() != crDefault ? target->Cursor() : Cursor();
        if (cursor != crDefault) {
            ::SetCursor(CursorHandle(cursor));
            m.Result = TRUE;
            return;
        }
    }
    DefaultHandler(m);
}

// A right click or the context-menu key: the popup menu of the windowless
// child under the mouse, else this control's, opens; a control without one
// leaves the message to the platform, which passes it to the parent (or
// shows a standard control's own menu).
void TWinControl::WmContextMenu(TMessage& m)
{
    POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    const bool byKey = p.x == -1 && p.y == -1;
    TControl* target = this;
    if (!byKey)
        if (TControl* inner = ControlAtPos(ScreenToClient(p)); inner && inner->PopupMenu())
            target = inner;
    TPopupMenu* menu = target->PopupMenu();
    if (!menu || !menu->AutoPopup())
        return DefaultHandler(m);
    if (byKey)
        p = target->ClientToScreen({0, 0});
    menu->SetPopupComponent(target);
    menu->Popup(p.x, p.y);
}

void TWinControl::WndProc(TMessage& m)
{
    // Mouse messages over a windowless child go to that child.
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST && m.Msg != WM_MOUSEWHEEL) {
        const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        TControl* target = windowlessCapture && windowlessCapture->Parent() == this ? windowlessCapture : ControlAtPos(p);
        if (target && target->Enabled()) {
            const bool down = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN || m.Msg == WM_MBUTTONDOWN;
            const bool up = m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP || m.Msg == WM_MBUTTONUP;
            if (down) {
                windowlessCapture = target;
                SetCapture(handle_);
            }
            const LPARAM local = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
            m.Result = target->Perform(m.Msg, m.WParam, local);
            if (up && windowlessCapture) {
                windowlessCapture = nullptr;
                ReleaseCapture();
            }
            if (m.Msg == WM_RBUTTONUP)
                DefaultHandler(m);  // the platform raises WM_CONTEXTMENU for the click
            return;
        }
    }
    TControl::WndProc(m);
}

void TWinControl::Dispatch(TMessage& m)
{
    if (ReflectToChild(m))
        return;
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (defWndProc_ == DefWindowProcW)
            return PaintHandler(m);
        break;
    case WM_ERASEBKGND:
        if (defWndProc_ == DefWindowProcW) {
            m.Result = 1;  // the whole surface is painted in WM_PAINT: no flicker
            return;
        }
        break;
    case WM_SETCURSOR: return WmSetCursor(m);
    case WM_CONTEXTMENU: return WmContextMenu(m);
    case WM_KEYDOWN:
    case WM_CHAR:
        if (KeyMessage(m))
            return;
        break;
    case WM_SETFOCUS:
        DefaultHandler(m);
        for (TControl* c = this; c; c = c->Parent())
            if (!c->Parent())
                c->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(this));
        OnEnter(this);
        return;
    case WM_KILLFOCUS:
        DefaultHandler(m);
        OnExit(this);
        return;
    case WM_SIZE:
    case WM_MOVE: {
        DefaultHandler(m);
        RECT r;
        GetWindowRect(handle_, &r);
        if (HWND parent = GetParent(handle_); parent && (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD))
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        TControl::SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        AlignControls();
        return;
    }
    case WM_DESTROY:
        text_ = GetText();  // the caption outlives the window
        break;
    case WM_NCDESTROY:
        DefaultHandler(m);
        DetachWindow();
        return;
    case CM_RECREATEWND: return RecreateWnd();
    default: break;
    }
    TControl::Dispatch(m);
}

void TWinControl::DefaultHandler(TMessage& m)
{
    if (handle_ && defWndProc_)
        m.Result = CallWindowProcW(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* control = static_cast<TWinControl*>(FindControlOfWindow(wnd));
    if (!control && creatingControl && !creatingControl->handle_) {
        control = creatingControl;
        control->AttachWindow(wnd);
    }
    if (!control)
        return DefWindowProcW(wnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    CallGuarded([&] { control->WindowProc(m); });
    return m.Result;
}

} // namespace ui
