#include "ui/graphics/BmpFormat.h"

#include <algorithm>
#include <bit>
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
constexpr std::uint32_t BiRle8 = 1;
constexpr std::uint32_t BiRle4 = 2;
constexpr std::uint32_t BiBitfields = 3;

// Red, green, blue (and alpha) masks of the usual layouts.
constexpr std::array<std::uint32_t, 4> Masks555 = {0x7C00, 0x03E0, 0x001F, 0};
constexpr std::array<std::uint32_t, 3> MasksXrgb = {0x00FF0000, 0x0000FF00, 0x000000FF};

// Where the masks of a bit-field file lie: after the 40-byte part of the info
// header, whichever version it is (a 40-byte header is followed by them).
constexpr std::size_t MasksOffset = 14 + 40;

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

// A mask is usable when its bits are one run inside the pixel and no two
// masks share a bit.
void CheckMasks(const std::array<std::uint32_t, 4>& masks, std::uint32_t bits)
{
    std::uint32_t seen = 0;
    for (const std::uint32_t mask : masks) {
        const std::uint32_t low = mask & (0u - mask);  // the lowest set bit
        const bool oneRun = ((mask + low) & mask) == 0;
        if (!oneRun || (bits < 32 && mask >> bits) || (seen & mask))
            Invalid("unsupported colour masks");
        seen |= mask;
    }
}

// The channel masks of a 16- or 32-bit file with bit-field compression.
std::array<std::uint32_t, 4> ReadMasks(const std::uint8_t* data, std::size_t size, const TInfoHeader& info)
{
    if (info.BitCount != 16 && info.BitCount != 32)
        Invalid("bit-field compression with " + std::to_string(info.BitCount) + " bits per pixel");
    if (info.MasksEnd > size)
        Invalid("the colour masks are cut off");
    const std::uint8_t* m = data + MasksOffset;
    const bool alpha = info.Size >= 56;  // the three-mask header has none
    std::array<std::uint32_t, 4> masks = {U32(m), U32(m + 4), U32(m + 8), alpha ? U32(m + 12) : 0};
    CheckMasks(masks, info.BitCount);
    return masks;
}

bool UsualOrder(const std::array<std::uint32_t, 4>& masks)
{
    return masks[0] == MasksXrgb[0] && masks[1] == MasksXrgb[1] && masks[2] == MasksXrgb[2] &&
           (masks[3] == 0 || masks[3] == 0xFF000000);
}

void CheckBitCount(std::uint32_t bits, std::uint32_t compression)
{
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        Invalid("unsupported " + std::to_string(bits) + " bits per pixel");
    if ((compression == BiRle8 && bits != 8) || (compression == BiRle4 && bits != 4))
        Invalid("run-length compression " + std::to_string(compression) + " with " + std::to_string(bits) +
                " bits per pixel");
    if (compression > BiBitfields)
        Invalid("unsupported compression " + std::to_string(compression));
}

// How the pixels are stored, with the masks of bit-field pixels.
void ReadPixelFormat(const std::uint8_t* data, std::size_t size, const TInfoHeader& info, TBmpLayout& layout)
{
    if (info.Width <= 0 || info.Height == 0)
        Invalid("picture size " + std::to_string(info.Width) + " x " + std::to_string(info.Height));
    if (info.Planes != 1)
        Invalid(std::to_string(info.Planes) + " planes");
    CheckBitCount(info.BitCount, info.Compression);
    layout.BitCount = static_cast<int>(info.BitCount);
    if (info.Compression == BiRle8 || info.Compression == BiRle4) {
        if (info.Height < 0)
            Invalid("a top-down picture cannot be run-length coded");
        layout.Pixels = info.Compression == BiRle8 ? TBmpPixels::Rle8 : TBmpPixels::Rle4;
    } else if (info.BitCount <= 8) {
        layout.Pixels = TBmpPixels::Indexed;
    } else if (info.Compression == BiBitfields) {
        layout.Masks = ReadMasks(data, size, info);
        layout.Pixels = UsualOrder(layout.Masks) ? TBmpPixels::Copied : TBmpPixels::Masked;
    } else if (info.BitCount == 16) {
        layout.Masks = Masks555;
        layout.Pixels = TBmpPixels::Masked;
    } else {
        layout.Pixels = TBmpPixels::Copied;
    }
}

