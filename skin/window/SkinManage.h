// TSkinManage: the process-wide skin manager. It watches the windows the
// user-interface thread creates, activates and destroys (a WH_CBT hook),
// makes a TWinSkinForm controller for each suitable top-level window, MDI
// child and standard dialog, and a popup skinner for each popup-menu window.
// Skin-wide actions requested by a TSkinData (skin all, unskin all, reload)
// run from a short timer, after the request that caused them has finished.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/window/WindowHooks.h"

namespace ui {
class TBitmap;
class TControl;
class TForm;
class TTimer;
} // namespace ui

namespace skin {

class TSkinData;
class TWinSkinForm;
class TWinSkinPopMenu;

// The manager's life.
enum class TManageState : int {
    Created = 0,     // no window activated yet: skin-all requests only switch Active
    Running = 1,
    Destroying = 4,
};

// The skin-wide actions a TSkinData asks for.
enum class TSkinAction : int { None = 0, SkinAll = 1, UnskinAll = 2, Reload = 3 };

// What kind of popup menu is about to open.
enum class TPopupKind : int { Ordinary = 0, MenuBarDropDown = 1, SystemMenu = 2 };

// The delay with which TSkinData's requests run.
inline constexpr int SkinActionDelayMs = 250;

class TSkinManage {
public:
    TSkinManage();
    // Unskins every window, frees the popup skinners, removes the hook.
    ~TSkinManage();
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    // Starts the thread's WH_CBT hook (once), and skinning forms before they
    // are shown.
    void InstallCreationHook();
    void RegisterSkinData(TSkinData* skinData);
    // Forgets the skin data; the windows it skinned are unskinned.
    void UnregisterSkinData(TSkinData* skinData);

    // The central decision: makes a controller for `window` when it is to be
    // skinned; true when one was made.
    bool TrySkinWindow(HWND window);
    // A visible top-level form goes to TrySkinWindow; true without doing
    // anything for an invisible or child form.
    bool SkinForm(ui::TForm* form);
    TWinSkinForm* FindController(HWND window) const;
    // Called by a controller that goes.
    void RemoveController(HWND window);
    // Frees the controllers whose window is gone.
    void PurgeControllers();

    // Records a skin-wide action for the timer (see TSkinAction).
    void ScheduleAction(TSkinAction action, int intervalMs);
    // Every controller skinned with PendingSkinData drops its caption buttons.
    void RefreshSkinData();

    // Popup menus.
    void SkinPopupWindow(HWND window);
    bool ReleasePopupWindow(HWND window);
    bool IsPopupSkinned(HWND window) const;
    void MarkAllPopupsFromMenuBar();
    void AssignMenuToLastPopup(HMENU menu);
    ui::TBitmap* FindPopupBitmap(HMENU menu) const;

    // Tells every MDI child's controller that the active child was
    // maximised (true) or restored (false).
    void SetMdiChildMaximized(bool maximized);

    // The skin data that serves `window`, or null.
    TSkinData* FindSkinDataFor(HWND window) const;
    // The last gate of TrySkinWindow: the main skin data's options and its
    // AskFormSkin.
    bool AcceptWindow(HWND window, const std::wstring& className) const;

    // ---- State (the names other skinned components know them by) ----
    bool Active = false;
    bool FullScan = false;
    TManageState State = TManageState::Created;
    TPopupKind PendingPopupKind = TPopupKind::Ordinary;
    bool PopupFromMenuBar = false;
    bool MdiChildMaximized = false;
    HWND MdiClientWindow = nullptr;
    ui::TControl* MdiFrameForm = nullptr;
    TSkinAction PendingAction = TSkinAction::None;
    TSkinData* PendingSkinData = nullptr;
    TSkinData* MainSkinData = nullptr;
    // The operating system version, read when the hook is installed.
    DWORD OsVersion = 0;

    const std::vector<TWinSkinForm*>& Controllers() const { return controllers_; }
    const std::vector<TSkinData*>& SkinDataList() const { return skinDataList_; }
    const ui::TTimer& ActionTimer() const { return *actionTimer_; }

private:
    void SkinBeforeShowing(ui::TForm& form);
    void OnCbt(int code, WPARAM wParam, LPARAM lParam);
    void OnCreateWindow(HWND window, const CBT_CREATEWNDW& create);
    void RunScheduledAction();
    void SkinAllForms(TSkinData* skinData);
    void UnskinAll(TSkinData* skinData);
    void ReloadSkin(TSkinData* skinData);
    bool PassesWindowTests(HWND window, ui::TControl* control, const std::wstring& className) const;
    void DetachAndFree(TWinSkinForm* controller);

    std::unique_ptr<ui::TTimer> actionTimer_;
    std::unique_ptr<TCbtHook> hook_;
    std::vector<TWinSkinForm*> controllers_;
    std::vector<std::unique_ptr<TWinSkinPopMenu>> popupSkinners_;
    std::vector<TSkinData*> skinDataList_;
};

// The one manager of the process, or null before the first skin data made it.
TSkinManage* GlobalSkinManage();
// Makes the manager when there is none yet.
TSkinManage& CreateGlobalSkinManage();
// Frees the manager (every window unskinned).
void FreeGlobalSkinManage();

// The text of a window as wide text.
std::wstring GetWindowTextWide(HWND window);
// Makes target a copy of source (size, pixel format and pixels).
void CopyBitmap(const ui::TBitmap& source, ui::TBitmap& target);
// The form whose window is `window` in the screen's form list, else the
// framework control of the window, else null.
ui::TControl* FindFormOfWindow(HWND window);
// The version of the platform as GetVersion tells it.
struct TPlatformVersion {
    int Major = 0;
    int Minor = 0;
    bool Win9x = false;  // the 9x family (the high bit of the version word)
};
TPlatformVersion PlatformVersion();

// The program's module instance, against which a window's instance tells
// the program's own windows from those of other modules.
HINSTANCE ModuleInstance();

} // namespace skin
