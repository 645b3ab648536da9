// Image utilities on real DIB sections: pixel operations read back through
// scan lines; colour mixing with system colours; gradient fills read back
// from a bitmap's device context, with the gradient cache they draw from.
#include "skin/draw/ImgUtil.h"
#include "tests/win/support/PixelTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <memory>
#include <utility>

namespace {

using namespace ui;
using skin::TRgb;
using tests::At;
using tests::Bgr;
using tests::BgrOf;
using tests::Put;
using tests::Rgb;

const TPixelFormat Formats[] = {TPixelFormat::pf24bit, TPixelFormat::pf32bit};

// A picture whose pixel (x, y) has red 40x + 1, green 40y + 1: each pixel
// tells where it came from.
Bgr NumberOf(int x, int y)
{
    return Rgb(40 * x + 1, 40 * y + 1, 7);
}

void Number(TBitmap& b)
{
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            Put(b, x, y, NumberOf(x, y));
}

TEST(ImgUtilPixels, GreyscaleAveragesTheChannelsInTwentyFourBits)
{
    for (TPixelFormat format : Formats) {
        TBitmap b(3, 1, format);
        Put(b, 0, 0, Rgb(255, 0, 0));
        Put(b, 1, 0, Rgb(10, 20, 32));   // 62 / 3 = 20
        Put(b, 2, 0, Rgb(255, 255, 255));
        skin::Greyscale(b);
        EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
        EXPECT_EQ(At(b, 0, 0), Rgb(85, 85, 85));
        EXPECT_EQ(At(b, 1, 0), Rgb(20, 20, 20));
        EXPECT_EQ(At(b, 2, 0), Rgb(255, 255, 255));
    }
}

TEST(ImgUtilPixels, ReplaceKeyColourChangesExactMagentaOnly)
{
    const Bgr others[] = {tests::NearMagenta, Rgb(255, 1, 255), Rgb(255, 0, 254), Rgb(0, 0, 0)};
    struct Case {
        TColor Colour;
        Bgr Expected;
    };
    const Case cases[] = {{0x030201, Rgb(1, 2, 3)}, {clBtnFace, BgrOf(GetSysColor(COLOR_BTNFACE))}};
    for (TPixelFormat format : Formats) {
        for (const Case& c : cases) {
            TBitmap b(5, 1, format);
            Put(b, 0, 0, tests::Magenta);
            for (int x = 1; x < 5; ++x)
                Put(b, x, 0, others[x - 1]);
            skin::ReplaceKeyColour(b, c.Colour);
            EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
            EXPECT_EQ(At(b, 0, 0), c.Expected);
            for (int x = 1; x < 5; ++x)
                EXPECT_EQ(At(b, x, 0), others[x - 1]) << "pixel " << x;
        }
    }
}

TEST(ImgUtilPixels, MirrorReversesEachRowInItsOwnFormat)
{
    for (TPixelFormat format : Formats) {
        for (int width : {1, 3, 4}) {
            TBitmap b(width, 2, format);
            Number(b);
            skin::MirrorHorizontal(b);
            EXPECT_EQ(b.PixelFormat(), format);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < width; ++x)
                    EXPECT_EQ(At(b, x, y), NumberOf(width - 1 - x, y)) << width << " wide, pixel " << x << ", " << y;
        }
    }
}

TEST(ImgUtilPixels, FlipReversesTheRowsInItsOwnFormat)
{
    for (TPixelFormat format : Formats) {
        for (int height : {1, 3, 4}) {
            TBitmap b(2, height, format);
            Number(b);
            skin::FlipVertical(b);
            EXPECT_EQ(b.PixelFormat(), format);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < 2; ++x)
                    EXPECT_EQ(At(b, x, y), NumberOf(x, height - 1 - y)) << height << " high, pixel " << x << ", " << y;
        }
    }
}

