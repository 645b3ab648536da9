// The skinned menu bar's drop-downs: opening them with TrackPopupMenu. The
// bar is a row of drop-downs (ui/controls/DropDownRow.h): while one is open, a hook
// moves on to another by closing it and leaving the index of the next for
// the loop in OpenDropDowns, which opens it once the system's menu loop has
// returned.
#include <utility>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinMenuBar.h"
#include "skin/window/SkinMenuParts.h"
#include "ui/controls/DropDownRow.h"
#include "ui/controls/Menus.h"

namespace skin {

namespace {

// The entries of a drop-down and its sub-menus are drawn by the skin while
// it is open, and by the system again afterwards, so the window's menu is
// the same when the skin gives it back.
class TOwnerDrawnEntries {
public:
    explicit TOwnerDrawnEntries(HMENU menu) { Take(menu); }
    ~TOwnerDrawnEntries()
    {
        for (const auto& [menu, command] : taken_) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE;
            if (IsMenu(menu) && GetMenuItemInfoW(menu, command, FALSE, &info)) {
                info.fType &= ~static_cast<UINT>(MFT_OWNERDRAW);
                SetMenuItemInfoW(menu, command, FALSE, &info);
            }
        }
    }
    TOwnerDrawnEntries(const TOwnerDrawnEntries&) = delete;
    TOwnerDrawnEntries& operator=(const TOwnerDrawnEntries&) = delete;

private:
    void Take(HMENU menu)
    {
        const int count = GetMenuItemCount(menu);
        for (int i = 0; i < count; ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
            if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
                continue;
            if (!(info.fType & MFT_OWNERDRAW)) {
                info.fMask = MIIM_FTYPE;
                info.fType |= MFT_OWNERDRAW;
                SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
                taken_.emplace_back(menu, info.wID);
            }
            if (info.hSubMenu)
                Take(info.hSubMenu);
        }
    }
    std::vector<std::pair<HMENU, UINT>> taken_;
};

} // namespace

TSkinMenuBar::~TSkinMenuBar()
{
    *alive_ = false;
    FreeButtons();
    // The window goes (or lets the skin go) while a drop-down is open.
    ui::ForgetDropDownRow(*this);
}

// ---- the buttons as a row of drop-downs

int TSkinMenuBar::DropDownCount() const
{
    return static_cast<int>(Buttons.size());
}

int TSkinMenuBar::DropDownButtonAt(POINT screen)
{
    const auto* button = static_cast<TMenuBtn*>(MenuButtonAt(Owner.ScreenToWindow(screen)));
    return button ? button->Index : -1;
}

bool TSkinMenuBar::OpensDropDown(int index) const
{
    const TMenuBtn& button = *Buttons[static_cast<size_t>(index)];
    return button.Visible && button.ItemEnabled && button.Submenu;
}

HMENU TSkinMenuBar::DropDownMenu(int index) const
{
    return Buttons[static_cast<size_t>(index)]->Submenu;
}

bool TSkinMenuBar::DropDownRowRightToLeft() const
{
    return RightToLeft();
}

void TSkinMenuBar::OpenButton(TNCObject* button)
{
    if (const auto* menuButton = dynamic_cast<TMenuBtn*>(button))
        OpenDropDowns(menuButton->Index, false);
}

void TSkinMenuBar::OpenDropDowns(int index, bool fromKeyboard)
{
    // The window may go while a menu is open: nothing of this object is
    // touched once it has. The buttons may be rebuilt meanwhile (an item's
    // handler changed the menu): they are looked up again afterwards.
    const std::shared_ptr<bool> alive = alive_;
    while (index >= 0 && index < static_cast<int>(Buttons.size())) {
        TMenuBtn& button = *Buttons[static_cast<size_t>(index)];
        const HWND window = Owner.WindowHandle;
        if (!button.ItemEnabled)
            return;
        // The top-level item hears of its opening (its OnClick may fill the
        // drop-down); one without a drop-down is chosen by the press.
        PostMessageW(window, WM_COMMAND, button.Command, 0);
        if (!button.Submenu)
            return;
        GetWindowRect(window, &Owner.WindowRect);
        const bool rightToLeft = RightToLeft();
        const int x = (rightToLeft ? button.Bounds.right : button.Bounds.left) + Owner.WindowRect.left;
        const int y = button.Bounds.bottom + Owner.WindowRect.top;
        if (Owner.HotObject && Owner.HotObject != &button)
            Owner.HotObject->MouseLeave();
        button.MouseDown();
        if (TSkinManage* manager = GlobalSkinManage()) {
            manager->PendingPopupKind = TPopupKind::MenuBarDropDown;
            manager->PopupFromMenuBar = true;
        }
        Owner.OpenedSubmenu = button.Submenu;
        Owner.MenuTracking = true;
        int next = -1;
        {
            TOwnerDrawnEntries ownerDrawn(button.Submenu);
            ui::TDropDownHook hook(*this, index);
            if (fromKeyboard)  // the drop-down opens with its first item selected
                PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
            TrackPopupMenu(button.Submenu, TPM_NONOTIFY | TPM_RIGHTBUTTON | (rightToLeft ? TPM_RIGHTALIGN : 0), x,
                           y, 0, window, nullptr);
            if (!*alive)
                return;
            next = hook.Next();
            fromKeyboard = hook.NextByKeyboard();
        }
        Owner.MenuTracking = false;
        Owner.OpenedSubmenu = nullptr;
        if (index < static_cast<int>(Buttons.size())) {
            // Back to normal, also when the frame was painted meanwhile
            // with the button pressed; the mouse lights it again.
            TMenuBtn& closed = *Buttons[static_cast<size_t>(index)];
            if (Owner.HotObject == &closed)
                Owner.HotObject = nullptr;
            closed.State = 1;
            closed.Paint();
        }
        index = next;
    }
}

} // namespace skin
