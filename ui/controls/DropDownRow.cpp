#include "ui/controls/DropDownRow.h"

#include "ui/forms/ErrorGuard.h"

namespace ui {

namespace {

// What the hook knows of the one drop-down being tracked.
struct TTracking {
    TDropDownRow* Row = nullptr;
    bool RowGone = false;
    int Current = -1;
    int Next = -1;
    bool NextByKeyboard = false;
    HMENU Selected = nullptr;    // the menu of the item selected last
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
    return lstrcmpW(name, L"#32768") == 0;
}

void SwitchTo(int index, bool byKeyboard)
{
    TTracking& t = Tracking();
    t.Next = index;
    t.NextByKeyboard = byKeyboard;
    EndMenu();
}

// The neighbour of the current button on the screen, to the left or right,
// wrapping at the ends; buttons without a drop-down are passed over.
int Neighbour(const TDropDownRow& row, int current, bool towardsRight)
{
    const int count = row.DropDownCount();
    const int step = towardsRight != row.DropDownRowRightToLeft() ? 1 : -1;
    for (int i = 1; i <= count; ++i) {
        const int index = ((current + step * i) % count + count) % count;
        if (row.OpensDropDown(index))
            return index;
    }
    return current;
}

// One message of the menu's loop; true when the hook took it.
bool FilterMenuMessage(const MSG& msg)
{
    TTracking& t = Tracking();
    TDropDownRow& row = *t.Row;
    switch (msg.message) {
    case WM_KEYDOWN:
        // Left leaves the drop-down from its top level; right moves on from
        // an item that opens nothing. Otherwise the system opens or closes
        // a sub-menu.
        if (msg.wParam == VK_LEFT && (!t.Selected || t.Selected == row.DropDownMenu(t.Current))) {
            SwitchTo(Neighbour(row, t.Current, false), true);
            return true;
        }
        if (msg.wParam == VK_RIGHT && !t.SelectedOpens) {
            SwitchTo(Neighbour(row, t.Current, true), true);
            return true;
        }
        return false;
    case WM_MOUSEMOVE: {
        if (msg.pt.x == t.LastMouse.x && msg.pt.y == t.LastMouse.y)
            return false;
        t.LastMouse = msg.pt;
        const int button = row.DropDownButtonAt(msg.pt);
        if (button >= 0 && button != t.Current && row.OpensDropDown(button))
            SwitchTo(button, false);
        return false;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (IsPopupMenuWindow(WindowFromPoint(msg.pt)))
            return false;
        const int button = row.DropDownButtonAt(msg.pt);
        if (button >= 0 && button != t.Current && row.OpensDropDown(button))
            SwitchTo(button, false);
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
    if (code == MSGF_MENU && t.Row && t.Next < 0)
        CallGuarded([&] { taken = FilterMenuMessage(*reinterpret_cast<const MSG*>(lParam)); });
    return taken ? 1 : CallNextHookEx(t.Hook, code, wParam, lParam);
}

} // namespace

TDropDownHook::TDropDownHook(TDropDownRow& row, int current)
{
    TTracking& t = Tracking();
    t = TTracking{};
    t.Row = &row;
    t.Current = current;
    GetCursorPos(&t.LastMouse);
    t.Hook = SetWindowsHookExW(WH_MSGFILTER, &MenuFilterProc, nullptr, GetCurrentThreadId());
}

TDropDownHook::~TDropDownHook()
{
    TTracking& t = Tracking();
    if (t.Hook)
        UnhookWindowsHookEx(t.Hook);
    t = TTracking{};
}

int TDropDownHook::Next() const
{
    return Tracking().Next;
}

bool TDropDownHook::NextByKeyboard() const
{
    return Tracking().NextByKeyboard;
}

bool TDropDownHook::RowGone() const
{
    return Tracking().RowGone;
}

void ForgetDropDownRow(const TDropDownRow& row)
{
    TTracking& t = Tracking();
    if (t.Row != &row)
        return;
    t.Row = nullptr;
    t.RowGone = true;
    EndMenu();
}

void NoteDropDownSelect(WPARAM wParam, LPARAM lParam)
{
    TTracking& t = Tracking();
    if (!t.Row || (HIWORD(wParam) == 0xFFFF && lParam == 0))
        return;
    t.Selected = reinterpret_cast<HMENU>(lParam);
    t.SelectedOpens = (HIWORD(wParam) & MF_POPUP) != 0;
}

bool DropDownHookInstalled()
{
    return Tracking().Hook != nullptr;
}

} // namespace ui
