// What the tests of control skinners share beyond SkinTestSupport.h: screen
// rectangles, expected faces drawn over a ground and compared with the
// screen, and gestures that enter a loop of the system's.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "tests/win/PixelTestSupport.h"
#include "tests/win/SkinTestSupport.h"
#include "tests/win/WindowTestSupport.h"
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

// Pixels of `shot` unlike `expected`, where `expected` is not magenta.
inline int Differences(const ui::TBitmap& shot, const ui::TBitmap& expected)
{
    int count = 0;
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x)
            count += !(At(expected, x, y) == Magenta) && !(At(shot, x, y) == At(expected, x, y));
    return count;
}

// Runs a gesture on a helper thread while this thread pumps: a press on a
// scroll bar enters a tracking loop on this thread, which only ends with
// the release.
inline void Gesture(const std::function<void()>& gesture)
{
    std::atomic<bool> done{false};
    std::thread helper([&] {
        gesture();
        done = true;
    });
    PumpUntil([&] { return done.load(); }, std::chrono::seconds(30));
    helper.join();
}

} // namespace tests
