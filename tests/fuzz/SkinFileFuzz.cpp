// Fuzz target: a skin file (a compressed package) or a SkinStream value (the
// same with its length in front), read as the skin loader reads it: unpacked,
// the layout checked, the description read and every picture decoded.
#include "FuzzReaders.h"
#include "FuzzSupport.h"
#include "skin/format/LittleEndian.h"
#include "skin/format/LZH.h"
#include "skin/format/SkinReader.h"

namespace {

// While fuzzing, packages that unpack to more than this are skipped: a small
// skin's description and pictures fit, and every input stays quick.
constexpr std::int64_t MaxUnpackedWhileFuzzing = 256 * 1024;

// A SkinStream value is known by a first word that counts exactly the bytes
// after it; anything else is taken as a skin file.
std::span<const std::uint8_t> CompressedPackageOf(std::span<const std::uint8_t> input)
{
    if (input.size() >= 4 && skin::ReadInt32LE(input, 0) == static_cast<int64_t>(input.size()) - 4)
        return skin::UnframeSkinStream(input);
    return input;
}

} // namespace

const std::size_t fuzz::TargetMaxLen = 16384;

void fuzz::TestOneInput(std::span<const std::uint8_t> input)
{
    skin::TSkinReader reader;
    try {
        const std::span<const std::uint8_t> package = CompressedPackageOf(input);
        if (!fuzz::UnpackedSizeFits(package, MaxUnpackedWhileFuzzing) || !reader.LoadPackage(package))
            return;
    } catch (const skin::ElzhException&) {
        return;
    } catch (const skin::ESkinPackageError&) {
        return;
    }
    fuzz::ReadPackageEntries(reader);
}
