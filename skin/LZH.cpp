#include "skin/LZH.h"

#include "skin/LittleEndian.h"
#include "skin/LzhTree.h"

#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <string>

namespace skin {

namespace {

using namespace lzh;

// Decoder state: the dictionary ring, the Huffman tree and the bit buffer.
class Decoder {
public:
    Decoder(const TLZH::ReadProc& read, const TLZH::WriteProc& write) : read_(read), write_(write)
    {
        ring_.fill(0);
        std::fill_n(ring_.begin(), RingStart, uint8_t{' '});
    }

    void Run(int32_t textSize)
    {
        int r = RingStart;
        int64_t count = 0;
        while (count < textSize) {
            const int c = tree_.DecodeSymbol([this] { return GetBit(); });
            if (c < 256) {
                Put(static_cast<uint8_t>(c), r);
                ++count;
                continue;
            }
            const int p = (r - DecodePosition() - 1) & RingMask;
            const int length = MatchLength(c);
            for (int k = 0; k < length; ++k)
                Put(ring_[(p + k) & RingMask], r);
            count += length;
        }
    }

private:
    void Put(uint8_t b, int& r)
    {
        uint16_t written = 0;
        write_(&b, 1, written);
        ring_[r] = b;
        r = (r + 1) & RingMask;
    }

    // Keeps at least nine bits in the buffer; input past the end reads as 0.
    void Refill()
    {
        while (bitCount_ <= 8) {
            uint8_t b = 0;
            uint16_t got = 0;
            read_(&b, 1, got);
            if (got != 1)
                b = 0;
            bitBuffer_ = static_cast<uint16_t>(bitBuffer_ | (b << (8 - bitCount_)));
            bitCount_ += 8;
        }
    }

    int GetBit()
    {
        Refill();
        const int bit = bitBuffer_ >> 15;
        bitBuffer_ = static_cast<uint16_t>(bitBuffer_ << 1);
        --bitCount_;
        return bit;
    }

    int GetByte()
    {
        Refill();
        const int byte = bitBuffer_ >> 8;
        bitBuffer_ = static_cast<uint16_t>(bitBuffer_ << 8);
        bitCount_ -= 8;
        return byte;
    }

    // A match position: the upper six bits from the prefix table, then six
    // raw bits.
    int DecodePosition()
    {
        unsigned i = static_cast<unsigned>(GetByte());
        const int upper = PositionTable[i].upper << 6;
        for (int j = PositionTable[i].length - 2; j > 0; --j)
            i = ((i << 1) + static_cast<unsigned>(GetBit())) & 0xFFFF;
        return upper | static_cast<int>(i & 0x3F);
    }

    const TLZH::ReadProc& read_;
    const TLZH::WriteProc& write_;
    std::array<uint8_t, RingBufferSize> ring_;
    AdaptiveTree tree_;
    uint16_t bitBuffer_ = 0;
    uint8_t bitCount_ = 0;
};

} // namespace

void TLZH::Unpack(int32_t textSize, const ReadProc& read, const WriteProc& write)
{
    std::unique_ptr<Decoder> decoder;
    try {
        decoder = std::make_unique<Decoder>(read, write);
    } catch (const std::bad_alloc&) {
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
    decoder->Run(textSize);
}

std::vector<uint8_t> UnpackLzhPackage(std::span<const uint8_t> package, size_t* consumed)
{
    if (package.size() < 4)
        throw ElzhException("LZH : The compressed skin package is too short to hold its length");
    const int32_t size = ReadInt32LE(package, 0);
    const std::span<const uint8_t> code = package.subspan(4);
    if (size < 0)
        throw ElzhException("LZH : The compressed skin package declares a negative length (" +
                            std::to_string(size) + ")");
    if (size > MaxUnpackedSize)
        throw ElzhException("LZH : The compressed skin package declares " + std::to_string(size) +
                            " bytes, more than the limit of " + std::to_string(MaxUnpackedSize));
    if (size > MaxUnpackedSizeOf(code.size()))
        throw ElzhException("LZH : The compressed skin package declares " + std::to_string(size) +
                            " bytes, more than its " + std::to_string(code.size()) + " coded bytes can hold");

    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(size) + MaxMatch);
    size_t position = 0;
    TLZH lzh;
    lzh.Unpack(
        size,
        [&](uint8_t* buffer, uint16_t requested, uint16_t& actual) {
            actual = static_cast<uint16_t>(std::min<size_t>(requested, code.size() - position));
            std::copy_n(code.begin() + static_cast<ptrdiff_t>(position), actual, buffer);
            position += actual;
        },
        [&](const uint8_t* buffer, uint16_t requested, uint16_t& actual) {
            out.insert(out.end(), buffer, buffer + requested);
            actual = requested;
        });
    if (consumed)
        *consumed = position;
    return out;
}

} // namespace skin
