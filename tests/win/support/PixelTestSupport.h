// Pixel access for tests of the skin engine's drawing: colours as the scan
// lines of a 24- or 32-bit bitmap hold them (blue, green, red).
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <ostream>

#include "ui/graphics/Graphics.h"

namespace tests {

struct Bgr {
    std::uint8_t B = 0, G = 0, R = 0;
    friend bool operator==(const Bgr&, const Bgr&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Bgr& c)
    {
        return out << "(r " << int(c.R) << ", g " << int(c.G) << ", b " << int(c.B) << ")";
    }
};

inline Bgr Rgb(int r, int g, int b)
{
    return {static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(r)};
}

inline Bgr BgrOf(COLORREF c)
{
    return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

inline Bgr At(const ui::TBitmap& b, int x, int y)
{
    const std::uint8_t* p = b.ScanLine(y) + x * b.BytesPerPixel();
    return {p[0], p[1], p[2]};
}

inline void Put(ui::TBitmap& b, int x, int y, Bgr c)
{
    std::uint8_t* p = b.ScanLine(y) + x * b.BytesPerPixel();
    p[0] = c.B;
    p[1] = c.G;
    p[2] = c.R;
}

inline void FillBitmap(ui::TBitmap& b, Bgr c)
{
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            Put(b, x, y, c);
}

// Whether two bitmaps have the same size and colours.
inline bool SamePixels(const ui::TBitmap& a, const ui::TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (!(At(a, x, y) == At(b, x, y)))
                return false;
    return true;
}

inline constexpr Bgr Magenta{255, 0, 255};
inline constexpr Bgr NearMagenta{255, 0, 254};  // red 254, green 0, blue 255

} // namespace tests
