// The skinned frame of real windows, read back from the screen: the borders,
// title bar and caption buttons are the skin's pictures in the active and
// the inactive look, the region cuts the key colour at the corners, the
// caption text and icon sit where the skin places them, the client area is
// what the frame leaves, and the skinned border sizes the window under real
// mouse input.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "skin/window/CaptionButtons.h"
#include "skin/window/FramePaint.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/WinSkinForm.h"
#include "tests/win/support/FrameOnScreen.h"
#include "tests/win/support/MessageRecorder.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/WindowTestSupport.h"
#include "tests/win/support/XInput.h"
#include "ui/forms/Forms.h"

using namespace skin;
using namespace tests;
using ui::TFormBorderStyle;

namespace {

constexpr RECT FormBounds{80, 80, 440, 320};

int ActiveLook(const TWinSysButton& button)
{
    return static_cast<int>(TitleBarFrame(*button.Record, true, button.Enabled));
}

int InactiveLook(const TWinSysButton& button)
{
    return static_cast<int>(TitleBarFrame(*button.Record, false, button.Enabled));
}

RECT WindowRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

POINT OnScreen(HWND window, POINT p)
{
    const RECT r = WindowRect(window);
    return {r.left + p.x, r.top + p.y};
}

POINT Centre(const RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A plain window of one colour behind everything else, so that what the
// region cuts away shows that colour.
class TBackdrop {
public:
    explicit TBackdrop(COLORREF colour) : brush_(CreateSolidBrush(colour))
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TessalyTestBackdrop";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, L"", WS_POPUP, 0, 0, 700,
                                  600, nullptr, nullptr, wc.hInstance, nullptr);
        SetClassLongPtrW(window_, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush_.Get()));
        SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    ~TBackdrop() { DestroyWindow(window_); }
    TBackdrop(const TBackdrop&) = delete;
    TBackdrop& operator=(const TBackdrop&) = delete;

private:
    ui::TBrushHandle brush_;
    HWND window_;
};

// Waits until the screen shows the window's frame as expected; the last
// differences when it never does.
std::string AwaitFrame(const TWinSkinForm& controller, bool active)
{
    std::string differences;
    PumpUntil([&] {
        const TExpectedFrame expected(controller, active);
        differences = FrameDifferences(*CaptureWindow(controller.WindowHandle), controller, expected,
                                       active ? ActiveLook : InactiveLook);
        return differences.empty();
    });
    return differences;
}

} // namespace

TEST(SkinnedFrameOnScreen, BordersTitleAndButtonsAreTheSkinsPicturesActiveAndInactive)
{
    for (const TFormBorderStyle style : {TFormBorderStyle::bsSizeable, TFormBorderStyle::bsDialog}) {
        SCOPED_TRACE(static_cast<int>(style));
        TSkinTestBed bed;
        const auto form = ShowForm(style, FormBounds);
        TWinSkinForm* controller = bed.WaitSkinned(form->Handle());
        ASSERT_TRUE(controller);
        EXPECT_TRUE(controller->Active);
        EXPECT_EQ(AwaitFrame(*controller, true), "") << "active";
        EXPECT_TRUE(ButtonWithAction(*controller, 0)->Visible) << "the close button";

        // Another window takes the activation.
        const auto other = ShowForm(TFormBorderStyle::bsSingle, {500, 400, 700, 550});
        ASSERT_TRUE(PumpUntil([&] { return !controller->Active; }));
        EXPECT_EQ(AwaitFrame(*controller, false), "") << "inactive";
    }
}

TEST(SkinnedFrameOnScreen, TheRegionCutsTheKeyColourAtTheCorners)
{
    const TBackdrop backdrop(RGB(200, 30, 30));
    TSkinTestBed bed;
    const auto form = ShowForm(TFormBorderStyle::bsSizeable, FormBounds);
    TWinSkinForm* controller = bed.WaitSkinned(form->Handle());
    ASSERT_TRUE(controller);
    ASSERT_EQ(AwaitFrame(*controller, true), "");
    const auto shot = CaptureWindow(form->Handle());
    const TDataSkinBorder& left = *bed.Data().BorderLeft;
    const TDataSkinBorder& right = *bed.Data().BorderRight;
    const int w = shot->Width();
    int cut = 0;
    for (int y = 0; y < left.TopHeight; ++y)
        for (int x = 0; x < controller->LeftWidth; ++x) {
            const Bgr l = At(*left.Image, x, y), r = At(*right.Image, x, y);
            cut += l == Magenta;
            EXPECT_EQ(At(*shot, x, y), l == Magenta ? Rgb(200, 30, 30) : l) << "top left " << x << ", " << y;
            EXPECT_EQ(At(*shot, w - controller->RightWidth + x, y), r == Magenta ? Rgb(200, 30, 30) : r)
                << "top right " << x << ", " << y;
        }
    EXPECT_GT(cut, 0) << "the skin's corners are round";
}

