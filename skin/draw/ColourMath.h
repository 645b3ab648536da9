// Colour arithmetic of the skin engine on plain RGB values: blending two
// colours, a saturation measure, and gradient tables with a small cache of
// the last ones built. No platform calls: system colours are resolved by the
// callers (skin/draw/ImgUtil.h) before they get here.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "ui/core/SysUtils.h"

namespace skin {

// A plain colour 0x00BBGGRR (the platform's COLORREF layout).
using TRgb = std::uint32_t;

constexpr TRgb MakeRgb(int red, int green, int blue)
{
    return static_cast<TRgb>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}
constexpr int RedOf(TRgb rgb) { return static_cast<int>(rgb & 0xFF); }
constexpr int GreenOf(TRgb rgb) { return static_cast<int>(rgb >> 8 & 0xFF); }
constexpr int BlueOf(TRgb rgb) { return static_cast<int>(rgb >> 16 & 0xFF); }

// A programming error caught at run time: the message is "Assertion failure".
class EAssertionFailed : public ui::Exception {
public:
    EAssertionFailed() : ui::Exception("Assertion failure") {}
};

// Weighted mix of two colours. A weight below 100 is a percentage, from 100
// on a per-mille value: MixRgb(x, y, 54) is 54 % x and 46 % y, MixRgb(x, y,
// 150) is 15 % x and 85 % y. Each channel is rounded to nearest; weights
// outside 0..1000 are taken as 0 or 1000.
TRgb MixRgb(TRgb colour1, TRgb colour2, int weight);

// (max - min) / max of the channels scaled to 0..255 and rounded (0 for
// black); 200 for a dark colour, one without any channel of 160 or more.
int RgbSaturation(TRgb colour);

// The `lineCount` colours of a gradient from `first` to `last`: line i of
// m = lineCount - 1 adds i/m of each channel's difference, rounded to
// nearest (halves away from `first`), so the first line is `first` and the
// last is `last` whichever way a channel runs. One line is the midpoint.
// A lineCount below 1 raises EAssertionFailed.
std::vector<TRgb> BuildGradient(int lineCount, TRgb first, TRgb last);

// The last 16 gradients built, in a ring: a new one overwrites the oldest
// slot. A slot is found by its line count and end colours.
class TGradientCache {
public:
    static constexpr int SlotCount = 16;

    // The slot holding the gradient (lineCount, first, last), or -1. A
    // lineCount below 1 raises EAssertionFailed.
    int Find(int lineCount, TRgb first, TRgb last) const;
    // Builds the gradient into the next slot of the ring and returns the slot.
    int Add(int lineCount, TRgb first, TRgb last);
    // The cached gradient, built first when it is not cached. The reference
    // stays valid until the slot is overwritten.
    const std::vector<TRgb>& Get(int lineCount, TRgb first, TRgb last);

    // Empties every slot and starts the ring again at slot 0.
    void Clear();

private:
    struct TEntry {
        int LineCount = 0;  // 0: unused
        TRgb First = 0;
        TRgb Last = 0;
        std::vector<TRgb> Colours;
    };
    std::array<TEntry, SlotCount> slots_;
    int next_ = 0;
};

} // namespace skin
