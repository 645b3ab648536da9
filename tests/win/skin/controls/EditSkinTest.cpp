// The text-entry family in the skin: edits, mask edits and memos wear the
// skin's flat border; an up-down's halves show the skin's UpDown frames in
// the state the real pointer gives them, and the control still counts.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
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

// An up-down's face as the skin draws it at w x h: white, and over it in
// `arrows` the face colour with the first half in frame `first` and the
// second in frame `second` of the UpDown.Vert strip, each with its glyph
// centred.
std::unique_ptr<ui::TBitmap> UpDownFace(TSkinData& data, int w, int h, const RECT& arrows, int first, int second)
{
    TDataSkinBorder& element = *data.UpDownVert;
    return Picture(w, h, ui::clWhite, [&](HDC dc, const RECT&) {
        const ui::TBrushHandle face(CreateSolidBrush(ui::ColorToRGB(data.Colours.ButtonFace)));
        FillRect(dc, &arrows, face.Get());
        const int middle = arrows.top + (arrows.bottom - arrows.top) / 2;
        const RECT halves[] = {{arrows.left, arrows.top, arrows.right, middle},
                               {arrows.left, middle, arrows.right, arrows.bottom}};
        const int frames[] = {first, second};
        const int gw = element.Image2->Width() / 8, gh = element.Image2->Height();
        for (int i = 0; i < 2; ++i) {
            const RECT& half = halves[i];
            DrawFrameStretched(dc, half, *element.Image, 8, frames[i], true);
            const int left = half.left + (half.right - half.left - gw) / 2;
            const int top = half.top + (half.bottom - half.top - gh) / 2;
            DrawFrameStretched(dc, {left, top, left + gw, top + gh}, *element.Image2, 8, frames[i], true);
        }
    });
}

// Waits until the up-down on the screen shows its arrows in `arrows` with
// frames `first` and `second`.
bool ShowsArrows(HWND upDown, TSkinData& data, const RECT& arrows, int first, int second)
{
    const RECT r = ScreenRect(upDown);
    const auto want = UpDownFace(data, r.right - r.left, r.bottom - r.top, arrows, first, second);
    int count = 0;
    if (PumpUntil([&] { return (count = Differences(*CaptureScreen(r), *want)) == 0; }, 3s))
        return true;
    ADD_FAILURE() << "frames " << first << " and " << second << ": " << count << " pixels differ";
    return false;
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

namespace {

// A form on the screen under the real pointer (skipped without it), skinned
// once the test has put its up-downs on it; the pointer starts away from it.
class SkinnedUpDown : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!input.Available())
            GTEST_SKIP() << "no X input";
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&classes);
        input.MoveTo(away);
        bed.HoldBack();
        form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
    }

    const POINT away{FormBounds.right + 100, FormBounds.bottom + 100};
    TXInput& input = TXInput::Instance();
    TControlSkinning skinning;
    TSkinTestBed bed;
    std::unique_ptr<ui::TForm> form;
};

} // namespace

// The half under the pointer shows hot, then pressed while the button is
// held (the other half stays normal), and the press still moves the position.
TEST_F(SkinnedUpDown, TheHalvesFollowThePointerAndThePressCounts)
{
    auto* upDown = Add<ui::TUpDown>(*form, 20, 20, 20, 40);
    upDown->SetPosition(50);
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    const HWND window = upDown->Handle();
    ASSERT_NE(dynamic_cast<TSkinUpDown*>(controller->FindSkinnerOfWindow(window)), nullptr);
    const RECT r = ScreenRect(window);
    const RECT all{0, 0, r.right - r.left, r.bottom - r.top};
    const int half = (r.bottom - r.top) / 2;
    TSkinData& data = bed.Data();

    EXPECT_TRUE(ShowsArrows(window, data, all, 1, 5));
    input.MoveTo({(r.left + r.right) / 2, r.top + half / 2});
    EXPECT_TRUE(ShowsArrows(window, data, all, 4, 5)) << "hot";
    input.Press();
    EXPECT_TRUE(ShowsArrows(window, data, all, 2, 5)) << "pressed";
    input.Release();
    EXPECT_TRUE(PumpUntil([&] { return upDown->Position() == 51; })) << upDown->Position();

    upDown->SetEnabled(false);
    EXPECT_TRUE(ShowsArrows(window, data, all, 3, 7)) << "disabled";
}

// An up-down inside an edit (its child, buddied to it, as spin edits make
// them) is adopted by the edit's skinner: it wears the same arrows, kept
// clear of the edit's three-pixel border, which shows white around them,
// and a press on an arrow still counts in the edit.
TEST_F(SkinnedUpDown, AnUpDownInsideAnEditWearsTheArrowsClearOfTheEditsBorder)
{
    auto* edit = Add<ui::TEdit>(*form, 20, 20, 150, 24);
    RECT client{};
    GetClientRect(edit->Handle(), &client);
    constexpr int Width = 16;
    const HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS,
                                      client.right - Width, 0, Width, client.bottom, edit->Handle(), nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(spin);
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit->Handle()), 0);
    SendMessageW(spin, UDM_SETRANGE32, 0, 100);
    SendMessageW(spin, UDM_SETPOS32, 0, 5);
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    auto* skinner = dynamic_cast<TSkinUpDown*>(controller->FindSkinnerOfWindow(spin));
    ASSERT_NE(skinner, nullptr);
    EXPECT_TRUE(skinner->Embedded);

    // Each side of the up-down nearer than three pixels to the edit's moves in.
    const RECT r = ScreenRect(spin), outer = ScreenRect(edit->Handle());
    const RECT arrows{std::max(0, 3 - static_cast<int>(r.left - outer.left)),
                      std::max(0, 3 - static_cast<int>(r.top - outer.top)),
                      (r.right - r.left) - std::max(0, 3 - static_cast<int>(outer.right - r.right)),
                      (r.bottom - r.top) - std::max(0, 3 - static_cast<int>(outer.bottom - r.bottom))};
    ASSERT_GT(arrows.top, 0) << "the up-down touches the edit's border";
    TSkinData& data = bed.Data();
    EXPECT_TRUE(ShowsArrows(spin, data, arrows, 1, 5));
    const int middle = (arrows.top + arrows.bottom) / 2;
    input.MoveTo({(r.left + r.right) / 2, r.top + middle + (arrows.bottom - middle) / 2});
    input.Press();
    EXPECT_TRUE(ShowsArrows(spin, data, arrows, 1, 6)) << "the lower arrow pressed";
    input.Release();
    EXPECT_TRUE(PumpUntil([&] { return edit->Text() == L"4"; })) << "the edit shows the new position";
    input.MoveTo(away);
}
