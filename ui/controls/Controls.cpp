#include "ui/controls/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "ui/controls/Menus.h"
#include "ui/forms/ErrorGuard.h"
#include "ui/forms/Forms.h"

namespace ui {

// ---- window <-> control

namespace {

// The control whose own-class window is being created on this thread: the
// shared window procedure attaches it on the window's first message.
thread_local TWinControl* creatingControl = nullptr;

// The windowless control that has a mouse button pressed on it: it gets the
// mouse messages until the button goes up, wherever the mouse is. Cleared
// when that control goes.
TControl* windowlessCapture = nullptr;

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

ATOM ControlAtom()
{
    static const ATOM atom = [] {
        wchar_t name[40];
        std::swprintf(name, 40, L"ControlOfs%.8X%.8X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(GetModuleHandleW(nullptr))),
                      static_cast<unsigned>(GetCurrentThreadId()));
        return GlobalAddAtomW(name);
    }();
    return atom;
}

TControl* FindControlOfWindow(HWND window)
{
    if (!window)
        return nullptr;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != GetCurrentProcessId())
        return nullptr;
    return static_cast<TControl*>(GetPropW(window, MAKEINTATOM(ControlAtom())));
}

namespace {

const std::pair<const char*, TCursor> CursorNames[] = {
    {"crDefault", crDefault}, {"crArrow", crArrow}, {"crHandPoint", crHandPoint}};

bool CursorToInt(std::string_view ident, std::int64_t& value)
{
    for (auto [name, cursor] : CursorNames)
        if (SameText(ident, name)) {
            value = cursor;
            return true;
        }
    return false;
}

bool CursorToIdent(std::int64_t value, std::string& ident)
{
    for (auto [name, cursor] : CursorNames)
        if (cursor == value) {
            ident = name;
            return true;
        }
    return false;
}

} // namespace

const TIdentMap CursorIdents{CursorToInt, CursorToIdent};

HCURSOR CursorHandle(TCursor cursor)
{
    switch (cursor) {
    case crHandPoint: return LoadCursorW(nullptr, IDC_HAND);
    case crDefault:
    case crArrow:
    default: return LoadCursorW(nullptr, IDC_ARROW);
    }
}

TShiftState ShiftStateFromMouse(WPARAM keys)
{
    TShiftState s = 0;
    if (keys & MK_SHIFT)
        s |= 1u << ssShift;
    if (keys & MK_CONTROL)
        s |= 1u << ssCtrl;
    if (keys & MK_LBUTTON)
        s |= 1u << ssLeft;
    if (keys & MK_RBUTTON)
        s |= 1u << ssRight;
    if (keys & MK_MBUTTON)
        s |= 1u << ssMiddle;
    if (GetKeyState(VK_MENU) < 0)
        s |= 1u << ssAlt;
    return s;
}

TShiftState ShiftStateFromKeyboard()
{
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        s |= 1u << ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        s |= 1u << ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        s |= 1u << ssAlt;
    return s;
}

// ---- TControl

const TClassInfo& TControl::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TControl>("TControl", &TComponent::StaticClass())
            .Int("Left", &TControl::Left, &TControl::SetLeft)
            .Int("Top", &TControl::Top, &TControl::SetTop)
            .Int("Width", &TControl::Width, &TControl::SetWidth)
            .Int("Height", &TControl::Height, &TControl::SetHeight)
            .Enum("Align", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, &TControl::Align,
                  &TControl::SetAlign)
            .Bool("Visible", &TControl::Visible, &TControl::SetVisible)
            .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled)
            .Int("Color", &TControl::Color, &TControl::SetColor, ColorIdents)
            .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
            .Object("Font", &TControl::Font, &TControl::SetFont)
            .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
            .Wide("Caption", &TControl::Caption, &TControl::SetCaption)
            .Wide("Hint", &TControl::Hint, &TControl::SetHint)
            .Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
            .Int("Cursor", &TControl::Cursor, &TControl::SetCursor, CursorIdents)
            .Reference("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
            .Enum("BiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"},
                  &TControl::BiDiMode, &TControl::SetBiDiMode)
            .Bool("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode)
            .Event("OnClick", &TControl::OnClick)
            .Event("OnMouseDown", &TControl::OnMouseDown)
            .Event("OnMouseUp", &TControl::OnMouseUp)
            .Done();
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>())
{
    WindowProc = [this](TMessage& m) { WndProc(m); };
    font_->OnChange = TNotifyEvent([this](TObject*) {
        parentFont_ = false;
        FontChanged();
    });
}

