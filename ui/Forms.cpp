#include "ui/Forms.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/Buttons.h"
#include "ui/ErrorGuard.h"
#include "ui/ExtCtrls.h"
#include "ui/FormReader.h"
#include "ui/StdCtrls.h"
#include "ui/Utf8.h"

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
            .Enum("Position",
                  {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                   "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"},
                  &TForm::Position, &TForm::SetPosition)
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
    auto& forms = Screen()->forms_;
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

void TForm::InitFromResource()
{
    const std::wstring name = Utf8ToWide(ClassName());
    std::wstring upper;
    for (wchar_t c : name)
        upper += static_cast<wchar_t>(towupper(c));
    HRSRC res = FindResourceW(nullptr, upper.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL data = res ? LoadResource(nullptr, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes)
        throw EReadError("Resource " + ClassName() + " not found");
    ReadComponent(std::string_view(static_cast<const char*>(bytes), SizeofResource(nullptr, res)), *this);
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
    formStyle_ = style;
    if (HandleAllocated())
        SetWindowPos(Handle(), style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.ParentWindow = nullptr;
    params.ExStyle = 0;
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
}

void TForm::CreateWnd()
{
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
    TCloseAction action = TCloseAction::caHide;
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

void TForm::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_CLOSE: return WmClose(m);
    case WM_ACTIVATE: return WmActivate(m);
    case WM_SHOWWINDOW:
        DefaultHandler(m);
        if (m.WParam)
            OnShow(this);
        return;
    case CM_VISIBLECHANGED:
        if (m.WParam && !placed_)
            PlaceOnShow();
        return;
    case CM_FOCUSCHANGED:
        // The form itself has the focus only on its way to a control (the
        // system's activation gives it the focus first): remembering it would
        // keep the focus on the bare form once activated.
        if (reinterpret_cast<TWinControl*>(m.LParam) != this)
            activeControl_ = reinterpret_cast<TWinControl*>(m.LParam);
        return;
    case CM_DIALOGKEY:
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

// ---- TScreen

TForm* TScreen::ActiveForm() const
{
    return dynamic_cast<TForm*>(FindControlOfWindow(GetActiveWindow()));
}

RECT TScreen::WorkArea() const
{
    RECT r{0, 0, Width(), Height()};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

TScreen* Screen()
{
    static TScreen screen;
    return &screen;
}

// ---- TApplication

const TClassInfo& TApplication::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TApplication>("TApplication", &TComponent::StaticClass()).Done();
    return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication()
{
    if (handle_)
        DestroyWindow(handle_);
}

void TApplication::Initialize()
{
    if (handle_)
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TApplication";
    RegisterClassExW(&wc);
    handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"TApplication", title_.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, wc.hInstance, nullptr);
}

void TApplication::Run()
{
    if (mainForm_ && showMainForm_)
        mainForm_->Show();
    while (!terminated_)
        HandleMessage();
}

void TApplication::HandleMessage()
{
    MSG msg;
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
        terminated_ = true;
        return;
    }
    ProcessMessage(msg);
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (!terminated_ && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        ProcessMessage(msg);
    }
}

// Keys a form may claim before the focused control sees them: Tab, Enter,
// Esc and the arrows go to the form as CM_DIALOGKEY (unless the control asks
// for them), Alt+letter as CM_DIALOGCHAR. A non-zero answer consumes the key.
bool TApplication::IsKeyMessage(MSG& msg)
{
    UINT notification = 0;
    if (msg.message == WM_KEYDOWN) {
        switch (msg.wParam) {
        case VK_TAB:
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: break;
        default: return false;
        }
        const LRESULT wants = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
        if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE) || (msg.wParam == VK_TAB && (wants & DLGC_WANTTAB)))
            return false;
        notification = CM_DIALOGKEY;
    } else if (msg.message == WM_SYSCHAR) {
        notification = CM_DIALOGCHAR;
    } else {
        return false;
    }
    auto* form = dynamic_cast<TForm*>(FindControlOfWindow(GetAncestor(msg.hwnd, GA_ROOT)));
    return form && form->Perform(notification, msg.wParam, msg.lParam) != 0;
}

// Sends CM_MOUSEENTER / CM_MOUSELEAVE when the mouse moves from one control
// to another (windowless controls included) or leaves the program's windows.
void TApplication::TrackMouse(const MSG& msg)
{
    if (msg.message != WM_MOUSEMOVE && msg.message != WM_MOUSELEAVE)
        return;
    TControl* now = nullptr;
    if (msg.message == WM_MOUSEMOVE) {
        now = FindControlOfWindow(msg.hwnd);
        if (auto* wc = dynamic_cast<TWinControl*>(now))
            if (TControl* inner = wc->ControlAtPos({GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)}))
                now = inner;
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, msg.hwnd, 0};
        TrackMouseEvent(&tme);
    }
    if (now == mouseControl_)
        return;
    if (mouseControl_)
        mouseControl_->Perform(CM_MOUSELEAVE);
    mouseControl_ = now;
    if (now)
        now->Perform(CM_MOUSEENTER);
}

void TApplication::ControlDestroyed(TControl* control)
{
    if (mouseControl_ == control)
        mouseControl_ = nullptr;
}

bool TApplication::ProcessMessage(MSG& msg)
{
    CallGuarded([&] {
        TrackMouse(msg);
        if (IsKeyMessage(msg))
            return;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    });
    return true;
}

void TApplication::Terminate()
{
    terminated_ = true;
    PostQuitMessage(0);
}

int TApplication::MessageBox(const std::wstring& text, const std::wstring& caption, UINT flags)
{
    HWND owner = GetActiveWindow();
    if (!owner || !FindControlOfWindow(owner))
        owner = handle_;
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

void TApplication::HandleException(const std::exception& e)
{
    if (OnException) {
        OnException(this, e);
        return;
    }
    MessageBox(Utf8ToWide(ErrorText(e)), title_, MB_OK | MB_ICONSTOP);
}

TApplication* Application()
{
    static TApplication* app = new TApplication(nullptr);
    return app;
}

void RegisterFrameworkClasses()
{
    for (const TClassInfo* info :
         {&TLabel::StaticClass(), &TListBox::StaticClass(), &TEdit::StaticClass(), &TMaskEdit::StaticClass(),
          &TButton::StaticClass(), &TBitBtn::StaticClass(), &TPanel::StaticClass(), &TTimer::StaticClass()})
        RegisterComponentClass(*info);
}

} // namespace ui