TEST(ImgUtilPixels, RotationsSwapTheSidesAndMoveEveryPixel)
{
    for (TPixelFormat format : Formats) {
        TBitmap left(3, 2, format);
        Number(left);
        skin::RotateLeft(left);
        ASSERT_EQ(left.Width(), 2);
        ASSERT_EQ(left.Height(), 3);
        EXPECT_EQ(left.PixelFormat(), TPixelFormat::pf24bit);

        TBitmap right(3, 2, format);
        Number(right);
        skin::RotateRight(right);
        ASSERT_EQ(right.Width(), 2);
        ASSERT_EQ(right.Height(), 3);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) {
                EXPECT_EQ(At(left, y, 3 - 1 - x), NumberOf(x, y)) << "left, old pixel " << x << ", " << y;
                EXPECT_EQ(At(right, 2 - 1 - y, x), NumberOf(x, y)) << "right, old pixel " << x << ", " << y;
            }
        }
    }
}

TEST(ImgUtilPixels, TurningLeftPutsTheRightPixelOnTopAndRightTurnsBack)
{
    TBitmap b(2, 1, TPixelFormat::pf24bit);
    Number(b);
    skin::RotateLeft(b);
    ASSERT_EQ(b.Width(), 1);
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(At(b, 0, 0), NumberOf(1, 0));
    EXPECT_EQ(At(b, 0, 1), NumberOf(0, 0));
    skin::RotateRight(b);
    ASSERT_EQ(b.Width(), 2);
    EXPECT_EQ(At(b, 0, 0), NumberOf(0, 0));
    EXPECT_EQ(At(b, 1, 0), NumberOf(1, 0));
}

// A 4 x 1 icon of one colour whose pixels have the given opacities.
HICON IconWithAlphas(Bgr colour, const std::array<std::uint8_t, 4>& alphas)
{
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = 4;
    header.bV5Height = 1;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HBITMAP colour32 = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                              nullptr, 0);
    ReleaseDC(nullptr, screen);
    auto* pixel = static_cast<std::uint8_t*>(bits);
    for (std::size_t i = 0; i < alphas.size(); ++i, pixel += 4) {
        pixel[0] = colour.B, pixel[1] = colour.G, pixel[2] = colour.R;
        pixel[3] = alphas[i];
    }
    const HBITMAP mask = CreateBitmap(4, 1, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, colour32};
    const HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour32);
    return icon;
}

// Half-transparent edges must not come out blended with the key colour: a
// pixel is either the key or the icon's own colour.
TEST(ImgUtilPixels, AKeyedIconHasNoFringeOfTheKeyColour)
{
    const Bgr blue = Rgb(36, 80, 136);
    const HICON icon = IconWithAlphas(blue, {255, 200, 100, 0});
    ASSERT_TRUE(icon);
    TBitmap keyed;
    skin::DrawKeyedIcon(icon, 4, 1, keyed);
    DestroyIcon(icon);
    ASSERT_EQ(keyed.Width(), 4);
    const Bgr magenta = Rgb(255, 0, 255);
    const Bgr expected[] = {blue, blue, magenta, magenta};
    for (int x = 0; x < 4; ++x) {
        const Bgr got = At(keyed, x, 0);
        EXPECT_LE(std::abs(got.R - expected[x].R) + std::abs(got.G - expected[x].G) +
                      std::abs(got.B - expected[x].B),
                  6)
            << "pixel " << x;
    }
}

// ---- Scaling a piece ----

// A picture of w x h filled by paint(x, y).
template <class Paint>
std::unique_ptr<TBitmap> Painted(int w, int h, Paint paint, TPixelFormat format = TPixelFormat::pf24bit)
{
    auto b = std::make_unique<TBitmap>(w, h, format);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            Put(*b, x, y, paint(x, y));
    return b;
}

