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
//
// A reader needs only the bytes from offset 399 up to the tab. Files are
// never read whole: the encoded text has an upper bound, and a file without
// a tab within it is damaged.
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

// The longest encoded text a file may hold: passwords of up to 3072 bytes.
// Saving refuses longer passwords, so every file we write can be read back.
inline constexpr std::size_t PassFileMaxEncoded = 4096;
// How many bytes after the head a reader takes: the longest encoded text and
// its tab.
inline constexpr std::size_t PassFileReadSize = PassFileMaxEncoded + 1;

// Raised (as ui::EInOutError) for a file whose encoded text has no tab
// after it.
inline constexpr const char* SPassFileDamaged = "密码文件已损坏，不能正常运行";
// Raised (as ui::Exception) when a password is too long to be saved.
inline constexpr const char* SPasswordTooLong = "新密码太长，未保存";

// Draws a whole number from 0 to range - 1.
using RandomSource = std::function<std::uint32_t(std::uint32_t range)>;

// The complete file for the password bytes (system ANSI code page) after the
// first 399 bytes of exeBytes; the filler comes from random: first its length,
// then each byte. Raises ui::EInOutError(SReadBeyondEnd) when exeBytes is
// shorter than 399 bytes, as reading the executable's head would, and
// ui::Exception(SPasswordTooLong) when the password's encoded text would be
// longer than PassFileMaxEncoded.
std::string BuildPassFile(std::string_view exeBytes, std::string_view password,
                          const RandomSource& random);

// The encoded password: the bytes before the first tab. afterHead is what the
// file holds from offset 399 on, at least its first PassFileReadSize bytes
// when it has that many (more are ignored). Raises ui::EInOutError with
// SReadBeyondEnd when the file ends at offset 399 or holds one byte after it
// that is not a tab (a byte-by-byte reader passes the end there), and with
// SPassFileDamaged for any other file without a tab within
// PassFileMaxEncoded bytes: a file cut short, or one that is no password file.
std::string ReadEncodedPassword(std::string_view afterHead);

} // namespace kex
