// The BMP file format: checking a file's headers against its size, decoding
// its pixels into 24- or 32-bit bottom-up rows (the memory layout of a DIB
// section) and writing the headers of an uncompressed file.
//
// Platform-neutral, so that the checks run under the sanitizers on the host.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/SysUtils.h"

namespace ui {

// Graphic data that cannot be read: a corrupt or unsupported BMP file.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

inline constexpr std::size_t BmpFileHeaderSize = 14;
inline constexpr std::size_t BmpInfoHeaderSize = 40;

// Where the pixels of a checked BMP file lie and how they are stored.
struct TBmpLayout {
    int Width = 0;
    int Height = 0;         // number of rows, positive
    bool TopDown = false;   // the first stored row is the top one
    int BitCount = 0;       // 1, 4, 8, 24 or 32 bits per stored pixel
    std::size_t PixelOffset = 0;
    std::size_t SourceStride = 0;
    // Blue, green, red of each palette index (256 entries for palette
    // formats, indices the file does not define are black; empty otherwise).
    std::vector<std::array<std::uint8_t, 3>> Palette;

    // Palette formats are widened to 24 bits; 24 and 32 bits stay as they are.
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
void DecodeBmpPixels(const TBmpLayout& layout, const std::uint8_t* data, std::uint8_t* dest,
                     std::size_t stride);

// The file and info headers of an uncompressed bottom-up BMP file of that
// size, 3 or 4 bytes per pixel, whose rows follow the headers directly.
std::vector<std::uint8_t> BmpHeaders(int width, int height, int bytesPerPixel);

} // namespace ui
