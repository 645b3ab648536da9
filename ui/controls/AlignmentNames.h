// The names forms give TAlignment's values, for the properties of the
// status bar's panels, the header control's sections and the list view's
// columns. Internal to ui/controls.
#pragma once

#include <string>
#include <vector>

namespace ui {

inline const std::vector<std::string> AlignmentNames = {"taLeftJustify", "taRightJustify", "taCenter"};

} // namespace ui
