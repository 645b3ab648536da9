// Common dialogs of the framework.
#pragma once

#include <string>

namespace ui {

// The directory-selection dialog (caption "选择目录"): starts at the process's
// current directory, lets the user pick an existing folder only (no new-folder
// button, no help). Returns true with the chosen folder's full path in
// directory; on cancel returns false and leaves directory unchanged.
bool SelectDirectory(std::wstring& directory);

} // namespace ui