std::vector<std::array<std::uint8_t, 3>> ReadPalette(const std::uint8_t* data, const TInfoHeader& info,
                                                     std::size_t pixelOffset)
{
    const std::uint64_t maxColors = info.BitCount <= 8 ? std::uint64_t{1} << info.BitCount : 0;
    // A colour count on a 16-, 24- or 32-bit file announces an optional
    // palette that is skipped; up to 256 entries are allowed there.
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

bool RunLengthCoded(const TBmpLayout& layout)
{
    return layout.Pixels == TBmpPixels::Rle8 || layout.Pixels == TBmpPixels::Rle4;
}

// Checks that the stored pixels are present. Run-length code takes the
// image size field when it fits the data, else everything after the offset.
void PlacePixels(const TInfoHeader& info, std::size_t available, TBmpLayout& layout)
{
    const std::uint64_t rows = static_cast<std::uint64_t>(layout.Height);
    const std::uint64_t width = static_cast<std::uint64_t>(layout.Width);
    const std::uint64_t decodedStride = (width * layout.DecodedBytesPerPixel() + 3) / 4 * 4;
    if (decodedStride > MaxDecodedBytes / rows)
        Invalid("picture size " + std::to_string(width) + " x " + std::to_string(rows) + " is too large");
    if (RunLengthCoded(layout)) {
        layout.CodeSize = info.SizeImage && info.SizeImage <= available ? info.SizeImage : available;
        return;
    }
    const std::uint64_t sourceStride = (width * info.BitCount + 31) / 32 * 4;
    if (sourceStride * rows > available)
        Invalid("the pixel data is cut off (" + std::to_string(available) + " of " +
                std::to_string(sourceStride * rows) + " bytes)");
    layout.SourceStride = static_cast<std::size_t>(sourceStride);
}

} // namespace

TBmpLayout ReadBmpLayout(const std::uint8_t* data, std::size_t size)
{
    if (!data || size < BmpFileHeaderSize + 4)
        Invalid("only " + std::to_string(size) + " bytes");
    if (data[0] != 'B' || data[1] != 'M')
        Invalid("no BMP signature");
    const TInfoHeader info = ReadInfoHeader(data, size);
    const std::size_t pixelOffset = U32(data + 10);
    if (pixelOffset > size)
        Invalid("the pixel data offset " + std::to_string(pixelOffset) + " lies beyond the end");

    TBmpLayout layout;
    ReadPixelFormat(data, size, info, layout);
    layout.Width = static_cast<int>(std::min<std::int64_t>(info.Width, INT32_MAX));
    layout.Height = static_cast<int>(std::min<std::int64_t>(std::abs(info.Height), INT32_MAX));
    layout.TopDown = info.Height < 0;
    layout.PixelOffset = pixelOffset;
    PlacePixels(info, size - pixelOffset, layout);
    layout.Palette = ReadPalette(data, info, pixelOffset);
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

// One channel of a bit-field pixel: its bits under the mask widened to 8 by
// repeating them (5 bits abcde become abcdeabc), so that the lowest value
// stays 0 and the highest becomes 255, or cut to their top 8 bits.
class TChannel {
public:
    explicit TChannel(std::uint32_t mask)
        : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), bits_(std::popcount(mask))
    {
    }

    std::uint8_t Of(std::uint32_t pixel) const
    {
        if (bits_ == 0)
            return 0;
        const std::uint32_t value = (pixel & mask_) >> shift_;
        if (bits_ >= 8)
            return static_cast<std::uint8_t>(value >> (bits_ - 8));
        std::uint32_t wide = value << (8 - bits_);
        for (int filled = bits_; filled < 8; filled *= 2)
            wide |= wide >> filled;
        return static_cast<std::uint8_t>(wide);
    }

private:
    std::uint32_t mask_;
    int shift_;
    int bits_;
};

// Picks the channels of one row of 16- or 32-bit pixels out by their masks;
// 32-bit pixels keep alpha (0 without an alpha mask) as their fourth byte.
void UnmaskRow(const TBmpLayout& layout, const std::uint8_t* src, std::uint8_t* dest)
{
    const TChannel red(layout.Masks[0]), green(layout.Masks[1]), blue(layout.Masks[2]), alpha(layout.Masks[3]);
    const int in = layout.BitCount / 8, out = layout.DecodedBytesPerPixel();
    for (int x = 0; x < layout.Width; ++x, src += in, dest += out) {
        const std::uint32_t pixel = in == 2 ? U16(src) : U32(src);
        dest[0] = blue.Of(pixel);
        dest[1] = green.Of(pixel);
        dest[2] = red.Of(pixel);
        if (out == 4)
            dest[3] = alpha.Of(pixel);
    }
}

