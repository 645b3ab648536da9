#include "skin/format/LZHEncoder.h"

#include "skin/format/LittleEndian.h"
#include "skin/format/LZH.h"
#include "skin/format/LzhTree.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>

namespace skin {

namespace {

using namespace lzh;

// For each value of a position's upper six bits, its prefix code: the first
// decoder-table index that yields it, cut to the code's length.
struct UpperCode {
    uint8_t bits;
    uint8_t length;
};

const std::array<UpperCode, 64>& UpperCodes()
{
    static const std::array<UpperCode, 64> codes = [] {
        std::array<UpperCode, 64> table{};
        for (int i = 255; i >= 0; --i) {
            const PositionCode entry = PositionTable[static_cast<size_t>(i)];
            table[entry.upper] = {static_cast<uint8_t>(i >> (8 - entry.length)), entry.length};
        }
        return table;
    }();
    return codes;
}

// The LZSS match finder: every position of the window sits in one of 256
// binary search trees (one per first byte), ordered by the 60 bytes that
// start there. Inserting a position finds the longest earlier match on the
// way down and takes that node's place.
class MatchFinder {
public:
    static constexpr int Nil = RingSize;

    MatchFinder()
    {
        std::fill(rightSon_.begin() + RingSize + 1, rightSon_.end(), Nil);
        dad_.fill(Nil);
        text_.fill(0);
        std::fill_n(text_.begin(), RingStart, uint8_t{' '});
    }

    uint8_t& At(int position) { return text_[position]; }

    // Stores a byte at ring position `s`, mirroring the first bytes behind the
    // ring's end so that comparisons never need to wrap.
    void Store(int s, uint8_t c)
    {
        text_[s] = c;
        if (s < MaxMatch - 1)
            text_[s + RingSize] = c;
    }

    // Inserts position r; leaves the longest match (of at most MaxMatch bytes)
    // in matchLength and its distance minus one, the nearest on ties, in
    // matchPosition.
    void Insert(int r)
    {
        const uint8_t* key = &text_[r];
        int p = RingSize + 1 + key[0];
        int cmp = 1;
        rightSon_[r] = leftSon_[r] = Nil;
        matchLength = 0;
        for (;;) {
            auto& next = cmp >= 0 ? rightSon_[p] : leftSon_[p];
            if (next == Nil) {
                next = r;
                dad_[r] = p;
                return;
            }
            p = next;
            int i = 1;
            for (; i < MaxMatch; ++i) {
                cmp = key[i] - text_[p + i];
                if (cmp != 0)
                    break;
            }
            if (i > Threshold) {
                const int distance = ((r - p) & RingMask) - 1;
                if (i > matchLength) {
                    matchPosition = distance;
                    matchLength = i;
                    if (matchLength >= MaxMatch)
                        break;
                } else if (i == matchLength && distance < matchPosition) {
                    matchPosition = distance;
                }
            }
        }
        // A full-length match: r replaces p, which holds the same key.
        dad_[r] = dad_[p];
        leftSon_[r] = leftSon_[p];
        rightSon_[r] = rightSon_[p];
        dad_[leftSon_[p]] = r;
        dad_[rightSon_[p]] = r;
        ReplaceChild(p, r);
        dad_[p] = Nil;
    }

    void Delete(int p)
    {
        if (dad_[p] == Nil)
            return;
        int q;
        if (rightSon_[p] == Nil) {
            q = leftSon_[p];
        } else if (leftSon_[p] == Nil) {
            q = rightSon_[p];
        } else {
            // Both subtrees: the rightmost node of the left one takes p's place.
            q = leftSon_[p];
            if (rightSon_[q] != Nil) {
                do
                    q = rightSon_[q];
                while (rightSon_[q] != Nil);
                rightSon_[dad_[q]] = leftSon_[q];
                dad_[leftSon_[q]] = dad_[q];
                leftSon_[q] = leftSon_[p];
                dad_[leftSon_[p]] = q;
            }
            rightSon_[q] = rightSon_[p];
            dad_[rightSon_[p]] = q;
        }
        dad_[q] = dad_[p];
        ReplaceChild(p, q);
        dad_[p] = Nil;
    }

