#include "skin/LZHEncoder.h"

#include "skin/LZH.h"
#include "skin/LittleEndian.h"
#include "skin/LzhTree.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>

namespace skin {

namespace {

using namespace lzh;

// Collects bits most significant first; the last byte is padded with zeros.
class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}

    void PutBit(int bit)
    {
        pending_ = static_cast<uint8_t>(pending_ << 1 | bit);
        if (++pendingCount_ == 8) {
            out_.push_back(pending_);
            pendingCount_ = 0;
        }
    }

    // The low `count` bits of `value`, the highest first.
    void PutBits(unsigned value, int count)
    {
        while (count-- > 0)
            PutBit(static_cast<int>((value >> count) & 1));
    }

    void Flush()
    {
        if (pendingCount_ > 0)
            out_.push_back(static_cast<uint8_t>(pending_ << (8 - pendingCount_)));
        pendingCount_ = 0;
    }

private:
    std::vector<uint8_t>& out_;
    uint8_t pending_ = 0;
    int pendingCount_ = 0;
};

// For each value of a position's upper six bits, its prefix code: the first
// decoder-table index that yields it, cut to the code's length.
struct UpperCode {
    uint8_t bits;
    uint8_t length;
};

std::array<UpperCode, 64> MakeUpperCodes()
{
    std::array<UpperCode, 64> codes{};
    for (int i = 255; i >= 0; --i) {
        const PositionCode entry = PositionTable[i];
        codes[entry.upper] = {static_cast<uint8_t>(i >> (8 - entry.length)), entry.length};
    }
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
    explicit Encoder(std::vector<uint8_t>& out) : bits_(out) {}

    void Run(std::span<const uint8_t> text)
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
                EncodeSymbol(finder_.At(r));
            } else {
                EncodeSymbol(MatchSymbol(matchLength));
                EncodePosition(finder_.matchPosition);
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
        bits_.Flush();
    }

private:
    void EncodeSymbol(int symbol)
    {
        tree_.EncodeSymbol(symbol, [this](int bit) { bits_.PutBit(bit); });
    }

    void EncodePosition(int position)
    {
        const UpperCode code = upperCodes_[position >> 6];
        bits_.PutBits(code.bits, code.length);
        bits_.PutBits(static_cast<unsigned>(position & 0x3F), 6);
    }

    BitWriter bits_;
    MatchFinder finder_;
    AdaptiveTree tree_;
    const std::array<UpperCode, 64> upperCodes_ = MakeUpperCodes();
};

} // namespace

std::vector<uint8_t> LzhEncode(std::span<const uint8_t> text)
{
    std::vector<uint8_t> code;
    if (text.empty())
        return code;
    auto encoder = std::make_unique<Encoder>(code);
    encoder->Run(text);
    return code;
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
