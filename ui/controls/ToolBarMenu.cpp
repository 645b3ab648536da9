// A main menu shown on a tool bar: the bar makes one button per top-level
// item and drops that item's sub-items below its button when it is pressed;
// the pointer and the arrow keys move on between the buttons' drop-downs
// (TDropDownRow).
#include <utility>
#include <vector>

#include "ui/controls/Menus.h"
#include "ui/controls/ToolBar.h"

namespace ui {

void TToolBar::SetMenu(TMainMenu* menu)
{
    if (menu == menu_)
        return;
    SetReference(menu_, menu);
    if (!Loading())
        MakeMenuButtons();
}

void TToolBar::MakeMenuButtons()
{
    FreeMenuButtons();
    if (!menu_)
        return;
    TMenuItem& items = *menu_->Items();
    for (int i = 0; i < items.Count(); ++i) {
        TMenuItem* item = items.Items(i);
        if (!item->Visible() || item->IsLine())
            continue;
        auto* button = new TToolButton(this);
        button->SetCaption(item->Caption());
        button->SetEnabled(item->Enabled());
        button->SetMenuItem(item);
        button->SetGrouped(true);
        button->SetParent(this);
        menuButtons_.push_back(button);
    }
    SetShowCaptions(true);
}

void TToolBar::FreeMenuButtons()
{
    for (TToolButton* button : std::exchange(menuButtons_, {}))
        delete button;
}

int TToolBar::ButtonIndexAt(POINT client)
{
    if (!HandleAllocated() || !IsWindowEnabled(Handle()))
        return -1;
    const auto index = static_cast<int>(SendMessageW(Handle(), TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
    return index >= 0 && index < ButtonCount() && Buttons(index)->Enabled() ? index : -1;
}


// ---- the buttons as a row of drop-downs

int TToolBar::DropDownCount() const
{
    return ButtonCount();
}

int TToolBar::DropDownButtonAt(POINT screen)
{
    if (WindowFromPoint(screen) != Handle())
        return -1;
    ::ScreenToClient(Handle(), &screen);
    return ButtonIndexAt(screen);
}

bool TToolBar::OpensDropDown(int index) const
{
    const TToolButton* button = Buttons(index);
    const TMenuItem* item = button->MenuItem();
    return button->Enabled() && item && item->Enabled() && item->Count() > 0;
}

HMENU TToolBar::DropDownMenu(int index) const
{
    TMenuItem* item = Buttons(index)->MenuItem();
    return item ? item->Handle() : nullptr;
}

bool TToolBar::DropDownRowRightToLeft() const
{
    return UseRightToLeftReading();
}

// The bar may go while a drop-down is open (its form was closed and freed):
// the loop in TrackMenu then touches nothing of it.
TToolBar::~TToolBar()
{
    ForgetDropDownRow(*this);
}

void TToolBar::TrackMenu(TToolButton* button)
{
    if (!button || !HandleAllocated())
        return;
    int index = static_cast<int>(CommandOf(*button)) - 1;
    bool byKeyboard = false;
    UINT chosen = 0;
    // An item's handler may have remade the buttons meanwhile.
    while (index >= 0 && index < ButtonCount() && !chosen) {
        TDropDownHook hook(*this, index);
        TToolButton& current = *Buttons(index);
        TMenuItem* item = current.MenuItem();
        if (!item || !current.Enabled() || !item->Enabled())
            return;
        // The top-level item hears of its opening (its OnClick may fill the
        // drop-down); one without a drop-down is chosen by the press.
        item->Click();
        if (hook.RowGone() || !OpensDropDown(index))
            return;
        if (byKeyboard)  // the drop-down opens with its first item selected
            PostMessageW(Handle(), WM_KEYDOWN, VK_DOWN, 0);
        chosen = DropMenu(current);
        if (hook.RowGone())
            return;
        SendMessageW(Handle(), TB_PRESSBUTTON, CommandOf(current), FALSE);
        index = hook.Next();
        byKeyboard = hook.NextByKeyboard();
    }
    // The chosen item runs once the menus are closed and the hook is gone:
    // its handler may open another menu or free the bar.
    if (TMenuItem* item = chosen ? FindMenuItem(chosen) : nullptr)
        item->Click();
}

UINT TToolBar::DropMenu(TToolButton& button)
{
    const WPARAM command = CommandOf(button);
    RECT r{};
    SendMessageW(Handle(), TB_GETITEMRECT, command - 1, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    const bool rightToLeft = UseRightToLeftReading();
    const UINT flags = TPM_TOPALIGN | TPM_RETURNCMD | TPM_LEFTBUTTON | (rightToLeft ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
    SendMessageW(Handle(), TB_PRESSBUTTON, command, TRUE);
    return static_cast<UINT>(TrackPopupMenu(button.MenuItem()->Handle(), flags, rightToLeft ? r.right : r.left,
                                            r.bottom, 0, Handle(), nullptr));
}

} // namespace ui
