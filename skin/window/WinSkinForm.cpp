#include "skin/window/WinSkinForm.h"

#include <algorithm>

#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/SkinParts.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/forms/Forms.h"

namespace skin {

using namespace ui;

namespace {

constexpr int HoverIntervalMs = 250;

const wchar_t* const MdiClientClass = L"MDIClient";

bool IsMessageDialogClass(const std::wstring& className)
{
    return className == L"#32770" || className == L"TMessageForm";
}

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

void SetFrameChanged(HWND window)
{
    SetWindowPos(window, nullptr, 0, 0, 0, 0, FrameChangedFlags);
}

bool HasSkinControl(const TSkinData& skinData, TSkinControlType type)
{
    return (skinData.SkinControls() & SetOf(type)) != 0;
}

} // namespace

const TClassInfo& TWinSkinForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TWinSkinForm>("TWinSkinForm", &TComponent::StaticClass()).Done();
    return info;
}

TWinSkinForm::TWinSkinForm(TComponent* owner)
    : TComponent(owner),
      CaptionFont(std::make_unique<TFont>()),
      TitleBitmap(std::make_unique<TBitmap>()),
      NcCanvas(std::make_unique<TCanvas>()),
      SkinnerCanvas(std::make_unique<TCanvas>()),
      DoubleClickTime(GetDoubleClickTime())
{
    ReadSystemCaptionFont(*CaptionFont);
}

TWinSkinForm::~TWinSkinForm()
{
    FreeSkinners();
    if (TSkinManage* manager = GlobalSkinManage())
        manager->RemoveController(WindowHandle);
    // A controller freed while its window lives (never detached) still gives
    // the window its procedures back: the hooks restore themselves.
}

// ---- Attach

void TWinSkinForm::AttachToForm(TSkinData* skinData, TForm* form)
{
    if (WindowSubclass)
        return;
    Form = form;
    if (skinData->OnBeforeSkinForm)
        skinData->OnBeforeSkinForm(form, WindowHandle, WindowClassName);
    if (HasSkinControl(*skinData, xcMenuItem) && IsPublishedProp(*form, "AutoScroll"))
        SetEnumProp(*form, "AutoScroll", "False");
    Attach(skinData);
    HookForm();
}

void TWinSkinForm::AttachToWindow(TSkinData* skinData)
{
    if (WindowSubclass)
        return;
    Attach(skinData);
}

void TWinSkinForm::Attach(TSkinData* skinData)
{
    SkinData = skinData;
    if (TSkinManage* manager = GlobalSkinManage())
        manager->State = TManageState::Running;
    HoverTimer = new TTimer(this);
    HoverTimer->SetEnabled(false);
    HoverTimer->SetInterval(HoverIntervalMs);
    HoverTimer->OnTimer = TNotifyEvent([this](TObject*) { HoverTimerTick(); });
    FrameSkinned = HasSkinControl(*skinData, xcMainMenu);
    ReadWindowTraits();
    ReadWindowState();
    FindMdiClient();
    if (MdiKind == TMdiKind::Child && (skinData->Options() & SetOf(xoMDIChildBorder)))
        FrameSkinned = false;  // the MDI child keeps the system frame
    IsUnicode = IsWindowUnicode(WindowHandle) != FALSE;
    if (PlatformVersion().Win9x)
        skinData->SetSkinControls(skinData->SkinControls() & ~SetOf(xcSystemMenu));
    if (MdiKind == TMdiKind::Frame) {
        SavedMenuUpdate = skinData->MenuUpdate();
        MdiClientSubclass = std::make_unique<TWindowSubclass>(
            MdiClientWindow, TSubclassKind::MdiClient,
            [this](UINT msg, WPARAM wParam, LPARAM lParam) { return MdiClientProc(msg, wParam, lParam); });
    }
    WindowSubclass = std::make_unique<TWindowSubclass>(
        WindowHandle, TSubclassKind::SkinForm,
        [this](UINT msg, WPARAM wParam, LPARAM lParam) { return WindowProc(msg, wParam, lParam); });
    if (FrameSkinned)
        CreateMenuBar();  // may leave the frame to the system
    if (FrameSkinned)
        ComputeFrameGeometry();
    else
        SkinState = TSkinState::Running;
    if (MdiKind == TMdiKind::Child) {
        const int systemCaption = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
        if (TitleHeight < systemCaption)
            MenuBarHeight = systemCaption - TitleHeight;
        TSkinManage* manager = GlobalSkinManage();
        if (manager && !manager->MdiChildMaximized && WindowState == TSkinWindowState::Maximized)
            manager->SetMdiChildMaximized(true);
    }
}

