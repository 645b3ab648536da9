// Scroll bars in the skin's pictures: the overlays over a list box's, a
// memo's and a scroll bar control's bars are painted from the skin's
// elements (read back from the screen), follow their host, and hand every
// gesture of the real X pointer (thumb drag, arrow click and hold, track
// click, wheel) to the system's own scrolling; the skin switched off leaves
// the controls as they were.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "skin/controls/SkinScrollBars.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinMessages.h"
#include "tests/win/support/ControlSkinSupport.h"
#include "tests/win/support/FrameOnScreen.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/TestSkins.h"
#include "tests/win/support/WindowTestSupport.h"
#include "tests/win/support/XInput.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"

using namespace skin;
using namespace tests;

namespace {

constexpr RECT FormBounds{100, 100, 460, 420};
constexpr int Rows = 100;
constexpr int RowHeight = 16;

bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The piece of a vertical bar from `from` to `to` on the screen.
RECT VerticalSpan(const TScrollOverlay& bar, int from, int to)
{
    const RECT r = ScreenRect(bar.Handle());
    return {r.left, r.top + from, r.right, r.top + to};
}

// An arrow of a vertical bar on the screen against frame `frame` of the
// skin's Scrollbar strip over the face colour.
int ArrowDifferences(const TScrollOverlay& bar, TSkinData& data, bool second, int frame)
{
    const int length = bar.Look().Length, arrow = bar.Look().ArrowSize;
    const RECT place = second ? VerticalSpan(bar, length - arrow, length) : VerticalSpan(bar, 0, arrow);
    const auto want = Picture(place.right - place.left, arrow, data.Colours.ButtonFace, [&](HDC dc, const RECT& all) {
        DrawFrameStretched(dc, all, *data.Scrollbar->Image, 23, frame, true);
    });
    return Differences(*CaptureScreen(place), *want);
}

// The thumb of a vertical bar, where the system has it, against the skin's
// thumb in `frame` with the grip in `gripFrame` (its keyed pixels show the
// track and are not compared).
int ThumbDifferences(const TScrollOverlay& bar, HWND host, LONG object, TSkinData& data, int frame, int gripFrame)
{
    SCROLLBARINFO info{};
    if (!OptionalGetScrollBarInfo(host, object, info))
        return -1;
    const int top = info.xyThumbTop, bottom = info.xyThumbBottom;
    const RECT place = VerticalSpan(bar, top, bottom);
    const int w = place.right - place.left, h = bottom - top;
    const auto want = Picture(w, h, 0xFF00FF, [&](HDC dc, const RECT& all) {
        DrawElement(dc, all, data.VertScrollThumb->FrameCount, frame, *data.VertScrollThumb);
        const int grip = data.Scrollbar->Image->Height();
        const RECT gripPlace{0, (h - grip) / 2, w, (h - grip) / 2 + grip};
        DrawFrameStretched(dc, gripPlace, *data.Scrollbar->Image, 23, gripFrame, true);
    });
    return Differences(*CaptureScreen(place), *want);
}

int TopIndex(HWND list)
{
    return static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
}

TSkinScrollbar* ScrollSkinnerOf(TWinSkinForm& controller, HWND window)
{
    return dynamic_cast<TSkinScrollbar*>(controller.FindSkinnerOfWindow(window));
}

// A copy of our skin whose Scrollbar frames are twice the system's bar
// thickness, each frame its own two colours in stripes one pixel high, in a
// dark outline: a frame drawn into less room that drops rows shows one of
// the two colours, or loses its outline.
struct TThickBarSkin {
    int Frame = 2 * GetSystemMetrics(SM_CXVSCROLL);
    std::vector<std::unique_ptr<ui::TBitmap>> Frames;
    TTestSkin Skin = CompiledInSkinCopy();

