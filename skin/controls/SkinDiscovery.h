// Control discovery: which skinner, if any, takes over each control of a
// skinned window. A framework form's controls are decided by their class (a
// type rule, the skin data's Skin3rd list of other libraries' classes, or
// the OnSkinControl event), always subject to the SkinControls switches and
// DisableTag; a bare window's children by window class and style.
#pragma once

namespace skin {

// Fills the control-discovery slots of SkinParts(); the program calls it once
// before it skins anything. While they are empty controls keep their own look.
void InstallControlSkinning();

} // namespace skin
