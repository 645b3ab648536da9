// TWinSkinForm: the per-window skin controller. The skin manager makes one
// for every top-level window, MDI child and standard dialog it skins. The
// controller takes over the window's procedure, paints the non-client area
// (frame, title bar, caption buttons, menu bar) from the skin, hands the
// window's controls to control skinners, and on request gives it all back.
//
// The controller's own work (attach, first skinning, resize to the frame,
// reskin, detach, message routing) is in WinSkinForm.cpp; the frame and title
// bar painting and the region in FramePaint.cpp; the caption buttons, hit
// testing, non-client mouse and the system menu in CaptionButtons.cpp.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/window/FormSkinner.h"
#include "skin/window/FramePaint.h"
#include "skin/window/WindowHooks.h"
#include "ui/controls/Messages.h"
#include "ui/core/Classes.h"
#include "ui/graphics/Graphics.h"

namespace ui {
class TCanvas;
class TForm;
class TTimer;
class TWindowProcHook;
} // namespace ui

namespace skin {

class TSkinData;
class TWinSkinForm;
class TWinSkinMenu;

// The controller's life, in the values other skinned components see.
enum class TSkinState : int {
    Attached = 0,    // attached, first skinning pending
    Running = 1,     // skinned and running
    Reskinning = 3,  // the skin is being re-applied
    Destroying = 4,  // the window is being destroyed (WM_NCDESTROY, before the detach)
    Resizing = 5,    // growing the window by the skin frame (first skinning)
    Closed = 6,      // the window is gone; the manager frees controllers in this state
};

// SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED:
// the system measures and paints the frame again, nothing else changes.
inline constexpr UINT FrameChangedFlags = 0x37;

enum class TSkinWindowState : int { Normal = 0, Maximized = 1, Minimized = 2 };

enum class TMdiKind : int { Ordinary = 0, Frame = 1, Child = 2 };

enum class TBorderKind : int { Sizeable = 0, Single = 1, NoCaption = 2, Dialog = 3 };

// Bits of TWinSkinForm::BorderIcons.
enum : unsigned {
    FrameIconMaximize = 1,
    FrameIconMinimize = 2,
    FrameIconHelp = 4,
    FrameIconSystemMenu = 8,
    FrameIconKeepSysMenuStyle = 16,  // leave WS_SYSMENU alone while painting
};

// A non-client object of one window: a caption button or a menu-bar button.
// Its operations are in CaptionButtons.cpp.
class TNCObject {
public:
    explicit TNCObject(TWinSkinForm* owner) : Owner(owner) {}
    virtual ~TNCObject() = default;

    // Press: the previous hot object leaves; this one becomes hot and pressed.
    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseMove();
    virtual void MouseLeave();
    // Draws the object in its State; nothing in the base class.
    virtual void Paint() {}

    TWinSkinForm* Owner;
    RECT Bounds{};  // window coordinates
    bool Visible = false;
    int State = 1;  // 1 normal, 2 pressed, 3 hot
    bool Enabled = true;
};

class TDataSkinSysButton;

// One caption button, drawn from its skin record.
class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TWinSkinForm* owner, TDataSkinSysButton* record) : TNCObject(owner), Record(record) {}
    void Paint() override;

    TDataSkinSysButton* Record;
};

class TWinSkinForm : public ui::TComponent {
    UI_CLASS(TWinSkinForm)
public:
    // owner: the form whose window is skinned, or null for a bare window.
    explicit TWinSkinForm(ui::TComponent* owner);
    ~TWinSkinForm() override;

