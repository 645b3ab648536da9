// A row of buttons that each drop a menu: a menu bar the program draws
// itself, or a tool bar showing a main menu. While one of the row's
// drop-downs is open, and only then, a message-filter hook watches the
// menu's loop: the pointer reaching another button of the row, or the left
// and right arrows at the ends of a drop-down, close the open drop-down
// (EndMenu) and leave the next button for the caller's loop, which opens it
// once the system's menu loop has returned. A press on the open drop-down's
// own button, or anywhere outside the menus, closes them and does nothing
// else.
#pragma once

#include <windows.h>

namespace ui {

class TDropDownRow {
public:
    virtual ~TDropDownRow() = default;
    virtual int DropDownCount() const = 0;
    // The button under a point of the screen, or -1.
    virtual int DropDownButtonAt(POINT screen) = 0;
    // Whether the button opens a drop-down now (shown, enabled, with items).
    virtual bool OpensDropDown(int index) const = 0;
    virtual HMENU DropDownMenu(int index) const = 0;
    // Whether the row runs from the right: "right" then means backwards.
    virtual bool DropDownRowRightToLeft() const = 0;
};

// The hook, for the time one drop-down of a row is open.
class TDropDownHook {
public:
    TDropDownHook(TDropDownRow& row, int current);
    ~TDropDownHook();
    TDropDownHook(const TDropDownHook&) = delete;
    TDropDownHook& operator=(const TDropDownHook&) = delete;

    // The button whose drop-down opens next, or -1 for none.
    int Next() const;
    // The user moved on with the keyboard: the next drop-down opens with
    // its first item selected.
    bool NextByKeyboard() const;
    // The row went (ForgetDropDownRow) while its drop-down was open.
    bool RowGone() const;
};

// The row goes while one of its drop-downs is open: the menus close, and
// the loop that opened them must not touch the row any more.
void ForgetDropDownRow(const TDropDownRow& row);
// WM_MENUSELECT of the window that owns an open drop-down: the arrow keys
// follow the selected item.
void NoteDropDownSelect(WPARAM wParam, LPARAM lParam);
bool DropDownHookInstalled();

} // namespace ui
