// The BMP reader on files built byte by byte: every stored form it accepts
// decodes to the right pixels, and corrupt headers are refused before a byte
// outside the data is touched (the sanitizers watch the reads).
#include "tests/shared/BmpSamples.h"
#include "ui/graphics/BmpFormat.h"

#include <gtest/gtest.h>

namespace {

using namespace ui;
using namespace bmp_samples;

// A decoded picture with pixel access by (x, y from the top).
struct Decoded {
    TBmpLayout Layout;
    Bytes Pixels;
    std::size_t Stride = 0;

    explicit Decoded(const Bytes& file) : Layout(ReadBmpLayout(file.data(), file.size()))
    {
        Stride = DibStride(Layout.Width, Layout.DecodedBytesPerPixel());
        Pixels.assign(Stride * Layout.Height, 0);
        DecodeBmpPixels(Layout, file.data(), Pixels.data(), Stride);
    }
    // Blue, green, red at (x, y), y counted from the top.
    std::array<std::uint8_t, 3> At(int x, int y) const
    {
        const std::uint8_t* p = Pixels.data() + (Layout.Height - 1 - y) * Stride + x * Layout.DecodedBytesPerPixel();
        return {p[0], p[1], p[2]};
    }
};

using Bgr = std::array<std::uint8_t, 3>;
const Bgr Blue{255, 0, 0}, Green{0, 255, 0}, Red{0, 0, 255}, Black{0, 0, 0}, White{255, 255, 255};

// Every pixel of a decoded picture, rows listed from the top.
void ExpectPixels(const Decoded& d, const std::vector<Bgr>& topRowFirst)
{
    const int w = d.Layout.Width;
    ASSERT_EQ(topRowFirst.size(), static_cast<std::size_t>(w * d.Layout.Height));
    for (int i = 0; i < w * d.Layout.Height; ++i)
        EXPECT_EQ(d.At(i % w, i / w), topRowFirst[static_cast<std::size_t>(i)]) << "pixel " << i % w << ", " << i / w;
}

// Palette indices and 16-bit pixels (5-5-5, or masks of their own) come out
// as 24 bits; mask channels are widened to 8 bits by repeating their bits.
TEST(BmpFormat, PaletteAndSixteenBitFormatsBecome24BitsInEveryHeaderVersion)
{
    struct Case {
        const char* What;
        Recipe File;
        std::vector<Bgr> TopRowThenBottomRow;
    };
    const std::vector<std::array<std::uint8_t, 3>> rgb = {Blue, Green, Red};
    Recipe plain;  // no masks: 5-5-5; bottom row red, white; top row blue 1 of 31, green
    plain.Bits = 16;
    plain.Rows = {0x00, 0x7C, 0xFF, 0x7F, 0x01, 0x00, 0xE0, 0x03};
    Recipe rgb565 = plain;  // masks after a 40-byte header
    rgb565.Compression = 3;
    rgb565.Masks = {0xF800, 0x07E0, 0x001F, 0};
    rgb565.Rows = {0x00, 0xF8, 0x1F, 0x00, 0x20, 0x00, 0xE0, 0x07};
    Recipe argb4444 = rgb565;  // alpha in a version 4 header, rows top-down
    argb4444.HeaderSize = 108;
    argb4444.Height = -2;
    argb4444.Masks = {0x0F00, 0x00F0, 0x000F, 0xF000};
    argb4444.Rows = {0x00, 0xFF, 0x0F, 0xF0, 0x80, 0xF7, 0xFF, 0x0F};
    const Case cases[] = {
        // 3 x 2, 1 bit: bottom row 1 0 1, top row 0 1 1; rows padded to 4 bytes.
        {"1 bit", {3, 2, 1, 40, 0, {Blue, Red}, {0b10100000, 0, 0, 0, 0b01100000, 0, 0, 0}},
         {Blue, Red, Red, Red, Blue, Red}},
        {"1 bit, oldest header", {3, 2, 1, 12, 0, {Blue, Red}, {0b10100000, 0, 0, 0, 0b01100000, 0, 0, 0}},
         {Blue, Red, Red, Red, Blue, Red}},
        {"4 bits, top-down", {3, -2, 4, 40, 0, rgb, {0x01, 0x20, 0, 0, 0x22, 0x10, 0, 0}},
         {Blue, Green, Red, Red, Red, Green}},
        // Index 5 is beyond the three colours the file defines: black.
        {"8 bits, short palette", {2, 2, 8, 124, 0, rgb, {2, 1, 0, 0, 0, 5, 0, 0}},
         {Blue, Black, Red, Green}},
        {"16 bits, 5-5-5 without masks", plain, {{8, 0, 0}, Green, Red, White}},
        {"16 bits, 5-6-5 masks after the header", rgb565, {{0, 4, 0}, Green, Red, Blue}},
        {"16 bits, 4-4-4-4 masks in a version 4 header, top-down", argb4444, {Red, Blue, {0, 136, 119}, White}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const Decoded d(Build(c.File));
        EXPECT_EQ(d.Layout.DecodedBytesPerPixel(), 3);
        ExpectPixels(d, c.TopRowThenBottomRow);
    }
}

// 32-bit pixels with masks in another order or of another width are taken
// apart channel by channel; the fourth byte holds alpha, or 0 without it.
TEST(BmpFormat, ThirtyTwoBitPixelsWithOtherMasksAreReordered)
{
    Recipe abgr;  // red in the lowest byte, alpha in the highest, version 5 header
    abgr.Width = 1;
    abgr.Height = 1;
    abgr.Bits = 32;
    abgr.HeaderSize = 124;
    abgr.Compression = 3;
    abgr.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
    abgr.Rows = {0x11, 0x22, 0x33, 0x44};
    EXPECT_EQ(Decoded(Build(abgr)).Pixels, (Bytes{0x33, 0x22, 0x11, 0x44}));

    Recipe deep = abgr;  // 10 bits a channel in a three-mask header: no alpha
    deep.HeaderSize = 52;
    deep.Masks = {0x3FF00000, 0x000FFC00, 0x000003FF, 0};
    const std::uint32_t pixel = 1023u << 20 | 512u << 10 | 1u;
    deep.Rows = {static_cast<std::uint8_t>(pixel), static_cast<std::uint8_t>(pixel >> 8),
                 static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 24)};
    EXPECT_EQ(Decoded(Build(deep)).Pixels, (Bytes{0, 128, 255, 0}));
}

// Run-length code: runs, stored indices with their padding, moves and line
// ends; pixels it leaves out are black, runs past the row end are cut there,
// and nothing after the end-of-picture code is read.
TEST(BmpFormat, RunLengthCodeFillsRowsFromTheBottom)
{
    const std::vector<std::array<std::uint8_t, 3>> palette = {Blue, Green, Red, White};
    Recipe rle8;
    rle8.Width = 4;
    rle8.Height = 3;
    rle8.Bits = 8;
    rle8.Compression = 1;
    rle8.Palette = palette;
    rle8.Rows = {3, 1, 0, 0,           // bottom row: three of index 1, end of line
                 0, 3, 2, 3, 1, 0,     // three stored indices and a pad byte,
                 5, 0, 0, 0,           // five of index 0 (one fits), end of line
                 0, 2, 2, 0, 1, 3,     // move two right, one of index 3
                 0, 1, 4, 2};          // end of picture; the run after it is not read
    ExpectPixels(Decoded(Build(rle8)), {Black, Black, White, Black,
                                        Red, White, Green, Blue,
                                        Green, Green, Green, Black});

    Recipe rle4 = rle8;
    rle4.Width = 5;
    rle4.Height = 2;
    rle4.Bits = 4;
    rle4.Compression = 2;
    rle4.Rows = {5, 0x12, 2, 0x33, 0, 0,      // indices 1 and 2 taking turns; a run past the end
                 0, 5, 0x30, 0x12, 0x00, 0,   // five stored indices in three bytes and a pad byte
                 0, 1};                       // end of picture
    ExpectPixels(Decoded(Build(rle4)), {White, Blue, Green, Red, Blue,
                                        Green, Red, Green, Red, Green});
}

// Code that ends too early, moves out of the picture or comes with a wrong
// size field is followed only as far as it stays inside both.
TEST(BmpFormat, RunLengthCodeNeverLeavesThePictureOrTheCode)
{
    struct Case {
        const char* What;
        Bytes Code;
        std::uint32_t SizeImage;  // the size field written into the file
        std::vector<Bgr> TopRowThenBottomRow;
    };
    const Case cases[] = {
        {"no end-of-picture code", {2, 1}, 2, {Black, Black, Green, Green}},
        {"a stored run cut off by the end", {1, 2, 0, 3, 1}, 5, {Black, Black, Red, Black}},
        {"a move cut off by the end", {1, 2, 0, 2, 1}, 5, {Black, Black, Red, Black}},
        {"a move past the top row", {0, 2, 0, 9, 2, 1}, 6, {Black, Black, Black, Black}},
        {"a move far right, then runs", {0, 2, 250, 0, 2, 1, 0, 0, 2, 2}, 10, {Red, Red, Black, Black}},
        {"line ends past the top row", {0, 0, 0, 0, 0, 0, 2, 1}, 8, {Black, Black, Black, Black}},
        {"a zero size field", {2, 1, 0, 0, 2, 2, 0, 1}, 0, {Red, Red, Green, Green}},
        {"a size field past the end", {2, 1, 0, 0, 2, 2, 0, 1}, 1000, {Red, Red, Green, Green}},
        {"a size field cutting the code short", {2, 1, 0, 0, 2, 2, 0, 1}, 4, {Black, Black, Green, Green}},
        {"no code at all", {}, 0, {Black, Black, Black, Black}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        Recipe r;
        r.Bits = 8;
        r.Compression = 1;
        r.Palette = {Blue, Green, Red};
        r.Rows = c.Code;
        const Decoded d(With(Build(r), SizeImage, c.SizeImage));
        ExpectPixels(d, c.TopRowThenBottomRow);
    }
}

// Writers often leave the size fields at zero or get them wrong; the pixels
// present are what count.
TEST(BmpFormat, SizeFieldsThatDoNotMatchTheDataAreIgnored)
{
    const Bytes good = True2x2();
    const Bytes expected = Decoded(good).Pixels;
    const std::pair<Field, std::uint32_t> lies[] = {
        {FileSize, 0}, {FileSize, 0xFFFFFFFF}, {SizeImage, 0}, {SizeImage, 17}, {SizeImage, 0xFFFFFFFF}};
    for (const auto& [field, value] : lies)
        EXPECT_EQ(Decoded(With(good, field, value)).Pixels, expected) << "field at " << field << " = " << value;
}

TEST(BmpFormat, TrueColourRowsKeepTheirBytesAndOrder)
{
    Recipe top;  // 1 x 2, 32 bits, top-down, version 5 header with the usual masks
    top.Width = 1;
    top.Height = -2;
    top.Bits = 32;
    top.HeaderSize = 124;
    top.Compression = 3;
    top.Rows = {1, 2, 3, 4, 5, 6, 7, 8};
    const Decoded d(Build(top));
    EXPECT_EQ(d.Layout.DecodedBytesPerPixel(), 4);
    EXPECT_EQ(d.Pixels, (Bytes{5, 6, 7, 8, 1, 2, 3, 4})) << "stored bottom-up in memory";

    const Bytes file = True2x2();
    EXPECT_EQ(Decoded(file).Pixels, Bytes(file.begin() + 54, file.end())) << "24-bit rows are copied as stored";
}

TEST(BmpFormat, HeadersOfWrittenFilesReadBack)
{
    for (int bytes : {3, 4}) {
        Bytes file = BmpHeaders(5, 3, bytes);
        const std::size_t stride = DibStride(5, bytes);
        for (std::size_t i = 0; i < stride * 3; ++i)
            file.push_back(static_cast<std::uint8_t>(i));
        const TBmpLayout layout = ReadBmpLayout(file.data(), file.size());
        EXPECT_EQ(layout.Width, 5);
        EXPECT_EQ(layout.Height, 3);
        EXPECT_FALSE(layout.TopDown);
        EXPECT_EQ(layout.BitCount, bytes * 8);
        EXPECT_EQ(layout.PixelOffset, 54u);
        EXPECT_EQ(layout.SourceStride, stride);
    }
}

TEST(BmpFormat, RefusesCorruptHeadersSayingWhy)
{
    for (const Corrupt& c : CorruptFiles()) {
        const Bytes file = c.Make();
        try {
            ReadBmpLayout(file.data(), file.size());
            ADD_FAILURE() << "accepted: " << c.What;
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message().find(c.Says), std::string::npos) << c.What << ": " << e.Message();
        }
    }
}

} // namespace
