// The parts of the skin engine that plug into the form controller and the
// skin manager but live in units of their own: the skinned menu bar and menu
// owner-drawing, control discovery with the control skinners, and the popup
// menu skinner. A unit that provides a part fills its slots in SkinParts()
// when the program starts. While a slot is empty the controller leaves that
// part to the system: a window with a menu keeps the system's frame and menu
// bar, controls keep their own look, popup menus the system's.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "ui/controls/Messages.h"
#include "ui/core/Classes.h"

namespace ui {
class TBitmap;
class TControl;
class TForm;
class TMainMenu;
} // namespace ui

namespace skin {

class TNCObject;
class TSkinData;
class TWinSkinForm;

// The skinned menu bar of one window, drawn in the strip between the title
// bar and the client area.
class TWinSkinMenu {
public:
    virtual ~TWinSkinMenu() = default;
    // Rebuilds the buttons from the window's menu and takes the menu off the window.
    virtual void BuildButtons() = 0;
    // Rebuilds after an MDI frame's menu changed.
    virtual void BuildFromWindowMenu() = 0;
    // The window's menu, kept while it is off the window; given back on detach.
    virtual HMENU MenuHandle() const = 0;
    virtual void SetMenuHandle(HMENU menu) = 0;
    // Paints the bar into dc at rect (window coordinates).
    virtual void PaintMenuBar(HDC dc, const RECT& rect) = 0;
    // The button at a window point, or null.
    virtual TNCObject* MenuButtonAt(POINT windowPoint) = 0;
    // Opens the drop-down of a button of this bar (a press of the mouse on
    // it) and returns once the menu is closed.
    virtual void OpenButton(TNCObject* button) = 0;
};

// The skinner of one popup-menu window ("#32768"); it lets go of the window
// when it is freed.
class TWinSkinPopMenu {
public:
    virtual ~TWinSkinPopMenu() = default;
    virtual HWND Window() const = 0;
    // The menu shown, once known; null before.
    virtual HMENU Menu() const = 0;
    virtual void SetMenu(HMENU menu) = 0;
    // The painted background, reused by the menu's owner-drawn items.
    virtual ui::TBitmap* Bitmap() const = 0;
    bool OpenedFromMenuBar = false;
};

struct TSkinParts {
    // ---- Menus ----
    // Makes the menu bar of a skinned window that has a menu.
    std::function<std::unique_ptr<TWinSkinMenu>(TWinSkinForm& controller)> CreateMenuBar;
    // The menu messages of a skinned window: owner-drawn items (WM_DRAWITEM,
    // WM_MEASUREITEM), the menu-bar hit (WM_SKINMENUHIT), the keyboard menu
    // (WM_SYSCOMMAND SC_KEYMENU) and accelerators (CM_DIALOGCHAR). True when
    // the message was handled; its result is then in m.
    std::function<bool(TWinSkinForm& controller, ui::TMessage& m)> MenuMessage;
    // Makes the popup menus of a form, and with mainMenu also the items of its
    // main menu, owner-drawn (on) or gives them back to the system (off).
    std::function<void(TWinSkinForm& controller, ui::TForm& form, bool on, bool mainMenu)> SetFormMenusOwnerDraw;
    // Makes the items of a main menu's drop-downs owner-drawn with the skin
    // (on) or gives them back to the system (off): a tool bar's menu.
    std::function<void(ui::TMainMenu& menu, bool on)> SetMenuOwnerDraw;

    // ---- Control discovery and control skinners ----
    // Finds the controls of a form and attaches a skinner to each.
    std::function<void(TWinSkinForm& controller, ui::TForm& form)> SkinFormControls;
    // The same for the child windows of a bare window.
    std::function<void(TWinSkinForm& controller, HWND window)> SkinChildWindows;
    // The decision for one child window (also for a new size grip).
    std::function<void(TWinSkinForm& controller, HWND window)> SkinWindowByClass;

    // ---- Popup menus ----
    // Makes the skinner of a new popup-menu window.
    std::function<std::unique_ptr<TWinSkinPopMenu>(HWND window, TSkinData& skinData)> CreatePopupSkinner;
};

// The process's parts, filled by the units that provide them.
TSkinParts& SkinParts();

} // namespace skin
