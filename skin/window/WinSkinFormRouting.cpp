// How a skinned window's messages reach the controller: the window procedure
// in three stages, the hook in the form's framework-level procedure, and the
// procedure of an MDI frame's client window.
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/SkinParts.h"
#include "skin/window/WinSkinForm.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/forms/Forms.h"

namespace skin {

using namespace ui;

namespace {

// A caption-drawing message of the themed system.
constexpr UINT WM_NCUAHDRAWCAPTION = 0xAE;

// Takes WS_VISIBLE off a window's style for its lifetime and puts it back
// after, without showing or hiding anything on screen: what runs meanwhile
// takes the window for hidden and paints nothing onto it.
class TWindowMarkedHidden {
public:
    explicit TWindowMarkedHidden(HWND window)
        : window_(window), wasVisible_((GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0)
    {
        if (wasVisible_)
            SetWindowLongW(window_, GWL_STYLE, GetWindowLongW(window_, GWL_STYLE) & ~WS_VISIBLE);
    }
    ~TWindowMarkedHidden()
    {
        if (wasVisible_ && IsWindow(window_))
            SetWindowLongW(window_, GWL_STYLE, GetWindowLongW(window_, GWL_STYLE) | WS_VISIBLE);
    }
    TWindowMarkedHidden(const TWindowMarkedHidden&) = delete;
    TWindowMarkedHidden& operator=(const TWindowMarkedHidden&) = delete;

private:
    HWND window_;
    bool wasVisible_;
};

bool MenuPartHandles(TWinSkinForm& controller, TMessage& m)
{
    const TSkinParts& parts = SkinParts();
    return parts.MenuMessage && parts.MenuMessage(controller, m);
}

} // namespace

// ---- The window procedure

// Whether the skin paints this window's caption: a skinned frame of a
// top-level window or an MDI child.
bool TWinSkinForm::PaintsOwnCaption() const
{
    return FrameSkinned && (!IsChildWindow || MdiKind == TMdiKind::Child);
}

LRESULT TWinSkinForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    RouteAlways(m);
    return m.Result;
}

// Stage 1: what every skinned window needs, framed or not.
void TWinSkinForm::RouteAlways(TMessage& m)
{
    switch (m.Msg) {
    case WM_NCPAINT:
        if (SkinState == TSkinState::Attached)
            return;  // nothing of the system's frame before the skin's first paint
        break;
    case WM_NCACTIVATE:
        if (SkinState == TSkinState::Attached) {
            // Unpainted, but the activation change goes ahead (an MDI
            // child's through the system, which keeps the client's active
            // child in step).
            if (MdiKind == TMdiKind::Child)
                CallOldUnpaintedActivation(m);
            else
                m.Result = 1;
            return;
        }
        break;
    case WM_NCUAHDRAWCAPTION: return;
    case WM_SETTEXT:
    case WM_SETICON:
        if (PaintsOwnCaption()) {
            OnCaptionChange(m);
            return;
        }
        break;
    case WM_ERASEBKGND:
        CallOldWindowProc(m);
        if (!Form) {
            RECT client{};
            GetClientRect(WindowHandle, &client);
            FillRect(reinterpret_cast<HDC>(m.WParam), &client, SkinData->ButtonFaceBrush->Handle());
            m.Result = 1;
        }
        return;
    case WM_NCDESTROY:
        SkinState = TSkinState::Destroying;
        DetachOnDestroy();
        CallOldWindowProc(m);
        SkinState = TSkinState::Closed;
        return;
    case WM_INITMENUPOPUP:
        if (TSkinManage* manager = GlobalSkinManage())
            manager->PendingPopupKind = reinterpret_cast<HMENU>(m.WParam) == SystemMenu
                                            ? TPopupKind::SystemMenu
                                            : TPopupKind::MenuBarDropDown;
        CallOldWindowProc(m);
        return;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        CallOldWindowProc(m);
        if (!Form) {  // a bare dialog's labels and buttons show the skin's face
            SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
            if (m.Msg == WM_CTLCOLORSTATIC)
                m.Result = reinterpret_cast<LRESULT>(SkinData->ButtonFaceBrush->Handle());
        }
        return;
    case ui::CM_SHOWN:
        // The form's maker may go on working (opening more windows) before
        // it returns to the message loop: the first skinning runs now that
        // the system has shown the window (an MDI child: once its controls
        // are made too), so its frame is not left blank until the posted
        // start comes.
        if (SkinState == TSkinState::Attached)
            FirstSkinning();
        CallOldWindowProc(m);
        return;
    case WM_SKINSTART:
        if (SkinState == TSkinState::Attached)  // not started when shown
            FirstSkinning();
        return;
    case WM_PARENTNOTIFY:
    case ui::CM_CONTROLLISTCHANGE:
        // A child window or windowless control made (or a control's window
        // made again) after the first skinning: controls are found once
        // their maker has set them up.
        if ((m.Msg != WM_PARENTNOTIFY || LOWORD(m.WParam) == WM_CREATE) && SkinState == TSkinState::Running &&
            !ControlSearchPosted)
            ControlSearchPosted = PostMessageW(WindowHandle, WM_SKINFINDCONTROLS, 0, SkinMagic) != FALSE;
        CallOldWindowProc(m);
        return;
    case WM_SKINFINDCONTROLS:
        if (SkinState == TSkinState::Running)
            FindControls();
        ControlSearchPosted = false;
        return;
    case WM_SKINQUERY:
        m.Result = 1;
        PostMessageW(WindowHandle, WM_SKINDONE, 0, SkinMagic);
        return;
    default: break;
    }
    if (FrameSkinned)
        RouteFrameWindow(m);
    else
        CallOldWindowProc(m);
}

// Stage 2: the state a skinned frame follows, for top-level windows and MDI
// children; other child windows keep their own frame handling.
void TWinSkinForm::RouteFrameWindow(TMessage& m)
{
    if (IsChildWindow && MdiKind != TMdiKind::Child) {
        CallOldWindowProc(m);
        return;
    }
    bool handled = true;
    switch (m.Msg) {
    case WM_SIZE: OnSize(m); break;
    case WM_ACTIVATE:
    case WM_NCACTIVATE:
        Active = LOBYTE(m.WParam) != 0;
        handled = false;
        break;
    case WM_GETMINMAXINFO:
        CallOldWindowProc(m);
        ReadWindowState();
        break;
    case WM_WINDOWPOSCHANGED:
        ReadWindowState();
        CallOldWindowProc(m);
        break;
    case WM_COMMAND: OnSystemMenuCommand(m); break;
    case WM_SYSCOMMAND: OnSysCommand(m); break;
    case WM_SKINMENUHIT: MenuPartHandles(*this, m); break;
    case CM_MENUCHANGED: OnMenuChanged(m); break;
    default: handled = false; break;
    }
    RouteSkinnedFrame(m, handled);
}

// Stage 3: the skinned frame itself, once the first skinning is done. A
// message stage 2 handled reaches the previous procedure only if stage 2
// passed it on.
void TWinSkinForm::RouteSkinnedFrame(TMessage& m, bool handledBefore)
{
    if (SkinState == TSkinState::Attached || IsMaximizedMdiChild()) {
        if (!handledBefore)
            CallOldWindowProc(m);
        return;
    }
    switch (m.Msg) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_MENUSELECT:
        if (MenuPartHandles(*this, m))
            return;
        break;
    case WM_NCCALCSIZE: OnNcCalcSize(m); return;
    case WM_NCHITTEST: OnNcHitTest(m); return;
    case WM_NCPAINT: OnNcPaint(m); return;
    case WM_NCACTIVATE: OnNcActivate(m); return;
    case WM_NCMOUSEMOVE: OnNcMouseMove(m); return;
    case WM_NCLBUTTONDOWN: OnNcLButtonDown(m); return;
    case WM_NCLBUTTONUP: OnNcLButtonUp(m); return;
    case WM_NCLBUTTONDBLCLK: OnNcLButtonDblClk(m); return;
    case WM_NCRBUTTONDOWN: OnNcRButtonDown(m); return;
    case WM_SKINREPAINTFRAME: PaintFrame(nullptr); return;
    default: break;
    }
    if (!handledBefore)
        CallOldWindowProc(m);
}

