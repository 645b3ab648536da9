// Image utilities on real DIB sections: pixel operations read back through
// scan lines; colour mixing with system colours; gradient fills read back
// from a bitmap's device context, with the gradient cache they draw from.
#include "skin/draw/ImgUtil.h"
#include "tests/win/support/PixelTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

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
