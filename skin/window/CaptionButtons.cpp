#include "skin/window/CaptionButtons.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/FramePaint.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/SkinParts.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/forms/Forms.h"

namespace skin {

TCaptionAction CaptionActionOf(int code)
{
    for (const TCaptionAction& action : CaptionActions)
        if (action.Code == code)
            return action;
    return {code, TButtonEffect::WindowDefined};
}

TShowWhen ShowWhenOf(std::span<const TVisibilityCode> table, int code)
{
    for (const TVisibilityCode& row : table)
        if (code >= row.From && code <= row.To)
            return row.When;
    return TShowWhen::Never;
}

namespace {

bool Has(unsigned icons, unsigned bits)
{
    return (icons & bits) != 0;
}

bool Holds(TShowWhen when, const TDataSkinSysButton& record, const TCaptionWindowFacts& w, bool first)
{
    const unsigned icons = w.BorderIcons;
    const bool minOrMax = Has(icons, FrameIconMinimize | FrameIconMaximize);
    switch (when) {
    case TShowWhen::Always: return true;
    case TShowWhen::Never: return false;
    case TShowWhen::Maximized: return w.Maximized;
    case TShowWhen::NotMaximized: return !w.Maximized;
    case TShowWhen::Active: return w.Active;
    case TShowWhen::Inactive: return !w.Active;
    case TShowWhen::MinOrMaxBoxAndSystemMenu: return minOrMax && Has(icons, FrameIconSystemMenu);
    case TShowWhen::MinOrMaxBox: return minOrMax;
    case TShowWhen::NoMaximizeBox: return !Has(icons, FrameIconMaximize);
    case TShowWhen::NoMinimizeBox: return !Has(icons, FrameIconMinimize);
    case TShowWhen::HelpBoxOnly: return Has(icons, FrameIconHelp) && !minOrMax;
    case TShowWhen::HelpBox: return Has(icons, FrameIconHelp);
    case TShowWhen::MaximizedMdiChildMenuBar: return w.MaximizedMdiChildMenuBar;
    case TShowWhen::DialogNotMessageBox: return w.DialogBorder && !w.MessageDialog;
    case TShowWhen::WindowAnswers: return w.AskWindow && w.AskWindow(record.Visibility, record.Action);
    case TShowWhen::FirstCondition: return first;
    }
    return false;
}

} // namespace

TButtonShow EvaluateCaptionButton(const TDataSkinSysButton& record, const TCaptionWindowFacts& window)
{
    const bool first = Holds(ShowWhenOf(VisibilityCodes, record.Visibility), record, window, true);
    TButtonShow show;
    show.Visible = first && Holds(ShowWhenOf(Visibility1Codes, record.Visibility1), record, window, first);
    const TCaptionAction action = CaptionActionOf(record.Action);
    if (action.Effect == TButtonEffect::Close)
        show.Visible = show.Visible && Has(window.BorderIcons, FrameIconSystemMenu);
    if (action.EnabledByBox)
        show.Enabled = (window.BorderIcons & action.EnabledByBox) == action.EnabledByBox;
    if (action.Effect == TButtonEffect::SystemMenu && window.DialogBorder)
        show.Visible = false;
    return show;
}

TCaptionFrame TitleBarFrame(const TDataSkinSysButton& record, bool windowActive, bool enabled)
{
    if (record.FrameCount < 4 || (windowActive && enabled))
        return TCaptionFrame::Normal;
    return TCaptionFrame::Disabled;
}

TCaptionFrame StateFrame(const TDataSkinSysButton& record, TNCState state, bool enabled)
{
    if (!enabled)
        return record.FrameCount > 3 ? TCaptionFrame::Disabled : TCaptionFrame::Normal;
    if (state == TNCState::Hot && record.Visibility == 100)
        return TCaptionFrame::MdiChildHot;
    return static_cast<TCaptionFrame>(state);
}

namespace {

// A button of a maximised MDI child on the menu bar, fitted to the bar: a
// picture taller than the bar is shrunk to the bar's height, its width and
// its distance from the bar's end in proportion, so that the row keeps its
// spacing and no button reaches past the bar.
RECT MenuBarButtonBounds(const TDataSkinSysButton& record, const TCaptionLayoutFacts& facts, int w, int h)
{
    int offset = record.Xcoord;
    if (h > facts.MenuBarHeight && facts.MenuBarHeight > 0) {
        w = MulDiv(w, facts.MenuBarHeight, h);
        offset = MulDiv(offset, facts.MenuBarHeight, h);
        h = facts.MenuBarHeight;
    }
    const int left = facts.WindowWidth - offset - facts.RightWidth - facts.MenuBarLeftWidth;
    const int top = facts.TitleHeight + (facts.MenuBarHeight - h) / 2;
    return {left, top, left + w, top + h};
}

} // namespace

std::optional<RECT> CaptionButtonBounds(const TDataSkinSysButton& record, const TCaptionLayoutFacts& facts)
{
    if (!record.Image || record.Image->Empty())
        return std::nullopt;
    const int w = record.Image->Width() / std::max(record.FrameCount, 1);
    const int h = record.Image->Height();
    if (record.Align == MenuBarAlign)
        return MenuBarButtonBounds(record, facts, w, h);
    int left = 0, top = 0;
    switch (record.Align) {
    case 0: left = record.Xcoord, top = record.Ycoord; break;
    case 1: left = facts.WindowWidth - record.Xcoord, top = record.Ycoord; break;
    case 2:
    case 8: left = facts.TitleTextRect.left - w - record.Xcoord, top = record.Ycoord; break;
    case 3:
    case 9: left = facts.TitleTextRect.right + record.Xcoord, top = record.Ycoord; break;
    default: break;
    }
    return RECT{left, top, left + w, top + h};
}

// ---- Non-client objects ----

namespace {

constexpr int StateValue(TNCState state)
{
    return static_cast<int>(state);
}

bool HasPicture(const TDataSkinSysButton& record)
{
    return record.Image && !record.Image->Empty();
}

// Repaints one button straight onto the window in `state`. The window icon
// has one look whatever its state and is not drawn over itself again.
void PaintCaptionButton(TWinSkinForm& form, TWinSysButton& button, int state)
{
    const TDataSkinSysButton& record = *button.Record;
    if (!HasPicture(record) || CaptionActionOf(record.Action).DrawsIcon)
        return;
    const TCaptionFrame frame = StateFrame(record, static_cast<TNCState>(state), button.Enabled);
    const auto dc = ui::TWindowDC::Whole(form.WindowHandle);
    DrawFrameStretched(dc.Get(), button.Bounds, *record.Image, record.FrameCount, static_cast<int>(frame), true);
}

} // namespace

void TNCObject::MouseDown()
{
    if (Owner->HotObject && Owner->HotObject != this)
        Owner->HotObject->MouseLeave();
    if (!Visible)
        return;
    Owner->HotObject = this;
    State = StateValue(TNCState::Pressed);
    Paint();
}

void TNCObject::MouseUp()
{
    if (!Visible)
        return;
    State = StateValue(TNCState::Hot);
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
    State = StateValue(TNCState::Hot);
    Paint();
}

void TNCObject::MouseLeave()
{
    if (!Visible)
        return;
    Owner->HotObject = nullptr;
    State = StateValue(TNCState::Normal);
    Paint();
}

void TWinSysButton::Paint()
{
    PaintCaptionButton(*Owner, *this, State);
}

// ---- The buttons of one skinned window ----

TWinSysButton* CaptionButtonAt(const std::vector<std::unique_ptr<TWinSysButton>>& buttons, POINT p)
{
    for (const auto& button : buttons)
        if (button->Visible && button->Record->Action >= 0 && PtInRect(&button->Bounds, p))
            return button.get();
    return nullptr;
}

namespace {

// An MDI frame whose active child is maximised (the child's buttons then
// sit on the frame's skinned menu bar).
bool HasMaximizedMdiChild(const TWinSkinForm& form)
{
    if (form.MdiKind != TMdiKind::Frame || !form.MdiClientWindow)
        return false;
    BOOL maximized = FALSE;
    SendMessageW(form.MdiClientWindow, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    return maximized != FALSE;
}

TCaptionWindowFacts FactsOf(const TWinSkinForm& form)
{
    TCaptionWindowFacts facts;
    facts.Maximized = form.WindowState == TSkinWindowState::Maximized;
    facts.Active = form.Active;
    facts.BorderIcons = form.BorderIcons;
    facts.DialogBorder = form.BorderKind == TBorderKind::Dialog;
    facts.MessageDialog = form.IsMessageDialog;
    facts.MaximizedMdiChildMenuBar = form.MenuBar && HasMaximizedMdiChild(form);
    facts.AskWindow = [window = form.WindowHandle](int code, int action) {
        return SendMessageW(window, WM_SKINBUTTONVISIBLE, static_cast<WPARAM>(code), action) > 0;
    };
    return facts;
}

} // namespace

void EvaluateCaptionButtons(TWinSkinForm& form)
{
    const TCaptionWindowFacts facts = FactsOf(form);
    for (const auto& button : form.CaptionButtons) {
        const TButtonShow show = EvaluateCaptionButton(*button->Record, facts);
        button->Visible = show.Visible;
        button->Enabled = show.Enabled;
    }
}

namespace {

// The largest Xcoord among the right-aligned buttons with a picture, of
// those that are visible or of all.
int RightReserve(const TWinSkinForm& form, bool visibleOnly)
{
    int reserve = 0;
    for (const auto& button : form.CaptionButtons)
        if ((button->Visible || !visibleOnly) && button->Record->Align == 1 && HasPicture(*button->Record))
            reserve = std::max(reserve, button->Record->Xcoord);
    return reserve;
}

} // namespace

int CaptionRightReserve(const TWinSkinForm& form)
{
    return RightReserve(form, true);
}

int SkinRightReserve(const TWinSkinForm& form)
{
    return RightReserve(form, false);
}

void LayoutCaptionButtons(TWinSkinForm& form)
{
    TCaptionLayoutFacts facts;
    facts.WindowWidth = form.WindowWidth;
    facts.TitleTextRect = form.TitleTextRect;
    facts.RightWidth = form.RightWidth;
    facts.TitleHeight = form.TitleHeight;
    facts.MenuBarHeight = form.MenuBarHeight;
    facts.MenuBarLeftWidth = form.SkinData->MenuBar ? form.SkinData->MenuBar->LeftWidth : 0;
    for (const auto& button : form.CaptionButtons)
        if (button->Visible)
            if (const auto bounds = CaptionButtonBounds(*button->Record, facts))
                button->Bounds = *bounds;
}

void PaintCaptionButtons(TWinSkinForm& form, HDC dc)
{
    for (const auto& button : form.CaptionButtons) {
        const TDataSkinSysButton& record = *button->Record;
        if (!button->Visible || !HasPicture(record) || record.Align == MenuBarAlign)
            continue;
        if (CaptionActionOf(record.Action).DrawsIcon) {
            // The program's icon, else the window's own, blended over the
            // title.
            HICON icon = WindowIcon(ui::Application()->Handle());
            if (!icon)
                icon = WindowIcon(form.WindowHandle);
            icon = form.PaintCache.ScaledIcon(icon, form.IconSize);
            DrawWindowIcon(dc, button->Bounds, icon, form.IconSize);
            continue;
        }
        const TCaptionFrame frame = TitleBarFrame(record, form.Active, button->Enabled);
        DrawFrameStretched(dc, button->Bounds, *record.Image, record.FrameCount, static_cast<int>(frame), true);
    }
}

// ---- The controller's caption buttons ----

namespace {

POINT PointOf(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// Gives the window icon's record the program's icon picture (for its size)
// where the skin has none; the window's own icon when the program has none.
void TakeIconPicture(TDataSkinSysButton& record, TSkinData& data, TWinSkinForm& form)
{
    if (data.AppIcon->Empty())
        CopyBitmap(form.IconPicture(), *data.AppIcon);
    if (record.Image->Empty())
        CopyBitmap(*data.AppIcon, *record.Image);
    record.FrameCount = 1;
}

// The system's own caption boxes, which the skin replaces by its buttons.
bool IsSystemCaptionBox(LRESULT hit)
{
    return hit == HTSYSMENU || hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTCLOSE || hit == HTHELP;
}

// On the 9x family and NT before version 5 every system menu can close.
bool SystemMenusAlwaysClose()
{
    const DWORD version = GetVersion();
    return (version & 0x80000000u) != 0 || LOBYTE(LOWORD(version)) < 5;
}

bool HasCloseItem(const TWinSkinForm& form)
{
    if (SystemMenusAlwaysClose())
        return true;
    return form.SystemMenu && GetMenuState(form.SystemMenu, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

// The button of the skinned menu bar at a window point, or null.
TNCObject* MenuBarButtonAt(const TWinSkinForm& form, POINT p)
{
    return form.MenuBar ? form.MenuBar->MenuButtonAt(p) : nullptr;
}

void PostCommand(const TWinSkinForm& form, WPARAM command)
{
    PostMessageW(form.WindowHandle, WM_SYSCOMMAND, command, 0);
}

void StopHoverTimer(TWinSkinForm& form)
{
    if (form.HoverTimer)
        form.HoverTimer->SetEnabled(false);
}

} // namespace

void PostClose(TWinSkinForm& form)
{
    StopHoverTimer(form);
    PostMessageW(form.WindowHandle, WM_CLOSE, 0, 0);
}

namespace {

// Sends a system command to the active MDI child of an MDI frame.
void CommandActiveMdiChild(const TWinSkinForm& form, WPARAM command)
{
    if (form.MdiKind != TMdiKind::Frame || !form.MdiClientWindow)
        return;
    const auto child = reinterpret_cast<HWND>(SendMessageW(form.MdiClientWindow, WM_MDIGETACTIVE, 0, 0));
    if (child)
        SendMessageW(child, WM_SYSCOMMAND, command, 0);
}

// What a released button does; `screen` is where the mouse was released.
void PerformButtonAction(TWinSkinForm& form, const TWinSysButton& button, POINT screen)
{
    const TCaptionAction action = CaptionActionOf(button.Record->Action);
    switch (action.Effect) {
    case TButtonEffect::Close:
        if (HasCloseItem(form)) {
            StopHoverTimer(form);
            PostCommand(form, SC_CLOSE);
        }
        break;
    case TButtonEffect::Maximize:
        if (button.Enabled)
            form.DoMaximize();
        break;
    case TButtonEffect::Minimize:
        if (button.Enabled)
            form.DoMinimize();
        break;
    case TButtonEffect::SystemMenu: form.ShowSystemMenu({screen.x + 1, screen.y + 1}); break;
    case TButtonEffect::ContextHelp: PostCommand(form, SC_CONTEXTHELP); break;
    case TButtonEffect::MdiChildCommand: CommandActiveMdiChild(form, action.MdiCommand); break;
    case TButtonEffect::WindowDefined:
        PostMessageW(form.WindowHandle, WM_SKINBUTTONACTION, static_cast<WPARAM>(action.Code), 0);
        break;
    }
}

} // namespace

void TWinSkinForm::BuildCaptionButtons()
{
    FreeCaptionButtons();
    for (const auto& record : SkinData->TitleButtons) {
        if (CaptionActionOf(record->Action).DrawsIcon) {
            IconChanged();
            TakeIconPicture(*record, *SkinData, *this);
        }
        CaptionButtons.push_back(std::make_unique<TWinSysButton>(this, record.get()));
    }
}

void TWinSkinForm::FreeCaptionButtons()
{
    // The hot object may be one of them: it must not outlive them.
    for (const auto& button : CaptionButtons)
        if (HotObject == button.get())
            HotObject = nullptr;
    CaptionButtons.clear();
}

POINT TWinSkinForm::ScreenToWindow(POINT screen) const
{
    ScreenToClient(WindowHandle, &screen);
    if (MdiKind != TMdiKind::Child || WindowState != TSkinWindowState::Minimized) {
        screen.x += LeftWidth;
        screen.y += TitleHeight + MenuBarHeight;
    }
    return screen;
}

void TWinSkinForm::OnNcHitTest(ui::TMessage& m)
{
    CallOldWindowProc(m);
    // The system's own caption boxes are not where the skin draws its
    // buttons: a press there would draw the system's box over the skin and
    // run its command, so they count as caption like the rest of the title.
    if (m.Result != HTNOWHERE && m.Result != HTCAPTION && !IsSystemCaptionBox(m.Result))
        return;
    const POINT p = ScreenToWindow(PointOf(m.LParam));
    if (p.y > 3)
        m.Result = HTCAPTION;
    if (MenuBarHeight > 0 && p.y > TitleHeight)
        m.Result = HTMENU;
}

void TWinSkinForm::OnNcMouseMove(ui::TMessage& m)
{
    m.Result = 0;
    if (!Active)
        return;
    const POINT p = ScreenToWindow(PointOf(m.LParam));
    TNCObject* hit = CaptionButtonAt(CaptionButtons, p);
    if (!hit)
        hit = MenuBarButtonAt(*this, p);
    if (hit) {
        hit->MouseMove();
        return;
    }
    if (HotObject)
        HotObject->MouseLeave();
    HotObject = nullptr;
    CallOldWindowProc(m);
}

void TWinSkinForm::OnNcLButtonDown(ui::TMessage& m)
{
    const POINT p = ScreenToWindow(PointOf(m.LParam));
    if (TWinSysButton* hit = CaptionButtonAt(CaptionButtons, p)) {
        if (!Active)
            SetForegroundWindow(WindowHandle);
        hit->MouseDown();
        m.Result = 0;
        return;
    }
    // A press on a menu-bar button opens its drop-down; the menu's loop runs
    // until the drop-downs close.
    if (TNCObject* button = MenuBarButtonAt(*this, p)) {
        if (!Active)
            SetForegroundWindow(WindowHandle);
        m.Result = 0;
        MenuBar->OpenButton(button);
        return;
    }
    // The title of a maximised window cannot be dragged.
    if (WindowState == TSkinWindowState::Maximized && Active && m.WParam == HTCAPTION)
        m.WParam = HTMENU;
    CallOldWindowProc(m);
}

void TWinSkinForm::OnNcLButtonUp(ui::TMessage& m)
{
    const POINT p = ScreenToWindow(PointOf(m.LParam));
    TWinSysButton* hit = CaptionButtonAt(CaptionButtons, p);
    if (!hit) {
        if (MenuBarButtonAt(*this, p))
            m.Result = 0;  // the press opened the drop-down already
        else
            CallOldWindowProc(m);
        return;
    }
    // Only the button pressed here acts; one that is merely hot, or that the
    // mouse left and came back to, does nothing.
    if (hit == HotObject && hit->State == StateValue(TNCState::Pressed)) {
        hit->MouseUp();
        PerformButtonAction(*this, *hit, PointOf(m.LParam));
    }
    m.Result = 0;
}

void TWinSkinForm::OnNcLButtonDblClk(ui::TMessage& m)
{
    m.Result = 0;
    const POINT p = ScreenToWindow(PointOf(m.LParam));
    if (TWinSysButton* hit = CaptionButtonAt(CaptionButtons, p)) {
        if (CaptionActionOf(hit->Record->Action).DrawsIcon) {
            StopHoverTimer(*this);
            PostCommand(*this, SC_CLOSE);
        }
        return;
    }
    if (MenuBarButtonAt(*this, p))
        return;
    if (WindowState != TSkinWindowState::Normal)
        DoRestore();
    else if (BorderIcons & FrameIconMaximize)
        DoMaximize();
    else
        CallOldWindowProc(m);
}

void TWinSkinForm::OnNcRButtonDown(ui::TMessage& m)
{
    if (m.WParam == HTCAPTION && MdiKind != TMdiKind::Child) {
        ShowSystemMenu(PointOf(m.LParam));
        m.Result = 0;
        return;
    }
    CallOldWindowProc(m);
}

// The hot object goes back to normal before a full paint draws it: once it
// is no longer the hot object nothing (mouse, hover timer) would put it
// back, and it would stay lit. The button of an open drop-down keeps its
// pressed look; it goes back to normal when the drop-down closes.
void TWinSkinForm::ForgetHotObject()
{
    if (HotObject && !MenuTracking)
        HotObject->State = StateValue(TNCState::Normal);
    HotObject = nullptr;
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

void TWinSkinForm::DoMaximize()
{
    if (WindowState == TSkinWindowState::Maximized) {
        DoRestore();
        return;
    }
    if (MdiKind == TMdiKind::Child)
        if (TSkinManage* manager = GlobalSkinManage())
            manager->SetMdiChildMaximized(true);
    WindowState = TSkinWindowState::Maximized;
    PostCommand(*this, SC_MAXIMIZE);
    ForgetHotObject();
}

void TWinSkinForm::DoRestore()
{
    WindowState = TSkinWindowState::Normal;
    PostCommand(*this, SC_RESTORE);
}

void TWinSkinForm::DoMinimize()
{
    if (WindowState == TSkinWindowState::Minimized) {
        DoRestore();
        return;
    }
    WindowState = TSkinWindowState::Minimized;
    SetSystemMenuStyle(false);
    PostCommand(*this, SC_MINIMIZE);
}

void TWinSkinForm::SetSystemMenuStyle(bool hide)
{
    if (BorderIcons & FrameIconKeepSysMenuStyle)
        return;
    const LONG_PTR style = GetWindowLongPtrW(WindowHandle, GWL_STYLE);
    LONG_PTR wanted = style;
    if (hide)
        wanted &= ~static_cast<LONG_PTR>(WS_SYSMENU);
    else if (SystemMenu)
        wanted |= WS_SYSMENU;
    // Only a change is written: every frame paint asks for the style.
    if (wanted != style)
        SetWindowLongPtrW(WindowHandle, GWL_STYLE, wanted);
    Style = static_cast<DWORD>(wanted);
}

} // namespace skin
