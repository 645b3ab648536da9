#include "skin/format/LzhTree.h"

#include <algorithm>

namespace skin::lzh {

namespace {

// The position prefix code as groups: how many upper-bit values share a code
// length, and that length. A code of length L covers 2^(8-L) table indexes.
constexpr std::array<PositionCode, 256> MakePositionTable()
{
    constexpr struct {
        int values;
        int length;
    } groups[] = {{1, 3}, {3, 4}, {8, 5}, {12, 6}, {24, 7}, {16, 8}};
    std::array<PositionCode, 256> table{};
    int index = 0;
    int upper = 0;
    for (auto group : groups) {
        for (int v = 0; v < group.values; ++v, ++upper)
            for (int k = 0; k < (1 << (8 - group.length)); ++k)
                table[index++] = {static_cast<uint8_t>(upper), static_cast<uint8_t>(group.length)};
    }
    return table;
}

} // namespace

const std::array<PositionCode, 256> PositionTable = MakePositionTable();

AdaptiveTree::AdaptiveTree()
{
    for (int i = 0; i < SymbolCount; ++i) {
        freq_[i] = 1;
        son_[i] = static_cast<int16_t>(i + TreeSize);
        parent_[i + TreeSize] = static_cast<int16_t>(i);
    }
    for (int i = 0, j = SymbolCount; j < TreeSize; i += 2, ++j) {
        freq_[j] = static_cast<uint16_t>(freq_[i] + freq_[i + 1]);
        son_[j] = static_cast<int16_t>(i);
        parent_[i] = parent_[i + 1] = static_cast<int16_t>(j);
    }
    freq_[TreeSize] = 0xFFFF;
    parent_[Root] = 0;
}

// Counts one more occurrence of `symbol` on its path to the root, swapping a
// node that grew past its right neighbours to keep the frequency order.
void AdaptiveTree::Update(int symbol)
{
    if (freq_[Root] == MaxFrequency)
        Rebuild();
    int c = parent_[symbol + TreeSize];
    do {
        const unsigned k = ++freq_[c];
        if (k > freq_[c + 1]) {
            int l = c + 1;
            while (k > freq_[l + 1])
                ++l;
            freq_[c] = freq_[l];
            freq_[l] = static_cast<uint16_t>(k);

            const int i = son_[c];
            parent_[i] = static_cast<int16_t>(l);
            if (i < TreeSize)
                parent_[i + 1] = static_cast<int16_t>(l);
            const int j = son_[l];
            son_[l] = static_cast<int16_t>(i);
            parent_[j] = static_cast<int16_t>(c);
            if (j < TreeSize)
                parent_[j + 1] = static_cast<int16_t>(c);
            son_[c] = static_cast<int16_t>(j);
            c = l;
        }
        c = parent_[c];
    } while (c != 0);
}

// Halves every leaf frequency and builds the inner nodes afresh, so that the
// counts never overflow 16 bits and old statistics fade.
void AdaptiveTree::Rebuild()
{
    int j = 0;
    for (int i = 0; i < TreeSize; ++i) {
        if (son_[i] >= TreeSize) {
            freq_[j] = static_cast<uint16_t>((freq_[i] + 1) / 2);
            son_[j] = son_[i];
            ++j;
        }
    }
    for (int i = 0, node = SymbolCount; node < TreeSize; i += 2, ++node) {
        const uint16_t f = static_cast<uint16_t>(freq_[i] + freq_[i + 1]);
        int k = node - 1;
        while (f < freq_[k])
            --k;
        ++k;
        std::copy_backward(freq_.begin() + k, freq_.begin() + node, freq_.begin() + node + 1);
        std::copy_backward(son_.begin() + k, son_.begin() + node, son_.begin() + node + 1);
        freq_[k] = f;
        son_[k] = static_cast<int16_t>(i);
    }
    for (int i = 0; i < TreeSize; ++i) {
        const int k = son_[i];
        if (k >= TreeSize)
            parent_[k] = static_cast<int16_t>(i);
        else
            parent_[k] = parent_[k + 1] = static_cast<int16_t>(i);
    }
}

} // namespace skin::lzh