void TWinSkinForm::OnSize(TMessage& m)
{
    CallOldWindowProc(m);
    switch (m.WParam) {
    case SIZE_RESTORED: WindowState = TSkinWindowState::Normal; break;
    case SIZE_MINIMIZED: WindowState = TSkinWindowState::Minimized; break;
    case SIZE_MAXIMIZED: WindowState = TSkinWindowState::Maximized; break;
    default: break;
    }
    if (MdiKind == TMdiKind::Child) {
        // However the child was maximised or restored (caption button,
        // system menu, keyboard, the framework), the children follow.
        SyncMdiChildMaximized(GetParent(WindowHandle));
        const TSkinManage* manager = GlobalSkinManage();
        if ((manager && manager->MdiChildMaximized) || WindowState != TSkinWindowState::Normal)
            return;
    }
    if (WindowState == TSkinWindowState::Minimized)
        return;
    if (SkinState == TSkinState::Running || SkinState == TSkinState::Reskinning)
        UpdateRegion();
}

void TWinSkinForm::OnNcActivate(TMessage& m)
{
    Active = m.WParam != 0;
    HoverTimer->SetEnabled(Active);
    if (MdiKind == TMdiKind::Frame)
        SendMessageW(MdiClientWindow, WM_NCACTIVATE, m.WParam, 0);
    else if (MdiKind == TMdiKind::Child)
        CallOldUnpaintedActivation(m);
    if (!IsMaximizedMdiChild())
        PaintFrame(nullptr);
    m.Result = 1;
}

