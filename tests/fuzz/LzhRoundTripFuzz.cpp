// Fuzz target: any bytes packed by the skin packer's encoder and unpacked
// again are the same bytes, through the package path and through the
// byte-at-a-time callbacks.
#include "FuzzReaders.h"
#include "FuzzSupport.h"
#include "skin/LZH.h"
#include "skin/LZHEncoder.h"

#include <algorithm>

namespace {

// Whether `decoded` starts with `text` (a final match may run past its end).
bool StartsWith(const std::vector<std::uint8_t>& decoded, std::span<const std::uint8_t> text)
{
    return decoded.size() >= text.size() && std::equal(text.begin(), text.end(), decoded.begin());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    return fuzz::AddDefaultFlags(argc, argv, 1024);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::CheckInputSize(size);
    const std::span<const std::uint8_t> text(data, size);
    fuzz::Check(StartsWith(skin::UnpackLzhPackage(skin::PackLzhPackage(text)), text),
                "the package path gives back the packed bytes");
    fuzz::Check(StartsWith(fuzz::UnpackThroughCallbacks(static_cast<int32_t>(size), skin::LzhEncode(text)), text),
                "the callbacks give back the packed bytes");
    return 0;
}
