// The LZH decompressor of skin packages (LZHUF: an LZSS sliding dictionary
// whose literals and match lengths are coded with an adaptive Huffman tree and
// whose match positions with a fixed prefix code plus six raw bits).
#pragma once

#include "skin/format/LzhDecoder.h"
#include "ui/core/SysUtils.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <vector>

namespace skin {

// Raised for decompressor failures: no memory for the tables or the output,
// or a compressed package that cannot be what it claims.
class ElzhException : public ui::Exception {
public:
    using Exception::Exception;
};

// The message of every failure to get the decompressor's memory: its tables
// and, when unpacking a package, the output buffer.
inline constexpr const char* SLzhNoMemory = "LZH : Cannot get memory for dictionary tables";

namespace lzh {

// Runs `allocate` and returns what it returns; running out of memory there
// raises ElzhException(SLzhNoMemory).
template <class Allocate>
decltype(auto) AllocateOrRaise(Allocate&& allocate)
{
    try {
        return allocate();
    } catch (const std::bad_alloc&) {
        throw ElzhException(SLzhNoMemory);
    }
}

} // namespace lzh

class TLZH {
public:
    // Decodes until at least `textSize` bytes are written. A final match is
    // written whole, so the output may end up to 59 bytes longer. Input is
    // never checked: whatever the bits say is decoded. A size of zero or less
    // writes nothing. The work is bounded by `textSize` only: for packages
    // from outside, use UnpackLzhPackage, which checks the size first.
    //
    // `read(uint8_t* buffer, uint16_t requested, uint16_t& actual)` and
    // `write(const uint8_t* buffer, uint16_t requested, uint16_t& actual)` are
    // called with one byte at a time. A read that delivers fewer bytes than
    // requested (the end of the input) is not an error: the missing byte counts
    // as zero. Any callables of these shapes will do; they are inlined.
    template <class Read, class Write>
    void Unpack(int32_t textSize, Read&& read, Write&& write)
    {
        struct Tables {
            explicit Tables(Write& write) : output(write) {}
            lzh::AdaptiveTree tree;
            lzh::RingOutput<Write> output;
        };
        const auto tables = lzh::AllocateOrRaise([&] { return std::make_unique<Tables>(write); });
        lzh::BitReader<lzh::CallbackSource<Read>> bits{lzh::CallbackSource<Read>(read)};
        lzh::Decode(textSize, bits, tables->tree, tables->output);
    }
};

// The largest unpacked size a compressed package may declare.
inline constexpr int32_t MaxUnpackedSize = 64 * 1024 * 1024;

// The most bytes `codedBytes` of LZHUF code can yield: every symbol costs at
// least one bit, a match at least ten bits for 60 bytes, so 48 bytes per byte.
constexpr int64_t MaxUnpackedSizeOf(size_t codedBytes) { return 48 * static_cast<int64_t>(codedBytes); }

// Unpacks a compressed package: a 4-byte little-endian unpacked length U and
// the LZHUF code. A package whose length word is missing, or whose U is
// negative, above MaxUnpackedSize or more than its code can yield, raises
// ElzhException, as does a lack of memory for the output (SLzhNoMemory).
// The code is decoded straight into the output. `consumed`, when given,
// receives how many code bytes TLZH::Unpack would have read from it.
std::vector<uint8_t> UnpackLzhPackage(std::span<const uint8_t> package, size_t* consumed = nullptr);

} // namespace skin
