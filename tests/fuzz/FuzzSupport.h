// What the fuzz targets share: libFuzzer's entry points with the limits every
// target runs with, and a check that turns a broken promise of the code under
// test into a crash that libFuzzer records with its input.
//
// The entry points set these flags in front of the command line's own, so
// that a flag given there still wins:
//   -malloc_limit_mb=256  one allocation of 256 MiB or more is a finding (the
//                         largest a valid input needs is a picture of just
//                         under 256 MiB, the picture reader's limit);
//   -rss_limit_mb=1024    so is a process that grows past 1 GiB;
//   -timeout=60           and one input that takes longer than a minute;
//   -max_len=TargetMaxLen the longest input made while fuzzing; left out when
//                         files are named, since libFuzzer would cut them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace fuzz {

// Each target defines these two.
extern const std::size_t TargetMaxLen;
// Reads one input of at most MaxInput bytes.
void TestOneInput(std::span<const std::uint8_t> input);

// The longest input a target takes: fuzzing makes none this long (-max_len),
// and every regression input fits. A longer one fails rather than passing
// unread, so that a regression input that outgrows the limit is noticed.
inline constexpr std::size_t MaxInput = 1024 * 1024;

// Whether the target is fuzzing (its inputs come from corpus folders) rather
// than reading files named on the command line, such as regression inputs.
bool Fuzzing();

// Reports a broken promise and aborts, so that libFuzzer keeps the input.
[[noreturn]] void Fail(const std::string& what);

inline void Check(bool kept, const char* promise)
{
    if (!kept)
        Fail(promise);
}

inline std::string_view AsText(std::span<const std::uint8_t> bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

} // namespace fuzz
