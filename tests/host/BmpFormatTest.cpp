// The BMP reader on files built byte by byte: every stored form it accepts
// decodes to the right pixels, and corrupt headers are refused before a byte
// outside the data is touched (the sanitizers watch the reads).
#include "ui/BmpFormat.h"
#include "tests/shared/BmpSamples.h"

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
const Bgr Blue{255, 0, 0}, Green{0, 255, 0}, Red{0, 0, 255}, Black{0, 0, 0};

TEST(BmpFormat, WidensPaletteFormatsTo24BitsInEveryHeaderVersion)
{
    struct Case {
        const char* What;
        Recipe File;
        std::vector<Bgr> TopRowThenBottomRow;
    };
    const std::vector<std::array<std::uint8_t, 3>> rgb = {Blue, Green, Red};
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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const Decoded d(Build(c.File));
        EXPECT_EQ(d.Layout.DecodedBytesPerPixel(), 3);
        const int w = d.Layout.Width;
        for (int i = 0; i < 2 * w; ++i)
            EXPECT_EQ(d.At(i % w, i / w), c.TopRowThenBottomRow[static_cast<std::size_t>(i)]) << "pixel " << i;
    }
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
