// The skinned menu bar: the top-level items of a window's menu drawn as
// buttons in the strip between the title bar and the client area, from the
// skin's menu bar picture. The window's own menu is taken off the window
// while the bar shows it and given back when the skin lets the window go.
//
// A press on a button (or its accelerator, F10 or Alt) opens the button's
// drop-down with TrackPopupMenu. While a drop-down is open, and only then, a
// message-filter hook watches the menu's loop: the mouse moving onto another
// button, or the left and right arrows at the ends of a drop-down, close the
// open drop-down and open the next one (ui/controls/DropDownRow.h,
// SkinMenuTracking.cpp).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/window/SkinParts.h"
#include "skin/window/WinSkinForm.h"
#include "ui/controls/DropDownRow.h"
#include "ui/graphics/Graphics.h"

namespace ui {
class TMenu;
class TMenuItem;
} // namespace ui

namespace skin {

class TSkinMenuBar;

// One top-level item as a button of the bar.
class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinForm* owner, TSkinMenuBar& bar) : TNCObject(owner), Bar(bar) {}
    // Redraws the button in its State straight onto the window.
    void Paint() override;

    TSkinMenuBar& Bar;
    ui::TMenuItem* MenuItem = nullptr;  // the framework item, or null
    int Index = 0;
    std::wstring Caption;
    bool ItemEnabled = true;
    HMENU Submenu = nullptr;  // the drop-down, or null
    UINT Command = 0;
};

class TSkinMenuBar : public TWinSkinMenu, private ui::TDropDownRow {
public:
    explicit TSkinMenuBar(TWinSkinForm& owner);
    // Closes a drop-down of this bar that is still open.
    ~TSkinMenuBar() override;

    void BuildButtons() override;
    void BuildFromWindowMenu() override;
    HMENU MenuHandle() const override { return menuHandle_; }
    void SetMenuHandle(HMENU menu) override { menuHandle_ = menu; }
    void PaintMenuBar(HDC dc, const RECT& rect) override;
    TNCObject* MenuButtonAt(POINT windowPoint) override;
    void OpenButton(TNCObject* button) override;

    // The buttons' bounds for the window's present size, without painting.
    void LayoutButtons();
    // The first enabled, visible button whose caption has `key` as its
    // accelerator (letter case aside), or null.
    TMenuBtn* FindAccelButton(wchar_t key) const;
    // Opens the drop-down of the button at that index, and the ones the user
    // moves on to, until none is open. fromKeyboard: the first item of each
    // drop-down is selected.
    void OpenDropDowns(int index, bool fromKeyboard);
    bool RightToLeft() const;
    // Draws one button (face for its state, caption) with its bounds moved
    // by offset.
    void DrawButton(HDC dc, const TMenuBtn& button, POINT offset) const;

    TWinSkinForm& Owner;
    ui::TMenu* Menu = nullptr;  // the form's menu, or null for a bare window
    std::vector<std::unique_ptr<TMenuBtn>> Buttons;
    RECT PaintRect{};               // where the bar was last painted (window coordinates)
    ui::TBitmap BackBitmap;         // the bar's background of the last paint, without captions

private:
    RECT BarRect() const;
    int StartMargin(int barWidth) const;
    void FreeButtons();
    void ReadButtons();
    void PaintBackground(HDC dc, int width, int height) const;
    void PaintMdiChildButtons(HDC dc) const;

    // The buttons as a row of drop-downs, by index.
    int DropDownCount() const override;
    int DropDownButtonAt(POINT screen) override;
    bool OpensDropDown(int index) const override;
    HMENU DropDownMenu(int index) const override;
    bool DropDownRowRightToLeft() const override;

    HMENU menuHandle_ = nullptr;
    ui::TBitmap scratch_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace skin
