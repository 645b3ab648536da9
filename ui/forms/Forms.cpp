#include "ui/forms/Forms.h"

#include <algorithm>

#include "ui/controls/Buttons.h"
#include "ui/controls/ComboBox.h"
#include "ui/controls/CoolBar.h"
#include "ui/controls/DateTimePicker.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/Grids.h"
#include "ui/controls/HeaderControl.h"
#include "ui/controls/ListView.h"
#include "ui/controls/Menus.h"
#include "ui/controls/MPlayer.h"
#include "ui/controls/ProgressBar.h"
#include "ui/controls/ScrollBox.h"
#include "ui/controls/StatusBar.h"
#include "ui/controls/StdCtrls.h"
#include "ui/controls/Tabs.h"
#include "ui/controls/ToolBar.h"
#include "ui/controls/TrackBar.h"
#include "ui/controls/TreeView.h"
#include "ui/controls/UpDown.h"
#include "ui/core/FormReader.h"
#include "ui/core/Utf8.h"
#include "ui/forms/ErrorGuard.h"

namespace ui {

// ---- TForm

namespace {
BOOL CALLBACK CollectEnabledWindow(HWND wnd, LPARAM list)
{
    return CallGuarded([&] {
        if (IsWindowVisible(wnd) && IsWindowEnabled(wnd))
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
    });
}
} // namespace

const TClassInfo& TForm::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TForm>("TForm", &TWinControl::StaticClass())
            .Enum("BorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
                  &TForm::BorderStyle, &TForm::SetBorderStyle)
            .Set("BorderIcons", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}, &TForm::BorderIcons,
                 &TForm::SetBorderIcons)
            .Enum("FormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}, &TForm::FormStyle,
                  &TForm::SetFormStyle)
            .Enum("TileMode", {"tbHorizontal", "tbVertical"}, &TForm::TileMode, &TForm::SetTileMode)
            .Reference("Menu", &TForm::Menu, &TForm::SetMenu)
            .Reference("WindowMenu", &TForm::WindowMenu, &TForm::SetWindowMenu)
            .Enum("Position",
                  {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                   "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"},
                  &TForm::Position, &TForm::SetPosition)
            .Enum("WindowState", {"wsNormal", "wsMinimized", "wsMaximized"}, &TForm::WindowState,
                  &TForm::SetWindowState)
            .Bool("AutoScroll", &TForm::AutoScroll, &TForm::SetAutoScroll)
            .Int("ClientWidth", &TForm::StoredClientWidth, &TForm::SetClientWidth)
            .Int("ClientHeight", &TForm::StoredClientHeight, &TForm::SetClientHeight)
            .Int("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch)
            .Int("TextHeight", &TForm::TextHeight, &TForm::SetTextHeight)
            .Bool("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview)
            .Event("OnCreate", &TForm::OnCreate)
            .Event("OnDestroy", &TForm::OnDestroy)
            .Event("OnShow", &TForm::OnShow)
            .Event("OnActivate", &TForm::OnActivate)
            .Event("OnClose", &TForm::OnClose)
            .Done();
    return info;
}

TForm::TForm(TComponent* owner) : TWinControl(owner), icon_(std::make_unique<TIcon>())
{
    TControl::SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    Screen()->forms_.push_back(this);
}

TForm::~TForm()
{
    BeginDestroy();
    OnDestroy(this);
    DestroyHandle();
    auto& forms = Screen()->forms_;
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

std::wstring ResourceNameOf(const TComponent& root)
{
    std::wstring upper;
    for (wchar_t c : Utf8ToWide(root.ClassName()))
        upper += static_cast<wchar_t>(towupper(c));
    return upper;
}

void ReadComponentResource(const std::wstring& resource, TComponent& root)
{
    HRSRC res = FindResourceW(nullptr, resource.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL data = res ? LoadResource(nullptr, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes)
        throw EReadError("Resource " + WideToUtf8(resource) + " not found");
    ReadComponent(std::string_view(static_cast<const char*>(bytes), SizeofResource(nullptr, res)), root);
}

void TForm::InitFromResource()
{
    InitFromResource(ResourceNameOf(*this));
}

void TForm::InitFromResource(const std::wstring& resource)
{
    ReadComponentResource(resource, *this);
}

// ---- TCustomFrame

const TClassInfo& TCustomFrame::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomFrame>("TCustomFrame", &TCustomControl::StaticClass()).Done();
    return info;
}

const TClassInfo& TFrame::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFrame>("TFrame", &TCustomFrame::StaticClass()).Done();
    return info;
}

TCustomFrame::TCustomFrame(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 320, 240);
    SetParentColor(true);
}