void TWinSkinForm::OnSysCommand(TMessage& m)
{
    if ((m.WParam & 0xFFF0) == SC_KEYMENU && MenuTracking) {
        m.Result = 0;  // a drop-down of the skinned menu bar is open already
        return;
    }
    if ((m.WParam & 0xFFF0) == SC_KEYMENU) {
        if (m.LParam == ' ') {  // Alt+Space: the skinned system menu in place of the system's
            POINT origin{0, 0};
            ClientToScreen(WindowHandle, &origin);
            ShowSystemMenu(origin);
            m.Result = 0;
            return;
        }
        if (MenuPartHandles(*this, m))
            return;
    }
    switch (m.WParam) {
    case SC_MINIMIZE: WindowState = TSkinWindowState::Minimized; break;
    case SC_MAXIMIZE: WindowState = TSkinWindowState::Maximized; break;
    case SC_RESTORE:
        WindowState = TSkinWindowState::Normal;
        if (TSkinManage* manager = GlobalSkinManage(); manager && MdiKind == TMdiKind::Child && manager->MdiChildMaximized)
            manager->SetMdiChildMaximized(false);
        break;
    default: break;
    }
    CallOldWindowProc(m);
}

// The framework changed the form's menu: the menu bar takes the new menu, and
// the system's menu bar, which the skinned frame has no room for, goes. A
// form that got its first menu gets a bar; one whose menu was taken away
// loses it.
void TWinSkinForm::OnMenuChanged(TMessage& m)
{
    SkinData->FramePaintEnabled = false;
    CallOldWindowProc(m);
    SkinData->FramePaintEnabled = true;
    const HMENU menu = GetMenu(WindowHandle);
    if (!menu) {
        if (Form && !Form->Menu())
            DropMenuBar();
        return;
    }
    if (!MenuBar) {
        AddMenuBar();
        return;
    }
    if (SkinData->MenuUpdate()) {
        MenuBar->SetMenuHandle(menu);
        MenuBar->BuildButtons();
    }
    SetMenu(WindowHandle, nullptr);
}

// ---- The form's framework-level procedure

void TWinSkinForm::FormWindowProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_SKINREFRESH: Reskin(); return;
    case CM_DIALOGCHAR:
        if (MenuPartHandles(*this, m))
            return;
        break;
    case WM_SKINPAINTFRAMETO:
        if (m.LParam != SkinMagic)
            break;
        if (m.WParam)
            PaintFrame(reinterpret_cast<HDC>(m.WParam));
        m.Result = SkinMagic;
        return;
    case WM_SKINIDENTIFY: m.Result = m.LParam == SkinMagic ? SkinMagic : 1; return;
    default: break;
    }
    FormProcHook->CallPrevious(m);
}

