// Fuzz target: an LZH stream as a compressed skin package carries it (the
// 4-byte unpacked length, then the code). It is decoded twice, through the
// package path and through the byte-at-a-time callbacks, and both must agree
// on every byte the length declares.
#include "FuzzReaders.h"
#include "FuzzSupport.h"
#include "skin/format/LittleEndian.h"
#include "skin/format/LZH.h"

#include <algorithm>

namespace {

// While fuzzing, longer outputs add no paths: the dictionary wraps every 4 KiB.
constexpr std::int64_t MaxUnpackedWhileFuzzing = 64 * 1024;

} // namespace

const std::size_t fuzz::TargetMaxLen = 4096;

void fuzz::TestOneInput(std::span<const std::uint8_t> input)
{
    if (!fuzz::UnpackedSizeFits(input, MaxUnpackedWhileFuzzing))
        return;
    std::vector<std::uint8_t> unpacked;
    std::size_t consumed = 0;
    try {
        unpacked = skin::UnpackLzhPackage(input, &consumed);
    } catch (const skin::ElzhException&) {
        return;
    }
    // The package path accepted the length word, so it is there and within
    // what the code can yield.
    const int32_t declared = skin::ReadInt32LE(input, 0);
    const auto length = static_cast<std::size_t>(declared);
    fuzz::Check(unpacked.size() >= length, "the package path writes at least the declared length");
    fuzz::Check(consumed <= input.size() - 4, "the decoder reads no more code than there is");
    const std::vector<std::uint8_t> again = fuzz::UnpackThroughCallbacks(declared, input.subspan(4));
    fuzz::Check(again.size() >= length, "the callbacks receive at least the declared length");
    fuzz::Check(std::equal(unpacked.begin(), unpacked.begin() + static_cast<std::ptrdiff_t>(length), again.begin()),
                "both paths decode the same bytes");
}
