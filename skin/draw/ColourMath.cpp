#include "skin/draw/ColourMath.h"

#include <algorithm>

namespace skin {

TRgb MixRgb(TRgb colour1, TRgb colour2, int weight)
{
    const int base = weight < 100 ? 100 : 1000;
    const int w = std::clamp(weight, 0, base);
    const auto mix = [&](int channel1, int channel2) { return (channel2 * (base - w) + w * channel1 + base / 2) / base; };
    return MakeRgb(mix(RedOf(colour1), RedOf(colour2)), mix(GreenOf(colour1), GreenOf(colour2)),
                   mix(BlueOf(colour1), BlueOf(colour2)));
}

int RgbSaturation(TRgb colour)
{
    const int r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
    const int high = std::max({r, g, b});
    const int low = std::min({r, g, b});
    if (high < 160)
        return 200;
    // (high - low) / high * 255, rounded half up, in integers.
    return (2 * (high - low) * 255 + high) / (2 * high);
}

namespace {

void RequirePositive(int lineCount)
{
    if (lineCount < 1)
        throw EAssertionFailed();
}

// Line `line` of `lastLine` + 1 lines from `from` by `delta`: the share of
// the difference rounded to nearest, halves away from `from`, so that the
// last line lands on the end colour in both directions.
int GradientChannel(int from, int delta, int line, int lastLine)
{
    const int half = delta < 0 ? -(lastLine / 2) : lastLine / 2;
    return from + (line * delta + half) / lastLine;
}

} // namespace

std::vector<TRgb> BuildGradient(int lineCount, TRgb first, TRgb last)
{
    RequirePositive(lineCount);
    const int dr = RedOf(last) - RedOf(first);
    const int dg = GreenOf(last) - GreenOf(first);
    const int db = BlueOf(last) - BlueOf(first);
    if (lineCount == 1)
        return {MakeRgb(RedOf(first) + dr / 2, GreenOf(first) + dg / 2, BlueOf(first) + db / 2)};
    const int lastLine = lineCount - 1;
    std::vector<TRgb> colours(static_cast<std::size_t>(lineCount));
    for (int i = 0; i < lineCount; ++i)
        colours[static_cast<std::size_t>(i)] = MakeRgb(GradientChannel(RedOf(first), dr, i, lastLine),
                                                       GradientChannel(GreenOf(first), dg, i, lastLine),
                                                       GradientChannel(BlueOf(first), db, i, lastLine));
    return colours;
}

int TGradientCache::Find(int lineCount, TRgb first, TRgb last) const
{
    RequirePositive(lineCount);
    for (int slot = SlotCount - 1; slot >= 0; --slot) {
        const TEntry& entry = slots_[static_cast<std::size_t>(slot)];
        if (entry.LineCount == lineCount && entry.First == first && entry.Last == last)
            return slot;
    }
    return -1;
}

int TGradientCache::Add(int lineCount, TRgb first, TRgb last)
{
    const int slot = next_;
    TEntry& entry = slots_[static_cast<std::size_t>(slot)];
    entry.Colours = BuildGradient(lineCount, first, last);
    entry.LineCount = lineCount;
    entry.First = first;
    entry.Last = last;
    next_ = (next_ + 1) % SlotCount;
    return slot;
}

const std::vector<TRgb>& TGradientCache::Get(int lineCount, TRgb first, TRgb last)
{
    int slot = Find(lineCount, first, last);
    if (slot < 0)
        slot = Add(lineCount, first, last);
    return slots_[static_cast<std::size_t>(slot)].Colours;
}

void TGradientCache::Clear()
{
    slots_ = {};
    next_ = 0;
}

} // namespace skin
