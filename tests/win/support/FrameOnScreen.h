// What a skinned window's frame must look like on the screen, built from the
// skin's own pieces, and the screen's pixels to compare it with. The screen
// is read through the screen's device context: under Wine WM_PRINT draws no
// frame and a window's device context ignores the window region.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "skin/window/WinSkinForm.h"
#include "tests/win/support/PixelTestSupport.h"
#include "ui/graphics/Graphics.h"

namespace tests {

// The pixels of the screen under `rect` (screen coordinates).
std::unique_ptr<ui::TBitmap> CaptureScreen(const RECT& rect);
// The pixels of the screen under a window's rectangle.
std::unique_ptr<ui::TBitmap> CaptureWindow(HWND window);

// The expected frame of a skinned window of the window's current size, in
// the active or inactive look, from the border faces of the skin.
class TExpectedFrame {
public:
    TExpectedFrame(const skin::TWinSkinForm& controller, bool active);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // The border pixel at a window point; none in the client area.
    std::optional<Bgr> Border(int x, int y) const;
    // A frame pixel of `button`'s picture in `frame` over the title; none
    // where the picture leaves the title's own pixel.
    std::optional<Bgr> ButtonPixel(const skin::TWinSysButton& button, int frame, int x, int y) const;

private:
    std::unique_ptr<ui::TBitmap> left_, right_, top_, bottom_;
    int width_, height_;
    int leftWidth_, titleHeight_, rightWidth_, bottomHeight_;
};

// Compares the screen picture of the window (`shot`, window coordinates)
// with the expected frame: the borders, except the caption text's block and
// the visible caption buttons, which `buttonFrame` gives the frame of
// (0: the buttons are not compared). Pixels cut out by the key colour are not
// compared. Empty when all agree, else a description of the differences.
std::string FrameDifferences(const ui::TBitmap& shot, const skin::TWinSkinForm& controller,
                             const TExpectedFrame& expected, int (*buttonFrame)(const skin::TWinSysButton&));

// Compares one caption button on the screen with a frame of its picture over
// the title; empty when they agree.
std::string ButtonDifferences(const ui::TBitmap& shot, const TExpectedFrame& expected,
                              const skin::TWinSysButton& button, int frame);

// The caption button of the controller with this action (the visible one
// when several have it), or null.
skin::TWinSysButton* ButtonWithAction(const skin::TWinSkinForm& controller, int action);

} // namespace tests
