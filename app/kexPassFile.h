// The layout of the password file kex_run.dll, independent of where its bytes
// come from or go to.
//
//   offset    length  content
//   0         399     the first 399 bytes of the executable (never checked
//                     when reading, so a file loads whatever they hold)
//   399       L       the password's Base64 text, L = 4 * ceil(n / 3)
//   399 + L   1       a tab, the terminator (never a Base64 character)
//   400 + L   R       filler: 500 <= R <= 1499 random bytes, each 0-254
//
// The filler only makes the file's size and tail change at every save.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kex {

inline constexpr std::size_t PassFileHeadSize = 399;
inline constexpr char PassFileTerminator = '\t';
inline constexpr std::uint32_t PassFileTailMin = 500;
// The filler length is PassFileTailMin plus a draw below this.
inline constexpr std::uint32_t PassFileTailSpan = 1000;
// Each filler byte is a draw below this, so 255 never occurs.
inline constexpr std::uint32_t PassFileByteSpan = 255;

// Draws a whole number from 0 to range - 1.
using RandomSource = std::function<std::uint32_t(std::uint32_t range)>;

// The complete file for the password bytes (system ANSI code page) after the
// first 399 bytes of exeBytes; the filler comes from random: first its length,
// then each byte. Raises ui::EInOutError(SReadBeyondEnd) when exeBytes is
// shorter than 399 bytes, as reading the executable's head would.
std::string BuildPassFile(std::string_view exeBytes, std::string_view password,
                          const RandomSource& random);

// The encoded password as reading the file byte by byte from offset 399 finds
// it: everything before the first tab; if no tab comes, everything but the
// last byte, since the read that reaches the end of the file is not kept.
// Raises ui::EInOutError(SReadBeyondEnd) when a read would pass the end: the
// file ends at or before offset 399, or holds one byte after it that is not a
// tab.
std::string ReadEncodedPassword(std::string_view fileBytes);

} // namespace kex