    TThickBarSkin()
    {
        ui::TBitmap strip(23 * Frame, Frame);
        for (int k = 0; k < 23; ++k) {
            auto& frame = *Frames.emplace_back(std::make_unique<ui::TBitmap>(Frame, Frame));
            for (int y = 0; y < Frame; ++y)
                for (int x = 0; x < Frame; ++x) {
                    const bool outline = x == 0 || y == 0 || x == Frame - 1 || y == Frame - 1;
                    const Bgr c = outline ? Rgb(20, 30, 40) : y % 2 ? Rgb(240, 10 * k, 100) : Rgb(60, 200, 8 * k);
                    Put(frame, x, y, c);
                    Put(strip, k * Frame + x, y, c);
                }
        }
        SetPicture(Skin, "scrollbar.bmp", strip.SaveToBytes());
    }
};

// Frame `frame` (from 1) of the thick skin shrunk to w x h by a whole factor
// each way: every pixel the mean of the block it covers.
std::unique_ptr<ui::TBitmap> Averaged(const ui::TBitmap& frame, int w, int h)
{
    auto face = std::make_unique<ui::TBitmap>(w, h);
    const int fx = frame.Width() / w, fy = frame.Height() / h, n = fx * fy;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int sum[3] = {0, 0, 0};
            for (int dy = 0; dy < fy; ++dy)
                for (int dx = 0; dx < fx; ++dx) {
                    const Bgr c = At(frame, x * fx + dx, y * fy + dy);
                    sum[0] += c.R, sum[1] += c.G, sum[2] += c.B;
                }
            Put(*face, x, y, Rgb((sum[0] + n / 2) / n, (sum[1] + n / 2) / n, (sum[2] + n / 2) / n));
        }
    return face;
}

// A skinned form with a list box of a hundred rows, twelve in view.
class SkinnedList : public ::testing::Test {
protected:
    void SetUp() override
    {
        bed.HoldBack();
        form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
        list = new ui::TListBox(form.get());
        list->SetParent(form.get());
        list->SetBounds(10, 10, 200, 12 * RowHeight + 4);
        for (int i = 0; i < Rows; ++i)
            list->Items()->Add(L"Row " + std::to_wstring(i));
        controller = bed.Skin(form->Handle());
        ASSERT_TRUE(controller);
        skinner = ScrollSkinnerOf(*controller, list->Handle());
        ASSERT_TRUE(skinner);
        ASSERT_TRUE(skinner->VertBar());
        bar = skinner->VertBar();
        ASSERT_TRUE(PumpUntil([&] { return bar->Shown(); }));
        Pump();
    }

    // Where the bar's parts are on the screen.
    POINT AlongBar(int along) const
    {
        const RECT r = ScreenRect(bar->Handle());
        return {(r.left + r.right) / 2, r.top + along};
    }
    int Length() const { return bar->Look().Length; }
    int Arrow() const { return bar->Look().ArrowSize; }
    int LastTop() const { return Rows - (list->ClientHeight() / RowHeight); }

    TControlSkinning skinning;
    TSkinTestBed bed;
    std::unique_ptr<ui::TForm> form;
    ui::TListBox* list = nullptr;
    TWinSkinForm* controller = nullptr;
    TSkinScrollbar* skinner = nullptr;
    const TScrollOverlay* bar = nullptr;
    TXInput& input = TXInput::Instance();
};

} // namespace

TEST(ScrollBarLook, PartsUnderThePointerAndTheDraggedThumb)
{
    TScrollBarLook look;
    look.Length = 200;
    look.ArrowSize = 16;
    look.ThumbStart = 60;
    look.ThumbEnd = 90;
    struct Part {
        int along, part;
    };
    const Part parts[] = {{0, spFirstArrow},  {15, spFirstArrow},  {16, spPageBefore}, {59, spPageBefore},
                          {60, spThumb},      {89, spThumb},       {90, spPageAfter},  {183, spPageAfter},
                          {184, spSecondArrow}, {199, spSecondArrow}};
    for (const Part& p : parts)
        EXPECT_EQ(ScrollPartAt(look, p.along), p.part) << p.along;

    // Too short for two whole arrows: each takes half.
    TScrollBarLook shortBar = look;
    shortBar.Length = 20;
    shortBar.ThumbStart = shortBar.ThumbEnd = 0;
    EXPECT_EQ(ScrollPartAt(shortBar, 9), spFirstArrow);
    EXPECT_EQ(ScrollPartAt(shortBar, 10), spSecondArrow);

    struct Drag {
        int moved, start;
    };
    const Drag drags[] = {{0, 60}, {25, 85}, {-100, 16}, {500, 154}};
    for (const Drag& d : drags) {
        TScrollBarLook dragged = look;
        DragThumbTo(dragged, 60, d.moved);
        EXPECT_EQ(dragged.ThumbStart, d.start) << d.moved;
        EXPECT_EQ(dragged.ThumbEnd - dragged.ThumbStart, 30) << d.moved;
    }
}

