#include "ui/controls/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "ui/controls/ControlsInternal.h"
#include "ui/controls/Menus.h"
#include "ui/forms/Forms.h"

namespace ui {

// ---- window <-> control

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
    // A parent that is the control or one of its children would make a
    // cycle, which every walk up the parents (Showing, ClientOrigin) would
    // follow for ever.
    for (TControl* above = parent; above; above = above->Parent())
        if (above == this)
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