TControl::~TControl()
{
    BeginDestroy();
    for (TWindowProcHook* hook : hooks_)
        hook->control_ = nullptr;
    if (windowlessCapture == this)
        windowlessCapture = nullptr;
    Application()->ControlDestroyed(this);
    if (parent_)
        parent_->RemoveControl(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

std::vector<std::string> TControl::WindowProcHooks() const
{
    std::vector<std::string> names;
    for (auto it = hooks_.rbegin(); it != hooks_.rend(); ++it)
        names.push_back((*it)->Name());
    return names;
}

// ---- TWindowProcHook

// One hook's place in a control's chain. It outlives the hook object as long
// as a chain entry refers to it, so a hook taken out while one of its
// messages is being handled stays valid until that handling ends.
struct TWindowProcHook::TLink {
    THandler Handler;
    std::function<void(TMessage&)> Previous;
    bool Removed = false;  // then messages pass straight through
};

namespace {

// What a hook puts in the control's WindowProc: a call to its link.
struct THookEntry {
    std::shared_ptr<TWindowProcHook::TLink> Link;
    void operator()(TMessage& m) const
    {
        const auto link = Link;  // the entry itself may be replaced meanwhile
        if (link->Removed)
            link->Previous(m);
        else
            link->Handler(m);
    }
};

bool IsEntryOf(const std::function<void(TMessage&)>& fn, const TWindowProcHook::TLink* link)
{
    const auto* entry = fn.target<THookEntry>();
    return entry && entry->Link.get() == link;
}

} // namespace

TWindowProcHook::TWindowProcHook(TControl& control, std::string name, THandler handler)
    : control_(&control), name_(std::move(name)), link_(std::make_shared<TLink>())
{
    link_->Handler = std::move(handler);
    link_->Previous = control.WindowProc;
    control.WindowProc = THookEntry{link_};
    control.hooks_.push_back(this);
}

TWindowProcHook::~TWindowProcHook()
{
    link_->Removed = true;
    if (!control_)
        return;
    auto& hooks = control_->hooks_;
    std::erase(hooks, this);
    if (IsEntryOf(control_->WindowProc, link_.get())) {
        control_->WindowProc = link_->Previous;
        return;
    }
    for (TWindowProcHook* above : hooks)
        if (IsEntryOf(above->link_->Previous, link_.get())) {
            above->link_->Previous = link_->Previous;
            return;
        }
    // Someone replaced WindowProc by hand on top of this hook: the entry
    // stays in that copy and passes messages through.
}

void TWindowProcHook::CallPrevious(TMessage& m) const
{
    const auto link = link_;
    link->Previous(m);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    if (parent == this)
        throw Exception("A control cannot be its own parent");
    if (parent_)
        parent_->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* wc = dynamic_cast<TWinControl*>(parent))
        SetParent(wc);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    const bool moved = left != left_ || top != top_ || width != width_ || height != height_;
    if (moved && parent_ && !dynamic_cast<TWinControl*>(this))
        Invalidate();  // the old area of a graphic control
    left_ = left, top_ = top, width_ = width, height_ = height;
    if (moved) {
        Invalidate();
        if (parent_)
            parent_->ControlBoundsChanged(*this);
    }
}

int TControl::ClientWidth() const
{
    const RECT r = ClientRect();
    return r.right - r.left;
}

int TControl::ClientHeight() const
{
    const RECT r = ClientRect();
    return r.bottom - r.top;
}

POINT TControl::ClientOrigin() const
{
    if (!parent_)
        return {left_, top_};
    POINT p = parent_->ClientOrigin();
    return {p.x + left_, p.y + top_};
}

POINT TControl::ClientToScreen(POINT p) const
{
    const POINT o = ClientOrigin();
    return {p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p) const
{
    const POINT o = ClientOrigin();
    return {p.x - o.x, p.y - o.y};
}

void TControl::SetAlign(TAlign align)
{
    align_ = align;
    if (parent_)
        parent_->AlignControls();
}

bool TControl::Showing() const
{
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_)
            return false;
    return true;
}

void TControl::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    Perform(CM_VISIBLECHANGED, visible);
    if (auto* wc = dynamic_cast<TWinControl*>(this))
        wc->UpdateShowing();
    else
        Invalidate();
    if (parent_ && align_ != TAlign::alNone)
        parent_->AlignControls();
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (auto* wc = dynamic_cast<TWinControl*>(this); wc && wc->HandleAllocated())
        EnableWindow(wc->handle_, enabled);
    Perform(CM_ENABLEDCHANGED);
    Invalidate();
}

void TControl::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    parentColor_ = false;
    Perform(CM_COLORCHANGED);
    ColorChanged();
}

void TControl::ColorChanged()
{
    Invalidate();
}

void TControl::SetParentColor(bool on)
{
    parentColor_ = on;
    if (on && parent_)
        ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!parentColor_ || !parent_)
        return;
    color_ = parent_->Color();
    Perform(CM_PARENTCOLORCHANGED);
    ColorChanged();
}

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    SetReference(popupMenu_, menu);
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == popupMenu_)
        popupMenu_ = nullptr;
}