// Style, class, owner, border icons and border kind of the window.
void TWinSkinForm::ReadWindowTraits()
{
    Style = static_cast<DWORD>(GetWindowLongPtrW(WindowHandle, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(WindowHandle, GWL_EXSTYLE));
    RightToLeft = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    IsChildWindow = (Style & WS_CHILD) != 0;
    wchar_t className[256] = {};
    GetClassNameW(WindowHandle, className, 256);
    WindowClassName = className;
    OwnerWindow = GetWindow(WindowHandle, GW_OWNER);

    BorderIcons = 0;
    if ((Style & WS_SYSMENU) || SystemMenu)
        BorderIcons |= FrameIconSystemMenu;
    if (Style & WS_MINIMIZEBOX)
        BorderIcons |= FrameIconMinimize;
    if (Style & WS_MAXIMIZEBOX)
        BorderIcons |= FrameIconMaximize;
    if (exStyle & WS_EX_CONTEXTHELP)
        BorderIcons |= FrameIconHelp;

    if (exStyle & WS_EX_MDICHILD)
        MdiKind = TMdiKind::Child;
    BorderKind = TBorderKind::Single;
    if ((Style & WS_CAPTION) != WS_CAPTION)
        BorderKind = TBorderKind::NoCaption;
    else if (Style & WS_THICKFRAME)
        BorderKind = TBorderKind::Sizeable;
    else if (Style & DS_MODALFRAME)
        BorderKind = TBorderKind::Dialog;
    if (exStyle & WS_EX_DLGMODALFRAME)
        BorderKind = TBorderKind::Dialog;
    if (IsMessageDialogClass(WindowClassName)) {
        BorderKind = TBorderKind::Dialog;
        IsMessageDialog = true;
    }

    // On a system of version n.0 past 4 (Windows 2000 is the case in mind),
    // painting leaves WS_SYSMENU alone on application windows and on windows
    // without an owner.
    const TPlatformVersion version = PlatformVersion();
    if (version.Major > 4 && version.Minor == 0) {
        const bool appWindow = (exStyle & WS_EX_APPWINDOW) && !version.Win9x;
        if (appWindow || (!OwnerWindow && MdiKind != TMdiKind::Child))
            BorderIcons |= FrameIconKeepSysMenuStyle;
    }
}

void TWinSkinForm::ReadWindowState()
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(WindowHandle, &placement))
        return;
    switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_SHOWNA: WindowState = TSkinWindowState::Minimized; break;
    case SW_SHOWMAXIMIZED: WindowState = TSkinWindowState::Maximized; break;
    default: WindowState = TSkinWindowState::Normal; break;
    }
}