    // ---- Attach and detach (WinSkinForm.cpp) ----
    // Takes over the window of `form` (WindowHandle set by the manager);
    // nothing when the window is already subclassed.
    void AttachToForm(TSkinData* skinData, ui::TForm* form);
    // The same for a bare window without a framework form.
    void AttachToWindow(TSkinData* skinData);
    // Gives the window everything back: procedure, size, region, colours.
    void Detach();
    // The detach of a window that goes away: procedure back, skinners freed,
    // no size or region change.
    void DetachOnDestroy();
    // The detach of a window whose frame the skin left to the system.
    void DetachUnframed();
    // Dresses an attached window: its controls, its size for the skin's
    // frame, its region (WM_SKINSTART, or at once when the window shows).
    void FirstSkinning();
    // Re-applies a reloaded skin (the manager computed the geometry first).
    void Reskin();
    // Keeps the client area and grows the window by the skin frame.
    void ResizeToFrame(bool useClientRect);
    // The manager's SetMdiChildMaximized, seen by an MDI child's controller.
    void MdiChildMaximizedChanged(bool maximized);
    // Calls the window's procedure from before the attach; its result
    // becomes the message's result.
    void CallOldWindowProc(ui::TMessage& m);

    // ---- Control skinners registered with this window ----
    // True when the skinner is listed already; otherwise appends it.
    bool AddSkinner(TFormSkinner* skinner);
    void RemoveSkinner(TFormSkinner* skinner);
    TFormSkinner* FindSkinnerOfWindow(HWND window) const;
    void FreeSkinners();
    void FreeClosedSkinners();
    // A discovery pass over the window's controls.
    void FindControls();

    // ---- Frame geometry and painting (FramePaint.cpp) ----
    // Border sizes from the skin, then the caption buttons.
    void ComputeFrameGeometry();
    void OnNcCalcSize(ui::TMessage& m);
    void OnNcPaint(ui::TMessage& m);
    // Paints the whole non-client area into dc, or into the window's DC.
    void PaintFrame(HDC dc);
    // Builds the window region that cuts the key colour out of the frame.
    void UpdateRegion();
    // Gives the window the region of a w x h frame; redraw false leaves the
    // repaint to what comes next (a resize to that size repaints it all).
    void ShapeWindow(int w, int h, bool redraw);
    void DropRegion();
    // The window's icon changed: the title shows the new one, and its keyed
    // picture is made again when next asked for.
    void IconChanged();
    // The window's small icon drawn on the key colour (WindowIconBitmap),
    // made when first asked for after a change.
    ui::TBitmap& IconPicture();

    // ---- Caption buttons, hit testing, system menu (CaptionButtons.cpp) ----
    void BuildCaptionButtons();
    void FreeCaptionButtons();
    // A screen point in window coordinates as the frame sees them.
    POINT ScreenToWindow(POINT screen) const;
    void OnNcHitTest(ui::TMessage& m);
    void OnNcMouseMove(ui::TMessage& m);
    void OnNcLButtonDown(ui::TMessage& m);
    void OnNcLButtonUp(ui::TMessage& m);
    void OnNcLButtonDblClk(ui::TMessage& m);
    void OnNcRButtonDown(ui::TMessage& m);
    // WM_COMMAND of the skinned system menu: system commands are posted
    // again as WM_SYSCOMMAND, anything else goes to the old procedure.
    void OnSystemMenuCommand(ui::TMessage& m);
    // Every 250 ms while active: the hot object the mouse left goes back to normal.
    void HoverTimerTick();
    // Before a full frame paint: no object stays hot (nor lit).
    void ForgetHotObject();
    void ShowSystemMenu(POINT screen);
    void DoMaximize();
    void DoRestore();
    void DoMinimize();
    // hide: removes WS_SYSMENU (while painting); otherwise puts it back.
    void SetSystemMenuStyle(bool hide);

