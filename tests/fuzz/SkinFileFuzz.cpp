// Fuzz target: a skin file (a compressed package) or a SkinStream value (the
// same with its length in front), read as the skin loader reads it: unpacked,
// the layout checked, the description read and every picture decoded.
#include "FuzzReaders.h"
#include "FuzzSupport.h"
#include "skin/LZH.h"
#include "skin/LittleEndian.h"
#include "skin/SkinReader.h"

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

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    return fuzz::AddDefaultFlags(argc, argv, 16384);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::CheckInputSize(size);
    skin::TSkinReader reader;
    try {
        const std::span<const std::uint8_t> package = CompressedPackageOf({data, size});
        if (!fuzz::UnpackedSizeFits(package, MaxUnpackedWhileFuzzing) || !reader.LoadPackage(package))
            return 0;
    } catch (const skin::ElzhException&) {
        return 0;
    } catch (const skin::ESkinPackageError&) {
        return 0;
    }
    fuzz::ReadPackageEntries(reader);
    return 0;
}
