// The BMP file format: checking a file's headers against its size, decoding
// its pixels into 24- or 32-bit bottom-up rows (the memory layout of a DIB
// section) and writing the headers of an uncompressed file.
//
// Read: every header version (12, 40, 52, 56, 108 and 124 bytes); 1, 4 and
// 8 bits with a palette, uncompressed or run-length coded (4 and 8 bits);
// 16 bits (5-5-5, or any channel masks); 24 bits; 32 bits (as stored, or any
// channel masks); rows bottom-up or top-down. The file size and image size
// fields are not trusted: the data present is what counts.
//
// Platform-neutral, so that the checks run under the sanitizers on the host.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/core/SysUtils.h"

namespace ui {

// Graphic data that cannot be read: a corrupt or unsupported BMP file.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

inline constexpr std::size_t BmpFileHeaderSize = 14;
inline constexpr std::size_t BmpInfoHeaderSize = 40;

// How the stored pixels become decoded ones.
enum class TBmpPixels {
    Indexed,  // palette indices, 1, 4 or 8 bits, widened to 24 bits
    Copied,   // 24 bits, or 32 bits in the usual channel order: rows copied
    Masked,   // 16 or 32 bits whose channels are picked out by bit masks
    Rle8,     // run-length coded palette indices, 8 bits
    Rle4,     // run-length coded palette indices, 4 bits
};

// Where the pixels of a checked BMP file lie and how they are stored.
struct TBmpLayout {
    int Width = 0;
    int Height = 0;         // number of rows, positive
    bool TopDown = false;   // the first stored row is the top one
    int BitCount = 0;       // 1, 4, 8, 16, 24 or 32 bits per stored pixel
    TBmpPixels Pixels = TBmpPixels::Copied;
    std::size_t PixelOffset = 0;
    std::size_t SourceStride = 0;  // bytes per stored row (not for run-length code)
    std::size_t CodeSize = 0;      // bytes of run-length code from PixelOffset
    // Red, green, blue and alpha masks of Masked pixels (alpha may be 0).
    std::array<std::uint32_t, 4> Masks{};
    // Blue, green, red of each palette index (256 entries for palette
    // formats, indices the file does not define are black; empty otherwise).
    std::vector<std::array<std::uint8_t, 3>> Palette;

    // 32-bit pictures keep four bytes per pixel; every other is widened or
    // narrowed to 24 bits.
    int DecodedBytesPerPixel() const { return BitCount == 32 ? 4 : 3; }
};

// Bytes of one row of a DIB (and of a BMP file): padded to four bytes.
constexpr std::size_t DibStride(int width, int bytesPerPixel)
{
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bytesPerPixel) + 3) / 4 * 4;
}

// Checks every header field of BMP file data against the data's size and
// describes its pixels; raises EInvalidGraphic saying what is wrong.
TBmpLayout ReadBmpLayout(const std::uint8_t* data, std::size_t size);

// Writes the pixels of data (checked by ReadBmpLayout) to dest as bottom-up
// rows of layout.DecodedBytesPerPixel() bytes per pixel, stride bytes apart.
// Run-length code is followed as far as it stays inside the picture and the
// code: runs past the end of a row are cut there, a move or line end past
// the last row ends the picture, and pixels the code leaves out are black.
void DecodeBmpPixels(const TBmpLayout& layout, const std::uint8_t* data, std::uint8_t* dest,
                     std::size_t stride);

// The file and info headers of an uncompressed bottom-up BMP file of that
// size, 3 or 4 bytes per pixel, whose rows follow the headers directly.
std::vector<std::uint8_t> BmpHeaders(int width, int height, int bytesPerPixel);

} // namespace ui