TEST_F(SkinnedList, TheBarWearsTheSkinInEveryStateUnderThePointer)
{
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    TSkinData& data = bed.Data();
    EXPECT_FALSE(skinner->HorzBar()->Shown()) << "no horizontal bar, no overlay";
    EXPECT_TRUE(Inside(ScreenRect(bar->Handle()), ScreenRect(list->Handle())));
    input.MoveTo({FormBounds.right + 100, FormBounds.bottom + 100});
    int differences = 0;
    EXPECT_TRUE(PumpUntil([&] { return (differences = ArrowDifferences(*bar, data, false, 9)) == 0; }, 3s))
        << differences;
    EXPECT_EQ(ArrowDifferences(*bar, data, true, 13), 0);
    EXPECT_EQ(ThumbDifferences(*bar, list->Handle(), OBJID_VSCROLL, data, 1, 20), 0);

    input.MoveTo(AlongBar(Length() - Arrow() / 2));
    EXPECT_TRUE(PumpUntil([&] { return (differences = ArrowDifferences(*bar, data, true, 16)) == 0; }, 3s))
        << "hot: " << differences;
    SCROLLBARINFO info{};
    ASSERT_TRUE(OptionalGetScrollBarInfo(list->Handle(), OBJID_VSCROLL, info));
    input.MoveTo(AlongBar((info.xyThumbTop + info.xyThumbBottom) / 2));
    EXPECT_TRUE(PumpUntil(
        [&] { return (differences = ThumbDifferences(*bar, list->Handle(), OBJID_VSCROLL, data, 3, 22)) == 0; }, 3s))
        << "hot thumb: " << differences;

    // Held, the down arrow shows pressed and the list scrolls again and again.
    input.MoveTo(AlongBar(Length() - Arrow() / 2));
    int pressedDifferences = -1, heldTop = 0;
    Gesture([&] {
        input.Press();
        PumpUntil([&] { return (heldTop = TopIndex(list->Handle())) >= 4; }, 5s);
        pressedDifferences = ArrowDifferences(*bar, data, true, 14);
        input.Release();
    });
    EXPECT_GE(heldTop, 4) << "holding the arrow repeats";
    EXPECT_EQ(pressedDifferences, 0) << "pressed arrow";

    list->SetEnabled(false);
    EXPECT_TRUE(PumpUntil([&] { return (differences = ArrowDifferences(*bar, data, false, 11)) == 0; }, 3s))
        << "disabled: " << differences;
}

