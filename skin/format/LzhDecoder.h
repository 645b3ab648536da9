// The LZHUF decoding loop, templated on where the code comes from and where
// the text goes, so that the byte-at-a-time callbacks of TLZH and the
// memory-to-memory unpacking of a package share one decoder and each inlines
// its own input and output.
//
//   BitReader<Source>  the code, most significant bit first, from a 64-bit
//                      buffer that its Source fills (SpanSource: eight bytes
//                      at a time from memory; CallbackSource: one byte per
//                      call, exactly when the bits are needed);
//   RingOutput<Write>  the 4,096-byte dictionary ring, every byte handed to a
//                      callback;
//   BufferOutput       straight into one buffer, which is its own dictionary:
//                      a match copies from the text already written.
#pragma once

#include "skin/format/LzhTree.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace skin::lzh {

// What the dictionary holds before the first byte is decoded, in the order a
// match reaches back into it: `age` bytes before the text's first byte (1 to
// RingSize) lies a space for the RingStart nearest positions, a zero beyond.
constexpr uint8_t InitialDictionaryByte(ptrdiff_t age) { return age <= RingStart ? ' ' : 0; }

// Code bytes from memory. Past the end it delivers zero bytes, as the
// byte-at-a-time source does; it never reads past the end.
class SpanSource {
public:
    explicit SpanSource(std::span<const uint8_t> code)
        : begin_(code.data()), next_(code.data()), end_(code.data() + code.size())
    {
    }

    // Tops `buffer` up to at least 57 valid bits, eight bytes loaded at once.
    // The bits this leaves behind the valid ones belong to the next byte,
    // which the following refill ORs in again: they do not change.
    void Refill(uint64_t& buffer, int& count, int /*needed*/)
    {
        if (end_ - next_ >= 8) [[likely]] {
            buffer |= LoadBigEndian(next_) >> count;
            const int bytes = (63 - count) >> 3;
            next_ += bytes;
            count += 8 * bytes;
            return;
        }
        for (; count <= 56; count += 8) {
            if (next_ < end_)
                buffer |= uint64_t{*next_++} << (56 - count);
            else
                ++padding_;
        }
    }

    // Bytes delivered so far, zero bytes past the end included.
    uint64_t Delivered() const { return static_cast<uint64_t>(next_ - begin_) + padding_; }

private:
    static uint64_t LoadBigEndian(const uint8_t* bytes)
    {
        uint64_t word;
        std::memcpy(&word, bytes, sizeof word);
        if constexpr (std::endian::native == std::endian::little)
            word = __builtin_bswap64(word);
        return word;
    }

    const uint8_t* begin_;
    const uint8_t* next_;
    const uint8_t* end_;
    uint64_t padding_ = 0;
};

// Code bytes from a read procedure `read(buffer, requested, actual)`, one per
// call and only when the decoder needs more bits; a call that delivers no
// byte (the end of the input) counts as the byte 0.
template <class Read>
class CallbackSource {
public:
    explicit CallbackSource(Read& read) : read_(read) {}

    void Refill(uint64_t& buffer, int& count, int needed)
    {
        for (; count < needed; count += 8) {
            uint8_t byte = 0;
            uint16_t actual = 0;
            read_(&byte, uint16_t{1}, actual);
            if (actual != 1)
                byte = 0;
            buffer |= uint64_t{byte} << (56 - count);
            ++delivered_;
        }
    }

    uint64_t Delivered() const { return delivered_; }

private:
    Read& read_;
    uint64_t delivered_ = 0;
};

// The code as bits, the top bit of `buffer_` first. The format's reader
// fetches a byte whenever it holds fewer than nine bits before taking a bit,
// so it always holds eight bits beyond the last one taken; this reader asks
// its source for the same, so a source that reads on demand reads exactly the
// bytes the format's reader would.
template <class Source>
class BitReader {
public:
    explicit BitReader(Source source) : source_(source) {}

    int Bit()
    {
        Need(1 + 8);
        const int bit = static_cast<int>(buffer_ >> 63);
        buffer_ <<= 1;
        --count_;
        return bit;
    }

    // A match position (0..4095) in one table step: the next eight bits give
    // the prefix code of the upper six bits and its length L, and the six
    // bits after the code are the lower six.
    int Position()
    {
        Need(14);
        const auto next = static_cast<unsigned>(buffer_ >> 50);
        const PositionCode code = PositionTable[next >> 6];
        const unsigned lower = (next >> (8 - code.length)) & 0x3F;
        const int taken = code.length + 6;
        Need(taken + 8);
        buffer_ <<= taken;
        count_ -= taken;
        return static_cast<int>(code.upper << 6 | lower);
    }