TEST(SkinnedFrameOnScreen, CaptionTextAndIconWhereTheSkinPlacesThem)
{
    TSkinTestBed bed;
    const auto form = ShowForm(TFormBorderStyle::bsSizeable, FormBounds);
    TWinSkinForm* controller = bed.WaitSkinned(form->Handle());
    ASSERT_TRUE(controller);
    ASSERT_EQ(AwaitFrame(*controller, true), "");
    const TDataSkinTitle& title = *bed.Data().Title;
    ASSERT_EQ(title.TextAlignment, 0) << "the compiled-in skin puts its text on the left";
    const RECT text = controller->TitleTextRect;
    EXPECT_EQ(text.left, controller->LeftWidth + title.TextShift());

    // The caption's ink lies inside the text block, clear of its ends.
    const auto shot = CaptureWindow(form->Handle());
    const Bgr ink = BgrOf(ui::ColorToRGB(bed.Data().Colours.TitleTextActive));
    int inkPixels = 0;
    for (int y = 0; y < controller->TitleHeight; ++y)
        for (int x = 0; x < shot->Width(); ++x)
            if (At(*shot, x, y) == ink) {
                ++inkPixels;
                EXPECT_GE(x, text.left + title.TXTBackleft);
                EXPECT_LT(x, text.right - title.TXTBackRight);
            }
    EXPECT_GT(inkPixels, 20) << "the caption is drawn in the skin's active text colour";

    // The window icon sits at the icon button's place, at the small icon size.
    const TWinSysButton* icon = ButtonWithAction(*controller, 3);
    ASSERT_TRUE(icon);
    ASSERT_TRUE(icon->Visible);
    const TDataSkinSysButton& record = *icon->Record;
    EXPECT_EQ(icon->Bounds.left, record.Xcoord);
    EXPECT_EQ(icon->Bounds.top, record.Ycoord);
    EXPECT_EQ(icon->Bounds.right - icon->Bounds.left, GetSystemMetrics(SM_CXSMICON));
    int opaque = 0, same = 0;
    const ui::TBitmap& picture = controller->IconPicture();
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const Bgr pixel = At(picture, x, y);
            if (pixel == Magenta)
                continue;
            ++opaque;
            same += At(*shot, icon->Bounds.left + x, icon->Bounds.top + y) == pixel;
        }
    EXPECT_GT(opaque, 0) << "the program's forms carry its icon";
    EXPECT_GT(same * 2, opaque) << "the icon's opaque pixels show on the title";
    int pink = 0;  // half-transparent edges blended with the key colour
    for (int y = icon->Bounds.top; y < icon->Bounds.bottom; ++y)
        for (int x = icon->Bounds.left; x < icon->Bounds.right; ++x) {
            const Bgr pixel = At(*shot, x, y);
            pink += pixel.R > 160 && pixel.B > 160 && pixel.G < pixel.R - 60;
        }
    EXPECT_EQ(pink, 0) << "the icon's edges show no key colour";
}

// The pixels of the title bar in exactly the skin's active text colour
// (the caption's full-coverage ink, whatever lies under it), by place.
std::vector<POINT> CaptionInk(const TWinSkinForm& controller, const TSkinData& data)
{
    const auto shot = CaptureWindow(controller.WindowHandle);
    const Bgr ink = BgrOf(ui::ColorToRGB(data.Colours.TitleTextActive));
    std::vector<POINT> points;
    for (int y = 0; y < controller.TitleHeight; ++y)
        for (int x = 0; x < shot->Width(); ++x)
            if (At(*shot, x, y) == ink)
                points.push_back({x, y});
    return points;
}

bool SameInk(const std::vector<POINT>& a, const std::vector<POINT>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](POINT p, POINT q) { return p.x == q.x && p.y == q.y; });
}

