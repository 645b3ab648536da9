#include "tests/win/support/FrameOnScreen.h"

#include <sstream>

#include "skin/window/CaptionButtons.h"
#include "skin/window/FramePaint.h"

namespace tests {

using skin::TBorderPiece;
using ui::TBitmap;

std::unique_ptr<TBitmap> CaptureScreen(const RECT& rect)
{
    auto shot = std::make_unique<TBitmap>(rect.right - rect.left, rect.bottom - rect.top);
    const HDC screen = GetDC(nullptr);
    BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), screen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return shot;
}

std::unique_ptr<TBitmap> CaptureWindow(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return CaptureScreen(r);
}

TExpectedFrame::TExpectedFrame(const skin::TWinSkinForm& controller, bool active)
    : leftWidth_(controller.LeftWidth),
      titleHeight_(controller.TitleHeight),
      rightWidth_(controller.RightWidth),
      bottomHeight_(controller.BottomHeight)
{
    RECT r{};
    GetWindowRect(controller.WindowHandle, &r);
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
    const skin::TSkinData& data = *controller.SkinData;
    const int middle = width_ - leftWidth_ - rightWidth_;
    left_ = skin::BuildBorderFace(data, TBorderPiece::Left, leftWidth_, height_, active);
    right_ = skin::BuildBorderFace(data, TBorderPiece::Right, rightWidth_, height_, active);
    top_ = skin::BuildBorderFace(data, TBorderPiece::Top, middle, titleHeight_, active);
    bottom_ = skin::BuildBorderFace(data, TBorderPiece::Bottom, middle, bottomHeight_, active);
}

std::optional<Bgr> TExpectedFrame::Border(int x, int y) const
{
    if (x < leftWidth_)
        return At(*left_, x, y);
    if (x >= width_ - rightWidth_)
        return At(*right_, x - (width_ - rightWidth_), y);
    if (y < titleHeight_)
        return At(*top_, x - leftWidth_, y);
    if (y >= height_ - bottomHeight_)
        return At(*bottom_, x - leftWidth_, y - (height_ - bottomHeight_));
    return std::nullopt;
}

std::optional<Bgr> TExpectedFrame::ButtonPixel(const skin::TWinSysButton& button, int frame, int x, int y) const
{
    const skin::TDataSkinSysButton& record = *button.Record;
    const int frameWidth = record.Image->Width() / std::max(record.FrameCount, 1);
    const Bgr pixel = At(*record.Image, (frame - 1) * frameWidth + x - button.Bounds.left, y - button.Bounds.top);
    if (pixel == Magenta)
        return Border(x, y);
    return pixel;
}

namespace {

bool Inside(const RECT& r, int x, int y)
{
    const POINT p{x, y};
    return PtInRect(&r, p) != FALSE;
}

// Counts differences and describes the first few.
class TDifferences {
public:
    void Check(int x, int y, Bgr seen, Bgr expected)
    {
        if (seen == expected)
            return;
        if (++count_ <= 5)
            text_ << " (" << x << ", " << y << ") shows " << seen << " instead of " << expected << ";";
    }
    std::string Text() const
    {
        return count_ ? std::to_string(count_) + " pixels differ:" + text_.str() : std::string();
    }

private:
    int count_ = 0;
    std::ostringstream text_;
};

bool ShownWithPicture(const skin::TWinSysButton& button)
{
    return button.Visible && !button.Record->Image->Empty() && button.Record->Align != 100;
}

} // namespace

std::string FrameDifferences(const TBitmap& shot, const skin::TWinSkinForm& controller,
                             const TExpectedFrame& expected, int (*buttonFrame)(const skin::TWinSysButton&))
{
    TDifferences differences;
    const RECT& text = controller.TitleTextRect;
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x) {
            const auto border = expected.Border(x, y);
            if (!border || *border == Magenta)
                continue;
            if (y < controller.TitleHeight && x >= text.left && x < text.right)
                continue;
            const skin::TWinSysButton* over = nullptr;
            for (const auto& button : controller.CaptionButtons)
                if (ShownWithPicture(*button) && Inside(button->Bounds, x, y))
                    over = button.get();
            if (!over) {
                differences.Check(x, y, At(shot, x, y), *border);
                continue;
            }
            if (!buttonFrame || skin::CaptionActionOf(over->Record->Action).DrawsIcon)
                continue;
            if (const auto pixel = expected.ButtonPixel(*over, buttonFrame(*over), x, y); pixel && !(*pixel == Magenta))
                differences.Check(x, y, At(shot, x, y), *pixel);
        }
    return differences.Text();
}

std::string ButtonDifferences(const TBitmap& shot, const TExpectedFrame& expected, const skin::TWinSysButton& button,
                              int frame)
{
    TDifferences differences;
    for (int y = button.Bounds.top; y < button.Bounds.bottom; ++y)
        for (int x = button.Bounds.left; x < button.Bounds.right; ++x)
            if (const auto pixel = expected.ButtonPixel(button, frame, x, y); pixel && !(*pixel == Magenta))
                differences.Check(x, y, At(shot, x, y), *pixel);
    return differences.Text();
}

skin::TWinSysButton* ButtonWithAction(const skin::TWinSkinForm& controller, int action)
{
    skin::TWinSysButton* found = nullptr;
    for (const auto& button : controller.CaptionButtons)
        if (button->Record->Action == action && (!found || (button->Visible && !found->Visible)))
            found = button.get();
    return found;
}

} // namespace tests