TEST_F(SkinnedList, ArrowTrackWheelAndThumbScrollTheList)
{
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    const HWND window = list->Handle();
    SetForegroundWindow(form->Handle());
    list->SetFocus();

    input.MoveTo(AlongBar(Length() - Arrow() / 2));
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return TopIndex(window) == 1; })) << "one line: " << TopIndex(window);
    Pump();
    EXPECT_EQ(TopIndex(window), 1);

    input.MoveTo(AlongBar(Length() - Arrow() - 4));
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return TopIndex(window) > 5; })) << "a page: " << TopIndex(window);

    const int beforeWheel = TopIndex(window);
    input.MoveTo({ScreenRect(window).left + 40, ScreenRect(window).top + 40});
    input.Click(5);
    EXPECT_TRUE(PumpUntil([&] { return TopIndex(window) > beforeWheel; })) << "the wheel";

    // The thumb dragged from where it is to the end: the list follows the
    // drag, and the thumb the pointer.
    SCROLLBARINFO info{};
    ASSERT_TRUE(OptionalGetScrollBarInfo(window, OBJID_VSCROLL, info));
    const int grab = (info.xyThumbTop + info.xyThumbBottom) / 2;
    int topAtEnd = 0, pressedThumb = -1;
    Gesture([&] {
        input.MoveTo(AlongBar(grab));
        input.Press();
        for (int along = grab; along < Length() + 20; along += 10)
            input.MoveTo(AlongBar(along));
        PumpUntil([&] { return (topAtEnd = TopIndex(window)) == LastTop(); }, 5s);
        pressedThumb = ThumbDifferences(*bar, window, OBJID_VSCROLL, bed.Data(), 2, 21);
        input.Release();
    });
    EXPECT_EQ(topAtEnd, LastTop());
    EXPECT_EQ(pressedThumb, 0) << "the pressed thumb at the end";
    ASSERT_TRUE(OptionalGetScrollBarInfo(window, OBJID_VSCROLL, info));
    EXPECT_EQ(info.xyThumbBottom, Length() - Arrow());
    EXPECT_EQ(TopIndex(window), LastTop());
}

TEST_F(SkinnedList, TheOverlayFollowsItsHostAndGoesWithIt)
{
    const HWND overlay = bar->Handle();
    const auto coversBar = [&] {
        SCROLLBARINFO info{};
        return OptionalGetScrollBarInfo(list->Handle(), OBJID_VSCROLL, info) && IsWindowVisible(overlay) &&
               SameRect(info.rcScrollBar, ScreenRect(overlay));
    };
    EXPECT_TRUE(coversBar());
    list->SetBounds(30, 20, 160, 150);
    EXPECT_TRUE(PumpUntil(coversBar)) << "moved and resized";
    EXPECT_TRUE(Inside(ScreenRect(overlay), ScreenRect(list->Handle())));

    list->SetVisible(false);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(overlay); })) << "hidden";
    list->SetVisible(true);
    EXPECT_TRUE(PumpUntil(coversBar)) << "shown";

    // Rows taken away until the list no longer overflows: the bar goes.
    while (list->Items()->Count() > 3)
        list->Items()->Delete(list->Items()->Count() - 1);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(overlay); })) << "no overflow";
    for (int i = 0; i < 20; ++i)
        list->Items()->Add(L"Again");
    EXPECT_TRUE(PumpUntil(coversBar)) << "overflowing again";

    delete list;
    list = nullptr;
    EXPECT_FALSE(IsWindow(overlay));
}

// The face follows every scroll of the thumb, and the host's own drawing of
// its bar (a frame paint, a position set again) never shows through it: the
// overlay paints only when what it shows changes.
TEST_F(SkinnedList, EachScrollStepShowsTheSkinsThumb)
{
    if (input.Available())
        input.MoveTo({FormBounds.right + 100, FormBounds.bottom + 100});
    TSkinData& data = bed.Data();
    const HWND window = list->Handle();
    const auto thumbDifferences = [&] { return ThumbDifferences(*bar, window, OBJID_VSCROLL, data, 1, 20); };
    int differences = 0;
    ASSERT_TRUE(PumpUntil([&] { return (differences = thumbDifferences()) == 0; }, 3s)) << differences;
    for (const int top : {10, 11, 45, LastTop()}) {
        SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, top), 0);
        EXPECT_TRUE(PumpUntil([&] { return (differences = thumbDifferences()) == 0; }, 3s))
            << "thumb moved to " << top << ": " << differences;
        EXPECT_EQ(TopIndex(window), top);
    }
    SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    SetScrollPos(window, SB_VERT, GetScrollPos(window, SB_VERT), TRUE);
    Pump();
    EXPECT_EQ(thumbDifferences(), 0) << "after the host drew its bar";
    EXPECT_EQ(ArrowDifferences(*bar, data, false, 9), 0);
    EXPECT_EQ(ArrowDifferences(*bar, data, true, 13), 0);
}