// Follows run-length code into bottom-up 24-bit rows that start out black.
class TRunLengthDecoder {
public:
    TRunLengthDecoder(const TBmpLayout& layout, const std::uint8_t* data, std::uint8_t* dest, std::size_t stride)
        : layout_(layout), code_(data + layout.PixelOffset), end_(code_ + layout.CodeSize), dest_(dest),
          stride_(stride), nibbles_(layout.Pixels == TBmpPixels::Rle4)
    {
    }

    void Run()
    {
        while (end_ - code_ >= 2 && y_ < layout_.Height) {
            const int count = code_[0], value = code_[1];
            code_ += 2;
            if (count > 0)
                Repeat(count, value);
            else if (!Escape(value))
                return;
        }
    }

private:
    // A run of `count` pixels: one index repeated, or two indices taking
    // turns for 4-bit code.
    void Repeat(int count, int value)
    {
        for (int k = 0; k < count; ++k)
            Put(nibbles_ ? (k % 2 ? value & 0xF : value >> 4) : value);
    }

    // Code 0 followed by `value`: end of line (0), end of picture (1), a
    // move (2, then right and up), or `value` indices stored as they are,
    // padded to an even number of bytes. False ends the picture.
    bool Escape(int value)
    {
        switch (value) {
        case 0:
            x_ = 0;
            ++y_;
            return true;
        case 1:
            return false;
        case 2:
            if (end_ - code_ < 2)
                return false;
            x_ = std::min(x_ + code_[0], layout_.Width);
            y_ += code_[1];
            code_ += 2;
            return true;
        default:
            return Literal(value);
        }
    }

    bool Literal(int count)
    {
        const std::ptrdiff_t bytes = nibbles_ ? (count + 1) / 2 : count;
        if (end_ - code_ < bytes)
            return false;
        for (int k = 0; k < count; ++k)
            Put(nibbles_ ? (k % 2 ? code_[k / 2] & 0xF : code_[k / 2] >> 4) : code_[k]);
        code_ += std::min<std::ptrdiff_t>(bytes + bytes % 2, end_ - code_);
        return true;
    }

    // Pixels past the end of the row are dropped.
    void Put(int index)
    {
        if (x_ >= layout_.Width)
            return;
        std::memcpy(dest_ + static_cast<std::size_t>(y_) * stride_ + 3 * static_cast<std::size_t>(x_),
                    layout_.Palette[static_cast<std::size_t>(index)].data(), 3);
        ++x_;
    }

    const TBmpLayout& layout_;
    const std::uint8_t* code_;
    const std::uint8_t* const end_;
    std::uint8_t* const dest_;
    const std::size_t stride_;
    const bool nibbles_;
    int x_ = 0;
    int y_ = 0;
};

} // namespace

void DecodeBmpPixels(const TBmpLayout& layout, const std::uint8_t* data, std::uint8_t* dest, std::size_t stride)
{
    if (RunLengthCoded(layout)) {
        std::memset(dest, 0, stride * static_cast<std::size_t>(layout.Height));
        TRunLengthDecoder(layout, data, dest, stride).Run();
        return;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(layout.Width) * layout.DecodedBytesPerPixel();
    for (int row = 0; row < layout.Height; ++row) {
        // Destination row `row` counts from the bottom, like a bottom-up file.
        const int sourceRow = layout.TopDown ? layout.Height - 1 - row : row;
        const std::uint8_t* src = data + layout.PixelOffset + static_cast<std::size_t>(sourceRow) * layout.SourceStride;
        std::uint8_t* out = dest + static_cast<std::size_t>(row) * stride;
        if (layout.Pixels == TBmpPixels::Indexed)
            WidenRow(layout, src, out);
        else if (layout.Pixels == TBmpPixels::Masked)
            UnmaskRow(layout, src, out);
        else
            std::memcpy(out, src, rowBytes);
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
