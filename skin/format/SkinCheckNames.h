// The skin checker's messages for a section or key the engine does not
// read, with the nearest name it does read when one is close: most such
// names are typing errors.
#pragma once

#include "skin/format/SkinKeys.h"

#include <string>
#include <string_view>

namespace skin {

// The number of single-character insertions, deletions and substitutions
// that turn `a` into `b`, letter case aside.
size_t EditDistance(std::string_view a, std::string_view b);

std::string UnknownSectionMessage(std::string_view name);
std::string UnknownKeyMessage(const TSkinSection& section, std::string_view name);

} // namespace skin
