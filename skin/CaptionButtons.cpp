// Minimal stand-in until the frame branch is merged: the non-client objects'
// states, caption button records without painting, the hit test without
// buttons, the system commands and the system menu as the system's own
// popup. The frame branch's version of this file replaces it whole.
#include "skin/SkinManage.h"
#include "skin/WinSkinData.h"
#include "skin/WinSkinForm.h"
#include "ui/ExtCtrls.h"

namespace skin {

using namespace ui;

void TNCObject::MouseDown()
{
    if (Owner->HotObject && Owner->HotObject != this)
        Owner->HotObject->MouseLeave();
    if (!Visible)
        return;
    Owner->HotObject = this;
    State = 2;
    Paint();
}

void TNCObject::MouseUp()
{
    if (!Visible)
        return;
    State = 3;
    Paint();
}

void TNCObject::MouseMove()
{
    if (Owner->HotObject == this)
        return;
    if (Owner->HotObject)
        Owner->HotObject->MouseLeave();
    if (!Visible)
        return;
    Owner->HotObject = this;
    State = 3;
    Paint();
}

void TNCObject::MouseLeave()
{
    if (!Visible)
        return;
    Owner->HotObject = nullptr;
    State = 1;
    Paint();
}

void TWinSysButton::Paint() {}

void TWinSkinForm::BuildCaptionButtons()
{
    FreeCaptionButtons();
    for (const auto& record : SkinData->TitleButtons)
        CaptionButtons.push_back(std::make_unique<TWinSysButton>(this, record.get()));
}

void TWinSkinForm::FreeCaptionButtons()
{
    HotObject = nullptr;
    CaptionButtons.clear();
}

POINT TWinSkinForm::ScreenToWindow(POINT screen) const
{
    ScreenToClient(WindowHandle, &screen);
    if (!(MdiKind == TMdiKind::Child && WindowState == TSkinWindowState::Minimized)) {
        screen.x += LeftWidth;
        screen.y += TitleHeight + MenuBarHeight;
    }
    return screen;
}

void TWinSkinForm::OnNcHitTest(TMessage& m)
{
    CallOldWindowProc(m);
    if (m.Result != HTNOWHERE && m.Result != HTCAPTION)
        return;
    const POINT p = ScreenToWindow({static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))});
    if (p.y > 3)
        m.Result = HTCAPTION;
    if (TitleHeight < p.y && MenuBarHeight > 0)
        m.Result = HTMENU;
}

void TWinSkinForm::OnNcMouseMove(TMessage& m)
{
    CallOldWindowProc(m);
}

void TWinSkinForm::OnNcLButtonDown(TMessage& m)
{
    CallOldWindowProc(m);
}

void TWinSkinForm::OnNcLButtonUp(TMessage& m)
{
    CallOldWindowProc(m);
}

void TWinSkinForm::OnNcLButtonDblClk(TMessage& m)
{
    CallOldWindowProc(m);
}

void TWinSkinForm::OnNcRButtonDown(TMessage& m)
{
    CallOldWindowProc(m);
}

void TWinSkinForm::OnSystemMenuCommand(TMessage& m)
{
    const WORD command = LOWORD(m.WParam);
    switch (command) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE:
        PostMessageW(WindowHandle, WM_SYSCOMMAND, command, 0);
        return;
    default: break;
    }
    CallOldWindowProc(m);
}

void TWinSkinForm::HoverTimerTick()
{
    if (MenuTracking || !HotObject)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT p = ScreenToWindow(cursor);
    if (!PtInRect(&HotObject->Bounds, p)) {
        HotObject->MouseLeave();
        HotObject = nullptr;
    }
}

void TWinSkinForm::ShowSystemMenu(POINT screen)
{
    if (TSkinManage* manager = GlobalSkinManage())
        manager->PendingPopupKind = TPopupKind::SystemMenu;
    const HMENU menu = GetSystemMenu(WindowHandle, FALSE);
    const UINT command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, screen.x, screen.y, 0, WindowHandle, nullptr);
    if (command)
        PostMessageW(WindowHandle, WM_SYSCOMMAND, command, 0);
}

void TWinSkinForm::DoMaximize()
{
    if (WindowState == TSkinWindowState::Maximized) {
        DoRestore();
        return;
    }
    if (TSkinManage* manager = GlobalSkinManage(); manager && MdiKind == TMdiKind::Child)
        manager->SetMdiChildMaximized(true);
    WindowState = TSkinWindowState::Maximized;
    PostMessageW(WindowHandle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    HotObject = nullptr;
}

void TWinSkinForm::DoRestore()
{
    WindowState = TSkinWindowState::Normal;
    PostMessageW(WindowHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::DoMinimize()
{
    if (WindowState == TSkinWindowState::Minimized) {
        DoRestore();
        return;
    }
    WindowState = TSkinWindowState::Minimized;
    SetSystemMenuStyle(false);
    PostMessageW(WindowHandle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::SetSystemMenuStyle(bool hide)
{
    if (BorderIcons & FrameIconKeepSysMenuStyle)
        return;
    LONG_PTR style = GetWindowLongPtrW(WindowHandle, GWL_STYLE);
    if (hide)
        style &= ~static_cast<LONG_PTR>(WS_SYSMENU);
    else if (SystemMenu)
        style |= WS_SYSMENU;
    SetWindowLongPtrW(WindowHandle, GWL_STYLE, style);
}

} // namespace skin
