#include "ui/BmpFormat.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace ui {

namespace {

// Decoded pictures larger than this are refused before any memory is taken
// for them: no skin picture comes near it, and a lying header cannot make the
// program ask for gigabytes.
constexpr std::uint64_t MaxDecodedBytes = 256u << 20;

constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiBitfields = 3;

std::uint16_t U16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t U32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::int32_t I32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(U32(p));
}

void PutU16(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void PutU32(std::uint8_t* p, std::uint32_t v)
{
    PutU16(p, v);
    PutU16(p + 2, v >> 16);
}

[[noreturn]] void Invalid(const std::string& why)
{
    throw EInvalidGraphic("Invalid BMP data: " + why);
}

// The info header's fields that matter, whichever of its versions the file has.
struct TInfoHeader {
    std::uint32_t Size = 0;
    std::int64_t Width = 0;
    std::int64_t Height = 0;
    std::uint32_t Planes = 0;
    std::uint32_t BitCount = 0;
    std::uint32_t Compression = BiRgb;
    std::uint32_t SizeImage = 0;
    std::uint32_t ColorsUsed = 0;
    std::size_t PaletteEntrySize = 4;
    std::size_t MasksEnd = 0;  // where colour masks end (after the header for version 1)
};

bool KnownHeaderSize(std::uint32_t size)
{
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

TInfoHeader ReadInfoHeader(const std::uint8_t* data, std::size_t size)
{
    const std::uint8_t* h = data + BmpFileHeaderSize;
    TInfoHeader info;
    info.Size = U32(h);
    if (!KnownHeaderSize(info.Size))
        Invalid("unsupported info header size " + std::to_string(info.Size));
    if (BmpFileHeaderSize + info.Size > size)
        Invalid("the info header is cut off");
    info.MasksEnd = BmpFileHeaderSize + info.Size;
    if (info.Size == 12) {  // the oldest header: 16-bit sizes, 3-byte palette entries
        info.Width = U16(h + 4);
        info.Height = U16(h + 6);
        info.Planes = U16(h + 8);
        info.BitCount = U16(h + 10);
        info.PaletteEntrySize = 3;
        return info;
    }
    info.Width = I32(h + 4);
    info.Height = I32(h + 8);
    info.Planes = U16(h + 12);
    info.BitCount = U16(h + 14);
    info.Compression = U32(h + 16);
    info.SizeImage = U32(h + 20);
    info.ColorsUsed = U32(h + 32);
    if (info.Size == 40 && info.Compression == BiBitfields)
        info.MasksEnd += 12;  // the three masks follow the short header
    return info;
}

// 32-bit files may name their channel masks; only the usual order is read.
void CheckMasks(const std::uint8_t* data, std::size_t size, const TInfoHeader& info)
{
    if (info.BitCount != 32)
        Invalid("bit-field compression with " + std::to_string(info.BitCount) + " bits per pixel");
    if (info.MasksEnd > size)
        Invalid("the colour masks are cut off");
    const std::uint8_t* masks = data + BmpFileHeaderSize + 40;
    if (U32(masks) != 0x00FF0000 || U32(masks + 4) != 0x0000FF00 || U32(masks + 8) != 0x000000FF)
        Invalid("unsupported colour masks");
}

void CheckFormat(const std::uint8_t* data, std::size_t size, const TInfoHeader& info)
{
    if (info.Width <= 0 || info.Height == 0)
        Invalid("picture size " + std::to_string(info.Width) + " x " + std::to_string(info.Height));
    if (info.Planes != 1)
        Invalid(std::to_string(info.Planes) + " planes");
    const std::uint32_t bits = info.BitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        Invalid("unsupported " + std::to_string(bits) + " bits per pixel");
    if (info.Compression == BiBitfields)
        CheckMasks(data, size, info);
    else if (info.Compression != BiRgb)
        Invalid("unsupported compression " + std::to_string(info.Compression));
}

std::vector<std::array<std::uint8_t, 3>> ReadPalette(const std::uint8_t* data, const TInfoHeader& info,
                                                     std::size_t pixelOffset)
{
    const std::uint64_t maxColors = info.BitCount <= 8 ? std::uint64_t{1} << info.BitCount : 0;
    // A colour count on a 24- or 32-bit file announces an optional palette
    // that is skipped; up to 256 entries are allowed there.
    const std::uint64_t limit = maxColors ? maxColors : 256;
    if (info.ColorsUsed > limit)
        Invalid(std::to_string(info.ColorsUsed) + " palette colours for " + std::to_string(info.BitCount) +
                " bits per pixel");
    const std::uint64_t count = info.ColorsUsed ? info.ColorsUsed : maxColors;
    if (info.MasksEnd + count * info.PaletteEntrySize > pixelOffset)
        Invalid("the palette overlaps the pixel data");
    if (!maxColors)
        return {};
    std::vector<std::array<std::uint8_t, 3>> palette(256, {0, 0, 0});
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = data + info.MasksEnd + i * info.PaletteEntrySize;
        palette[i] = {entry[0], entry[1], entry[2]};
    }
    return palette;
}

} // namespace