void TControl::SetBiDiMode(TBiDiMode mode)
{
    parentBiDiMode_ = false;
    if (mode == bidi_)
        return;
    bidi_ = mode;
    BiDiModeChanged();
}

void TControl::SetParentBiDiMode(bool on)
{
    parentBiDiMode_ = on;
    if (on)
        ParentBiDiModeChanged();
}

void TControl::ParentBiDiModeChanged()
{
    if (!parentBiDiMode_ || !parent_ || parent_->bidi_ == bidi_)
        return;
    bidi_ = parent_->bidi_;
    BiDiModeChanged();
}

void TControl::BiDiModeChanged()
{
    Invalidate();
}

DWORD BiDiExStyle(TBiDiMode mode)
{
    switch (mode) {
    case TBiDiMode::bdRightToLeft: return WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
    case TBiDiMode::bdRightToLeftNoAlign: return WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
    case TBiDiMode::bdRightToLeftReadingOnly: return WS_EX_RTLREADING;
    case TBiDiMode::bdLeftToRight: break;
    }
    return 0;
}

void TControl::SetFont(TFont* font)
{
    font_->Assign(*font);
}

void TControl::SetParentFont(bool on)
{
    parentFont_ = on;
    if (on && parent_)
        ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!parentFont_ || !parent_)
        return;
    font_->Assign(*parent_->Font());  // fires OnChange, which clears parentFont_
    parentFont_ = true;
    Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged()
{
    Perform(CM_FONTCHANGED);
    Invalidate();
}

void TControl::SetText(const std::wstring& text)
{
    if (text == text_)
        return;
    text_ = text;
    Perform(CM_TEXTCHANGED);
    Invalidate();
}

void TControl::Invalidate()
{
    if (parent_ && parent_->HandleAllocated()) {
        const RECT r = BoundsRect();
        InvalidateRect(parent_->handle_, &r, TRUE);
    }
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::Update()
{
    if (parent_)
        parent_->Update();
}

void TControl::BringToFront()
{
    if (!parent_)
        return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
    Invalidate();
}

void TControl::Click()
{
    OnClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMessage(TMessage& m)
{
    const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    const TShiftState shift = ShiftStateFromMouse(m.WParam);
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: MouseDown(TMouseButton::mbLeft, shift, x, y); break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: MouseDown(TMouseButton::mbRight, shift, x, y); break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: MouseDown(TMouseButton::mbMiddle, shift, x, y); break;
    case WM_LBUTTONUP: MouseUp(TMouseButton::mbLeft, shift, x, y); break;
    case WM_RBUTTONUP: MouseUp(TMouseButton::mbRight, shift, x, y); break;
    case WM_MBUTTONUP: MouseUp(TMouseButton::mbMiddle, shift, x, y); break;
    default: break;
    }
}

void TControl::WndProc(TMessage& m)
{
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST && m.Msg != WM_MOUSEMOVE && m.Msg != WM_MOUSEWHEEL) {
        if (!enabled_)
            return;
        MouseMessage(m);
        // A windowless control is clicked when the left button goes up over it.
        const bool windowless = !dynamic_cast<TWinControl*>(this);
        if (windowless && m.Msg == WM_LBUTTONUP) {
            const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
            if (p.x >= 0 && p.y >= 0 && p.x < width_ && p.y < height_)
                Click();
        }
    }
    Dispatch(m);
}

void TControl::Dispatch(TMessage& m)
{
    DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage&) {}

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
    // A windowed control's arrival shows in its parent's WM_PARENTNOTIFY; a
    // windowless one says so to the top window, whose skin finds it then.
    if (!dynamic_cast<TWinControl*>(control)) {
        TWinControl* top = this;
        while (top->Parent())
            top = top->Parent();
        if (top->handle_)
            SendMessageW(top->handle_, CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 0);
    }
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

// ---- TGraphicControl

const TClassInfo& TGraphicControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TGraphicControl>("TGraphicControl", &TControl::StaticClass()).Done();
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::PaintTo(HDC dc)
{
    const TCanvasAttachment painting(*canvas_, dc);
    canvas_->Font()->Assign(*Font());
    Paint();
}

void TGraphicControl::Dispatch(TMessage& m)
{
    if (m.Msg == WM_PAINT && m.WParam) {
        PaintTo(reinterpret_cast<HDC>(m.WParam));
        return;
    }
    TControl::Dispatch(m);
}

// ---- TCustomControl

const TClassInfo& TCustomControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomControl>("TCustomControl", &TWinControl::StaticClass()).Done();
    return info;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(HDC dc)
{
    TSavedDC saved(dc);
    TCanvas* canvas = Canvas();
    const TCanvasAttachment attached(*canvas, dc);
    canvas->Font()->Assign(*Font());
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    Paint();
}

} // namespace ui
