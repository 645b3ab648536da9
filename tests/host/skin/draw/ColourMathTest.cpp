// Colour mixing, the saturation measure and gradient tables with their cache.
#include "skin/draw/ColourMath.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace skin;

namespace {

constexpr TRgb White = 0xFFFFFF, Black = 0x000000;

TEST(MixRgb, WeightIsPercentBelowHundredAndPerMilleFromHundred)
{
    struct Case {
        TRgb A, B;
        int Weight;
        TRgb Expected;
    };
    const Case cases[] = {
        {White, Black, 99, 0xFCFCFC},    // (255 * 99 + 50) / 100 = 252
        {White, Black, 100, 0x1A1A1A},   // 10 %: (25500 + 500) / 1000 = 26
        {White, Black, 150, 0x262626},   // 15 %: (38250 + 500) / 1000 = 38
        {White, Black, 54, 0x8A8A8A},    // (13770 + 50) / 100 = 138
        {Black, White, 54, 0x757575},    // (255 * 46 + 50) / 100 = 117
        {MakeRgb(255, 0, 0), MakeRgb(0, 0, 255), 50, MakeRgb(128, 0, 128)},  // channels mixed apart
        {MakeRgb(10, 20, 30), MakeRgb(200, 100, 0), 0, MakeRgb(200, 100, 0)},
        {MakeRgb(10, 20, 30), MakeRgb(200, 100, 0), 1000, MakeRgb(10, 20, 30)},
        // Weights out of range are held at the ends rather than overflowing a channel.
        {MakeRgb(10, 20, 30), MakeRgb(200, 100, 0), 5000, MakeRgb(10, 20, 30)},
        {MakeRgb(10, 20, 30), MakeRgb(200, 100, 0), -40, MakeRgb(200, 100, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MixRgb(c.A, c.B, c.Weight), c.Expected) << std::hex << c.A << " " << c.B << std::dec << " w " << c.Weight;
}

TEST(RgbSaturation, SpreadOfBrightColoursAndTwoHundredForDarkOnes)
{
    struct Case {
        TRgb Colour;
        int Expected;
    };
    const Case cases[] = {
        {MakeRgb(255, 0, 0), 255},
        {MakeRgb(100, 0, 0), 200},    // no channel reaches 160
        {MakeRgb(159, 159, 0), 200},
        {Black, 200},
        {MakeRgb(200, 200, 200), 0},
        {MakeRgb(160, 80, 80), 128},  // 127.5 rounds up
        {MakeRgb(0, 0, 160), 255},    // the blue byte counts as well
        {MakeRgb(40, 200, 100), 204}, // 160 / 200 * 255
    };
    for (const Case& c : cases)
        EXPECT_EQ(RgbSaturation(c.Colour), c.Expected) << std::hex << c.Colour;
}

TEST(BuildGradient, EndsOnBothColoursWhicheverWayChannelsRun)
{
    const std::vector<TRgb> rising = BuildGradient(40, MakeRgb(0, 0, 0), MakeRgb(10, 0, 0));
    ASSERT_EQ(rising.size(), 40u);
    EXPECT_EQ(rising.front(), MakeRgb(0, 0, 0));
    EXPECT_EQ(RedOf(rising[1]), 0);  // (19 + 10) / 39
    EXPECT_EQ(RedOf(rising[2]), 1);  // (19 + 20) / 39
    EXPECT_EQ(rising.back(), MakeRgb(10, 0, 0));

    const std::vector<TRgb> falling = BuildGradient(40, MakeRgb(10, 0, 0), MakeRgb(0, 0, 0));
    EXPECT_EQ(falling.front(), MakeRgb(10, 0, 0));
    EXPECT_EQ(falling.back(), MakeRgb(0, 0, 0));
    // Mirror images of each other, line by line.
    for (std::size_t i = 0; i < 40; ++i)
        EXPECT_EQ(RedOf(falling[i]), 10 - RedOf(rising[i])) << "line " << i;
}

TEST(BuildGradient, ChannelsStayBetweenTheirEndsAndMoveOneWay)
{
    const TRgb from = MakeRgb(250, 3, 128), to = MakeRgb(7, 255, 128);
    for (int lines : {2, 3, 17, 255, 600}) {
        const std::vector<TRgb> g = BuildGradient(lines, from, to);
        ASSERT_EQ(g.size(), static_cast<std::size_t>(lines));
        EXPECT_EQ(g.front(), from);
        EXPECT_EQ(g.back(), to);
        for (std::size_t i = 1; i < g.size(); ++i) {
            EXPECT_LE(RedOf(g[i]), RedOf(g[i - 1])) << lines << " lines, line " << i;
            EXPECT_GE(GreenOf(g[i]), GreenOf(g[i - 1])) << lines << " lines, line " << i;
            EXPECT_EQ(BlueOf(g[i]), 128);
        }
    }
}

TEST(BuildGradient, OneLineIsTheMidpoint)
{
    EXPECT_EQ(BuildGradient(1, MakeRgb(0, 100, 200), MakeRgb(10, 0, 201)), std::vector<TRgb>{MakeRgb(5, 50, 200)});
}

TEST(BuildGradient, NoLinesIsAnAssertionFailure)
{
    for (int lines : {0, -3}) {
        try {
            BuildGradient(lines, White, Black);
            ADD_FAILURE() << lines << " lines built a table";
        } catch (const EAssertionFailed& e) {
            EXPECT_EQ(e.Message(), "Assertion failure");
        }
    }
}

TEST(GradientCache, GivesTheSameTableBackUntilItsSlotIsOverwritten)
{
    TGradientCache cache;
    const std::vector<TRgb>& first = cache.Get(40, White, Black);
    EXPECT_EQ(&cache.Get(40, White, Black), &first);
    EXPECT_EQ(cache.Find(40, White, Black), 0);
    // Length and both ends identify a table.
    EXPECT_EQ(cache.Find(41, White, Black), -1);
    EXPECT_EQ(cache.Find(40, Black, White), -1);
    EXPECT_EQ(cache.Find(40, White, 0x010101), -1);

    for (int lines = 1; lines < TGradientCache::SlotCount; ++lines)
        cache.Get(lines, White, Black);  // fills slots 1..15
    EXPECT_EQ(cache.Find(40, White, Black), 0);
    EXPECT_EQ(cache.Get(500, White, Black).size(), 500u);  // the 17th overwrites the oldest
    EXPECT_EQ(cache.Find(500, White, Black), 0);
    EXPECT_EQ(cache.Find(40, White, Black), -1);
    EXPECT_EQ(cache.Find(1, White, Black), 1);
    EXPECT_EQ(cache.Add(40, White, Black), 1);  // the ring goes on from there
}

TEST(GradientCache, FallingAndOneLineGradientsAreFoundAgain)
{
    // Tables whose stored lines do not start or end on the asked colours
    // (one line holds only the midpoint) are still found by what was asked.
    TGradientCache cache;
    const std::vector<TRgb>& falling = cache.Get(40, MakeRgb(10, 0, 0), Black);
    const std::vector<TRgb>& single = cache.Get(1, White, Black);
    EXPECT_EQ(&cache.Get(40, MakeRgb(10, 0, 0), Black), &falling);
    EXPECT_EQ(&cache.Get(1, White, Black), &single);
    EXPECT_EQ(cache.Add(2, White, Black), 2);  // nothing was rebuilt in between
}

TEST(GradientCache, ClearEmptiesTheRing)
{
    TGradientCache cache;
    cache.Get(3, White, Black);
    cache.Get(4, White, Black);
    cache.Clear();
    EXPECT_EQ(cache.Find(3, White, Black), -1);
    EXPECT_EQ(cache.Add(5, White, Black), 0);
}

TEST(GradientCache, NoLinesIsAnAssertionFailure)
{
    TGradientCache cache;
    EXPECT_THROW(cache.Find(0, White, Black), EAssertionFailed);
    EXPECT_THROW(cache.Add(0, White, Black), EAssertionFailed);
    EXPECT_THROW(cache.Get(-1, White, Black), EAssertionFailed);
    EXPECT_EQ(cache.Add(1, White, Black), 0);  // a refused Add takes no slot
}

} // namespace