// WM_SKINENABLE 0 gives the list the system's bar until 1 comes, even when
// the list scrolls in between.
TEST_F(SkinnedList, SwitchedOffByMessageTheListShowsTheSystemsBar)
{
    if (input.Available())
        input.MoveTo({FormBounds.right + 100, FormBounds.bottom + 100});
    const HWND window = list->Handle();
    const HWND overlay = bar->Handle();
    const auto thumbDifferences = [&] { return ThumbDifferences(*bar, window, OBJID_VSCROLL, bed.Data(), 1, 20); };
    SendMessageW(window, WM_SKINENABLE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(overlay));
    SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30), 0);
    SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    Pump();
    EXPECT_FALSE(IsWindowVisible(overlay)) << "scrolled while switched off";
    EXPECT_GT(thumbDifferences(), 0) << "the system's thumb shows";

    SendMessageW(window, WM_SKINENABLE, 1, 0);
    EXPECT_TRUE(IsWindowVisible(overlay));
    int differences = 0;
    EXPECT_TRUE(PumpUntil([&] { return (differences = thumbDifferences()) == 0; }, 3s)) << differences;
}

namespace {

ui::TListBox* doomed = nullptr;  // the list FreeHeldList frees

VOID CALLBACK FreeHeldList(HWND, UINT, UINT_PTR, DWORD)
{
    if (doomed && GetCapture() == doomed->Handle()) {  // the system is tracking the press
        delete doomed;
        doomed = nullptr;
    }
}

} // namespace

// The list freed while its bar is held (a timer's work, run by the system's
// tracking loop): the press returns through the list's skinner and the
// overlay, both gone by then, and neither may touch itself. The freed
// skinner's look at the result once ran code from freed memory.
TEST_F(SkinnedList, AListFreedWhileItsBarIsHeld)
{
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    doomed = list;
    const HWND window = list->Handle();
    const HWND overlay = bar->Handle();
    input.MoveTo(AlongBar(Length() - Arrow() / 2));
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, FreeHeldList);
    Gesture([&] {
        input.Press();
        PumpUntil([&] { return !IsWindow(window); }, 5s);
        input.Release();
    });
    KillTimer(nullptr, timer);
    ASSERT_EQ(doomed, nullptr) << "freed while held";
    list = nullptr;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(overlay));
    EXPECT_TRUE(std::none_of(controller->Skinners.begin(), controller->Skinners.end(),
                             [&](TFormSkinner* s) { return s->Handle == window; }));
}

