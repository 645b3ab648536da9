// What the tests of control skinners share beyond SkinTestSupport.h: screen
// rectangles, and expected faces drawn over a ground.
#pragma once

#include <windows.h>

#include <memory>

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

} // namespace tests