// The mean of the pixels of `b` in [x0, x1) x [y0, y1), rounded half up:
// what shrinking by a whole factor makes of a block with no key colour.
Bgr BlockMean(const TBitmap& b, int x0, int y0, int x1, int y1)
{
    int sum[3] = {0, 0, 0}, n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x, ++n) {
            const Bgr c = At(b, x, y);
            sum[0] += c.R, sum[1] += c.G, sum[2] += c.B;
        }
    return Rgb((sum[0] + n / 2) / n, (sum[1] + n / 2) / n, (sum[2] + n / 2) / n);
}

// Shrunk by whole factors, every target pixel is the mean of the block it
// covers: a striped or chequered picture turns to its mean grey instead of
// keeping some stripes and dropping the others. Along a side that does not
// shrink, pixels are copied.
TEST(ScalePiece, ShrinkingByWholeFactorsAveragesEachBlock)
{
    const auto stripes = [](int, int y) { return y % 2 ? Rgb(0, 0, 0) : Rgb(250, 200, 100); };
    const auto checks = [](int x, int y) { return (x + y) % 2 ? Rgb(10, 20, 30) : Rgb(200, 100, 51); };
    const auto numbered = [](int x, int y) { return NumberOf(x % 6, y % 6); };
    struct Case {
        const char* Name;
        std::function<Bgr(int, int)> Paint;
        SIZE From, To;
    };
    const Case cases[] = {
        {"stripes, rows halved", stripes, {6, 8}, {6, 4}},
        {"stripes, both sides", stripes, {6, 8}, {3, 4}},
        {"checks, a third across", checks, {9, 4}, {3, 4}},
        {"numbers, a quarter down", numbered, {5, 12}, {5, 3}},
    };
    for (const Case& c : cases) {
        for (TPixelFormat format : Formats) {
            SCOPED_TRACE(c.Name);
            const auto source = Painted(
                c.From.cx + 2, c.From.cy + 1,
                [&](int x, int y) { return x >= 2 && y >= 1 ? c.Paint(x - 2, y - 1) : Rgb(1, 2, 3); }, format);
            TBitmap target(c.To.cx + 3, c.To.cy + 3);
            skin::ScalePiece(*source, {2, 1, 2 + c.From.cx, 1 + c.From.cy}, target, {3, 3, 3 + c.To.cx, 3 + c.To.cy});
            const int fx = c.From.cx / c.To.cx, fy = c.From.cy / c.To.cy;
            for (int y = 0; y < c.To.cy; ++y)
                for (int x = 0; x < c.To.cx; ++x)
                    ASSERT_EQ(At(target, 3 + x, 3 + y),
                              BlockMean(*source, 2 + x * fx, 1 + y * fy, 2 + (x + 1) * fx, 1 + (y + 1) * fy))
                        << "pixel " << x << ", " << y;
            EXPECT_EQ(At(target, 0, 0), Rgb(0, 0, 0)) << "nothing outside the piece";
        }
    }
}

// By any factor below two every row of a picture shows: a one-pixel black
// line on white darkens some pixel of the result by a quarter at least,
// wherever it lies (taking the nearest pixels loses some lines altogether).
TEST(ScalePiece, EveryLineShowsWhateverTheFactor)
{
    for (const auto& [from, to] : {std::pair{20, 16}, std::pair{19, 17}, std::pair{7, 4}, std::pair{11, 6}}) {
        for (int line = 0; line < from; ++line) {
            const auto source =
                Painted(3, from, [&](int, int y) { return y == line ? Rgb(0, 0, 0) : Rgb(255, 255, 255); });
            TBitmap target(3, to);
            skin::ScalePiece(*source, {0, 0, 3, from}, target, {0, 0, 3, to});
            int darkest = 255;
            for (int y = 0; y < to; ++y)
                darkest = std::min<int>(darkest, At(target, 1, y).R);
            EXPECT_LE(darkest, 255 * 3 / 4) << from << " to " << to << ", line " << line;
        }
    }
}

