#include "skin/CaptionButtons.h"

#include <algorithm>

#include "skin/FramePaint.h"
#include "skin/SkinDraw.h"
#include "skin/SkinMessages.h"
#include "skin/WinSkinData.h"
#include "ui/Forms.h"

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

std::optional<RECT> CaptionButtonBounds(const TDataSkinSysButton& record, const TCaptionLayoutFacts& facts)
{
    if (!record.Image || record.Image->Empty())
        return std::nullopt;
    const int w = record.Image->Width() / std::max(record.FrameCount, 1);
    const int h = record.Image->Height();
    int left = 0, top = 0;
    switch (record.Align) {
    case 0: left = record.Xcoord, top = record.Ycoord; break;
    case 1: left = facts.WindowWidth - record.Xcoord, top = record.Ycoord; break;
    case 2:
    case 8: left = facts.TitleTextRect.left - w - record.Xcoord, top = record.Ycoord; break;
    case 3:
    case 9: left = facts.TitleTextRect.right + record.Xcoord, top = record.Ycoord; break;
    case 100:
        left = facts.WindowWidth - record.Xcoord - facts.RightWidth - facts.MenuBarLeftWidth;
        top = facts.TitleHeight + (facts.MenuBarHeight - h) / 2;
        break;
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

int CaptionRightReserve(const TWinSkinForm& form)
{
    int reserve = 0;
    for (const auto& button : form.CaptionButtons)
        if (button->Visible && button->Record->Align == 1 && HasPicture(*button->Record))
            reserve = std::max(reserve, button->Record->Xcoord);
    return reserve;
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
        if (!button->Visible || !HasPicture(record) || record.Align == 100)
            continue;
        if (CaptionActionOf(record.Action).DrawsIcon) {
            DrawWindowIcon(dc, button->Bounds, ui::Application()->Handle(), form.IconSize, *form.IconBitmap);
            continue;
        }
        const TCaptionFrame frame = TitleBarFrame(record, form.Active, button->Enabled);
        DrawFrameStretched(dc, button->Bounds, *record.Image, record.FrameCount, static_cast<int>(frame), true);
    }
}

} // namespace skin