// The skin's TextRightClip keeps room for all its right-aligned caption
// buttons; a window that shows fewer keeps the same gap before the ones it
// shows. Made just wide enough for its caption, the gap and its close
// button, a tool window (the close button alone) shows its caption whole,
// as a wide one does, while a sizeable window, whose other buttons stand
// there, cuts it short.
TEST(SkinnedFrameOnScreen, ACaptionIsCutOnlyWhereTheWindowShowsButtons)
{
    TSkinTestBed bed;
    const TDataSkinTitle& title = *bed.Data().Title;
    ASSERT_EQ(title.TextAlignment, 0) << "a caption on the left keeps its place as the window narrows";
    const struct {
        const char* Name;
        TFormBorderStyle Style;
        bool Whole;
    } cases[] = {{"a tool window", TFormBorderStyle::bsToolWindow, true},
                 {"a sizeable window", TFormBorderStyle::bsSizeable, false}};
    int closeReserve = 0;  // the close button's room, as the tool window shows it
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto form = ShowForm(c.Style, {80, 80, 580, 280});
        form->SetCaption(L"工具窗口的标题");
        TWinSkinForm* controller = bed.WaitSkinned(form->Handle());
        ASSERT_TRUE(controller);
        ASSERT_EQ(AwaitFrame(*controller, true), "");
        if (c.Whole)
            closeReserve = CaptionRightReserve(*controller);
        const std::vector<POINT> wide = CaptionInk(*controller, bed.Data());
        ASSERT_GT(wide.size(), 20u);
        const int width = controller->TitleTextRect.right + controller->RightWidth + title.TextRightClip() -
                          (SkinRightReserve(*controller) - closeReserve);
        ASSERT_LT(width, 500);
        SetWindowPos(form->Handle(), nullptr, 0, 0, width, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_EQ(AwaitFrame(*controller, true), "");
        EXPECT_EQ(SameInk(CaptionInk(*controller, bed.Data()), wide), c.Whole);
    }
}

TEST(SkinnedFrame, TheClientAreaIsWhatTheSkinsFrameLeaves)
{
    TSkinTestBed bed;
    const auto form = ShowForm(TFormBorderStyle::bsSizeable, FormBounds);
    const HWND window = form->Handle();
    TWinSkinForm* controller = bed.WaitSkinned(window);
    ASSERT_TRUE(controller);
    const TFrameGeometry frame = FrameGeometryOf(bed.Data());
    EXPECT_EQ(controller->LeftWidth, frame.LeftWidth);
    EXPECT_EQ(controller->TitleHeight, frame.TitleHeight);
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const RECT outer = WindowRect(window);
    EXPECT_EQ(origin.x - outer.left, frame.LeftWidth);
    EXPECT_EQ(origin.y - outer.top, frame.TitleHeight);
    EXPECT_EQ(outer.right - outer.left - client.right, frame.LeftWidth + frame.RightWidth);
    EXPECT_EQ(outer.bottom - outer.top - client.bottom, frame.TitleHeight + frame.BottomHeight);

    // Asked without the parameter block, the answer is 0.
    RECT asked = outer;
    EXPECT_EQ(SendMessageW(window, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&asked)), 0);
}

TEST(SkinnedFrame, AMinimisedWindowShowsItsTitleOverTheButtonFace)
{
    TSkinTestBed bed;
    const auto form = ShowForm(TFormBorderStyle::bsSizeable, FormBounds);
    TWinSkinForm* controller = bed.WaitSkinned(form->Handle());
    ASSERT_TRUE(controller);
    // The minimised layout painted into a picture of the window's size.
    controller->WindowState = TSkinWindowState::Minimized;
    const RECT r = WindowRect(form->Handle());
    ui::TBitmap picture(r.right - r.left, r.bottom - r.top);
    SendMessageW(form->Handle(), WM_SKINPAINTFRAMETO, reinterpret_cast<WPARAM>(picture.Canvas()->Handle()),
                 SkinMagic);
    controller->WindowState = TSkinWindowState::Normal;
    const Bgr face = BgrOf(ui::ColorToRGB(bed.Data().Colours.ButtonFace));
    for (int y = controller->TitleHeight; y < picture.Height(); y += 7)
        for (int x = 0; x < picture.Width(); x += 7)
            ASSERT_EQ(At(picture, x, y), face) << x << ", " << y;
    // The title piece spans the whole width: no side borders.
    const auto top = BuildBorderFace(bed.Data(), TBorderPiece::Top, picture.Width(), controller->TitleHeight, true);
    EXPECT_EQ(At(picture, 0, controller->TitleHeight - 1), At(*top, 0, controller->TitleHeight - 1));
    EXPECT_EQ(At(picture, picture.Width() / 2, 1), At(*top, picture.Width() / 2, 1));
}

