// The framework's own window messages, and the message record that the
// replaceable per-control message-handling method receives.
//
// Notifications (CM_*) are sent to a control with Perform at the moment their
// names say; skinners that replace a control's WindowProc listen for them.
// Reflected notifications (CN_*) are the parent's WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM, WM_CTLCOLOR* and scroll messages sent back to the child
// control they concern, as CN_BASE + the original message.
#pragma once

#include <windows.h>

namespace ui {

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

enum : UINT {
    CM_BASE = 0xB000,
    CM_ACTIVATE = CM_BASE + 0x00,        // a form became the active form
    CM_DEACTIVATE = CM_BASE + 0x01,      // a form stopped being the active form
    CM_DIALOGKEY = CM_BASE + 0x05,       // Tab, Enter, Esc or an arrow key, before the control sees it
    CM_DIALOGCHAR = CM_BASE + 0x06,      // a character for accelerator look-up
    CM_FOCUSCHANGED = CM_BASE + 0x07,    // the focused control of a form changed (LParam: the control)
    CM_PARENTFONTCHANGED = CM_BASE + 0x08,
    CM_PARENTCOLORCHANGED = CM_BASE + 0x09,
    CM_VISIBLECHANGED = CM_BASE + 0x0B,  // WParam: the new Visible
    CM_ENABLEDCHANGED = CM_BASE + 0x0C,  // after Enabled changed
    CM_COLORCHANGED = CM_BASE + 0x0D,
    CM_FONTCHANGED = CM_BASE + 0x0E,
    CM_TEXTCHANGED = CM_BASE + 0x12,     // after Caption/Text changed
    CM_MOUSEENTER = CM_BASE + 0x13,      // the mouse entered the control
    CM_MOUSELEAVE = CM_BASE + 0x14,      // the mouse left the control
    CM_MENUCHANGED = CM_BASE + 0x15,     // a form's menu changed
    CM_BUTTONPRESSED = CM_BASE + 0x18,   // a speed button of group WParam went down (LParam: the button)
    CM_RELEASE = CM_BASE + 0x21,         // posted by TForm::Release: free the form
    CM_CONTROLLISTCHANGE = CM_BASE + 0x2C,  // sent to the top window: a control came or its window was made (WParam: it)
    CM_RECREATEWND = CM_BASE + 0x33,     // destroy and remake the window handle
    CM_SHOWN = CM_BASE + 0x35,           // sent to a top window just shown, once the system has shown it
    CM_SHOWING = CM_BASE + 0x36,         // sent to a top window about to be shown, before the system shows it

    CN_BASE = 0xBC00,
    CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT,
    CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX,
    CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN,
    CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC,
    CN_DRAWITEM = CN_BASE + WM_DRAWITEM,
    CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM,
    CN_NOTIFY = CN_BASE + WM_NOTIFY,
    CN_COMMAND = CN_BASE + WM_COMMAND,
    CN_HSCROLL = CN_BASE + WM_HSCROLL,
    CN_VSCROLL = CN_BASE + WM_VSCROLL,
};

} // namespace ui
