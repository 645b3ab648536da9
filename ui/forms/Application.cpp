// The screen's list of forms (TScreen) and the application object
// (TApplication): its hidden window, the message loop with the keys that an
// MDI frame, a menu bar or a form may claim before the focused control, the
// tracking of the mouse entering and leaving controls, and the default
// handling of errors.
#include "ui/forms/Forms.h"

#include <windowsx.h>

#include "ui/controls/Menus.h"
#include "ui/core/Utf8.h"
#include "ui/forms/ErrorGuard.h"

namespace ui {

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

TFont* TScreen::MenuFont()
{
    if (!menuFont_) {
        menuFont_ = std::make_unique<TFont>();
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            const LOGFONTW& lf = metrics.lfMenuFont;
            menuFont_->SetName(lf.lfFaceName);
            menuFont_->SetHeight(lf.lfHeight);
            menuFont_->SetCharset(lf.lfCharSet);
            menuFont_->SetStyle(lf.lfWeight >= FW_BOLD ? 1u << fsBold : 0u);
        }
    }
    return menuFont_.get();
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
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && IsShortCutKey(msg))
        return true;
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
    TForm* form = FormOfWindow(msg.hwnd);
    return form && form->Perform(notification, msg.wParam, msg.lParam) != 0;
}

// A key with its shift state that an item of a menu bar has as shortcut runs
// that item: the menu of the form the key is for, then (for an MDI child) the
// frame's.
bool TApplication::IsShortCutKey(MSG& msg)
{
    const int shortCut = ShortCutOfKey(msg.wParam);
    for (TForm* form = FormOfWindow(msg.hwnd); form; form = FormOfWindow(GetAncestor(form->Handle(), GA_PARENT)))
        if (form->IsShortCut(shortCut))
            return true;
    return false;
}

// Ctrl+F4, Ctrl+F6 and the like for the MDI child of the frame the message
// is for.
bool TApplication::IsMDIMessage(MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    auto* frame = dynamic_cast<TForm*>(FindControlOfWindow(GetAncestor(msg.hwnd, GA_ROOT)));
    return frame && frame->ClientHandle() && TranslateMDISysAccel(frame->ClientHandle(), &msg);
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
    if (mainForm_ == control)
        mainForm_ = nullptr;
}

bool TApplication::ProcessMessage(MSG& msg)
{
    CallGuarded([&] {
        TrackMouse(msg);
        if (IsMDIMessage(msg) || IsKeyMessage(msg))
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

} // namespace ui