// A memo with both bars: two overlays, and the corner between them in the
// skin's face colour, also where the skin's bars are thicker than the
// system's and the corner with them, whether the form was skinned once it
// showed or as it shows (its frame painted before the overlays are placed).
TEST(SkinnedMemo, BothBarsAndTheCornerBetweenThem)
{
    const TThickBarSkin thick;
    const struct {
        const char* Name;
        const TTestSkin* Skin;
        bool AsItShows;
    } cases[] = {{"the compiled-in skin", nullptr, false},
                 {"thick bars", &thick.Skin, false},
                 {"thick bars, skinned as the form shows", &thick.Skin, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TControlSkinning skinning;
        TSkinTestBed bed([&](TSkinData& data) {
            if (c.Skin) {
                data.SetSkinPackage(c.Skin->Package());
                data.LoadSkin();
            }
        });
        if (!c.AsItShows)
            bed.HoldBack();
        auto form = c.AsItShows ? UnshownForm(ui::TFormBorderStyle::bsSizeable, FormBounds)
                                : ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
        auto* memo = new ui::TMemo(form.get());
        memo->SetParent(form.get());
        memo->SetWordWrap(false);
        memo->SetScrollBars(ui::TScrollStyle::ssBoth);
        memo->SetBounds(10, 10, 220, 160);
        std::wstring text;
        for (int i = 0; i < 40; ++i)
            text += L"Line " + std::to_wstring(i) + L" of a memo that is wider than its window\r\n";
        memo->SetTextValue(text);
        memo->SetEnabled(false);  // nothing paints its frame again once it shows
        if (c.AsItShows)
            form->Show();
        TWinSkinForm* controller = c.AsItShows ? bed.WaitSkinned(form->Handle()) : bed.Skin(form->Handle());
        ASSERT_TRUE(controller);
        TSkinScrollbar* skinner = ScrollSkinnerOf(*controller, memo->Handle());
        ASSERT_TRUE(skinner);
        ASSERT_TRUE(PumpUntil([&] { return skinner->HorzBar()->Shown() && skinner->VertBar()->Shown(); }));
        Pump();
        const RECT v = ScreenRect(skinner->VertBar()->Handle());
        const RECT h = ScreenRect(skinner->HorzBar()->Handle());
        // The bars may share a pixel (Wine's do); the corner is what neither covers.
        const auto corner = CaptureScreen({h.right, v.bottom, v.right, h.bottom});
        const Bgr face = BgrOf(ui::ColorToRGB(bed.Data().Colours.ButtonFace));
        int differences = 0;
        for (int y = 0; y < corner->Height(); ++y)
            for (int x = 0; x < corner->Width(); ++x)
                differences += !(At(*corner, x, y) == face);
        EXPECT_EQ(differences, 0) << "the corner";
        // The border: the outer ring in the shadow colour.
        const RECT r = ScreenRect(memo->Handle());
        EXPECT_EQ(At(*CaptureScreen({r.left, r.top + 40, r.left + 1, r.top + 41}), 0, 0),
                  BgrOf(ui::ColorToRGB(bed.Data().Colours.ButtonShadow)));

        // Other bars remake the memo's window: the old overlays go with the old
        // window, and the new one is skinned with a vertical bar alone.
        const HWND oldHorz = skinner->HorzBar()->Handle();
        memo->SetScrollBars(ui::TScrollStyle::ssVertical);
        EXPECT_FALSE(IsWindow(oldHorz));
        TSkinScrollbar* again = nullptr;
        ASSERT_TRUE(PumpUntil([&] {
            again = ScrollSkinnerOf(*controller, memo->Handle());
            return again && again->VertBar()->Shown();
        }));
        EXPECT_FALSE(again->HorzBar()->Shown());

        // Remade inside a panel too, whose window alone hears of the new
        // window's creation.
        auto* panel = new ui::TPanel(form.get());
        panel->SetParent(form.get());
        panel->SetBounds(240, 10, 100, 160);
        auto* inner = new ui::TMemo(form.get());
        inner->SetParent(panel);
        inner->SetBounds(5, 5, 90, 150);
        inner->SetTextValue(text);
        ASSERT_TRUE(PumpUntil([&] { return ScrollSkinnerOf(*controller, inner->Handle()) != nullptr; }));
        inner->SetScrollBars(ui::TScrollStyle::ssVertical);
        ASSERT_TRUE(PumpUntil([&] {
            again = ScrollSkinnerOf(*controller, inner->Handle());
            return again && again->VertBar()->Shown();
        })) << "the remade memo in the panel";
    }
}

namespace {

class SkinnedScrollBarControl : public SkinnedFormUnderXInput {
protected:
    SkinnedScrollBarControl() : SkinnedFormUnderXInput(FormBounds) {}
};

} // namespace

TEST_F(SkinnedScrollBarControl, ArrowAndThumbMoveThePosition)
{
    auto* control = new ui::TScrollBar(form.get());
    control->SetParent(form.get());
    control->SetKind(ui::TScrollBarKind::sbVertical);
    control->SetBounds(20, 10, GetSystemMetrics(SM_CXVSCROLL), 200);
    control->SetPageSize(10);
    int changes = 0;
    control->OnChange = ui::TNotifyEvent([&](ui::TObject*) { ++changes; });
    Skin();
    auto* skinner = dynamic_cast<TSkinScControl*>(controller->FindSkinnerOfWindow(control->Handle()));
    ASSERT_TRUE(skinner);
    const TScrollOverlay& bar = *skinner->Bar();
    ASSERT_TRUE(PumpUntil([&] { return bar.Shown(); }));
    EXPECT_TRUE(SameRect(ScreenRect(bar.Handle()), ScreenRect(control->Handle())));
    input.MoveTo({FormBounds.right + 100, FormBounds.bottom + 100});
    int differences = 0;
    EXPECT_TRUE(PumpUntil([&] { return (differences = ArrowDifferences(bar, bed.Data(), true, 13)) == 0; }, 3s))
        << differences;

    const RECT r = ScreenRect(bar.Handle());
    const int arrow = bar.Look().ArrowSize;
    input.MoveTo({(r.left + r.right) / 2, r.bottom - arrow / 2});
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return control->Position() == 1; })) << control->Position();

    SCROLLBARINFO info{};
    ASSERT_TRUE(OptionalGetScrollBarInfo(control->Handle(), OBJID_CLIENT, info));
    const int grab = (info.xyThumbTop + info.xyThumbBottom) / 2;
    Gesture([&] {
        input.MoveTo({(r.left + r.right) / 2, r.top + grab});
        input.Press();
        for (int y = r.top + grab; y < r.bottom + 20; y += 10)
            input.MoveTo({(r.left + r.right) / 2, y});
        input.Release();
    });
    EXPECT_TRUE(PumpUntil([&] { return control->Position() == 91; })) << control->Position();
    EXPECT_GE(changes, 2);
    EXPECT_EQ(ThumbDifferences(bar, control->Handle(), OBJID_CLIENT, bed.Data(), 1, 20), 0);
}