// A repaint copies the title bar of the last paint while nothing it shows
// changed; after a change it must equal a frame composed afresh.
TEST(SkinnedFrame, ARepaintAfterAChangeEqualsAFreshlyComposedFrame)
{
    TSkinTestBed bed;
    const auto form = ShowForm(TFormBorderStyle::bsSizeable, FormBounds);
    const HWND window = form->Handle();
    TWinSkinForm* controller = bed.WaitSkinned(window);
    ASSERT_TRUE(controller);
    const auto other = ShowForm(TFormBorderStyle::bsSingle, {500, 400, 700, 550});
    const auto painted = [&] {
        const RECT r = WindowRect(window);
        auto picture = std::make_unique<ui::TBitmap>(r.right - r.left, r.bottom - r.top);
        SendMessageW(window, WM_SKINPAINTFRAMETO, reinterpret_cast<WPARAM>(picture->Canvas()->Handle()), SkinMagic);
        return picture;
    };
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"caption", [&] { form->SetCaption(L"A caption much longer than the one before"); }},
        {"activated", [&] { SetForegroundWindow(window); }},
        {"wider", [&] { SetWindowPos(window, nullptr, 0, 0, 420, 260, SWP_NOMOVE | SWP_NOZORDER); }},
        {"maximised", [&] { ShowWindow(window, SW_MAXIMIZE); }},
        {"deactivated", [&] { SetForegroundWindow(other->Handle()); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        painted();  // the last paint before the change
        change();
        Pump();
        const auto repainted = painted();
        controller->PaintCache.Clear();
        EXPECT_TRUE(SamePixels(*repainted, *painted()));
    }
}

// ---- Hit testing and sizing ----

TEST(SkinnedFrameHitTest, TheSkinnedBorderAnswersTheSizingCodes)
{
    TSkinTestBed bed;
    const auto sizeable = ShowForm(TFormBorderStyle::bsSizeable, FormBounds);
    TWinSkinForm* controller = bed.WaitSkinned(sizeable->Handle());
    ASSERT_TRUE(controller);
    const RECT r = WindowRect(sizeable->Handle());
    const int w = r.right - r.left, h = r.bottom - r.top;
    const struct {
        POINT At;  // window coordinates
        LRESULT Code;
    } cases[] = {
        {{1, h / 2}, HTLEFT},
        {{w - 2, h / 2}, HTRIGHT},
        {{w / 2, h - 2}, HTBOTTOM},
        {{w / 2, 1}, HTTOP},
        {{1, h - 2}, HTBOTTOMLEFT},
        {{w - 2, h - 2}, HTBOTTOMRIGHT},
        {{w / 2, controller->TitleHeight / 2}, HTCAPTION},
        {{w / 2, controller->TitleHeight - 1}, HTCAPTION},
        {{w / 2, h / 2}, HTCLIENT},
    };
    for (const auto& c : cases) {
        const POINT p = OnScreen(sizeable->Handle(), c.At);
        EXPECT_EQ(SendMessageW(sizeable->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), c.Code)
            << "at " << c.At.x << ", " << c.At.y;
    }
    // The caption buttons lie on the caption as far as the system knows.
    const TWinSysButton* close = ButtonWithAction(*controller, 0);
    ASSERT_TRUE(close);
    const POINT onClose = OnScreen(sizeable->Handle(), Centre(close->Bounds));
    EXPECT_EQ(SendMessageW(sizeable->Handle(), WM_NCHITTEST, 0, MAKELPARAM(onClose.x, onClose.y)), HTCAPTION);
}

