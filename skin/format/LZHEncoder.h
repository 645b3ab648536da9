// The LZHUF encoder: the exact inverse of TLZH, used by the skin packer.
#pragma once

#include "skin/format/LzhTree.h"

#include <cstdint>
#include <span>
#include <vector>

namespace skin {

// The coding half of the encoder: writes the literals and matches it is given,
// so that a caller (the encoder after its match search, or a test) states
// exactly what a code holds.
class TLzhSymbolWriter {
public:
    void Literal(uint8_t byte);

    // A match of `length` bytes (3..60) copied from `distance` bytes back
    // (1..4096).
    void Match(int distance, int length);

    // The code written so far, its last byte padded with zero bits.
    std::vector<uint8_t> Finish();

private:
    void PutBit(int bit);
    void PutBits(unsigned value, int count);

    std::vector<uint8_t> code_;
    uint8_t pending_ = 0;
    int pendingCount_ = 0;
    lzh::AdaptiveTree tree_;
};

// The LZHUF code of `text`, without a length word. An empty text gives an
// empty code.
std::vector<uint8_t> LzhEncode(std::span<const uint8_t> text);

// A compressed package as UnpackLzhPackage reads it: the 4-byte little-endian
// length of `text`, then its code. Raises ElzhException for a text above
// MaxUnpackedSize.
std::vector<uint8_t> PackLzhPackage(std::span<const uint8_t> text);

} // namespace skin
