// What the tests of control skinners share beyond SkinTestSupport.h: screen
// rectangles, expected faces drawn over a ground or built from an element,
// and faces compared along their edges.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/SkinDraw.h"
#include "skin/SkinObjects.h"
#include "tests/win/FrameOnScreen.h"
#include "tests/win/SkinTestSupport.h"
#include "ui/Graphics.h"

namespace tests {

inline RECT ScreenRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// A picture of width x height filled with `ground`, then painted by `paint`
// (a device context and the whole rectangle).
template <class Paint>
std::unique_ptr<ui::TBitmap> Picture(int width, int height, ui::TColor ground, Paint paint)
{
    auto picture = std::make_unique<ui::TBitmap>(width, height);
    const RECT all{0, 0, width, height};
    ui::TBrushHandle brush(CreateSolidBrush(ui::ColorToRGB(ground)));
    FillRect(picture->Canvas()->Handle(), &all, brush.Get());
    paint(picture->Canvas()->Handle(), all);
    return picture;
}

// A rectangle of a window moved to the screen.
inline RECT OnScreen(HWND window, RECT r)
{
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Frame `frame` of `frames` of an element built at rect's size.
inline std::unique_ptr<ui::TBitmap> ElementFace(skin::TDataSkinObject& element, const RECT& rect, int frames,
                                                int frame)
{
    return skin::BuildElementBitmap({0, 0, rect.right - rect.left, rect.bottom - rect.top}, *element.Image,
                                    element.Margins(), false, element.Tile != 0, frames, frame);
}

// How many pixels of a ring `width` wide inside `screen` differ from the
// same ring of `expected`, leaving out what the expected picture keys out
// (magenta): the ring holds a face's edges, the middle its text.
inline int RingDifferences(const RECT& screen, const ui::TBitmap& expected, int width)
{
    const auto shot = CaptureScreen(screen);
    const int w = expected.Width(), h = expected.Height();
    int count = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool inRing = x < width || y < width || x >= w - width || y >= h - width;
            count += inRing && !(At(expected, x, y) == Magenta) && !(At(*shot, x, y) == At(expected, x, y));
        }
    return count;
}

} // namespace tests