// The system's own handling of a new caption text or icon paints its caption
// straight onto the window, over the skin's title bar. It runs while the
// window is marked hidden, which it paints nothing for, and the skin then
// repaints its title with the new text or icon.
void TWinSkinForm::OnCaptionChange(TMessage& m)
{
    const bool visible = IsWindowVisible(WindowHandle) != FALSE;
    {
        const TWindowMarkedHidden hidden(WindowHandle);
        CallOldWindowProc(m);
    }
    if (m.Msg == WM_SETICON)
        IconChanged();
    if (visible && SkinState == TSkinState::Running)
        RefreshTitle();
}

void TWinSkinForm::RefreshTitle()
{
    if (WindowState == TSkinWindowState::Maximized)
        if (const TSkinManage* manager = GlobalSkinManage(); manager && manager->MdiClientWindow)
            PostMessageW(manager->MdiClientWindow, WM_SKINMDIREDRAW, reinterpret_cast<WPARAM>(WindowHandle), 0);
    if (WindowState == TSkinWindowState::Minimized)
        PaintFrame(nullptr);
    else
        SetWindowPos(WindowHandle, nullptr, 0, 0, 0, 0, FrameChangedFlags);
}

// An MDI child's activation change must reach the system, which keeps the
// client's idea of the active child; lParam -1 asks it not to repaint the
// frame, which the skin paints.
void TWinSkinForm::CallOldUnpaintedActivation(TMessage& m)
{
    TMessage unpainted{m.Msg, m.WParam, -1, 0};
    CallOldWindowProc(unpainted);
    m.Result = unpainted.Result;
}

// ---- The MDI client's procedure

LRESULT TWinSkinForm::MdiClientProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWindowSubclass& client = *MdiClientSubclass;
    TSkinManage* manager = GlobalSkinManage();
    switch (msg) {
    case WM_NCDESTROY: {
        const LRESULT result = client.CallOld(msg, wParam, lParam);
        client.Restore();
        return result;
    }
    case WM_NCCALCSIZE:
        if (FrameSkinned && !(SkinData->Options() & SetOf(xoMDIScrollbar))) {
            const LONG_PTR style = GetWindowLongPtrW(MdiClientWindow, GWL_STYLE);
            SetWindowLongPtrW(MdiClientWindow, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL));
        }
        break;
    case WM_MDICREATE: SkinData->SetMenuUpdate(false); break;
    case WM_MDIDESTROY: {
        const LRESULT result = client.CallOld(msg, wParam, lParam);
        if (FrameSkinned)
            AfterMdiChildDestroyed();
        return result;
    }
    case WM_MDITILE:
    case WM_MDICASCADE:
        if (FrameSkinned && manager && manager->MdiChildMaximized)
            manager->SetMdiChildMaximized(false);
        break;
    case WM_MDISETMENU: {
        const LRESULT result = client.CallOld(msg, wParam, lParam);
        if (FrameSkinned && MenuBar) {
            if (wParam)
                MenuBar->BuildFromWindowMenu();
            SetMenu(WindowHandle, nullptr);
        }
        return result;
    }
    case WM_SKINMDIREDRAW:
        RedrawWindow(WindowHandle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        return 0;
    default: break;
    }
    return client.CallOld(msg, wParam, lParam);
}

// Tells the manager whether the active child of the MDI client is maximised;
// the active child, or null when there is none.
HWND TWinSkinForm::SyncMdiChildMaximized(HWND client)
{
    BOOL maximized = FALSE;
    const auto active =
        reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    if (TSkinManage* manager = GlobalSkinManage())
        manager->SetMdiChildMaximized(active && maximized);
    return active;
}

void TWinSkinForm::AfterMdiChildDestroyed()
{
    const HWND active = SyncMdiChildMaximized(MdiClientWindow);
    if (MenuBar && !active) {
        SkinData->SetMenuUpdate(SavedMenuUpdate);
        MenuBar->BuildButtons();
    }
}

} // namespace skin
