// The skin checker's test of one value against the kind of its key
// (SkinKeys.h): whole numbers where numbers go, within the range the engine
// keeps them in, and colours as three numbers 0 ... 255.
#pragma once

#include "skin/format/SkinKeys.h"
#include "skin/format/WinSkinIni.h"

#include <optional>
#include <string>
#include <string_view>

namespace skin {

// What is wrong with `value`, the value of `key` in section `section` of
// `ini` (which reads the number as the engine does); nothing for a right or
// empty value. A picture's name is only checked for its form here.
std::optional<std::string> ValueFault(const TSkinKey& key, std::string_view value, const TQuickIni& ini,
                                      std::string_view section);

} // namespace skin
