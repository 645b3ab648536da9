// The menu parts of the skin engine: the skinned menu bar, the owner-drawn
// items of its drop-downs, of the skinned system menu and of a form's popup
// menus, and the skinner of popup-menu windows. InstallMenuParts puts them
// in the engine's part slots; the program does so at start-up.
#pragma once

namespace skin {

void InstallMenuParts();

} // namespace skin