// The key colour takes no part in an average: a thin line on a keyed ground
// keeps its own colour and is never lost; a target pixel stays keyed only
// where the key covers more than three quarters of it.
TEST(ScalePiece, TheKeyColourStaysOutOfAverages)
{
    const Bgr ink = Rgb(20, 60, 120);
    for (int line = 0; line < 20; ++line) {
        const auto source = Painted(20, 2, [&](int x, int) { return x == line ? ink : tests::Magenta; });
        TBitmap target(16, 2);
        skin::ScalePiece(*source, {0, 0, 20, 2}, target, {0, 0, 16, 2});
        int inked = 0;
        for (int x = 0; x < 16; ++x) {
            const Bgr c = At(target, x, 0);
            EXPECT_TRUE(c == ink || c == tests::Magenta) << "line " << line << ", pixel " << x << ": " << c;
            inked += c == ink;
        }
        EXPECT_GE(inked, 1) << "line " << line;
    }
    // Blocks of four: all key, three quarters key, half key.
    const auto source = Painted(6, 2, [&](int x, int y) {
        const bool key = x <= 2 || (x == 3 && y == 0) || x == 5;
        return key ? tests::Magenta : ink;
    });
    TBitmap target(3, 1);
    skin::ScalePiece(*source, {0, 0, 6, 2}, target, {0, 0, 3, 1});
    EXPECT_EQ(At(target, 0, 0), tests::Magenta);
    EXPECT_EQ(At(target, 1, 0), ink);
    EXPECT_EQ(At(target, 2, 0), ink);
}

// Enlarged, each pixel takes the nearest source pixel (no blending, so the
// key colour stays exact); a piece outside either bitmap changes nothing.
TEST(ScalePiece, GrowingTakesTheNearestPixelAndBadPiecesDrawNothing)
{
    const auto source = Painted(3, 2, [](int x, int y) { return NumberOf(x, y); });
    TBitmap target(6, 2);
    skin::ScalePiece(*source, {0, 0, 3, 2}, target, {0, 0, 6, 2});
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(At(target, x, 1), NumberOf(x / 2, 1)) << "column " << x;
    TBitmap untouched(4, 4);
    for (const RECT& from : {RECT{0, 0, 4, 2}, RECT{-1, 0, 2, 2}, RECT{1, 1, 1, 2}})
        skin::ScalePiece(*source, from, untouched, {0, 0, 2, 2});
    for (const RECT& to : {RECT{0, 0, 5, 2}, RECT{2, 2, 1, 3}})
        skin::ScalePiece(*source, {0, 0, 3, 2}, untouched, to);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(At(untouched, x, y), Rgb(0, 0, 0));
}

TEST(ImgUtilColours, SystemColoursAreResolvedBeforeMixingAndMeasuring)
{
    const auto face = static_cast<TRgb>(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(static_cast<TRgb>(skin::MixColours(clBtnFace, clWhite, 1000)), face);
    EXPECT_EQ(static_cast<TRgb>(skin::MixColours(clBtnFace, clBlack, 150)), skin::MixRgb(face, 0, 150));
    EXPECT_EQ(skin::MixColours(0x0000FF, clWhite, 150), 0xD9D9FF);  // 15 % red: green (255 * 850 + 500) / 1000
    EXPECT_EQ(skin::Saturation(clBtnFace), skin::RgbSaturation(face));
    EXPECT_EQ(skin::Saturation(0x0000FF), 255);
}

class GradientFillTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin::GradientCache().Clear();
        tests::FillBitmap(target, Background);
    }
    HDC Dc() { return target.Canvas()->Handle(); }

    static constexpr TColor Top = 0x0A14C8;     // red 200, green 20, blue 10
    static constexpr TColor Bottom = 0xC86405;  // red 5, green 100, blue 200
    const Bgr Background = Rgb(1, 2, 3);
    TBitmap target{12, 50};
};

