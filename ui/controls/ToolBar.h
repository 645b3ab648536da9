// The tool bar over the platform's tool-bar control: its buttons
// (TToolButton, windowless children of the bar) and the bar itself
// (TToolBar). ToolBarMenu.cpp holds the part that shows a main menu on the
// bar.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/controls/Controls.h"
#include "ui/controls/DropDownRow.h"

namespace ui {

class TImageList;
class TMainMenu;
class TMenuItem;
class TPopupMenu;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolBar;

// One button of a tool bar (its parent), drawn and operated by the bar's
// window. A check button stays Down until clicked again; check buttons with
// Grouped set between separators form a group of which one is down. A
// drop-down button opens DropdownMenu from its arrow.
class TToolButton : public TControl {
    UI_CLASS(TToolButton)
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle style);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool Down() const { return down_; }
    void SetDown(bool down);
    bool Grouped() const { return grouped_; }
    void SetGrouped(bool on);
    TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* menu);
    TMenuItem* MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem* item);
    void Notification(TComponent* component, TOperation operation) override;
    void SetParent(TWinControl* parent) override;
    // A click as if the user had clicked the button.
    void Click() override;

protected:
    void Dispatch(TMessage& m) override;

private:
    friend class TToolBar;
    TToolBar* Bar() const;
    void BarChanged();
    TToolButtonStyle style_ = TToolButtonStyle::tbsButton;
    int imageIndex_ = -1;
    bool down_ = false;
    bool grouped_ = false;
    TPopupMenu* dropdownMenu_ = nullptr;
    TMenuItem* menuItem_ = nullptr;
};

// The states a tool-bar button is drawn in (a set: bit n for member n).
enum TCustomDrawStateBit { cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot,
                           cdsMarked, cdsIndeterminate };
using TCustomDrawState = unsigned;
using TToolBarCustomDrawEvent = TEvent<void(TToolBar* Sender, const RECT& ARect, bool& DefaultDraw)>;
using TToolBarCustomDrawButtonEvent =
    TEvent<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw)>;

// A bar of tool buttons (its child controls, in order). OnCustomDraw may
// paint the bar's background on Canvas() before the buttons, and
// OnCustomDrawButton each button's face; leaving DefaultDraw set lets the bar
// draw the rest (images and captions, and without a handler the face).
class TToolBar : public TWinControl, private TDropDownRow {
    UI_CLASS(TToolBar)
public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;
    bool Flat() const { return flat_; }
    void SetFlat(bool on);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool on);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int width);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int height);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    // A main menu shown on the bar: one button per top-level item, made by
    // the bar and owned by it, whose press drops that item's sub-items.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // Opens the drop-down of a button showing a menu item (the item alone
    // is clicked when it has no sub-items); the pointer or the arrow keys
    // may move on to the neighbouring buttons' drop-downs meanwhile.
    void TrackMenu(TToolButton* button);
    void Notification(TComponent* component, TOperation operation) override;
    TCanvas* Canvas() { return ControlCanvas(); }
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TToolButton* Buttons(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

    TToolBarCustomDrawEvent OnCustomDraw;
    TToolBarCustomDrawButtonEvent OnCustomDrawButton;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& m) override;
    void Dispatch(TMessage& m) override;
    void Loaded() override;

private:
    friend class TToolButton;
    // Gives the window the buttons as they are now.
    void RebuildButtons();
    // The buttons' bounds follow where the window placed them.
    void PlaceButtons();
    TToolButton* ButtonOfCommand(WPARAM id) const;
    // The command of the button in the window; 0 when it has none.
    WPARAM CommandOf(const TToolButton& button) const;
    LRESULT CustomDraw(NMTBCUSTOMDRAW& draw);
    void DropDown(const NMTOOLBARW& notify);
    void ButtonClicked(TToolButton& button);
    // The buttons for Menu's top-level items, made again.
    void MakeMenuButtons();
    void FreeMenuButtons();
    // The place of the enabled button under a client point; -1 over none,
    // a separator, a disabled button or a disabled bar.
    int ButtonIndexAt(POINT client);
    // Drops the sub-items of the button's item below it, the button pressed
    // meanwhile; the command chosen. The bar may be gone when it returns.
    UINT DropMenu(TToolButton& button);
    // The buttons as a row of drop-downs (their menu items'), by place.
    int DropDownCount() const override;
    int DropDownButtonAt(POINT screen) override;
    bool OpensDropDown(int index) const override;
    HMENU DropDownMenu(int index) const override;
    bool DropDownRowRightToLeft() const override;
    std::vector<TToolButton*> buttons_;  // as the window has them; command = index + 1
    bool flat_ = true;
    bool showCaptions_ = false;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    TImageList* images_ = nullptr;
    TMainMenu* menu_ = nullptr;
    std::vector<TToolButton*> menuButtons_;  // made for menu_, owned by the bar
};

} // namespace ui
