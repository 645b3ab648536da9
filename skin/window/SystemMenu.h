// The skinned system menu: a popup menu of the framework, owner-drawn with
// the skin's menu glyphs, built from the window's own system menu at every
// opening. Its items post their system command to the window.
#pragma once

#include <windows.h>

#include "skin/data/BuiltinPictures.h"
#include "ui/controls/Menus.h"

namespace skin {

class TWinSkinForm;

// The Tag that marks the skinned system menu among popup menus.
inline constexpr int SystemMenuTag = 33333;

// When an item of the system menu can be chosen.
enum class TSystemItemEnabled {
    AsSystemItem,           // as the window's system menu has it
    NotMaximized,           // sizing and moving
    NotMinimizedWithBox,    // minimising: not minimised, and a minimise box
    NotMaximizedWithBox,    // maximising: not maximised, and a maximise box
    NotNormal,              // restoring
};

// The glyph and the enabling rule of a system command.
struct TSystemItemRule {
    UINT Command;
    int ImageIndex;  // a TMenuGlyph, or -1
    TSystemItemEnabled Enabled;
};

inline constexpr TSystemItemRule SystemItemRules[] = {
    {SC_SIZE, -1, TSystemItemEnabled::NotMaximized},
    {SC_MOVE, -1, TSystemItemEnabled::NotMaximized},
    {SC_MINIMIZE, mgMinimize, TSystemItemEnabled::NotMinimizedWithBox},
    {SC_MAXIMIZE, mgMaximize, TSystemItemEnabled::NotMaximizedWithBox},
    {SC_CLOSE, mgClose, TSystemItemEnabled::AsSystemItem},
    {SC_RESTORE, mgRestore, TSystemItemEnabled::NotNormal},
};

// The rule of a command; commands of no row have no glyph and are enabled
// as the system item is.
TSystemItemRule SystemItemRuleOf(UINT command);

// The popup menu of the window's system menu as the skin shows it, a
// component of the controller (freed with it, or deleted): one item per item
// of the system menu (Tag: its command; "-" for a separator), or, on systems
// before the NT family's version 5, a fixed menu of restore, maximise,
// minimise and close.
ui::TPopupMenu* BuildSystemMenuPopup(TWinSkinForm& form);

} // namespace skin
