// The menu parts of the skin engine: the skinned menu bar, the owner-drawn
// items of its drop-downs, of the skinned system menu and of a form's popup
// menus, and the skinner of popup-menu windows. InstallMenuParts puts them
// in the engine's part slots; the program does so at start-up.
#pragma once

#include <windows.h>

namespace skin {

void InstallMenuParts();

// The menu loop selected an item (WM_MENUSELECT of the window a drop-down of
// the skinned menu bar belongs to); the bar's keyboard navigation follows it.
void NoteMenuSelect(WPARAM wParam, LPARAM lParam);

} // namespace skin
