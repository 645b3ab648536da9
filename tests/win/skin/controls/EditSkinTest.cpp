// The text-entry family in the skin: edits, mask edits and memos wear the
// skin's flat border; an up-down's halves show the skin's UpDown frames in
// the state the real pointer gives them, and the control still counts.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "skin/controls/SkinEdits.h"
#include "skin/data/SkinRecords.h"
#include "skin/draw/SkinDraw.h"
#include "tests/win/support/ControlSkinSupport.h"
#include "tests/win/support/FrameOnScreen.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/WindowTestSupport.h"
#include "tests/win/support/XInput.h"
#include "ui/controls/StdCtrls.h"
#include "ui/controls/UpDown.h"

using namespace skin;
using namespace tests;

namespace {

constexpr RECT FormBounds{120, 120, 440, 360};

template <class T>
T* Add(ui::TForm& form, int left, int top, int width, int height)
{
    auto* control = new T(&form);
    control->SetParent(&form);
    control->SetBounds(left, top, width, height);
    return control;
}

// The rings of a window's border on the screen, outermost first, as long as
// they have one colour each; empty where a ring has two.
std::vector<Bgr> BorderRings(HWND window, int rings)
{
    const RECT r = ScreenRect(window);
    const auto shot = CaptureScreen(r);
    std::vector<Bgr> colours;
    for (int i = 0; i < rings; ++i) {
        const Bgr c = At(*shot, i, shot->Height() / 2);
        for (int x = i; x < shot->Width() - i; ++x)
            if (!(At(*shot, x, i) == c) || !(At(*shot, x, shot->Height() - 1 - i) == c))
                return colours;
        for (int y = i; y < shot->Height() - i; ++y)
            if (!(At(*shot, i, y) == c) || !(At(*shot, shot->Width() - 1 - i, y) == c))
                return colours;
        colours.push_back(c);
    }
    return colours;
}

} // namespace

TEST(SkinnedEdits, EditsMaskEditsAndDisabledEditsWearTheFlatBorder)
{
    TControlSkinning skinning;
    TSkinTestBed bed;
    bed.HoldBack();
    auto form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
    auto* edit = Add<ui::TEdit>(*form, 10, 10, 150, 24);
    auto* masked = Add<ui::TMaskEdit>(*form, 10, 44, 150, 24);
    auto* disabled = Add<ui::TEdit>(*form, 10, 78, 150, 24);
    disabled->SetEnabled(false);
    edit->SetTextValue(L"Text");
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    const Bgr shadow = BgrOf(ui::ColorToRGB(bed.Data().Colours.ButtonShadow));
    const Bgr white = Rgb(255, 255, 255);
    const std::vector<Bgr> flat{shadow, white, white};
    for (ui::TEdit* e : {edit, static_cast<ui::TEdit*>(masked), disabled}) {
        ASSERT_NE(dynamic_cast<TSkinEdit*>(controller->FindSkinnerOfWindow(e->Handle())), nullptr);
        std::vector<Bgr> rings;
        EXPECT_TRUE(PumpUntil([&] { return (rings = BorderRings(e->Handle(), 3)) == flat; }, 3s))
            << rings.size() << " rings alike";
    }
    // Focus moving in and out repaints the frame; the border stays the skin's.
    edit->SetFocus();
    masked->SetFocus();
    Pump();
    EXPECT_EQ(BorderRings(edit->Handle(), 3), flat);
    EXPECT_EQ(BorderRings(masked->Handle(), 3), flat);

    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().Controllers().empty(); }));
    EXPECT_TRUE(edit->WindowProcHooks().empty());
    EXPECT_TRUE(PumpUntil([&] { return BorderRings(edit->Handle(), 1) != std::vector<Bgr>{shadow}; }, 3s))
        << "the system's border again";
}

TEST(UpDownFrames, EachArrowHasFourStatesInItsHalfOfTheStrip)
{
    EXPECT_EQ(UpDownFrame(false, TArrowState::Normal), 1);
    EXPECT_EQ(UpDownFrame(false, TArrowState::Hot), 4);
    EXPECT_EQ(UpDownFrame(true, TArrowState::Normal), 5);
    EXPECT_EQ(UpDownFrame(true, TArrowState::Pressed), 6);
    EXPECT_EQ(UpDownFrame(true, TArrowState::Disabled), 7);
}

// The half under the pointer shows hot, then pressed while the button is
// held (the other half stays normal), and the press still moves the position.
TEST(SkinnedUpDown, TheHalvesFollowThePointerAndThePressCounts)
{
    TXInput& input = TXInput::Instance();
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    TControlSkinning skinning;
    TSkinTestBed bed;
    bed.HoldBack();
    auto form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
    auto* upDown = Add<ui::TUpDown>(*form, 20, 20, 20, 40);
    upDown->SetPosition(50);
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    const HWND window = upDown->Handle();
    ASSERT_NE(dynamic_cast<TSkinUpDown*>(controller->FindSkinnerOfWindow(window)), nullptr);
    TDataSkinBorder& element = *bed.Data().UpDownVert;
    const RECT r = ScreenRect(window);
    const int w = r.right - r.left, half = (r.bottom - r.top) / 2;
    const RECT upper{r.left, r.top, r.right, r.top + half}, lower{r.left, r.top + half, r.right, r.bottom};

    const auto differences = [&](const RECT& place, int frame) {
        const int h = place.bottom - place.top;
        ui::TBitmap want(w, h);
        const RECT all{0, 0, w, h};
        const ui::TBrushHandle face(CreateSolidBrush(ui::ColorToRGB(bed.Data().Colours.ButtonFace)));
        FillRect(want.Canvas()->Handle(), &all, face.Get());
        DrawFrameStretched(want.Canvas()->Handle(), all, *element.Image, 8, frame, true);
        const int gw = element.Image2->Width() / 8, gh = element.Image2->Height();
        const RECT glyph{(w - gw) / 2, (h - gh) / 2, (w - gw) / 2 + gw, (h - gh) / 2 + gh};
        DrawFrameStretched(want.Canvas()->Handle(), glyph, *element.Image2, 8, frame, true);
        const auto shot = CaptureScreen(place);
        int count = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                count += !(At(*shot, x, y) == At(want, x, y));
        return count;
    };
    const auto shows = [&](const RECT& place, int frame) {
        int count = 0;
        const bool ok = PumpUntil([&] { return (count = differences(place, frame)) == 0; }, 3s);
        if (!ok)
            ADD_FAILURE() << "frame " << frame << ": " << count << " pixels differ";
        return ok;
    };

    input.MoveTo({FormBounds.right + 100, FormBounds.bottom + 100});
    EXPECT_TRUE(shows(upper, 1));
    EXPECT_TRUE(shows(lower, 5));
    input.MoveTo({(r.left + r.right) / 2, r.top + half / 2});
    EXPECT_TRUE(shows(upper, 4)) << "hot";
    EXPECT_TRUE(shows(lower, 5));
    input.Press();
    EXPECT_TRUE(shows(upper, 2)) << "pressed";
    EXPECT_TRUE(shows(lower, 5));
    input.Release();
    EXPECT_TRUE(PumpUntil([&] { return upDown->Position() == 51; })) << upDown->Position();

    upDown->SetEnabled(false);
    EXPECT_TRUE(shows(upper, 3)) << "disabled";
    EXPECT_TRUE(shows(lower, 7));
}