TEST(SkinnedFrameHitTest, ThePointerOverTheFrameIsHitTestedAndSetsTheCursor)
{
    TXInput& pointer = TXInput::Instance();
    if (!pointer.Available())
        GTEST_SKIP() << "no X pointer";
    TSkinTestBed bed;
    const auto form = ShowForm(TFormBorderStyle::bsSizeable, FormBounds);
    const HWND window = form->Handle();
    TWinSkinForm* controller = bed.WaitSkinned(window);
    ASSERT_TRUE(controller);
    const RECT r = WindowRect(window);
    const struct {
        POINT At;  // window coordinates
        LRESULT Code;
    } cases[] = {
        {{(r.right - r.left) / 2, controller->TitleHeight / 2}, HTCAPTION},
        {{1, (r.bottom - r.top) / 2}, HTLEFT},
        {{(r.right - r.left) / 2, r.bottom - r.top - 2}, HTBOTTOM},
    };
    for (const auto& c : cases) {
        TMessageRecorder recorder(window, {WM_NCHITTEST, WM_SETCURSOR, WM_NCMOUSEMOVE});
        ASSERT_TRUE(pointer.MoveTo(OnScreen(window, c.At)));
        ASSERT_TRUE(PumpUntil([&] { return recorder.Count(WM_NCMOUSEMOVE) > 0; }));
        EXPECT_TRUE(OkSequence(recorder,
                               {
                                   {WM_NCHITTEST, Sent},
                                   {WM_NCHITTEST, Sent | Optional},
                                   {WM_SETCURSOR, Sent | CheckLParam, 0, MAKELPARAM(c.Code, WM_MOUSEMOVE)},
                                   {WM_NCMOUSEMOVE, Posted | CheckWParam, static_cast<WPARAM>(c.Code)},
                               },
                               "the pointer moved onto the frame at hit-test code " + std::to_string(c.Code)));
    }
}

TEST(SkinnedFrameSizing, DraggingTheSkinnedBorderSizesTheWindowAndKeepsTheFrame)
{
    TXInput& pointer = TXInput::Instance();
    if (!pointer.Available())
        GTEST_SKIP() << "no X pointer";
    TSkinTestBed bed;
    const auto form = ShowForm(TFormBorderStyle::bsSizeable, FormBounds);
    const HWND window = form->Handle();
    TWinSkinForm* controller = bed.WaitSkinned(window);
    ASSERT_TRUE(controller);
    const RECT before = WindowRect(window);
    const SIZE clientBefore = ClientSize(window);
    TMessageRecorder recorder(window, {WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_SIZING, WM_EXITSIZEMOVE});

    // Press on the bottom-right corner of the skinned border, drag, release:
    // the system sizes the window in its own loop, so the drag comes from a
    // second thread once the loop runs.
    const POINT corner{before.right - 2, before.bottom - 2};
    ASSERT_TRUE(pointer.MoveTo(corner));
    const DWORD gui = GetCurrentThreadId();
    std::thread drag([&] {
        pointer.Press();
        if (WaitForGuiState(gui, GUI_INMOVESIZE))
            pointer.MoveTo({corner.x + 40, corner.y + 30});
        pointer.Release();
    });
    const bool ended = PumpUntil([&] { return recorder.Count(WM_EXITSIZEMOVE) > 0; });
    drag.join();
    ASSERT_TRUE(ended);

    const RECT after = WindowRect(window);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right - before.right, 40);
    EXPECT_EQ(after.bottom - before.bottom, 30);
    EXPECT_EQ(ClientSize(window), (SIZE{clientBefore.cx + 40, clientBefore.cy + 30}));
    // The system sizes the window in its loop, one WM_SIZING per move.
    std::vector<TExpectedMessage> expected{
        {WM_NCLBUTTONDOWN, Posted | CheckWParam, HTBOTTOMRIGHT},
        {WM_SYSCOMMAND, Sent | CheckWParam, SC_SIZE | WMSZ_BOTTOMRIGHT},
        {WM_ENTERSIZEMOVE, Sent},
    };
    EXPECT_GT(recorder.Count(WM_SIZING), 0);
    expected.insert(expected.end(), recorder.Count(WM_SIZING), {WM_SIZING, Sent | CheckWParam, WMSZ_BOTTOMRIGHT});
    expected.push_back({WM_EXITSIZEMOVE, Sent});
    EXPECT_TRUE(OkSequence(recorder, expected, "a drag on the skinned corner"));
    // The region and the frame follow the new size.
    EXPECT_EQ(controller->RegionWidth, after.right - after.left);
    EXPECT_EQ(AwaitFrame(*controller, true), "");
}
