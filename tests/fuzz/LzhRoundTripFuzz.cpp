// Fuzz target: any bytes packed by the skin packer's encoder and unpacked
// again are the same bytes, through the package path and through the
// byte-at-a-time callbacks.
#include "FuzzReaders.h"
#include "FuzzSupport.h"
#include "skin/format/LZH.h"
#include "skin/format/LZHEncoder.h"

#include <algorithm>

namespace {

// Whether `decoded` starts with `text` (a final match may run past its end).
bool StartsWith(const std::vector<std::uint8_t>& decoded, std::span<const std::uint8_t> text)
{
    return decoded.size() >= text.size() && std::equal(text.begin(), text.end(), decoded.begin());
}

} // namespace

const std::size_t fuzz::TargetMaxLen = 1024;

void fuzz::TestOneInput(std::span<const std::uint8_t> input)
{
    fuzz::Check(StartsWith(skin::UnpackLzhPackage(skin::PackLzhPackage(input)), input),
                "the package path gives back the packed bytes");
    fuzz::Check(StartsWith(fuzz::UnpackThroughCallbacks(static_cast<int32_t>(input.size()), skin::LzhEncode(input)), input),
                "the callbacks give back the packed bytes");
}