// An MDI frame is a window with an "MDIClient" child; the manager records it
// for the controllers of the MDI children.
void TWinSkinForm::FindMdiClient()
{
    for (HWND child = GetTopWindow(WindowHandle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        if (lstrcmpiW(className, MdiClientClass) == 0) {
            MdiKind = TMdiKind::Frame;
            MdiClientWindow = child;
            if (TSkinManage* manager = GlobalSkinManage()) {
                manager->MdiClientWindow = child;
                manager->MdiFrameForm = Form;
            }
            return;
        }
    }
}

// A window with a menu gets a skinned menu bar in place of the system's. Where
// no menu bar part is present, the window keeps the system frame, since the
// system's menu bar cannot be drawn inside a skinned frame.
void TWinSkinForm::CreateMenuBar()
{
    if (IsChildWindow || !GetMenu(WindowHandle))
        return;
    if (!SkinParts().CreateMenuBar) {
        FrameSkinned = false;
        return;
    }
    MakeMenuBar();
}

// The bar for the window's menu, which it takes off the window.
void TWinSkinForm::MakeMenuBar()
{
    MenuHandle = GetMenu(WindowHandle);
    MenuBar = SkinParts().CreateMenuBar(*this);
    MenuBarHeight = GetSystemMetrics(SM_CYMENU);
    MenuBar->BuildButtons();
}

// The form got a menu after its first skinning: the bar shows it, and the
// client area gives the bar its room, as it does for the system's bar.
void TWinSkinForm::AddMenuBar()
{
    if (IsChildWindow || MenuBar || !SkinParts().CreateMenuBar)
        return;
    MakeMenuBar();
    SetFrameChanged(WindowHandle);
}

// The form's menu was taken away: the bar goes (a drop-down of it still
// open is ended) and the client area takes its room back.
void TWinSkinForm::DropMenuBar()
{
    if (IsChildWindow || !MenuBar)
        return;
    MenuBar.reset();  // its buttons leave the hot object too
    MenuHandle = nullptr;
    MenuTracking = false;
    OpenedSubmenu = nullptr;
    MenuBarHeight = 0;
    SetFrameChanged(WindowHandle);
}

void TWinSkinForm::HookForm()
{
    if (FrameSkinned)
        FormProcHook = std::make_unique<TWindowProcHook>(*Form, "skin form", [this](TMessage& m) { FormWindowProc(m); });
    SavedColor = Form->Color();
    Form->SetColor(SkinData->Colours.ButtonFace);
    if (SkinParts().SetFormMenusOwnerDraw)
        SkinParts().SetFormMenusOwnerDraw(*this, *Form, true, HasSkinControl(*SkinData, xcMenuItem));
}

// ---- First skinning (WM_SKINSTART)

void TWinSkinForm::FirstSkinning()
{
    SystemMenu = GetSystemMenu(WindowHandle, FALSE);
    IconChanged();
    RECT window{}, client{};
    GetWindowRect(WindowHandle, &window);
    GetClientRect(WindowHandle, &client);
    SystemFrameWidth = Width(window) - Width(client);
    SystemFrameHeight = Height(window) - Height(client);
    AttachClientRect = client;

    FindControls();

    if (SkinState == TSkinState::Attached)
        FitFrameFirstTime();
    SkinFinished();
    SkinState = TSkinState::Running;
    HoverTimer->SetEnabled(true);
}

// Hands the window's controls to discovery, which skins those it has not
// skinned yet.
void TWinSkinForm::FindControls()
{
    ControlSearchPosted = false;
    const TSkinParts& parts = SkinParts();
    if (Form && parts.SkinFormControls)
        parts.SkinFormControls(*this, *Form);
    else if (!Form && parts.SkinChildWindows)
        parts.SkinChildWindows(*this, WindowHandle);
}

void TWinSkinForm::FitFrameFirstTime()
{
    if (MdiKind == TMdiKind::Child) {
        if (WindowState == TSkinWindowState::Maximized)
            PostMessageW(GetParent(WindowHandle), WM_SKINMDIREDRAW, reinterpret_cast<WPARAM>(WindowHandle), 0);
        else if (WindowState == TSkinWindowState::Normal) {
            SkinState = TSkinState::Resizing;
            ResizeToFrame(false);
            SkinState = TSkinState::Running;
            UpdateRegion();
        }
        return;
    }
    if (IsChildWindow || BorderKind == TBorderKind::NoCaption || WindowState == TSkinWindowState::Minimized)
        return;
    SkinState = TSkinState::Resizing;
    ResizeToFrame(false);
    SkinState = TSkinState::Running;
    if (WindowState == TSkinWindowState::Maximized)
        SetFrameChanged(WindowHandle);
    else
        UpdateRegion();
}

void TWinSkinForm::SkinFinished()
{
    SendMessageW(WindowHandle, WM_SKINDONE, 0, SkinMagic);
    if (SkinData->OnAfterSkinForm)
        SkinData->OnAfterSkinForm(Form, WindowHandle, WindowClassName);
}

// ---- Resize to the frame

void TWinSkinForm::ResizeToFrame(bool useClientRect)
{
    if (WindowState == TSkinWindowState::Maximized) {
        SetFrameChanged(WindowHandle);
        return;
    }
    if (IsMessageDialog || SkinState == TSkinState::Reskinning)
        GetClientRect(WindowHandle, &AttachClientRect);
    int width = Width(AttachClientRect) + LeftWidth + RightWidth;
    if (useClientRect) {
        GetClientRect(WindowHandle, &AttachClientRect);
    } else if (Form) {
        width = Form->ClientWidth() + LeftWidth + RightWidth;
        const int clientHeight = MdiKind == TMdiKind::Child ? Form->ClientHeight() : Form->ClientHeight() - MenuBarHeight;
        AttachClientRect.bottom = AttachClientRect.top + clientHeight;
    }
    const int height = Height(AttachClientRect) + TitleHeight + BottomHeight + MenuBarHeight;
    if (IsMessageDialog && !useClientRect)
        width = WidenForCaption(width);
    // The region for the new size first, without a repaint of its own: the
    // resize repaints the whole window once.
    ShapeWindow(width, height, false);
    SetWindowPos(WindowHandle, nullptr, 0, 0, width, height,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
}

// A message dialog whose caption does not fit in `width` is made as wide as
// the caption, its controls moved right by half the difference.
int TWinSkinForm::WidenForCaption(int width)
{
    RECT text{0, 0, 0, 0};
    {
        const TMemoryDC dc;
        TSavedDC saved(dc.Get());
        saved.Select(CaptionFont->Handle());
        DrawTextWide(dc.Get(), GetWindowTextWide(WindowHandle), text, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    }
    const int captionWidth = Width(text) + SkinData->Title->TextShift() + SkinData->Title->TextRightClip();
    if (captionWidth <= width)
        return width;
    const int shift = (captionWidth - width) / 2;
    for (HWND child = GetWindow(WindowHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, WindowHandle, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left + shift, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return captionWidth;
}

// ---- Reskin

void TWinSkinForm::Reskin()
{
    const TColor face = SkinData->Colours.ButtonFace;
    if (Form) {
        Form->SetColor(face);
        for (int i = 0; i < Form->ComponentCount(); ++i) {
            TComponent* c = Form->Components(i);
            if (auto* owned = dynamic_cast<TForm*>(c))
                owned->SetColor(face);
            else if (IsPublishedProp(*c, "FixedColor"))  // grids
                SetOrdProp(*c, "FixedColor", face);
        }
    }
    for (TFormSkinner* skinner : Skinners)
        skinner->RefreshSkin();
    SkinState = TSkinState::Reskinning;
    if (FrameSkinned && Form) {
        if (SkinParts().SetFormMenusOwnerDraw)
            SkinParts().SetFormMenusOwnerDraw(*this, *Form, true, false);
        ResizeToFrame(true);
        // A height one pixel larger and back lays the form out again.
        Form->SetHeight(Form->Height() + 1);
        Form->SetHeight(Form->Height() - 1);
    }
    SkinFinished();
    SkinState = TSkinState::Running;
}

// ---- Detach

void TWinSkinForm::Detach()
{
    if (!BeginDetach())
        return;
    RestoreFormLook();
    if (SystemMenu)
        SetSystemMenuStyle(false);
    if (MenuBar) {
        SetMenu(WindowHandle, MenuBar->MenuHandle());
        MenuBar.reset();
    }
    if (MdiClientSubclass)
        MdiClientSubclass->Restore();
    if (SkinState != TSkinState::Destroying)
        RestoreSystemSize();
    SetWindowRgn(WindowHandle, nullptr, TRUE);
    Region = nullptr;
    RegionOwned = false;
}

void TWinSkinForm::DetachOnDestroy()
{
    if (BeginDetach())
        MenuBar.reset();
}

// The steps every detach begins with. A window whose frame the skin left
// alone is detached as such. Otherwise the system menu popup goes, the hover
// timer stops, the window and the form get their procedures back and the
// skinners go. False when nothing more is to be done: the frame was left
// alone, or the window was never subclassed.
bool TWinSkinForm::BeginDetach()
{
    if (!FrameSkinned) {
        DetachUnframed();
        return false;
    }
    delete std::exchange(SystemMenuPopup, nullptr);
    if (HoverTimer)
        HoverTimer->SetEnabled(false);
    if (!WindowSubclass || !WindowSubclass->Installed())
        return false;
    FormProcHook.reset();
    WindowSubclass->Restore();
    FreeSkinners();
    return true;
}

void TWinSkinForm::DetachUnframed()
{
    if (HoverTimer)
        HoverTimer->SetEnabled(false);
    FreeSkinners();
    RestoreFormLook();
    if (WindowSubclass)
        WindowSubclass->Restore();
    if (MdiClientSubclass)
        MdiClientSubclass->Restore();
    if (Form && SkinState != TSkinState::Destroying)
        for (int i = 0; i < Form->ComponentCount(); ++i)
            if (auto* control = dynamic_cast<TControl*>(Form->Components(i)))
                control->Invalidate();
}

// The form's menus are drawn by the system again and its colour comes back.
void TWinSkinForm::RestoreFormLook()
{
    if (!Form)
        return;
    if (SkinParts().SetFormMenusOwnerDraw)
        SkinParts().SetFormMenusOwnerDraw(*this, *Form, false, HasSkinControl(*SkinData, xcMenuItem));
    if (SkinState != TSkinState::Destroying)
        Form->SetColor(SavedColor);
}

// The window takes its system frame again around the client area it has now.
void TWinSkinForm::RestoreSystemSize()
{
    if (IsChildWindow && MdiKind != TMdiKind::Child)
        return;
    RECT r{};
    GetWindowRect(WindowHandle, &r);
    if (MdiKind == TMdiKind::Child)
        MapWindowPoints(nullptr, GetParent(WindowHandle), reinterpret_cast<POINT*>(&r), 2);
    const int width = Width(r) + SystemFrameWidth - LeftWidth - RightWidth;
    const int height = Height(r) + SystemFrameHeight - TitleHeight - BottomHeight;
    SetWindowPos(WindowHandle, nullptr, r.left, r.top, width, height,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
}

// ---- MDI

void TWinSkinForm::MdiChildMaximizedChanged(bool maximized)
{
    if (maximized) {
        if (RegionOwned)
            DropRegion();
        return;
    }
    if (WindowState == TSkinWindowState::Minimized)
        return;
    WindowState = TSkinWindowState::Normal;
    UpdateRegion();
    if (!RegionOwned)
        SetFrameChanged(WindowHandle);
}

bool TWinSkinForm::IsMaximizedMdiChild() const
{
    return MdiKind == TMdiKind::Child && WindowState == TSkinWindowState::Maximized;
}

// ---- Skinners

bool TWinSkinForm::AddSkinner(TFormSkinner* skinner)
{
    if (std::find(Skinners.begin(), Skinners.end(), skinner) != Skinners.end())
        return true;
    Skinners.push_back(skinner);
    return false;
}

void TWinSkinForm::RemoveSkinner(TFormSkinner* skinner)
{
    const auto last = std::find(Skinners.rbegin(), Skinners.rend(), skinner);
    if (last != Skinners.rend())
        Skinners.erase(std::next(last).base());
}

TFormSkinner* TWinSkinForm::FindSkinnerOfWindow(HWND window) const
{
    const auto found =
        std::find_if(Skinners.begin(), Skinners.end(), [window](TFormSkinner* s) { return s->Handle == window; });
    return found == Skinners.end() ? nullptr : *found;
}

void TWinSkinForm::FreeSkinners()
{
    while (!Skinners.empty()) {
        TFormSkinner* skinner = Skinners.front();
        Skinners.erase(Skinners.begin());
        if (skinner->SkinState != TFormSkinner::StateClosed)
            skinner->RestoreControl();
        delete skinner;
    }
}

void TWinSkinForm::FreeClosedSkinners()
{
    for (size_t i = Skinners.size(); i-- > 0;) {
        TFormSkinner* skinner = Skinners[i];
        if (skinner->SkinState == TFormSkinner::StateClosed) {
            Skinners.erase(Skinners.begin() + static_cast<std::ptrdiff_t>(i));
            delete skinner;
        }
    }
}

void TWinSkinForm::CallOldWindowProc(TMessage& m)
{
    m.Result = WindowSubclass->CallOld(m.Msg, m.WParam, m.LParam);
}

} // namespace skin