// WM_SKINENABLE 0 gives a scroll bar control the system's look until 1
// comes: the overlay goes, also when the bar moves meanwhile, and the control
// looks as its twin that the DisableTag keeps unskinned.
TEST_F(SkinnedScrollBarControl, SwitchedOffByMessageTheControlShowsTheSystemsBar)
{
    const auto add = [&](int left, int tag) {
        auto* control = new ui::TScrollBar(form.get());
        control->SetTag(tag);
        control->SetParent(form.get());
        control->SetKind(ui::TScrollBarKind::sbVertical);
        control->SetBounds(left, 10, GetSystemMetrics(SM_CXVSCROLL), 200);
        control->SetPageSize(10);
        control->SetPosition(20);
        return control;
    };
    auto* control = add(20, 0);
    auto* twin = add(60, bed.Data().DisableTag());
    auto* focus = new ui::TEdit(form.get());  // neither bar has the focus
    focus->SetParent(form.get());
    focus->SetBounds(100, 10, 100, 24);
    Skin();
    focus->SetFocus();
    auto* skinner = dynamic_cast<TSkinScControl*>(controller->FindSkinnerOfWindow(control->Handle()));
    ASSERT_TRUE(skinner);
    const TScrollOverlay& bar = *skinner->Bar();
    ASSERT_TRUE(PumpUntil([&] { return bar.Shown(); }));
    const auto looksPlain = [&] {
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return SamePixels(*CaptureScreen(ScreenRect(control->Handle())), *CaptureScreen(ScreenRect(twin->Handle())));
    };
    EXPECT_FALSE(looksPlain()) << "skinned";

    SendMessageW(control->Handle(), WM_SKINENABLE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(bar.Handle()));
    EXPECT_TRUE(PumpUntil(looksPlain, 2s)) << "switched off";
    control->SetPosition(60);
    twin->SetPosition(60);
    EXPECT_TRUE(PumpUntil(looksPlain, 2s)) << "moved while switched off";
    EXPECT_FALSE(IsWindowVisible(bar.Handle()));

    SendMessageW(control->Handle(), WM_SKINENABLE, 1, 0);
    EXPECT_TRUE(IsWindowVisible(bar.Handle()));
    int differences = 0;
    EXPECT_TRUE(PumpUntil(
        [&] { return (differences = ThumbDifferences(bar, control->Handle(), OBJID_CLIENT, bed.Data(), 1, 20)) == 0; },
        3s))
        << differences;
}

