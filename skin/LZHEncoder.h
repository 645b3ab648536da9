// The LZHUF encoder: the exact inverse of TLZH, used by the skin packer.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace skin {

// The LZHUF code of `text`, without a length word. An empty text gives an
// empty code.
std::vector<uint8_t> LzhEncode(std::span<const uint8_t> text);

// A compressed package as UnpackLzhPackage reads it: the 4-byte little-endian
// length of `text`, then its code. Raises ElzhException for a text above
// MaxUnpackedSize.
std::vector<uint8_t> PackLzhPackage(std::span<const uint8_t> text);

} // namespace skin
