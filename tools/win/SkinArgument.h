// The skin a Windows tool is started on (the demo program, the contact
// sheet): a skin folder or a skin file, put in place of the compiled-in skin,
// so that a skin's author sees the skin before it is compiled in.
#pragma once

#include <string>

namespace skin {
class TSkinData;
}

namespace tools {

// Puts the skin at path, a skin folder or a skin file, in place of the one
// `data` holds. A folder is checked and packed as `skintool pack --skin-file`
// does it; a file is loaded through the SkinFile property, with the checks of
// any load. A skin that cannot be used is shown through the application's
// error handling, with every error the check found, and `data` keeps (or
// gets back) the skin it held; false then.
bool UseSkin(skin::TSkinData& data, const std::wstring& path);

} // namespace tools