    // How many code bytes the format's reader would have fetched by now: the
    // bits taken and eight more, rounded up to whole bytes.
    uint64_t BytesFetchedOnDemand() const
    {
        const uint64_t taken = 8 * source_.Delivered() - static_cast<uint64_t>(count_);
        return taken == 0 ? 0 : (taken + 8 + 7) / 8;
    }

private:
    void Need(int bits)
    {
        if (count_ < bits) [[unlikely]]
            source_.Refill(buffer_, count_, bits);
    }

    Source source_;
    uint64_t buffer_ = 0;
    int count_ = 0;
};

// Hands every decoded byte to a write procedure
// `write(buffer, requested, actual)`, one byte per call, and keeps the
// dictionary in a ring of RingSize bytes.
template <class Write>
class RingOutput {
public:
    explicit RingOutput(Write& write) : write_(write)
    {
        // The byte at ring position p is (RingStart - p) modulo RingSize bytes
        // old when the first byte goes to RingStart; zero counts as RingSize.
        for (int position = 0; position < RingSize; ++position)
            ring_[static_cast<size_t>(position)] = InitialDictionaryByte(((RingStart - position - 1) & RingMask) + 1);
    }

    void Literal(uint8_t byte)
    {
        uint16_t actual = 0;
        write_(&byte, uint16_t{1}, actual);
        ring_[static_cast<size_t>(r_)] = byte;
        r_ = (r_ + 1) & RingMask;
    }

    void Match(int distance, int length)
    {
        const int from = r_ - distance;
        for (int k = 0; k < length; ++k)
            Literal(ring_[static_cast<size_t>((from + k) & RingMask)]);
    }

private:
    Write& write_;
    std::array<uint8_t, RingSize> ring_;
    int r_ = RingStart;
};

// Writes the text straight into a buffer and copies matches from it in
// eight-byte steps. Those steps, like a final match that runs past the
// requested size, may write up to MatchSlack bytes past the requested size,
// so the buffer must have that much room beyond it.
class BufferOutput {
public:
    static constexpr size_t MatchSlack = MaxMatch + 8;

    explicit BufferOutput(uint8_t* buffer) : begin_(buffer), end_(buffer) {}

    void Literal(uint8_t byte) { *end_++ = byte; }

    void Match(int distance, int length)
    {
        uint8_t* to = end_;
        end_ += length;
        if (distance > to - begin_) [[unlikely]]
            return CopyFromInitialDictionary(to, distance);
        if (distance >= 8) [[likely]]
            return CopySteps(to, to - distance);
        // A short distance repeats a pattern of `distance` bytes: the first
        // eight bytes are copied one at a time, the rest in steps from the
        // nearest copy of the pattern that lies eight or more bytes back.
        for (int k = 0; k < 8; ++k)
            to[k] = to[k - distance];
        if (length > 8)
            CopySteps(to + 8, to + 8 - PatternStep[static_cast<size_t>(distance)]);
    }

    // Bytes written, a final match counted whole.
    size_t Size() const { return static_cast<size_t>(end_ - begin_); }

private:
    // The smallest multiple of each distance below 8 that is 8 or more.
    static constexpr std::array<ptrdiff_t, 8> PatternStep = {0, 8, 8, 9, 8, 10, 12, 14};

    // Copies up to end_ (rounded up to a step) from `from` at least eight
    // bytes behind `to`, so each step reads only bytes already written.
    void CopySteps(uint8_t* to, const uint8_t* from) const
    {
        do {
            std::memcpy(to, from, 8);
            to += 8;
            from += 8;
        } while (to < end_);
    }

    // A match within the first RingSize bytes that reaches back before the
    // text's start, into the dictionary's initial contents.
    void CopyFromInitialDictionary(uint8_t* to, ptrdiff_t distance) const
    {
        for (; to < end_; ++to) {
            const ptrdiff_t from = (to - begin_) - distance;
            *to = from >= 0 ? begin_[from] : InitialDictionaryByte(-from);
        }
    }

    uint8_t* begin_;
    uint8_t* end_;
};

// Decodes until at least `textSize` bytes are out (a final match is written
// whole) and returns how many were. Input is never checked: whatever the bits
// say is decoded.
template <class Source, class Output>
int64_t Decode(int32_t textSize, BitReader<Source>& bits, AdaptiveTree& tree, Output& output)
{
    int64_t count = 0;
    while (count < textSize) {
        const int symbol = tree.DecodeSymbol([&bits] { return bits.Bit(); });
        if (symbol < 256) {
            output.Literal(static_cast<uint8_t>(symbol));
            ++count;
        } else {
            const int length = MatchLength(symbol);
            output.Match(bits.Position() + 1, length);
            count += length;
        }
    }
    return count;
}

} // namespace skin::lzh