// With a skin whose bar pictures are thicker than the system's bars, a
// window's bar (a list box's) takes the skin's thickness, the list giving up
// the room, while a scroll bar control keeps its window's size; either way
// the arrows are their frames averaged into the room they have, never with
// rows dropped. A click on the room the skin added scrolls as a click on the
// bar does, and the skin switched off gives the list its own bar back.
TEST(ThickSkinScrollBars, WindowBarsTakeTheSkinsThicknessAndArrowsAreAveraged)
{
    TXInput& input = TXInput::Instance();
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    input.MoveTo({FormBounds.right + 150, FormBounds.bottom + 150});
    const TThickBarSkin thick;
    const int system = GetSystemMetrics(SM_CXVSCROLL);
    TControlSkinning skinning;
    const TSkinTestBed bed([&](TSkinData& data) {
        data.SetSkinPackage(thick.Skin.Package());
        data.LoadSkin();
    });
    bed.HoldBack();
    auto form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
    auto* list = new ui::TListBox(form.get());
    list->SetParent(form.get());
    list->SetBounds(10, 10, 200, 12 * RowHeight + 4);
    for (int i = 0; i < Rows; ++i)
        list->Items()->Add(L"Row " + std::to_wstring(i));
    auto* control = new ui::TScrollBar(form.get());
    control->SetParent(form.get());
    control->SetKind(ui::TScrollBarKind::sbVertical);
    control->SetBounds(250, 10, system, 200);
    const int systemClientWidth = list->ClientWidth();
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    TSkinScrollbar* listSkinner = ScrollSkinnerOf(*controller, list->Handle());
    auto* controlSkinner = dynamic_cast<TSkinScControl*>(controller->FindSkinnerOfWindow(control->Handle()));
    ASSERT_TRUE(listSkinner && controlSkinner);

    const struct {
        const char* Name;
        const TScrollOverlay* Bar;
        int Thickness;
    } cases[] = {
        {"a list box's bar", listSkinner->VertBar(), thick.Frame},
        {"a scroll bar control", controlSkinner->Bar(), system},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_TRUE(PumpUntil([&] { return c.Bar->Shown(); }));
        const RECT r = ScreenRect(c.Bar->Handle());
        EXPECT_EQ(r.right - r.left, c.Thickness);
        const int arrow = c.Bar->Look().ArrowSize, length = c.Bar->Look().Length;
        const auto up = Averaged(*thick.Frames[9 - 1], c.Thickness, arrow);
        const auto down = Averaged(*thick.Frames[13 - 1], c.Thickness, arrow);
        int differences = 0;
        EXPECT_TRUE(PumpUntil(
            [&] { return (differences = Differences(*CaptureScreen(VerticalSpan(*c.Bar, 0, arrow)), *up)) == 0; }, 3s))
            << "the up arrow: " << differences;
        EXPECT_EQ(Differences(*CaptureScreen(VerticalSpan(*c.Bar, length - arrow, length)), *down), 0) << "the down arrow";
    }
    EXPECT_EQ(list->ClientWidth(), systemClientWidth - (thick.Frame - system)) << "the list gave the bar its room";

    const RECT r = ScreenRect(listSkinner->VertBar()->Handle());
    input.MoveTo({r.right - 2, r.bottom - listSkinner->VertBar()->Look().ArrowSize / 2});
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return TopIndex(list->Handle()) == 1; })) << TopIndex(list->Handle());
    input.MoveTo({FormBounds.right + 150, FormBounds.bottom + 150});

    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().Controllers().empty(); }));
    EXPECT_EQ(list->ClientWidth(), systemClientWidth) << "the system's bar again";
}

// Switched off, the skin takes its overlays and hooks away: the controls
// have their own bars and handling again.
TEST_F(SkinnedList, SwitchedOffTheListHasTheSystemsBarAgain)
{
    const HWND overlay = bar->Handle();
    EXPECT_EQ(list->WindowProcHooks(), std::vector<std::string>{"skin control"});
    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().Controllers().empty(); }));
    EXPECT_FALSE(IsWindow(overlay));
    EXPECT_TRUE(list->WindowProcHooks().empty());
    EXPECT_FALSE(AnswersSkinQuery(list->Handle()));
}
