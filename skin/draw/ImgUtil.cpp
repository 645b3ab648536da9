#include "skin/draw/ImgUtil.h"

#include <algorithm>
#include <cstdint>
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

namespace {

// One source pixel a target pixel takes, and how much of it.
struct TTap {
    int Index;
    int Weight;
};

// What each target pixel along one axis takes of the source: the pixels it
// covers and how much of each. All the weights of one pixel add up to Total.
struct TAxisTaps {
    std::vector<std::vector<TTap>> Taps;
    int Total = 1;
};

// A target of `length` pixels over `sourceLength` source pixels from `first`
// on. Shorter: each target pixel covers sourceLength / length source pixels
// (in units of 1 / length: target pixel i spans [i * sourceLength,
// (i + 1) * sourceLength), source pixel j [j * length, (j + 1) * length)).
// As long or longer: the nearest source pixel, as a stretch takes it.
TAxisTaps AxisTaps(int first, int sourceLength, int length)
{
    TAxisTaps axis;
    axis.Taps.resize(static_cast<std::size_t>(length));
    if (length >= sourceLength) {
        for (int i = 0; i < length; ++i)
            axis.Taps[static_cast<std::size_t>(i)] = {{first + (2 * i + 1) * sourceLength / (2 * length), 1}};
        return axis;
    }
    axis.Total = sourceLength;
    for (int i = 0; i < length; ++i) {
        const int start = i * sourceLength, end = start + sourceLength;
        for (int j = start / length; j * length < end; ++j) {
            const int overlap = std::min(end, (j + 1) * length) - std::max(start, j * length);
            if (overlap > 0)
                axis.Taps[static_cast<std::size_t>(i)].push_back({first + j, overlap});
        }
    }
    return axis;
}

bool IsKey(const std::uint8_t* pixel)
{
    return pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 255;
}

bool Inside(const RECT& r, const TBitmap& bitmap)
{
    return r.left >= 0 && r.top >= 0 && r.right <= bitmap.Width() && r.bottom <= bitmap.Height() &&
           r.left < r.right && r.top < r.bottom;
}

// The sums of one target pixel: the key's weight, and the colour of the rest.
struct TPixelSum {
    std::int64_t Key = 0, Opaque = 0;
    std::int64_t Channel[3] = {0, 0, 0};

    void Add(const std::uint8_t* pixel, std::int64_t weight)
    {
        if (IsKey(pixel)) {
            Key += weight;
            return;
        }
        Opaque += weight;
        for (int c = 0; c < 3; ++c)
            Channel[c] += pixel[c] * weight;
    }

    // The key where it covers more than three quarters of the pixel, else
    // the average of the rest (never the key colour itself).
    void Write(std::uint8_t* out) const
    {
        if (Opaque == 0 || 4 * Key > 3 * (Key + Opaque)) {
            out[0] = 255, out[1] = 0, out[2] = 255;
            return;
        }
        for (int c = 0; c < 3; ++c)
            out[c] = static_cast<std::uint8_t>((Channel[c] + Opaque / 2) / Opaque);
        if (IsKey(out))
            out[1] = 1;
    }
};

} // namespace

void ScalePiece(const TBitmap& source, const RECT& from, TBitmap& target, const RECT& to)
{
    if (!Inside(from, source) || !Inside(to, target))
        return;
    const TAxisTaps columns = AxisTaps(from.left, from.right - from.left, to.right - to.left);
    const TAxisTaps rows = AxisTaps(from.top, from.bottom - from.top, to.bottom - to.top);
    std::vector<const std::uint8_t*> lines(static_cast<std::size_t>(source.Height()), nullptr);
    for (int y = from.top; y < from.bottom; ++y)
        lines[static_cast<std::size_t>(y)] = source.ScanLine(y);
    const int inBytes = source.BytesPerPixel(), outBytes = target.BytesPerPixel();
    for (int y = 0; y < to.bottom - to.top; ++y) {
        std::uint8_t* out = target.ScanLine(to.top + y) + to.left * outBytes;
        for (const auto& across : columns.Taps) {
            TPixelSum sum;
            for (const TTap& row : rows.Taps[static_cast<std::size_t>(y)])
                for (const TTap& column : across)
                    sum.Add(lines[static_cast<std::size_t>(row.Index)] + column.Index * inBytes,
                            static_cast<std::int64_t>(row.Weight) * column.Weight);
            sum.Write(out);
            out += outBytes;
        }
    }
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