TEST_F(GradientFillTest, VerticalLinesTakeTheTableColoursFromTopToBottom)
{
    const RECT r{2, 3, 9, 43};
    skin::GradientFill(Dc(), r, Top, true, Bottom);
    const std::vector<TRgb> table = skin::BuildGradient(40, Top, Bottom);
    for (int y = 0; y < target.Height(); ++y)
        for (int x = 0; x < target.Width(); ++x) {
            const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            ASSERT_EQ(At(target, x, y), inside ? BgrOf(table[y - r.top]) : Background) << x << ", " << y;
        }
    EXPECT_EQ(At(target, 2, 3), BgrOf(Top));
    EXPECT_EQ(At(target, 2, 42), BgrOf(Bottom));
}

TEST_F(GradientFillTest, HorizontalLinesRunFromLeftToRight)
{
    const RECT r{1, 4, 11, 6};
    skin::GradientFill(Dc(), r, Top, false, Bottom);
    const std::vector<TRgb> table = skin::BuildGradient(10, Top, Bottom);
    for (int x = 0; x < 10; ++x)
        for (int y = 4; y < 6; ++y)
            EXPECT_EQ(At(target, 1 + x, y), BgrOf(table[x])) << x << ", " << y;
    EXPECT_EQ(At(target, 0, 4), Background);
    EXPECT_EQ(At(target, 1, 3), Background);
}

TEST_F(GradientFillTest, ClippedLinesAreSkippedAndTheOthersKeepTheirColours)
{
    const RECT r{0, 3, 12, 43};
    {
        const TSavedDC saved(Dc());
        IntersectClipRect(Dc(), 0, 10, 12, 20);
        skin::GradientFill(Dc(), r, Top, true, Bottom);
    }
    const std::vector<TRgb> table = skin::BuildGradient(40, Top, Bottom);
    for (int y = 0; y < target.Height(); ++y)
        EXPECT_EQ(At(target, 5, y), y >= 10 && y < 20 ? BgrOf(table[y - 3]) : Background) << "row " << y;
}

TEST_F(GradientFillTest, RepeatedFillsReuseTheCachedTable)
{
    skin::GradientFill(Dc(), {0, 0, 4, 30}, Top, true, Bottom);
    skin::GradientFill(Dc(), {5, 0, 9, 30}, Top, true, Bottom);
    EXPECT_EQ(skin::GradientCache().Find(30, Top, Bottom), 0);
    EXPECT_EQ(skin::GradientCache().Find(30, Bottom, Top), -1);
    // A gradient running back up is a table of its own.
    skin::GradientFill(Dc(), {0, 0, 4, 30}, Bottom, true, Top);
    EXPECT_EQ(skin::GradientCache().Find(30, Bottom, Top), 1);
    EXPECT_EQ(skin::GradientCache().Add(1, 0, 0), 2) << "no other table was built";
}

TEST_F(GradientFillTest, SystemColoursAreDrawnAndCachedAsTheirValues)
{
    skin::GradientFill(Dc(), {0, 0, 12, 20}, clBtnFace, true, clWhite);
    const auto face = static_cast<TRgb>(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(At(target, 0, 0), BgrOf(face));
    EXPECT_EQ(At(target, 0, 19), Rgb(255, 255, 255));
    EXPECT_EQ(skin::GradientCache().Find(20, face, 0xFFFFFF), 0);
}

TEST_F(GradientFillTest, NothingForAnEmptyOrInvisibleRectangle)
{
    const TSavedDC saved(Dc());
    IntersectClipRect(Dc(), 0, 0, 12, 10);
    skin::GradientFill(Dc(), {0, 20, 12, 30}, Top, true, Bottom);   // below the clip
    skin::GradientFill(Dc(), {0, 5, 12, 5}, Top, true, Bottom);     // no lines
    skin::GradientFill(Dc(), {6, 0, 3, 8}, Top, false, Bottom);     // inverted
    for (int y = 0; y < target.Height(); ++y)
        for (int x = 0; x < target.Width(); ++x)
            ASSERT_EQ(At(target, x, y), Background) << x << ", " << y;
    EXPECT_EQ(skin::GradientCache().Add(1, 0, 0), 0) << "no table was built";
}

} // namespace
