// The model shared by the LZH decoder and encoder: the LZHUF constants, the
// adaptive Huffman tree over literals and match lengths, and the fixed prefix
// code for the upper six bits of a match position. Both sides must evolve the
// tree identically, symbol by symbol, so it lives in one place.
#pragma once

#include <array>
#include <cstdint>

namespace skin::lzh {

inline constexpr int RingSize = 4096;          // N: the sliding dictionary
inline constexpr int RingMask = RingSize - 1;
inline constexpr int MaxMatch = 60;            // F: the longest match
inline constexpr int Threshold = 2;            // a match is at least 3 bytes
inline constexpr int SymbolCount = 256 + MaxMatch - Threshold;  // 314
inline constexpr int TreeSize = 2 * SymbolCount - 1;            // T = 627
inline constexpr int Root = TreeSize - 1;                       // R = 626
inline constexpr uint16_t MaxFrequency = 0x8000;
inline constexpr int RingStart = RingSize - MaxMatch;           // 4036, first write index
inline constexpr int RingBufferSize = RingSize + MaxMatch - 1;  // 4155

// Symbol of a match of `length` bytes (3..60) and back.
inline constexpr int MatchSymbol(int length) { return 255 - Threshold + length; }
inline constexpr int MatchLength(int symbol) { return symbol - 255 + Threshold; }

// The adaptive Huffman tree. Nodes 0..626 are kept in order of frequency;
// son[] of a leaf is TreeSize + symbol, of an inner node the first of its two
// adjacent children; parent[TreeSize + symbol] is the node holding a symbol.
class AdaptiveTree {
public:
    AdaptiveTree();

    // Decodes one symbol, taking the branch bits from `nextBit`, and updates.
    template <class NextBit>
    int DecodeSymbol(NextBit&& nextBit)
    {
        int c = son_[Root];
        while (c < TreeSize)
            c = son_[c + nextBit()];
        const int symbol = c - TreeSize;
        Update(symbol);
        return symbol;
    }

    // Hands the code of `symbol` to `putBit`, root first, and updates.
    template <class PutBit>
    void EncodeSymbol(int symbol, PutBit&& putBit)
    {
        // Walk leaf to root collecting the branch bits, then emit them in
        // reverse. Depth is bounded by the node count, whatever the weights.
        std::array<uint8_t, TreeSize> bits;
        int depth = 0;
        for (int node = parent_[symbol + TreeSize]; node != Root; node = parent_[node])
            bits[depth++] = static_cast<uint8_t>(node & 1);
        while (depth > 0)
            putBit(bits[--depth]);
        Update(symbol);
    }

private:
    void Update(int symbol);
    void Rebuild();

    std::array<uint16_t, TreeSize + 1> freq_;  // freq_[TreeSize] is a 0xFFFF sentinel
    std::array<int16_t, TreeSize + SymbolCount> parent_;
    std::array<int16_t, TreeSize> son_;
};

// The prefix code of a position's upper six bits, indexed by the next eight
// input bits: the upper bits and the code's length in bits (3..8).
struct PositionCode {
    uint8_t upper;
    uint8_t length;
};
extern const std::array<PositionCode, 256> PositionTable;

} // namespace skin::lzh