TBmpLayout ReadBmpLayout(const std::uint8_t* data, std::size_t size)
{
    if (!data || size < BmpFileHeaderSize + 4)
        Invalid("only " + std::to_string(size) + " bytes");
    if (data[0] != 'B' || data[1] != 'M')
        Invalid("no BMP signature");
    const std::uint32_t fileSize = U32(data + 2);
    if (fileSize > size)
        Invalid("the file header announces " + std::to_string(fileSize) + " bytes, there are " +
                std::to_string(size));
    const TInfoHeader info = ReadInfoHeader(data, size);
    const std::size_t pixelOffset = U32(data + 10);
    if (pixelOffset > size)
        Invalid("the pixel data offset " + std::to_string(pixelOffset) + " lies beyond the end");
    CheckFormat(data, size, info);

    TBmpLayout layout;
    layout.BitCount = static_cast<int>(info.BitCount);
    const std::uint64_t rows = static_cast<std::uint64_t>(std::abs(info.Height));
    const std::uint64_t width = static_cast<std::uint64_t>(info.Width);
    const std::uint64_t sourceStride = (width * info.BitCount + 31) / 32 * 4;
    const std::uint64_t decodedStride = (width * layout.DecodedBytesPerPixel() + 3) / 4 * 4;
    if (decodedStride > MaxDecodedBytes / rows)
        Invalid("picture size " + std::to_string(width) + " x " + std::to_string(rows) + " is too large");
    const std::size_t available = size - pixelOffset;
    if (sourceStride * rows > available)
        Invalid("the pixel data is cut off (" + std::to_string(available) + " of " +
                std::to_string(sourceStride * rows) + " bytes)");
    if (info.SizeImage > available)
        Invalid("the info header announces " + std::to_string(info.SizeImage) + " bytes of pixels, there are " +
                std::to_string(available));
    layout.Palette = ReadPalette(data, info, pixelOffset);

    layout.Width = static_cast<int>(width);
    layout.Height = static_cast<int>(rows);
    layout.TopDown = info.Height < 0;
    layout.PixelOffset = pixelOffset;
    layout.SourceStride = static_cast<std::size_t>(sourceStride);
    return layout;
}

namespace {

// Widens one row of palette indices (the highest bits hold the leftmost pixel).
void WidenRow(const TBmpLayout& layout, const std::uint8_t* src, std::uint8_t* dest)
{
    const int bits = layout.BitCount;
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (int x = 0; x < layout.Width; ++x) {
        const int shift = 8 - bits * (x % perByte + 1);
        const unsigned index = src[x / perByte] >> shift & mask;
        std::memcpy(dest + 3 * x, layout.Palette[index].data(), 3);
    }
}

} // namespace

void DecodeBmpPixels(const TBmpLayout& layout, const std::uint8_t* data, std::uint8_t* dest, std::size_t stride)
{
    const std::size_t rowBytes = static_cast<std::size_t>(layout.Width) * layout.DecodedBytesPerPixel();
    for (int row = 0; row < layout.Height; ++row) {
        // Destination row `row` counts from the bottom, like a bottom-up file.
        const int sourceRow = layout.TopDown ? layout.Height - 1 - row : row;
        const std::uint8_t* src = data + layout.PixelOffset + static_cast<std::size_t>(sourceRow) * layout.SourceStride;
        std::uint8_t* out = dest + static_cast<std::size_t>(row) * stride;
        if (layout.Palette.empty())
            std::memcpy(out, src, rowBytes);
        else
            WidenRow(layout, src, out);
    }
}

std::vector<std::uint8_t> BmpHeaders(int width, int height, int bytesPerPixel)
{
    const std::size_t offset = BmpFileHeaderSize + BmpInfoHeaderSize;
    const std::size_t imageSize = DibStride(width, bytesPerPixel) * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> h(offset, 0);
    h[0] = 'B';
    h[1] = 'M';
    PutU32(&h[2], static_cast<std::uint32_t>(offset + imageSize));
    PutU32(&h[10], static_cast<std::uint32_t>(offset));
    std::uint8_t* info = &h[BmpFileHeaderSize];
    PutU32(info, BmpInfoHeaderSize);
    PutU32(info + 4, static_cast<std::uint32_t>(width));
    PutU32(info + 8, static_cast<std::uint32_t>(height));
    PutU16(info + 12, 1);
    PutU16(info + 14, static_cast<std::uint32_t>(bytesPerPixel * 8));
    PutU32(info + 20, static_cast<std::uint32_t>(imageSize));
    return h;
}

} // namespace ui
