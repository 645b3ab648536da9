// What the tests of control skinners share beyond SkinTestSupport.h: screen
// rectangles, expected faces drawn over a ground or built from an element,
// faces compared with the screen or along their edges, and gestures that
// enter a loop of the system's.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinObjects.h"
#include "tests/win/support/FrameOnScreen.h"
#include "tests/win/support/PixelTestSupport.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/WindowTestSupport.h"
#include "tests/win/support/XInput.h"
#include "ui/graphics/Graphics.h"

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

// A sizeable form on the screen at `bounds` under real input (skipped
// without it), skinned once the test has put its controls on it (Skin);
// the pointer starts away from it.
class SkinnedFormUnderXInput : public ::testing::Test {
protected:
    explicit SkinnedFormUnderXInput(const RECT& bounds) : bounds_(bounds) {}

    void SetUp() override
    {
        if (!input.Available())
            GTEST_SKIP() << "no X input";
        input.MoveTo(away);
        bed.HoldBack();
        form = ShowForm(ui::TFormBorderStyle::bsSizeable, bounds_);
    }

    void Skin()
    {
        controller = bed.Skin(form->Handle());
        ASSERT_TRUE(controller);
    }

    const RECT bounds_;
    const POINT away{bounds_.right + 150, bounds_.bottom + 150};
    TXInput& input = TXInput::Instance();
    TControlSkinning skinning;
    TSkinTestBed bed;
    std::unique_ptr<ui::TForm> form;
    skin::TWinSkinForm* controller = nullptr;
};

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
