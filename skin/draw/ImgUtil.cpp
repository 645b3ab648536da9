#include "skin/draw/ImgUtil.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace skin {

using ui::TBitmap;
using ui::TPixelFormat;

namespace {

// Calls visit(pixel) for each pixel of a 24-bit bitmap, pixel pointing at
// its blue, green and red bytes.
template <class Visit>
void ForEachPixel24(TBitmap& bitmap, Visit visit)
{
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x)
            visit(row + 3 * x);
    }
}

TRgb ToRgb(ui::TColor colour)
{
    return static_cast<TRgb>(ui::ColorToRGB(colour));
}

} // namespace

void Greyscale(TBitmap& bitmap)
{
    ForEachPixel24(bitmap, [](std::uint8_t* pixel) {
        const auto grey = static_cast<std::uint8_t>((pixel[0] + pixel[1] + pixel[2]) / 3);
        std::memset(pixel, grey, 3);
    });
}

void ReplaceKeyColour(TBitmap& bitmap, ui::TColor colour)
{
    const TRgb rgb = ToRgb(colour);
    const std::uint8_t replacement[3] = {static_cast<std::uint8_t>(BlueOf(rgb)),
                                         static_cast<std::uint8_t>(GreenOf(rgb)),
                                         static_cast<std::uint8_t>(RedOf(rgb))};
    ForEachPixel24(bitmap, [&](std::uint8_t* pixel) {
        if (pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 255)
            std::memcpy(pixel, replacement, 3);
    });
}

void DrawKeyedIcon(HICON icon, int cx, int cy, TBitmap& into)
{
    // Over black a pixel shows alpha x colour; over white the same plus
    // (1 - alpha) x 255: the two pictures give back both.
    TBitmap onBlack(cx, cy), onWhite(cx, cy);
    const RECT all{0, 0, cx, cy};
    FillRect(onBlack.Canvas()->Handle(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(onWhite.Canvas()->Handle(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(onBlack.Canvas()->Handle(), 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL);
    DrawIconEx(onWhite.Canvas()->Handle(), 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL);
    GdiFlush();
    into.SetPixelFormat(ui::TPixelFormat::pf24bit);
    into.SetSize(cx, cy);
    for (int y = 0; y < cy; ++y) {
        const std::uint8_t* black = onBlack.ScanLine(y);
        const std::uint8_t* white = onWhite.ScanLine(y);
        std::uint8_t* out = into.ScanLine(y);
        for (int i = 0; i < cx * 3; i += 3) {
            const int seeThrough = (white[i] - black[i] + white[i + 1] - black[i + 1] + white[i + 2] - black[i + 2]) / 3;
            const int alpha = 255 - std::clamp(seeThrough, 0, 255);
            if (alpha < 128) {
                out[i] = 255, out[i + 1] = 0, out[i + 2] = 255;
                continue;
            }
            for (int c = 0; c < 3; ++c)
                out[i + c] = static_cast<std::uint8_t>(std::min(255, black[i + c] * 255 / alpha));
            if (out[i] == 255 && out[i + 1] == 0 && out[i + 2] == 255)
                out[i + 1] = 1;  // the icon's own fuchsia stays visible
        }
    }
}

void MirrorHorizontal(TBitmap& bitmap)
{
    const int bpp = bitmap.BytesPerPixel();
    const int width = bitmap.Width();
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int left = 0, right = width - 1; left < right; ++left, --right)
            std::swap_ranges(row + left * bpp, row + (left + 1) * bpp, row + right * bpp);
    }
}

void FlipVertical(TBitmap& bitmap)
{
    const std::size_t rowBytes = static_cast<std::size_t>(bitmap.Width()) * bitmap.BytesPerPixel();
    for (int top = 0, bottom = bitmap.Height() - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(bitmap.ScanLine(top), bitmap.ScanLine(top) + rowBytes, bitmap.ScanLine(bottom));
}

namespace {

// Turns a bitmap a quarter: the result is old height x old width, 24 bits,
// and its pixel (x, y) is the old pixel source(x, y).
template <class SourceOf>
void Rotate(TBitmap& bitmap, SourceOf source)
{
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    const int oldWidth = bitmap.Width(), oldHeight = bitmap.Height();
    std::vector<std::uint8_t> old(static_cast<std::size_t>(oldWidth) * oldHeight * 3);
    for (int y = 0; y < oldHeight; ++y)
        std::memcpy(old.data() + static_cast<std::size_t>(y) * oldWidth * 3, bitmap.ScanLine(y),
                    static_cast<std::size_t>(oldWidth) * 3);
    bitmap.SetSize(oldHeight, oldWidth);
    for (int y = 0; y < oldWidth; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < oldHeight; ++x) {
            const POINT from = source(x, y, oldWidth, oldHeight);
            std::memcpy(row + 3 * x, old.data() + (static_cast<std::size_t>(from.y) * oldWidth + from.x) * 3, 3);
        }
    }
}

} // namespace

void RotateLeft(TBitmap& bitmap)
{
    // old (x, y) -> (y, oldWidth - 1 - x), so new (x, y) <- old (oldWidth - 1 - y, x)
    Rotate(bitmap, [](int x, int y, int oldWidth, int) { return POINT{oldWidth - 1 - y, x}; });
}

void RotateRight(TBitmap& bitmap)
{
    // old (x, y) -> (oldHeight - 1 - y, x), so new (x, y) <- old (y, oldHeight - 1 - x)
    Rotate(bitmap, [](int x, int y, int, int oldHeight) { return POINT{y, oldHeight - 1 - x}; });
}

ui::TColor MixColours(ui::TColor colour1, ui::TColor colour2, int weight)
{
    return static_cast<ui::TColor>(MixRgb(ToRgb(colour1), ToRgb(colour2), weight));
}

int Saturation(ui::TColor colour)
{
    return RgbSaturation(ToRgb(colour));
}

TGradientCache& GradientCache()
{
    static TGradientCache cache;
    return cache;
}

void GradientFill(HDC dc, const RECT& rect, ui::TColor colour1, bool vertical, ui::TColor colour2)
{
    if (!RectVisible(dc, &rect))
        return;
    RECT clip;
    GetClipBox(dc, &clip);
    const int start = vertical ? rect.top : rect.left;
    const int lineCount = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    if (lineCount <= 0)
        return;
    const int clipStart = vertical ? clip.top : clip.left;
    const int clipEnd = vertical ? clip.bottom : clip.right;
    const int first = std::max(clipStart - start, 0);
    const int last = std::min(clipEnd - start, lineCount) - 1;
    const std::vector<TRgb>& colours = GradientCache().Get(lineCount, ToRgb(colour1), ToRgb(colour2));
    for (int line = first; line <= last; ++line) {
        const RECT band = vertical ? RECT{rect.left, start + line, rect.right, start + line + 1}
                                   : RECT{start + line, rect.top, start + line + 1, rect.bottom};
        const ui::TBrushHandle brush(CreateSolidBrush(colours[static_cast<std::size_t>(line)]));
        FillRect(dc, &band, brush.Get());
    }
}

} // namespace skin
