// The skinned menu bar's drop-downs: opening them with TrackPopupMenu, and
// the message-filter hook that lives while one is open. The hook moves on to
// another drop-down by closing the open one (EndMenu) and leaving the index
// of the next for the loop in OpenDropDowns, which opens it once the system's
// menu loop has returned.
#include <utility>
#include <vector>

#include "skin/SkinManage.h"
#include "skin/SkinMenuBar.h"
#include "skin/SkinMenuParts.h"
#include "skin/WinSkinData.h"
#include "ui/ErrorGuard.h"
#include "ui/Menus.h"

namespace skin {

namespace {

constexpr const wchar_t* PopupMenuClass = L"#32768";

// What the hook knows of the one drop-down being tracked.
struct TTracking {
    TSkinMenuBar* Bar = nullptr;
    int Current = -1;   // the button whose drop-down is open
    int Next = -1;      // the button to open once it has closed
    bool NextByKeyboard = false;
    HMENU Selected = nullptr;  // the menu of the item selected last
    bool SelectedOpens = false;  // that item opens a sub-menu
    POINT LastMouse{};
    HHOOK Hook = nullptr;
};

TTracking& Tracking()
{
    static TTracking tracking;
    return tracking;
}

bool IsPopupMenuWindow(HWND window)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, PopupMenuClass) == 0;
}

// The open drop-down closes; the loop in OpenDropDowns opens `index` next.
void SwitchTo(int index, bool byKeyboard)
{
    TTracking& t = Tracking();
    t.Next = index;
    t.NextByKeyboard = byKeyboard;
    EndMenu();
}

// The neighbour of the current button on the screen, to the left or right,
// wrapping at the ends; buttons without a drop-down are passed over.
int Neighbour(const TSkinMenuBar& bar, int current, bool towardsRight)
{
    const int count = static_cast<int>(bar.Buttons.size());
    const int step = towardsRight != bar.RightToLeft() ? 1 : -1;
    for (int i = 1; i <= count; ++i) {
        const int index = ((current + step * i) % count + count) % count;
        const TMenuBtn& button = *bar.Buttons[static_cast<size_t>(index)];
        if (button.Visible && button.ItemEnabled && button.Submenu)
            return index;
    }
    return current;
}

TMenuBtn* BarButtonAt(const TSkinMenuBar& bar, POINT screen)
{
    const POINT p = bar.Owner.ScreenToWindow(screen);
    return static_cast<TMenuBtn*>(const_cast<TSkinMenuBar&>(bar).MenuButtonAt(p));
}

// One message of the menu's loop; true when the hook took it.
bool FilterMenuMessage(const MSG& msg)
{
    TTracking& t = Tracking();
    const TSkinMenuBar& bar = *t.Bar;
    switch (msg.message) {
    case WM_KEYDOWN:
        // Left leaves the drop-down from its top level; right moves on from
        // an item that opens nothing. Otherwise the system opens or closes
        // a sub-menu.
        if (msg.wParam == VK_LEFT && (!t.Selected || t.Selected == bar.Buttons[t.Current]->Submenu)) {
            SwitchTo(Neighbour(bar, t.Current, false), true);
            return true;
        }
        if (msg.wParam == VK_RIGHT && !t.SelectedOpens) {
            SwitchTo(Neighbour(bar, t.Current, true), true);
            return true;
        }
        return false;
    case WM_MOUSEMOVE: {
        if (msg.pt.x == t.LastMouse.x && msg.pt.y == t.LastMouse.y)
            return false;
        t.LastMouse = msg.pt;
        const TMenuBtn* button = BarButtonAt(bar, msg.pt);
        if (button && button->Index != t.Current && button->Submenu && button->ItemEnabled)
            SwitchTo(button->Index, false);
        return false;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // A press on the open drop-down's own button closes it; a press
        // anywhere else outside the menus closes them and does nothing else.
        if (IsPopupMenuWindow(WindowFromPoint(msg.pt)))
            return false;
        const TMenuBtn* button = BarButtonAt(bar, msg.pt);
        if (button && button->Index != t.Current && button->Submenu && button->ItemEnabled)
            SwitchTo(button->Index, false);
        else
            EndMenu();
        return true;
    }
    default: return false;
    }
}

LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    TTracking& t = Tracking();
    bool taken = false;
    if (code == MSGF_MENU && t.Bar && t.Next < 0)
        ui::CallGuarded([&] { taken = FilterMenuMessage(*reinterpret_cast<const MSG*>(lParam)); });
    return taken ? 1 : CallNextHookEx(t.Hook, code, wParam, lParam);
}

// The hook for one drop-down's time, then gone.
class TMenuFilterHook {
public:
    explicit TMenuFilterHook(TSkinMenuBar& bar, int current)
    {
        TTracking& t = Tracking();
        t = TTracking{};
        t.Bar = &bar;
        t.Current = current;
        GetCursorPos(&t.LastMouse);
        t.Hook = SetWindowsHookExW(WH_MSGFILTER, &MenuFilterProc, nullptr, GetCurrentThreadId());
    }
    ~TMenuFilterHook()
    {
        TTracking& t = Tracking();
        if (t.Hook)
            UnhookWindowsHookEx(t.Hook);
        t.Hook = nullptr;
        t.Bar = nullptr;
        t.Current = -1;
    }
    TMenuFilterHook(const TMenuFilterHook&) = delete;
    TMenuFilterHook& operator=(const TMenuFilterHook&) = delete;
};

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

bool MenuFilterHookInstalled()
{
    return Tracking().Hook != nullptr;
}

void NoteMenuSelect(WPARAM wParam, LPARAM lParam)
{
    TTracking& t = Tracking();
    if (!t.Bar || (HIWORD(wParam) == 0xFFFF && lParam == 0))
        return;
    t.Selected = reinterpret_cast<HMENU>(lParam);
    t.SelectedOpens = (HIWORD(wParam) & MF_POPUP) != 0;
}

TSkinMenuBar::~TSkinMenuBar()
{
    *alive_ = false;
    FreeButtons();
    // The window goes (or lets the skin go) while a drop-down is open.
    if (Tracking().Bar == this) {
        Tracking().Bar = nullptr;
        EndMenu();
    }
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
            TMenuFilterHook hook(*this, index);
            if (fromKeyboard)  // the drop-down opens with its first item selected
                PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
            TrackPopupMenu(button.Submenu, TPM_NONOTIFY | TPM_RIGHTBUTTON | (rightToLeft ? TPM_RIGHTALIGN : 0), x,
                           y, 0, window, nullptr);
            if (!*alive)
                return;
            next = Tracking().Next;
            fromKeyboard = Tracking().NextByKeyboard;
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
