#include "skin/format/LZH.h"

#include "skin/format/LittleEndian.h"

#include <algorithm>
#include <string>
#include <utility>

namespace skin {

namespace {

// Refuses a declared unpacked size that a package of `codeSize` code bytes
// cannot be, before anything is allocated for it.
void CheckDeclaredSize(int32_t size, size_t codeSize)
{
    if (size < 0)
        throw ElzhException("LZH : The compressed skin package declares a negative length (" +
                            std::to_string(size) + ")");
    if (size > MaxUnpackedSize)
        throw ElzhException("LZH : The compressed skin package declares " + std::to_string(size) +
                            " bytes, more than the limit of " + std::to_string(MaxUnpackedSize));
    if (size > MaxUnpackedSizeOf(codeSize))
        throw ElzhException("LZH : The compressed skin package declares " + std::to_string(size) +
                            " bytes, more than its " + std::to_string(codeSize) + " coded bytes can hold");
}

} // namespace

std::vector<uint8_t> UnpackLzhPackage(std::span<const uint8_t> package, size_t* consumed)
{
    if (package.size() < 4)
        throw ElzhException("LZH : The compressed skin package is too short to hold its length");
    const int32_t size = ReadInt32LE(package, 0);
    const std::span<const uint8_t> code = package.subspan(4);
    CheckDeclaredSize(size, code.size());

    auto [out, tree] = lzh::AllocateOrRaise([size] {
        return std::pair(std::vector<uint8_t>(static_cast<size_t>(size) + lzh::BufferOutput::MatchSlack),
                         std::make_unique<lzh::AdaptiveTree>());
    });
    lzh::BitReader<lzh::SpanSource> bits{lzh::SpanSource(code)};
    lzh::BufferOutput output(out.data());
    lzh::Decode(size, bits, *tree, output);
    out.resize(output.Size());
    if (consumed)
        *consumed = static_cast<size_t>(std::min<uint64_t>(bits.BytesFetchedOnDemand(), code.size()));
    return out;
}

} // namespace skin
