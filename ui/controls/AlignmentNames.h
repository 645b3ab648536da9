// The names forms give TAlignment's values, for the properties of the
// status bar's panels and the header control's sections. Internal to
// ui/controls.
#pragma once

#include <string>
#include <vector>

namespace ui {

inline const std::vector<std::string> AlignmentNames = {"taLeftJustify", "taRightJustify", "taCenter"};

} // namespace ui