    int matchLength = 0;
    int matchPosition = 0;

private:
    void ReplaceChild(int old, int replacement)
    {
        if (rightSon_[dad_[old]] == old)
            rightSon_[dad_[old]] = replacement;
        else
            leftSon_[dad_[old]] = replacement;
    }

    std::array<uint8_t, RingBufferSize> text_;
    std::array<int, RingSize + 1> leftSon_;
    std::array<int, RingSize + 257> rightSon_;  // RingSize+1.. are the 256 tree roots
    std::array<int, RingSize + 1> dad_;
};

class Encoder {
public:
    std::vector<uint8_t> Run(std::span<const uint8_t> text)
    {
        size_t next = 0;
        int s = 0;
        int r = RingStart;
        int len = 0;
        for (; len < MaxMatch && next < text.size(); ++len)
            finder_.At(r + len) = text[next++];
        for (int i = 1; i <= MaxMatch; ++i)
            finder_.Insert(r - i);
        finder_.Insert(r);
        do {
            int matchLength = std::min(finder_.matchLength, len);
            if (matchLength <= Threshold) {
                matchLength = 1;
                writer_.Literal(finder_.At(r));
            } else {
                writer_.Match(finder_.matchPosition + 1, matchLength);
            }
            // Slide the window past the coded bytes, reading new ones while
            // there are any and shortening the look-ahead after that.
            for (int i = 0; i < matchLength; ++i) {
                finder_.Delete(s);
                const bool more = next < text.size();
                if (more)
                    finder_.Store(s, text[next++]);
                s = (s + 1) & RingMask;
                r = (r + 1) & RingMask;
                if (more || --len > 0)
                    finder_.Insert(r);
            }
        } while (len > 0);
        return writer_.Finish();
    }

private:
    MatchFinder finder_;
    TLzhSymbolWriter writer_;
};

} // namespace

void TLzhSymbolWriter::Literal(uint8_t byte)
{
    tree_.EncodeSymbol(byte, [this](int bit) { PutBit(bit); });
}

void TLzhSymbolWriter::Match(int distance, int length)
{
    tree_.EncodeSymbol(MatchSymbol(length), [this](int bit) { PutBit(bit); });
    const auto position = static_cast<unsigned>(distance - 1);
    const UpperCode code = UpperCodes()[position >> 6];
    PutBits(code.bits, code.length);
    PutBits(position & 0x3F, 6);
}

std::vector<uint8_t> TLzhSymbolWriter::Finish()
{
    if (pendingCount_ > 0)
        code_.push_back(static_cast<uint8_t>(pending_ << (8 - pendingCount_)));
    pendingCount_ = 0;
    return std::move(code_);
}

// Collects bits most significant first.
void TLzhSymbolWriter::PutBit(int bit)
{
    pending_ = static_cast<uint8_t>(pending_ << 1 | bit);
    if (++pendingCount_ == 8) {
        code_.push_back(pending_);
        pendingCount_ = 0;
    }
}

// The low `count` bits of `value`, the highest first.
void TLzhSymbolWriter::PutBits(unsigned value, int count)
{
    while (count-- > 0)
        PutBit(static_cast<int>((value >> count) & 1));
}

std::vector<uint8_t> LzhEncode(std::span<const uint8_t> text)
{
    if (text.empty())
        return {};
    return std::make_unique<Encoder>()->Run(text);
}

std::vector<uint8_t> PackLzhPackage(std::span<const uint8_t> text)
{
    if (text.size() > static_cast<size_t>(MaxUnpackedSize))
        throw ElzhException("LZH : The text of " + std::to_string(text.size()) + " bytes is above the limit of " +
                            std::to_string(MaxUnpackedSize) + " bytes");
    std::vector<uint8_t> package;
    AppendInt32LE(package, static_cast<int32_t>(text.size()));
    const std::vector<uint8_t> code = LzhEncode(text);
    package.insert(package.end(), code.begin(), code.end());
    return package;
}

} // namespace skin