    // ---- Fields (names as used by the whole window-skinning subsystem) ----
    HWND WindowHandle = nullptr;  // set by the manager before attaching
    ui::TForm* Form = nullptr;    // null for a bare window
    TSkinData* SkinData = nullptr;
    std::wstring WindowClassName;
    std::unique_ptr<TWindowSubclass> WindowSubclass;     // the window's procedure, replaced
    std::unique_ptr<ui::TWindowProcHook> FormProcHook;   // the form's framework procedure, hooked
    HWND MdiClientWindow = nullptr;
    std::unique_ptr<TWindowSubclass> MdiClientSubclass;  // the MDI client's procedure, replaced
    ui::TTimer* HoverTimer = nullptr;                    // owned; 250 ms, enabled while skinned and active
    std::unique_ptr<ui::TFont> CaptionFont;
    std::wstring TitlePrefix = L" ", TitleSuffix = L"  ";
    bool FrameSkinned = false;
    TSkinState SkinState = TSkinState::Attached;
    TSkinWindowState WindowState = TSkinWindowState::Normal;
    bool Active = true;
    TMdiKind MdiKind = TMdiKind::Ordinary;
    TBorderKind BorderKind = TBorderKind::Single;
    unsigned BorderIcons = 0;  // FrameIcon* bits
    bool RightToLeft = false;
    bool IsChildWindow = false;
    bool IsUnicode = false;
    bool IsMessageDialog = false;
    DWORD Style = 0;
    HWND OwnerWindow = nullptr;
    bool MenuTracking = false;
    TNCObject* HotObject = nullptr;
    int LeftWidth = 0, TitleHeight = 0, RightWidth = 0, BottomHeight = 0, MenuBarHeight = 0;
    RECT WindowRect{};
    int WindowWidth = 0, WindowHeight = 0;
    RECT TitleTextRect{};
    int SystemFrameWidth = 0, SystemFrameHeight = 0;
    RECT AttachClientRect{};
    std::vector<std::unique_ptr<TWinSysButton>> CaptionButtons;
    int RightReserve = 0;
    std::unique_ptr<ui::TBitmap> IconBitmap;  // null until asked for
    int IconSize = 0;
    std::unique_ptr<ui::TBitmap> TitleBitmap;
    TFramePaintCache PaintCache;  // border faces and the scaled icon between frame paints
    // The region set on the window. The window owns it once set (the system
    // deletes it when it is replaced), so it is never deleted here.
    HRGN Region = nullptr;
    bool RegionOwned = false;
    int RegionWidth = 0, RegionHeight = 0;
    HMENU MenuHandle = nullptr;
    std::unique_ptr<TWinSkinMenu> MenuBar;
    HMENU SystemMenu = nullptr;
    ui::TComponent* SystemMenuPopup = nullptr;  // owned popup menu; rebuilt at every opening
    HMENU OpenedSubmenu = nullptr;
    std::vector<TFormSkinner*> Skinners;
    bool ControlSearchPosted = false;  // a WM_SKINFINDCONTROLS is on its way
    ui::TColor SavedColor = ui::clBtnFace;
    std::unique_ptr<ui::TCanvas> NcCanvas, SkinnerCanvas;
    DWORD LastSystemMenuClick = 0;
    UINT DoubleClickTime = 0;
    bool SavedMenuUpdate = true;

private:
    // ---- Message routing (WinSkinForm.cpp) ----
    // The subclassed window procedure: stage 1 always, stage 2 for the
    // skinned frame of a top-level window or MDI child, stage 3 once the
    // first skinning is done.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    void RouteAlways(ui::TMessage& m);
    void RouteFrameWindow(ui::TMessage& m);
    void RouteSkinnedFrame(ui::TMessage& m, bool handledBefore);
    // The hook in the form's framework-level procedure.
    void FormWindowProc(ui::TMessage& m);
    // The procedure installed on the MDI client of an MDI frame.
    LRESULT MdiClientProc(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnSize(ui::TMessage& m);
    void OnNcActivate(ui::TMessage& m);
    void OnSysCommand(ui::TMessage& m);
    void OnMenuChanged(ui::TMessage& m);
    void AddMenuBar();
    void DropMenuBar();
    bool PaintsOwnCaption() const;
    void OnCaptionChange(ui::TMessage& m);
    void RefreshTitle();
    void CallOldUnpaintedActivation(ui::TMessage& m);

    void Attach(TSkinData* skinData);
    bool BeginDetach();
    void FitFrameFirstTime();
    int WidenForCaption(int width);
    void AfterMdiChildDestroyed();
    HWND SyncMdiChildMaximized(HWND client);
    void ReadWindowTraits();
    void FindMdiClient();
    void SubclassWindow();
    void CreateMenuBar();
    void MakeMenuBar();
    void HookForm();
    void SkinFinished();
    void ReadWindowState();
    bool IsMaximizedMdiChild() const;
    void RestoreFormLook();
    void RestoreSystemSize();
};

} // namespace skin