void TCustomFrame::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.ExStyle |= WS_EX_CONTROLPARENT;  // Tab reaches the controls inside
}

void TForm::SetBorderStyle(TFormBorderStyle style)
{
    borderStyle_ = style;
    RecreateWnd();
}

void TForm::SetBorderIcons(TBorderIcons icons)
{
    borderIcons_ = icons;
    RecreateWnd();
}

void TForm::SetFormStyle(TFormStyle style)
{
    const auto isMDI = [](TFormStyle s) { return s == TFormStyle::fsMDIChild || s == TFormStyle::fsMDIForm; };
    const bool remake = isMDI(style) || isMDI(formStyle_);
    formStyle_ = style;
    if (!HandleAllocated())
        return;
    if (remake)
        RecreateWnd();
    else
        SetWindowPos(Handle(), style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.ParentWindow = OwnerWindow();
    params.ExStyle = BiDiExStyle(BiDiMode());
    switch (borderStyle_) {
    case TFormBorderStyle::bsNone: params.Style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle: params.Style |= WS_CAPTION | WS_BORDER; break;
    case TFormBorderStyle::bsSizeable: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION;
        params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case TFormBorderStyle::bsToolWindow: params.Style |= WS_CAPTION; params.ExStyle |= WS_EX_TOOLWINDOW; break;
    case TFormBorderStyle::bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (borderStyle_ != TFormBorderStyle::bsNone && (borderIcons_ & (1u << biSystemMenu))) {
        params.Style |= WS_SYSMENU;
        const bool dialogLike = borderStyle_ == TFormBorderStyle::bsDialog ||
                                borderStyle_ == TFormBorderStyle::bsToolWindow ||
                                borderStyle_ == TFormBorderStyle::bsSizeToolWin;
        if (!dialogLike && (borderIcons_ & (1u << biMinimize)))
            params.Style |= WS_MINIMIZEBOX;
        if (!dialogLike && (borderIcons_ & (1u << biMaximize)))
            params.Style |= WS_MAXIMIZEBOX;
        if (borderIcons_ & (1u << biHelp))
            params.ExStyle |= WS_EX_CONTEXTHELP;
    }
    if (formStyle_ == TFormStyle::fsStayOnTop)
        params.ExStyle |= WS_EX_TOPMOST;
    if (formStyle_ == TFormStyle::fsMDIChild) {
        // A child of the frame's client window, however it is framed.
        params.Style = (params.Style & ~WS_POPUP) | WS_CHILD;
        params.ExStyle |= WS_EX_MDICHILD;
        params.ParentWindow = MDIFrame()->ClientHandle();
        // Made visible, the child is activated (and maximized or minimized)
        // by the client as it is made.
        if (Visible())
            params.Style |= WS_VISIBLE;
        if (windowState_ == TWindowState::wsMaximized)
            params.Style |= WS_MAXIMIZE;
        else if (windowState_ == TWindowState::wsMinimized)
            params.Style |= WS_MINIMIZE;
        const bool defaultPos = position_ == TPosition::poDefault || position_ == TPosition::poDefaultPosOnly;
        const bool defaultSize = position_ == TPosition::poDefault || position_ == TPosition::poDefaultSizeOnly;
        if (defaultPos)
            params.X = params.Y = CW_USEDEFAULT;
        if (defaultSize)
            params.Width = params.Height = CW_USEDEFAULT;
    }
}

TForm* TForm::MDIFrame() const
{
    const auto isFrame = [](const TForm* f) { return f && f->formStyle_ == TFormStyle::fsMDIForm; };
    TForm* frame = dynamic_cast<TForm*>(Owner());
    if (!isFrame(frame))
        frame = Application()->MainForm();
    for (int i = 0; !isFrame(frame) && i < Screen()->FormCount(); ++i)
        frame = Screen()->Forms(i);
    if (!isFrame(frame))
        throw Exception("Cannot create form " + Name() + ": no MDI frame form exists");
    frame->HandleNeeded();
    return frame;
}

HWND TForm::CreateWindowHandle(const TCreateParams& params, const std::wstring& className)
{
    mdiChildWindow_ = (params.ExStyle & WS_EX_MDICHILD) != 0;
    if (!mdiChildWindow_)
        return TWinControl::CreateWindowHandle(params, className);
    // The MDI client makes its children itself, and knows them that way.
    MDICREATESTRUCTW create{};
    create.szClass = className.c_str();
    create.szTitle = text_.c_str();
    create.hOwner = GetModuleHandleW(nullptr);
    create.x = params.X, create.y = params.Y, create.cx = params.Width, create.cy = params.Height;
    create.style = params.Style;
    return reinterpret_cast<HWND>(SendMessageW(params.ParentWindow, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

void TForm::DestroyWindowHandle(HWND wnd)
{
    if (menu_ && GetMenu(wnd) == menu_->Handle())
        ::SetMenu(wnd, nullptr);
    HWND client = mdiChildWindow_ ? GetParent(wnd) : nullptr;
    if (client)
        SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(wnd), 0);
    else
        DestroyWindow(wnd);
}

void TForm::CreateMDIClient()
{
    CLIENTCREATESTRUCT create{};
    create.hWindowMenu = windowMenu_ ? windowMenu_->Handle() : nullptr;
    create.idFirstChild = 0xFF00;  // above every menu command of the framework
    const RECT r = ClientRect();
    clientHandle_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL |
                                        WS_VSCROLL | MDIS_ALLCHILDSTYLES,
                                    0, 0, r.right, r.bottom, WindowHandle(), nullptr, GetModuleHandleW(nullptr),
                                    &create);
    if (!clientHandle_)
        throw Exception("Cannot create the MDI client window of '" + Name() + "'");
    SetWindowPos(clientHandle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::AlignRemainder(const RECT& room)
{
    if (clientHandle_)
        MoveWindow(clientHandle_, room.left, room.top, std::max(0L, room.right - room.left),
                   std::max(0L, room.bottom - room.top), TRUE);
}

void TForm::DefaultHandler(TMessage& m)
{
    HWND wnd = WindowHandle();
    if (wnd && clientHandle_)
        m.Result = DefFrameProcW(wnd, clientHandle_, m.Msg, m.WParam, m.LParam);
    else if (wnd && mdiChildWindow_)
        m.Result = DefMDIChildProcW(wnd, m.Msg, m.WParam, m.LParam);
    else
        TWinControl::DefaultHandler(m);
}

// A child shown is the active child, as one just made.
void TForm::ShowMDIChild()
{
    HWND wnd = WindowHandle();
    if (!wnd) {
        HandleNeeded();
        return;
    }
    ShowWindow(wnd, SW_SHOW);
    SendMessageW(GetParent(wnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(wnd), 0);
    ApplyWindowState();
}

TForm* TForm::ActiveMDIChild() const
{
    if (!clientHandle_)
        return nullptr;
    auto active = reinterpret_cast<HWND>(SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TForm*>(FindControlOfWindow(active));
}

std::vector<TForm*> TForm::MDIChildList() const
{
    std::vector<TForm*> children;
    if (!clientHandle_)
        return children;
    for (HWND w = GetWindow(clientHandle_, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (auto* form = dynamic_cast<TForm*>(FindControlOfWindow(w)))
            children.push_back(form);
    return children;
}

void TForm::Tile()
{
    if (clientHandle_)
        SendMessageW(clientHandle_, WM_MDITILE, tileMode_ == TTileMode::tbVertical ? MDITILE_VERTICAL : MDITILE_HORIZONTAL,
                     0);
}

void TForm::Cascade()
{
    if (clientHandle_)
        SendMessageW(clientHandle_, WM_MDICASCADE, 0, 0);
}

void TForm::ArrangeIcons()
{
    if (clientHandle_)
        SendMessageW(clientHandle_, WM_MDIICONARRANGE, 0, 0);
}

void TForm::Next()
{
    if (clientHandle_)
        SendMessageW(clientHandle_, WM_MDINEXT, 0, FALSE);
}

void TForm::Previous()
{
    if (clientHandle_)
        SendMessageW(clientHandle_, WM_MDINEXT, 0, TRUE);
}

HWND TForm::OwnerWindow() const
{
    auto* owner = dynamic_cast<TForm*>(Owner());
    return owner ? owner->Handle() : nullptr;
}

void TForm::CreateWnd()
{
    if (menu_ && !mdiChildWindow_)  // before the client size is set: the bar takes room
        ::SetMenu(WindowHandle(), menu_->Handle());
    if (formStyle_ == TFormStyle::fsMDIForm)
        CreateMDIClient();
    TWinControl::CreateWnd();
    HICON icon = icon_->Handle() ? icon_->Handle() : LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    if (icon) {
        SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    if (pendingClientWidth_ >= 0)
        SetClientWidth(pendingClientWidth_);
    if (pendingClientHeight_ >= 0)
        SetClientHeight(pendingClientHeight_);
    // An MDI child is made visible by its client as the window is made; it
    // is shown for good once its controls are there too.
    if (formStyle_ == TFormStyle::fsMDIChild && IsWindowVisible(Handle()))
        SendMessageW(Handle(), CM_SHOWN, 0, 0);
}

void TForm::SetMenu(TMainMenu* menu)
{
    if (menu == menu_)
        return;
    if (auto* other = menu ? dynamic_cast<TForm*>(menu->Window()) : nullptr)
        other->SetMenu(nullptr);  // one menu bar, one window
    if (menu_)
        menu_->SetWindow(nullptr);
    menu_ = menu;
    if (menu_)
        menu_->SetWindow(this);
    if (HandleAllocated())
        SendMessageW(Handle(), CM_MENUCHANGED, 0, 0);
}

void TForm::SetWindowMenu(TMenuItem* item)
{
    SetReference(windowMenu_, item);
}

void TForm::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == menu_)
        menu_ = nullptr;
    if (component == windowMenu_)
        windowMenu_ = nullptr;
}

bool TForm::IsShortCut(int shortCut)
{
    return menu_ && menu_->IsShortCut(shortCut);
}

void TForm::WmMenuChanged(TMessage&)
{
    HWND wnd = WindowHandle();
    if (!wnd || mdiChildWindow_)
        return;
    HMENU bar = menu_ ? menu_->Handle() : nullptr;
    if (GetMenu(wnd) != bar)
        ::SetMenu(wnd, bar);
    DrawMenuBar(wnd);
}

void TForm::DetachMenuBar()
{
    HWND wnd = WindowHandle();
    if (wnd && menu_ && GetMenu(wnd) == menu_->Handle())
        ::SetMenu(wnd, nullptr);
}

TWindowState TForm::WindowState() const
{
    HWND wnd = WindowHandle();
    if (!wnd || !IsWindowVisible(wnd))
        return windowState_;
    if (IsIconic(wnd))
        return TWindowState::wsMinimized;
    return IsZoomed(wnd) ? TWindowState::wsMaximized : TWindowState::wsNormal;
}

void TForm::SetWindowState(TWindowState state)
{
    windowState_ = state;
    if (HandleAllocated() && IsWindowVisible(Handle()))
        ApplyWindowState();
}

// An MDI child is maximized and restored by its client, which also merges
// its caption buttons into the frame's menu bar.
void TForm::ApplyWindowState()
{
    HWND wnd = WindowHandle();
    if (mdiChildWindow_ && windowState_ != TWindowState::wsMinimized)
        SendMessageW(GetParent(wnd), windowState_ == TWindowState::wsMaximized ? WM_MDIMAXIMIZE : WM_MDIRESTORE,
                     reinterpret_cast<WPARAM>(wnd), 0);
    else
        ShowWindow(wnd, ShowCommand());
}

int TForm::ShowCommand() const
{
    switch (windowState_) {
    case TWindowState::wsMinimized: return SW_SHOWMINIMIZED;
    case TWindowState::wsMaximized: return SW_SHOWMAXIMIZED;
    case TWindowState::wsNormal: break;
    }
    HWND wnd = WindowHandle();
    return IsZoomed(wnd) || IsIconic(wnd) ? SW_RESTORE : SW_SHOW;
}

// The state follows the window as the user (or the system) sizes it.
void TForm::WmSize(TMessage& m)
{
    switch (m.WParam) {
    case SIZE_MINIMIZED: windowState_ = TWindowState::wsMinimized; break;
    case SIZE_MAXIMIZED: windowState_ = TWindowState::wsMaximized; break;
    case SIZE_RESTORED: windowState_ = TWindowState::wsNormal; break;
    default: break;
    }
    TWinControl::Dispatch(m);
}

void TForm::SetClientWidth(int width)
{
    if (!HandleAllocated()) {
        // The frame's size is known only once the window exists.
        pendingClientWidth_ = width;
        return;
    }
    pendingClientWidth_ = -1;
    SetWidth(Width() - ClientWidth() + width);
}

void TForm::SetClientHeight(int height)
{
    if (!HandleAllocated()) {
        pendingClientHeight_ = height;
        return;
    }
    pendingClientHeight_ = -1;
    SetHeight(Height() - ClientHeight() + height);
}

void TForm::PlaceOnShow()
{
    placed_ = true;
    HandleNeeded();
    RECT area{0, 0, Screen()->Width(), Screen()->Height()};
    switch (position_) {
    case TPosition::poDesktopCenter: area = Screen()->WorkArea(); [[fallthrough]];
    case TPosition::poScreenCenter:
        SetBounds(area.left + (area.right - area.left - Width()) / 2, area.top + (area.bottom - area.top - Height()) / 2,
                  Width(), Height());
        break;
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter:
        if (TForm* main = Application()->MainForm(); main && main != this) {
            const RECT r = main->BoundsRect();
            SetBounds(r.left + (r.right - r.left - Width()) / 2, r.top + (r.bottom - r.top - Height()) / 2, Width(),
                      Height());
        }
        break;
    default: break;
    }
}

void TForm::SetActiveControl(TWinControl* control)
{
    activeControl_ = control;
    if (control && HandleAllocated() && IsWindowVisible(Handle()) && control->CanFocus())
        control->SetFocus();
}

void TForm::SelectNext(bool forward)
{
    std::vector<TWinControl*> list;
    for (TWinControl* c : TabOrderList())
        if (c->TabStop() && c->CanFocus())
            list.push_back(c);
    if (list.empty())
        return;
    TControl* focused = FindControlOfWindow(GetFocus());
    auto it = std::find(list.begin(), list.end(), focused);
    std::size_t index = 0;
    if (it != list.end()) {
        const std::size_t at = static_cast<std::size_t>(it - list.begin());
        index = forward ? (at + 1) % list.size() : (at + list.size() - 1) % list.size();
    } else if (!forward) {
        index = list.size() - 1;
    }
    list[index]->SetFocus();
}

TModalResult TForm::ShowModal()
{
    if (Visible() || !Enabled())
        throw Exception("Cannot make a visible window modal");
    // Every other enabled, visible window of this thread is disabled while
    // the form runs.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    for (HWND wnd : disabled)
        EnableWindow(wnd, FALSE);
    modal_ = true;
    modalResult_ = mrNone;
    Show();
    SetForegroundWindow(Handle());
    SetActiveWindow(Handle());
    while (modalResult_ == mrNone && !Application()->Terminated())
        Application()->HandleMessage();
    for (HWND wnd : disabled)
        if (IsWindow(wnd))
            EnableWindow(wnd, TRUE);
    modal_ = false;
    Hide();
    return modalResult_ == mrNone ? mrCancel : modalResult_;
}

void TForm::DoClose(TCloseAction& action)
{
    OnClose(this, action);
}

void TForm::Close()
{
    // A hidden MDI child would still count as one of the frame's children:
    // closing one frees it.
    TCloseAction action = formStyle_ == TFormStyle::fsMDIChild ? TCloseAction::caFree : TCloseAction::caHide;
    DoClose(action);
    if (action == TCloseAction::caNone)
        return;
    if (modal_) {
        if (modalResult_ == mrNone)
            modalResult_ = mrCancel;
        return;
    }
    if (Application()->MainForm() == this) {
        Application()->Terminate();
        return;
    }
    if (action == TCloseAction::caFree)
        Release();
    else if (action == TCloseAction::caMinimize)
        ShowWindow(Handle(), SW_MINIMIZE);
    else
        Hide();
}

void TForm::Release()
{
    PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

void TForm::DoCreate()
{
    CallGuarded([this] { OnCreate(this); });
}

void TForm::WmClose(TMessage&)
{
    Close();
}

void TForm::WmActivate(TMessage& m)
{
    DefaultHandler(m);
    if (LOWORD(m.WParam) == WA_INACTIVE)
        return;
    OnActivate(this);
    TWinControl* target = activeControl_ && activeControl_->CanFocus() ? activeControl_ : nullptr;
    if (!target)
        for (TWinControl* c : TabOrderList())
            if (c->TabStop() && c->CanFocus()) {
                target = c;
                break;
            }
    if (target)
        target->SetFocus();
}

namespace {

// The controls that hold the focus, from the focused one out to the form,
// may claim a dialog key before the form does (a page control takes
// Ctrl+Tab while the focus is on one of its pages); a non-zero answer keeps
// the key. Forms within the form are passed over: their own handling of the
// key is the outer form's.
bool OfferDialogKeyToFocus(TForm& form, TMessage& m)
{
    if (!form.HandleAllocated())
        return false;
    for (HWND w = GetFocus(); w && w != form.WindowHandle() && IsChild(form.WindowHandle(), w); w = GetParent(w)) {
        TControl* control = FindControlOfWindow(w);
        if (control && !dynamic_cast<TForm*>(control))
            if (const LRESULT result = control->Perform(m.Msg, m.WParam, m.LParam)) {
                m.Result = result;
                return true;
            }
    }
    return false;
}

} // namespace

void TForm::Dispatch(TMessage& m)
{
    if (DispatchMenuMessage(m))
        return;
    switch (m.Msg) {
    case CM_MENUCHANGED: return WmMenuChanged(m);
    case WM_DESTROY:
        DetachMenuBar();
        break;
    case WM_CLOSE: return WmClose(m);
    case WM_ACTIVATE: return WmActivate(m);
    case WM_SIZE: return WmSize(m);
    case WM_SHOWWINDOW:
        DefaultHandler(m);
        if (m.WParam)
            OnShow(this);
        return;
    case CM_SHOWING:
        if (Screen()->OnFormShowing)
            Screen()->OnFormShowing(*this);
        return;
    case CM_VISIBLECHANGED:
        if (formStyle_ == TFormStyle::fsMDIChild) {
            if (m.WParam)
                ShowMDIChild();
        } else if (m.WParam && !placed_) {
            PlaceOnShow();
        }
        return;
    case WM_NCDESTROY:
        TWinControl::Dispatch(m);
        clientHandle_ = nullptr;  // went with the frame
        mdiChildWindow_ = false;
        return;
    case CM_FOCUSCHANGED:
        // The form itself has the focus only on its way to a control (the
        // system's activation gives it the focus first): remembering it would
        // keep the focus on the bare form once activated.
        if (reinterpret_cast<TWinControl*>(m.LParam) != this)
            activeControl_ = reinterpret_cast<TWinControl*>(m.LParam);
        return;
    case CM_DIALOGKEY:
        if (OfferDialogKeyToFocus(*this, m))
            return;
        if (m.WParam == VK_TAB) {
            SelectNext(GetKeyState(VK_SHIFT) >= 0);
            m.Result = 1;
            return;
        }
        break;
    case CM_RELEASE: delete this; return;
    default: break;
    }
    TWinControl::Dispatch(m);
}

TForm* FormOfWindow(HWND wnd)
{
    for (HWND w = wnd; w; w = GetAncestor(w, GA_PARENT)) {
        if (auto* form = dynamic_cast<TForm*>(FindControlOfWindow(w)))
            return form;
        if (!(GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD))
            break;
    }
    return nullptr;
}

void RegisterFrameworkClasses()
{
    for (const TClassInfo* info :
         {&TLabel::StaticClass(), &TListBox::StaticClass(), &TEdit::StaticClass(), &TMaskEdit::StaticClass(),
          &TButton::StaticClass(), &TBitBtn::StaticClass(), &TPanel::StaticClass(), &TTimer::StaticClass(),
          &TCheckBox::StaticClass(), &TRadioButton::StaticClass(), &TGroupBox::StaticClass(),
          &TRadioGroup::StaticClass(), &TSpeedButton::StaticClass(), &TStatusBar::StaticClass(),
          &TProgressBar::StaticClass(), &TTrackBar::StaticClass(), &THeaderControl::StaticClass(),
          &TToolBar::StaticClass(), &TToolButton::StaticClass(), &TCoolBar::StaticClass(), &TImage::StaticClass(), &TMemo::StaticClass(),
          &TScrollBar::StaticClass(), &TUpDown::StaticClass(), &TComboBox::StaticClass(),
          &TDateTimePicker::StaticClass(), &TStringGrid::StaticClass(), &TScrollBox::StaticClass(),
          &TMediaPlayer::StaticClass(), &TListView::StaticClass(), &TTreeView::StaticClass(),
          &TTabControl::StaticClass(), &TPageControl::StaticClass(), &TTabSheet::StaticClass(),
          &TTabSet::StaticClass()})
        RegisterComponentClass(*info);
    RegisterMenuClasses();
}

} // namespace ui
