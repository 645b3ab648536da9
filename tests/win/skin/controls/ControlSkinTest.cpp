// Control skinners on real windows: the faces read back from the screen
// equal the faces built from the skin's pictures, under real mouse and
// keyboard input; discovery gives each control the skinner its class asks
// for; a skinner taken off (skin switched off, control destroyed) leaves the
// control's own handling and look as they were.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "skin/controls/SkinBars.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinCheckRadio.h"
#include "skin/controls/SkinContainers.h"
#include "skin/controls/SkinDiscovery.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinScrollBars.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinToolBars.h"
#include "skin/data/SkinRecords.h"
#include "skin/draw/ImgUtil.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/SkinParts.h"
#include "tests/win/support/ControlSkinSupport.h"
#include "tests/win/support/FrameOnScreen.h"
#include "tests/win/support/MessageRecorder.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/TestSkins.h"
#include "tests/win/support/WindowTestSupport.h"
#include "tests/win/support/XInput.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/HeaderControl.h"
#include "ui/controls/ListView.h"
#include "ui/controls/Menus.h"
#include "ui/controls/ProgressBar.h"
#include "ui/controls/StatusBar.h"
#include "ui/controls/StdCtrls.h"
#include "ui/controls/ToolBar.h"
#include "ui/controls/TrackBar.h"
#include "ui/core/TypInfo.h"
#include "ui/graphics/ImgList.h"

using namespace skin;
using namespace tests;

namespace {

constexpr RECT FormBounds{120, 120, 440, 330};

// Stands for another library's push button, listed in the default Skin3rd rows.
class TRzButton : public ui::TButton {
    UI_CLASS(TRzButton)
public:
    using TButton::TButton;
};

const ui::TClassInfo& TRzButton::StaticClass()
{
    static const ui::TClassInfo info = ui::TClassBuilder<TRzButton>("TRzButton", &TButton::StaticClass()).Done();
    return info;
}

// A button class the test lists as "nil": never skinned.
class TPlainButton : public ui::TButton {
    UI_CLASS(TPlainButton)
public:
    using TButton::TButton;
};

const ui::TClassInfo& TPlainButton::StaticClass()
{
    static const ui::TClassInfo info =
        ui::TClassBuilder<TPlainButton>("TPlainButton", &TButton::StaticClass()).Done();
    return info;
}

// Stands for another library's button with a drop-down arrow, listed in
// the test's Skin3rd rows as a menu button.
class TArrowButton : public ui::TButton {
    UI_CLASS(TArrowButton)
public:
    using TButton::TButton;
};

const ui::TClassInfo& TArrowButton::StaticClass()
{
    static const ui::TClassInfo info =
        ui::TClassBuilder<TArrowButton>("TArrowButton", &TButton::StaticClass()).Done();
    return info;
}

TSkinControl* SkinnerOf(const TWinSkinForm& controller, HWND window)
{
    return dynamic_cast<TSkinControl*>(controller.FindSkinnerOfWindow(window));
}

POINT Centre(HWND window)
{
    const RECT r = ScreenRect(window);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// How many pixels of `shot` differ from `expected` inside `area`.
int Differences(const ui::TBitmap& shot, const ui::TBitmap& expected, const RECT& area)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += !(At(shot, x, y) == At(expected, x, y));
    return count;
}

// The pixels of a button's face at `screen` outside its middle, where the
// caption and the focus rectangle go, compared with face `face` of the
// skin's Buttons (or, without the element, the skin's face colour alone).
int FaceDifferences(const RECT& screen, TSkinData& data, TButtonFace face, bool element = true)
{
    const int w = screen.right - screen.left, h = screen.bottom - screen.top;
    const auto expected = Picture(w, h, data.Colours.ButtonFace, [&](HDC dc, const RECT& all) {
        if (element)
            DrawElement(dc, all, ButtonFaceCount, static_cast<int>(face), *data.Buttons);
    });
    const auto shot = CaptureScreen(screen);
    return Differences(*shot, *expected, {0, 0, w, 6}) + Differences(*shot, *expected, {0, h - 6, w, h}) +
           Differences(*shot, *expected, {0, 0, 6, h}) + Differences(*shot, *expected, {w - 6, 0, w, h});
}

// Waits until the button shows the face; the differences of the last look.
int AwaitFace(HWND button, TSkinData& data, TButtonFace face)
{
    int differences = 0;
    PumpUntil([&] { return (differences = FaceDifferences(ScreenRect(button), data, face)) == 0; }, 3s);
    return differences;
}

using tests::ScreenRect;

// A windowless control's place on the screen.
RECT ScreenRect(const ui::TControl& control)
{
    RECT r = control.BoundsRect();
    MapWindowPoints(control.Parent()->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

POINT Centre(const ui::TControl& control)
{
    const RECT r = ScreenRect(control);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The same for a speed button, its messages handled the way the program's
// loop does (the mouse entering and leaving windowless controls).
int AwaitFace(const ui::TControl& button, TSkinData& data, TButtonFace face, bool element = true)
{
    int differences = 0;
    LoopUntil([&] { return (differences = FaceDifferences(ScreenRect(button), data, face, element)) == 0; }, 3s);
    return differences;
}

// The box of a check box or radio button on the screen against frame
// `frame` of the strip.
int MarkDifferences(HWND window, TSkinData& data, const ui::TBitmap& strip, int frames, int frame)
{
    const RECT r = ScreenRect(window);
    const int fw = strip.Width() / frames, fh = strip.Height();
    const int top = (r.bottom - r.top - fh) / 2;
    const auto expected = Picture(fw, fh, data.Colours.ButtonFace, [&](HDC dc, const RECT& all) {
        DrawFrameStretched(dc, all, const_cast<ui::TBitmap&>(strip), frames, frame, true);
    });
    const auto shot = CaptureScreen({r.left, r.top + top, r.left + fw, r.top + top + fh});
    return Differences(*shot, *expected, {0, 0, fw, fh});
}

int AwaitMark(HWND window, TSkinData& data, const ui::TBitmap& strip, int frames, int frame)
{
    int differences = 0;
    PumpUntil([&] { return (differences = MarkDifferences(window, data, strip, frames, frame)) == 0; }, 3s);
    return differences;
}

// A form with two push buttons, the first focused.
class SkinnedButtons : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<ui::TForm>(nullptr);
        form->SetPosition(ui::TPosition::poDesigned);
        form->SetBounds(FormBounds.left, FormBounds.top, FormBounds.right - FormBounds.left,
                        FormBounds.bottom - FormBounds.top);
        first = AddButton(L"First", 20);
        button = AddButton(L"", 80);
        button->OnClick = ui::TNotifyEvent([this](ui::TObject*) { ++clicks; });
        form->Show();
        SetForegroundWindow(form->Handle());
        controller = bed.WaitSkinned(form->Handle());
    }

    ui::TButton* AddButton(const std::wstring& caption, int top)
    {
        auto* b = new ui::TButton(form.get());
        b->SetParent(form.get());
        b->SetBounds(20, top, 120, 40);
        b->SetCaption(caption);
        return b;
    }

    TControlSkinning skinning;
    TSkinTestBed bed;
    std::unique_ptr<ui::TForm> form;
    ui::TButton* first = nullptr;
    ui::TButton* button = nullptr;
    TWinSkinForm* controller = nullptr;
    int clicks = 0;
};


// A bare top-level window, not yet skinned, and the X input; skips the test
// without an X server.
class BareWindowControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!input.Available())
            GTEST_SKIP() << "no X input";
        bed.HoldBack();
        bare = std::make_unique<TBareWindow>(GetModuleHandleW(nullptr), L"TessalyBareControls",
                                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, FormBounds);
    }
    // A "BUTTON" child of that style at `top`, its identifier 100 + top.
    HWND child(const wchar_t* text, DWORD style, int top) const
    {
        return CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10, top, 160, 24,
                               bare->Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + top)),
                               GetModuleHandleW(nullptr), nullptr);
    }

    TXInput& input = TXInput::Instance();
    TControlSkinning skinning;
    TSkinTestBed bed;
    std::unique_ptr<TBareWindow> bare;
};

// A form on the screen whose skinning waits until the test has put its
// controls on it (bed.Skin).
class SkinnedForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        bed.HoldBack();
        form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
    }

    TControlSkinning skinning;
    TSkinTestBed bed;
    std::unique_ptr<ui::TForm> form;
};

// The same under the real mouse and keyboard; skips without an X server.
class SkinnedFormUnderInput : public SkinnedForm {
protected:
    void SetUp() override
    {
        if (!input.Available())
            GTEST_SKIP() << "no X input";
        SkinnedForm::SetUp();
    }

    TXInput& input = TXInput::Instance();
};

} // namespace

TEST(CheckFrames, FramesOfEveryLookInFourAndTwelveFrameStrips)
{
    struct Case {
        int mark;
        bool enabled;
        int four, twelve;
    };
    const Case cases[] = {
        {1, true, 1, 1}, {2, true, 2, 5}, {1, false, 3, 4}, {2, false, 4, 8}, {3, true, 4, 9}, {3, false, 4, 12},
    };
    for (const Case& c : cases) {
        const TCheckLook look{c.mark, c.enabled};
        EXPECT_EQ(CheckFrameOf(look, 4), c.four) << c.mark << " " << c.enabled;
        EXPECT_EQ(CheckFrameOf(look, 12), c.twelve) << c.mark << " " << c.enabled;
    }
    EXPECT_EQ(RadioFrameOf({2, false}, 4), 4);
    EXPECT_EQ(RadioFrameOf({2, false}, 8), 8);
    EXPECT_EQ(RadioFrameOf({2, true}, 8), 5);
}

// A 100 x 40 button with a 16 x 16 glyph and a 40 x 14 caption.
TEST(GlyphPlacement, MarginAndSpacingPlaceGlyphAndCaption)
{
    struct Case {
        const char* what;
        TGlyphLayout layout;
        int margin, spacing;
        POINT glyph, text;
    };
    const Case cases[] = {
        // Free room 44 spread in thirds: margin and gap 14 each.
        {"spread", TGlyphLayout::Left, -1, -1, {14, 12}, {44, 13}},
        {"centred, gap 4", TGlyphLayout::Left, -1, 4, {20, 12}, {40, 13}},
        {"margin 5, gap spread", TGlyphLayout::Left, 5, -1, {5, 12}, {40, 13}},
        {"margin 5, gap 4, right", TGlyphLayout::Right, 5, 4, {79, 12}, {35, 13}},
        {"top, margin 2, gap 1", TGlyphLayout::Top, 2, 1, {42, 2}, {30, 19}},
    };
    for (const Case& c : cases) {
        const TGlyphPlacement p = PlaceGlyph(c.layout, {100, 40}, {16, 16}, {40, 14}, c.margin, c.spacing, false);
        EXPECT_EQ(p.Glyph.x, c.glyph.x) << c.what;
        EXPECT_EQ(p.Glyph.y, c.glyph.y) << c.what;
        EXPECT_EQ(p.Text.x, c.text.x) << c.what;
        EXPECT_EQ(p.Text.y, c.text.y) << c.what;
    }
    // Without a caption there is no gap to keep.
    EXPECT_EQ(PlaceGlyph(TGlyphLayout::Left, {100, 40}, {16, 16}, {0, 0}, -1, 4, false).Glyph.x, 42);
}

TEST_F(SkinnedButtons, HoverPressAndReleaseUnderTheMouse)
{
    TXInput& pointer = TXInput::Instance();
    if (!pointer.Available())
        GTEST_SKIP() << "no X pointer";
    ASSERT_TRUE(controller);
    const HWND window = button->Handle();
    ASSERT_NE(dynamic_cast<TSkinButton*>(SkinnerOf(*controller, window)), nullptr);
    TSkinData& data = bed.Data();
    pointer.MoveTo({FormBounds.right + 150, FormBounds.bottom + 150});
    first->SetFocus();
    EXPECT_EQ(AwaitFace(window, data, TButtonFace::Normal), 0);

    pointer.MoveTo(Centre(window));
    EXPECT_EQ(AwaitFace(window, data, TButtonFace::Hot), 0);
    pointer.Press();
    EXPECT_EQ(AwaitFace(window, data, TButtonFace::Pressed), 0);
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == window; }));
    pointer.Release();
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    EXPECT_EQ(AwaitFace(window, data, TButtonFace::Hot), 0);

    // Pressed, moved off and released elsewhere: no click.
    pointer.Press();
    EXPECT_EQ(AwaitFace(window, data, TButtonFace::Pressed), 0);
    pointer.MoveTo({FormBounds.right + 150, FormBounds.bottom + 150});
    EXPECT_EQ(AwaitFace(window, data, TButtonFace::Focused), 0);
    pointer.Release();
    Pump();
    EXPECT_EQ(clicks, 1);

    // Back over it: hot again, and the release alone clicks nothing.
    pointer.MoveTo(Centre(window));
    pointer.Release();
    Pump();
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinnedButtons, SpaceClicksTheFocusedButtonOnceAndDisabledShowsItsFace)
{
    TXInput& keyboard = TXInput::Instance();
    if (!keyboard.Available())
        GTEST_SKIP() << "no X keyboard";
    ASSERT_TRUE(controller);
    const HWND window = button->Handle();
    TXInput::Instance().MoveTo({FormBounds.right + 150, FormBounds.bottom + 150});
    button->SetFocus();
    EXPECT_EQ(AwaitFace(window, bed.Data(), TButtonFace::Focused), 0);
    keyboard.Key("space");
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    Pump();
    EXPECT_EQ(clicks, 1);

    first->SetFocus();
    button->SetEnabled(false);
    EXPECT_EQ(AwaitFace(window, bed.Data(), TButtonFace::Disabled), 0);
}

TEST_F(SkinnedButtons, SuspendedOrSwitchedOffTheButtonsHaveTheirOwnHandlingAndLook)
{
    ASSERT_TRUE(controller);
    EXPECT_EQ(button->WindowProcHooks(), std::vector<std::string>{"skin control"});
    EXPECT_TRUE(AnswersSkinQuery(button->Handle()));
    // A button never skinned, made after the discovery pass went by.
    const HWND window = button->Handle();
    const HWND plain = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 160, 80, 120, 40,
                                       form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    first->SetFocus();
    const auto looksPlain = [&] {
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return SamePixels(*CaptureScreen(ScreenRect(window)), *CaptureScreen(ScreenRect(plain)));
    };
    EXPECT_FALSE(looksPlain());

    SendMessageW(window, WM_SKINENABLE, 0, 0);
    EXPECT_TRUE(PumpUntil(looksPlain, 2s)) << "suspended";
    SendMessageW(window, WM_SKINENABLE, 1, 0);
    EXPECT_EQ(AwaitFace(window, bed.Data(), TButtonFace::Normal), 0);

    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().Controllers().empty(); }));
    EXPECT_TRUE(button->WindowProcHooks().empty());
    EXPECT_FALSE(AnswersSkinQuery(window));
    EXPECT_TRUE(PumpUntil(looksPlain, 2s)) << "switched off";
}

// Tag 5555 puts the parent's picture under the button's face: where the
// face is keyed out, the parent's own colour shows.
TEST(ParentPicture, ATaggedButtonShowsItsParentAroundItsFace)
{
    TControlSkinning skinning;
    TSkinTestBed bed;
    bed.HoldBack();
    auto form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
    auto* panel = new ui::TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 200, 120);
    panel->SetBevelOuter(ui::TPanelBevel::bvNone);
    panel->SetTag(DefaultDisableTag);  // keeps its own colour
    panel->SetColor(0x2040C0);
    auto* tagged = new ui::TButton(form.get());
    tagged->SetParent(panel);
    tagged->SetBounds(20, 20, 120, 40);
    tagged->SetTag(ParentPictureTag);
    auto* other = new ui::TButton(form.get());
    other->SetParent(form.get());
    other->SetBounds(10, 140, 100, 30);
    other->SetCaption(L"Focus");
    ASSERT_TRUE(bed.Skin(form->Handle()));
    other->SetFocus();
    const HWND window = tagged->Handle();
    const RECT r = ScreenRect(window);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const auto expected = Picture(w, h, 0x2040C0, [&](HDC dc, const RECT& all) {
        DrawElement(dc, all, ButtonFaceCount, static_cast<int>(TButtonFace::Normal), *bed.Data().Buttons);
    });
    int differences = 0;
    EXPECT_TRUE(PumpUntil([&] { return (differences = Differences(*CaptureScreen(r), *expected, {0, 0, w, h})) == 0; },
                          3s))
        << differences << " pixels differ";
}

// The press on a skinned button never reaches the native button: the skinner
// tells the button's OnMouseDown of it, with the keys held as the control
// itself tells them. A twin the DisableTag keeps unskinned hears the same.
TEST_F(SkinnedButtons, APressTellsOnMouseDownTheKeysHeld)
{
    TXInput& input = TXInput::Instance();
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    ASSERT_TRUE(controller);
    auto* plain = new ui::TButton(form.get());
    plain->SetTag(bed.Data().DisableTag());
    plain->SetParent(form.get());
    plain->SetBounds(160, 80, 120, 40);
    constexpr ui::TShiftState Unheard = ~0u;
    ui::TShiftState heard = Unheard;
    const ui::TMouseEvent note([&](ui::TObject*, ui::TMouseButton, ui::TShiftState shift, int, int) { heard = shift; });
    button->OnMouseDown = note;
    plain->OnMouseDown = note;
    ASSERT_NE(dynamic_cast<TSkinButton*>(SkinnerOf(*controller, button->Handle())), nullptr);
    ASSERT_EQ(SkinnerOf(*controller, plain->Handle()), nullptr);
    const auto pressWith = [&](ui::TButton& target, const std::vector<std::string>& keys) {
        heard = Unheard;
        input.MoveTo(Centre(target.Handle()));
        for (const std::string& key : keys)
            input.KeyDown(key);
        input.Press();
        PumpUntil([&] { return heard != Unheard; });
        input.Release();
        for (const std::string& key : keys)
            input.KeyUp(key);
        PumpUntil([] { return GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0; });
        return heard;
    };
    constexpr ui::TShiftState Shift = 1u << ui::ssShift, Ctrl = 1u << ui::ssCtrl, Left = 1u << ui::ssLeft;
    const struct {
        const char* what;
        std::vector<std::string> keys;
        ui::TShiftState shift;
    } cases[] = {
        {"no key", {}, Left},
        {"Shift", {"shift"}, Left | Shift},
        {"Ctrl", {"ctrl"}, Left | Ctrl},
        {"Shift and Ctrl", {"shift", "ctrl"}, Left | Shift | Ctrl},
    };
    for (const auto& c : cases) {
        const ui::TShiftState skinned = pressWith(*button, c.keys);
        EXPECT_EQ(skinned, c.shift) << c.what;
        EXPECT_EQ(skinned, pressWith(*plain, c.keys)) << c.what << ": as the unskinned button hears it";
    }
    input.MoveTo({FormBounds.right + 150, FormBounds.bottom + 150});
}

// A push button's picture from its image list goes on the skinned face: the
// enabled picture, the disabled one when disabled, or without one the
// enabled picture in the image list's disabled style.
TEST_F(SkinnedForm, TheImageOfAButtonsStateSitsOnItsFace)
{
    auto* images = new ui::TImageList(form.get());
    ui::TBitmap strip(32, 16);
    const RECT frames[] = {{0, 0, 16, 16}, {16, 0, 32, 16}};
    constexpr ui::TColor red = 0x0000FF, blue = 0xFF0000;
    for (const auto& [frame, colour] : {std::pair{frames[0], red}, std::pair{frames[1], blue}}) {
        const ui::TBrushHandle brush(CreateSolidBrush(ui::ColorToRGB(colour)));
        FillRect(strip.Canvas()->Handle(), &frame, brush.Get());
        const RECT corner{frame.left, 0, frame.left + 5, 5};  // keyed: the face shows there
        const ui::TBrushHandle key(CreateSolidBrush(ui::ColorToRGB(ui::clFuchsia)));
        FillRect(strip.Canvas()->Handle(), &corner, key.Get());
    }
    images->AddMasked(strip, ui::clFuchsia);
    struct Case {
        const char* what;
        bool enabled;
        int disabledIndex;
        int shown;          // the picture expected
        bool greyed;        // in the disabled style
        ui::TButton* button = nullptr;
    };
    Case cases[] = {
        {"enabled", true, 1, 0, false},
        {"disabled, with a disabled picture", false, 1, 1, false},
        {"disabled, without one", false, -1, 0, true},
    };
    int top = 10;
    for (Case& c : cases) {
        c.button = new ui::TButton(form.get());
        c.button->SetParent(form.get());
        c.button->SetBounds(10, top, 90, 34);
        c.button->SetImages(images);
        c.button->SetImageIndex(0);
        c.button->SetDisabledIndex(c.disabledIndex);
        c.button->SetEnabled(c.enabled);
        top += 44;
    }
    auto* other = new ui::TEdit(form.get());
    other->SetParent(form.get());
    other->SetBounds(120, 10, 100, 24);
    ASSERT_TRUE(bed.Skin(form->Handle()));
    other->SetFocus();
    TSkinData& data = bed.Data();
    for (const Case& c : cases) {
        const RECT r = ScreenRect(c.button->Handle());
        const int w = r.right - r.left, h = r.bottom - r.top;
        const TButtonFace face = c.enabled ? TButtonFace::Normal : TButtonFace::Disabled;
        const auto expected = Picture(w, h, data.Colours.ButtonFace, [&](HDC dc, const RECT& all) {
            DrawElement(dc, all, ButtonFaceCount, static_cast<int>(face), *data.Buttons);
            // Without a caption the picture is centred.
            ui::TCanvas canvas;
            const ui::TCanvasAttachment attached(canvas, dc);
            images->Draw(&canvas, (w - 16) / 2, (h - 16 + 1) / 2, c.shown, !c.greyed);
        });
        int differences = 0;
        EXPECT_TRUE(PumpUntil(
            [&] { return (differences = Differences(*CaptureScreen(r), *expected, {0, 0, w, h})) == 0; }, 3s))
            << c.what << ": " << differences << " pixels differ";
    }
}

// A framework check box keeps its state in the control: each state shows
// its mark, enabled and disabled, and a click steps an unchecked box to
// checked.
TEST_F(SkinnedFormUnderInput, FrameworkCheckBoxesShowTheMarkOfTheirState)
{
    const struct {
        ui::TCheckBoxState state;
        bool enabled;
        int mark;
    } cases[] = {
        {ui::TCheckBoxState::cbUnchecked, true, 1}, {ui::TCheckBoxState::cbChecked, true, 2},
        {ui::TCheckBoxState::cbGrayed, true, 3},    {ui::TCheckBoxState::cbUnchecked, false, 1},
        {ui::TCheckBoxState::cbChecked, false, 2},  {ui::TCheckBoxState::cbGrayed, false, 3},
    };
    std::vector<ui::TCheckBox*> boxes;
    for (const auto& c : cases) {
        auto* box = new ui::TCheckBox(form.get());
        box->SetParent(form.get());
        box->SetBounds(10, 10 + 28 * static_cast<int>(boxes.size()), 150, 24);
        box->SetCaption(L"Box");
        box->SetAllowGrayed(true);
        box->SetState(c.state);
        box->SetEnabled(c.enabled);
        boxes.push_back(box);
    }
    SetForegroundWindow(form->Handle());
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    TSkinData& data = bed.Data();
    const ui::TBitmap& checks = *data.Buttons->CheckImage;
    const int frames = data.Buttons->CheckFrameCount;
    ASSERT_FALSE(checks.Empty());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        ASSERT_NE(dynamic_cast<TSkinCheckBox*>(SkinnerOf(*controller, boxes[i]->Handle())), nullptr);
        EXPECT_EQ(AwaitMark(boxes[i]->Handle(), data, checks, frames, CheckFrameOf({cases[i].mark, cases[i].enabled},
                                                                                  frames)),
                  0)
            << "box " << i;
    }
    const RECT r = ScreenRect(boxes[0]->Handle());
    input.MoveTo({r.left + 8, (r.top + r.bottom) / 2});
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return boxes[0]->Checked(); }));
    EXPECT_EQ(AwaitMark(boxes[0]->Handle(), data, checks, frames, CheckFrameOf({2, true}, frames)), 0) << "clicked";
    input.MoveTo({FormBounds.right + 150, FormBounds.bottom + 150});
}

TEST_F(SkinnedButtons, ADestroyedButtonTakesItsSkinnerAlong)
{
    ASSERT_TRUE(controller);
    const HWND window = button->Handle();
    ASSERT_TRUE(SkinnerOf(*controller, window));
    delete button;
    button = nullptr;
    EXPECT_EQ(SkinnerOf(*controller, window), nullptr);
    EXPECT_TRUE(std::none_of(controller->Skinners.begin(), controller->Skinners.end(),
                             [](TFormSkinner* s) { return s->SkinState == TSkinControl::StateClosed; }));
}

TEST(ControlDiscovery, EachControlGetsTheSkinnerItsClassAsksFor)
{
    ui::RegisterComponentClass(TRzButton::StaticClass());
    TControlSkinning skinning;
    ui::TComponent* byEventSkinner = nullptr;
    TSkinTestBed bed([&](TSkinData& data) {
        data.Skin3rd()->Add(L"TPlainButton=nil");
        data.SetSkinControls(data.SkinControls() & ~SetOf(xcBitBtn));
        data.OnSkinControl = TOnSkinControl([&](ui::TComponent*, TSkinData*, ui::TControl*, ui::TControl* control,
                                                const std::string&, ui::TComponent*& skinned) {
            if (control->Name() == "byEvent")
                skinned = byEventSkinner = new TSkinCheckBox(control);
        });
    });
    bed.HoldBack();
    auto form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
    const auto add = [&](ui::TWinControl* c, const char* name, int tag = 0) {
        c->SetName(name);
        c->SetParent(form.get());
        c->SetTag(tag);
        c->HandleNeeded();
        return c;
    };
    auto* panel = add(new ui::TPanel(form.get()), "panel");
    auto* inPanel = new ui::TButton(form.get());
    inPanel->SetParent(static_cast<ui::TWinControl*>(panel));
    auto* plain = add(new ui::TButton(form.get()), "plain");
    auto* tagged = add(new ui::TButton(form.get()), "tagged", DefaultDisableTag);
    auto* picture = add(new ui::TBitBtn(form.get()), "picture");
    auto* listed = add(new TRzButton(form.get()), "listed");
    auto* nil = add(new TPlainButton(form.get()), "nil");
    auto* byEvent = add(new ui::TButton(form.get()), "byEvent");
    const ui::TColor panelColour = panel->Color();

    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    const auto skinnerOf = [&](ui::TControl* c) -> TSkinControl* {
        const auto found = std::find_if(controller->Skinners.begin(), controller->Skinners.end(),
                                        [c](TFormSkinner* s) { return s->Control == c; });
        return found == controller->Skinners.end() ? nullptr : dynamic_cast<TSkinControl*>(*found);
    };
    EXPECT_NE(dynamic_cast<TSkinBox*>(skinnerOf(panel)), nullptr);
    EXPECT_EQ(panel->Color(), bed.Data().Colours.ButtonFace);
    EXPECT_NE(dynamic_cast<TSkinButton*>(skinnerOf(inPanel)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinButton*>(skinnerOf(plain)), nullptr);
    EXPECT_EQ(skinnerOf(tagged), nullptr);
    EXPECT_EQ(skinnerOf(picture), nullptr) << "xcBitBtn is off";
    EXPECT_NE(dynamic_cast<TSkinButton*>(skinnerOf(listed)), nullptr);
    EXPECT_EQ(skinnerOf(nil), nullptr);
    EXPECT_EQ(skinnerOf(byEvent), byEventSkinner);

    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().Controllers().empty(); }));
    EXPECT_EQ(panel->Color(), panelColour);
    EXPECT_TRUE(plain->WindowProcHooks().empty());
}

// The skin data's DisableTag, whatever its value, keeps a control, and a
// radio group with its buttons, unskinned; a Tag of 99 is then a Tag like
// any other.
TEST(ControlDiscovery, TheSkinDatasOwnDisableTagKeepsControlsUnskinned)
{
    constexpr int OwnDisableTag = 4321;
    TControlSkinning skinning;
    TSkinTestBed bed([](TSkinData& data) { data.SetDisableTag(OwnDisableTag); });
    bed.HoldBack();
    auto form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
    const auto add = [&](ui::TWinControl* c, int tag, int top) {
        c->SetTag(tag);
        c->SetParent(form.get());
        c->SetBounds(10, top, 120, 30);
        return c;
    };
    auto* group = static_cast<ui::TRadioGroup*>(add(new ui::TRadioGroup(form.get()), OwnDisableTag, 170));
    group->SetBounds(150, 10, 120, 90);
    group->Items()->Add(L"One");
    group->Items()->Add(L"Two");
    const struct {
        ui::TWinControl* control;
        bool skinned;
    } cases[] = {
        {add(new ui::TButton(form.get()), OwnDisableTag, 10), false},
        {add(new ui::TButton(form.get()), DefaultDisableTag, 45), true},
        {add(new ui::TCheckBox(form.get()), OwnDisableTag, 80), false},
        {add(new ui::TEdit(form.get()), OwnDisableTag, 115), false},
        {add(new ui::TEdit(form.get()), DefaultDisableTag, 150), true},
        {group, false},
        {group->Buttons(0), false},
        {group->Buttons(1), false},
    };
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    for (const auto& c : cases) {
        const bool skinned = SkinnerOf(*controller, c.control->Handle()) != nullptr;
        EXPECT_EQ(skinned, c.skinned) << c.control->ClassName() << " with Tag " << c.control->Tag();
        EXPECT_EQ(AnswersSkinQuery(c.control->Handle()), c.skinned) << c.control->ClassName();
    }
}

// A class listed as "menubtn" gets the menu-button skinner: the face of its
// state (focused shows the hot face) with the arrow in the window-text
// colour in the rightmost 17 pixels.
TEST(SkinnedMenuButton, TheFaceWithTheArrowAtTheRight)
{
    TControlSkinning skinning;
    TSkinTestBed bed([](TSkinData& data) { data.Skin3rd()->Add(L"TArrowButton=menubtn"); });
    bed.HoldBack();
    auto form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
    auto* button = new TArrowButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(20, 20, 120, 40);
    button->SetCaption(L"Open");
    auto* other = new ui::TButton(form.get());
    other->SetParent(form.get());
    other->SetBounds(20, 80, 120, 40);
    SetForegroundWindow(form->Handle());
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    const HWND window = button->Handle();
    ASSERT_NE(dynamic_cast<TSkinMenuButton*>(SkinnerOf(*controller, window)), nullptr);
    TXInput::Instance().MoveTo({FormBounds.right + 150, FormBounds.bottom + 150});
    other->SetFocus();
    EXPECT_EQ(AwaitFace(window, bed.Data(), TButtonFace::Normal), 0);
    POINT arrow[3];
    MenuArrowCorners({120, 40}, arrow);
    const RECT r = ScreenRect(window);
    const auto shot = CaptureScreen(r);
    EXPECT_EQ(At(*shot, arrow[0].x, arrow[0].y - 1), BgrOf(GetSysColor(COLOR_WINDOWTEXT))) << "the arrow";
    button->SetFocus();
    EXPECT_EQ(AwaitFace(window, bed.Data(), TButtonFace::Hot), 0) << "focused";
}

// Speed buttons have no window: their skinner paints them where the form
// paints them. The face follows the real mouse; a click runs the button's
// own click, which puts it down in its group (the pressed face) and lets the
// other up; a flat button shows the element only under the mouse.
TEST_F(SkinnedFormUnderInput, SpeedButtonFacesFollowTheMouseAndTheGroupsDownButton)
{
    const auto add = [&](int left, int group, bool flat) {
        auto* b = new ui::TSpeedButton(form.get());
        b->SetParent(form.get());
        b->SetBounds(left, 20, 70, 34);
        b->SetGroupIndex(group);
        b->SetFlat(flat);
        b->SetCaption(L"S");
        return b;
    };
    ui::TSpeedButton* first = add(20, 1, false);
    ui::TSpeedButton* second = add(110, 1, false);
    ui::TSpeedButton* flat = add(200, 0, true);
    int clicks = 0;
    second->OnClick = ui::TNotifyEvent([&](ui::TObject*) { ++clicks; });
    const POINT away{FormBounds.right + 150, FormBounds.bottom + 150};
    input.MoveThroughApplication(away);
    ASSERT_TRUE(bed.Skin(form->Handle()));
    EXPECT_EQ(second->WindowProcHooks(), std::vector<std::string>{"skin control"});
    TSkinData& data = bed.Data();
    EXPECT_EQ(AwaitFace(*first, data, TButtonFace::Normal), 0);
    EXPECT_EQ(AwaitFace(*flat, data, TButtonFace::Normal, false), 0) << "flat, no element";

    input.MoveThroughApplication(Centre(*second));
    EXPECT_EQ(AwaitFace(*second, data, TButtonFace::Hot), 0);
    input.Press();
    EXPECT_EQ(AwaitFace(*second, data, TButtonFace::Pressed), 0);
    input.Release();
    EXPECT_TRUE(LoopUntil([&] { return clicks == 1; }));
    EXPECT_TRUE(second->Down());
    EXPECT_EQ(AwaitFace(*second, data, TButtonFace::Pressed), 0) << "down";

    input.MoveThroughApplication(Centre(*first));
    input.Click();
    EXPECT_TRUE(LoopUntil([&] { return first->Down(); }));
    EXPECT_FALSE(second->Down());
    input.MoveThroughApplication(away);
    EXPECT_EQ(AwaitFace(*second, data, TButtonFace::Normal), 0) << "let up by the group";
    EXPECT_EQ(AwaitFace(*first, data, TButtonFace::Pressed), 0);

    // Pressed and moved off before the release: no click.
    input.MoveThroughApplication(Centre(*second));
    input.Press();
    EXPECT_EQ(AwaitFace(*second, data, TButtonFace::Pressed), 0);
    input.MoveThroughApplication(away);
    input.Release();
    LoopUntil([] { return false; }, 300ms);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(second->Down());
    EXPECT_EQ(AwaitFace(*second, data, TButtonFace::Normal), 0);

    input.MoveThroughApplication(Centre(*flat));
    EXPECT_EQ(AwaitFace(*flat, data, TButtonFace::Hot), 0) << "flat under the mouse";
    second->SetEnabled(false);
    EXPECT_EQ(AwaitFace(*second, data, TButtonFace::Disabled), 0);

    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().Controllers().empty(); }));
    EXPECT_TRUE(second->WindowProcHooks().empty());
}

// A group box and a radio group wear the skin's face colour with a rounded
// frame in its shadow colour; the radio group's buttons wear the skin's
// radio marks and keep their own keys: an arrow moves the choice.
TEST_F(SkinnedFormUnderInput, GroupBoxFaceAndARadioGroupUnderTheKeyboard)
{
    auto* box = new ui::TGroupBox(form.get());
    box->SetParent(form.get());
    box->SetBounds(10, 10, 130, 100);
    box->SetCaption(L"Box");
    auto* group = new ui::TRadioGroup(form.get());
    group->SetParent(form.get());
    group->SetBounds(150, 10, 140, 120);
    group->SetCaption(L"Group");
    for (const wchar_t* item : {L"One", L"Two", L"Three"})
        group->Items()->Add(item);
    group->SetItemIndex(0);
    const ui::TColor groupColour = group->Color();
    SetForegroundWindow(form->Handle());
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    EXPECT_NE(dynamic_cast<TSkinGroupBox*>(SkinnerOf(*controller, box->Handle())), nullptr);
    EXPECT_NE(dynamic_cast<TSkinGroupBox*>(SkinnerOf(*controller, group->Handle())), nullptr);
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(dynamic_cast<TSkinRadioButton*>(SkinnerOf(*controller, group->Buttons(i)->Handle())), nullptr);

    // Below the caption's line: the face colour inside a frame 1 pixel in
    // from the left, right and bottom sides.
    TSkinData& data = bed.Data();
    const RECT r = ScreenRect(box->Handle());
    const int w = r.right - r.left, h = r.bottom - r.top;
    const auto expected = Picture(w, h, data.Colours.ButtonFace, [&](HDC dc, const RECT& all) {
        const ui::TPenHandle pen(CreatePen(PS_SOLID, 1, ui::ColorToRGB(data.Colours.ButtonShadow)));
        SelectObject(dc, pen.Get());
        SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
        RoundRect(dc, 1, 0, all.right - 1, all.bottom - 1, 5, 5);
        SelectObject(dc, GetStockObject(BLACK_PEN));
    });
    int differences = 0;
    EXPECT_TRUE(PumpUntil([&] { return (differences = Differences(*CaptureScreen(r), *expected, {0, 20, w, h})) == 0; },
                          3s))
        << differences << " pixels differ";

    group->Buttons(0)->SetFocus();
    input.Key("Down");
    EXPECT_TRUE(LoopUntil([&] { return group->ItemIndex() == 1; }));
    const ui::TBitmap& radios = *data.Buttons->RadioImage;
    const int frames = data.Buttons->RadioFrameCount;
    EXPECT_EQ(AwaitMark(group->Buttons(1)->Handle(), data, radios, frames, RadioFrameOf({2, true}, frames)), 0);
    EXPECT_EQ(AwaitMark(group->Buttons(0)->Handle(), data, radios, frames, RadioFrameOf({1, true}, frames)), 0);

    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().Controllers().empty(); }));
    EXPECT_EQ(group->Color(), groupColour);
    EXPECT_TRUE(group->WindowProcHooks().empty());
    EXPECT_TRUE(box->WindowProcHooks().empty());
}

// A status bar: each panel on the StatusBarEdges frame of its bevel, the
// size grip from frame 5 of ExtraImages in its corner; a simple bar without
// the grip shows the lowered face over all of it and no grip.
TEST_F(SkinnedForm, StatusBarPanelsWearTheFacesOfTheirBevelsAndTheGripSitsInTheCorner)
{
    auto* bar = new ui::TStatusBar(form.get());
    bar->SetParent(form.get());
    bar->SetHeight(24);
    const ui::TStatusPanelBevel bevels[] = {ui::TStatusPanelBevel::pbLowered, ui::TStatusPanelBevel::pbRaised,
                                            ui::TStatusPanelBevel::pbNone};
    for (ui::TStatusPanelBevel bevel : bevels) {
        ui::TStatusPanel* panel = bar->Panels()->Add();
        panel->SetWidth(80);
        panel->SetBevel(bevel);
    }
    bar->Panels()->Items(0)->SetText(L"One");
    auto* simple = new ui::TStatusBar(form.get());
    simple->SetParent(form.get());
    simple->SetAlign(ui::TAlign::alTop);
    simple->SetHeight(24);
    simple->SetSizeGrip(false);
    simple->SetSimplePanel(true);
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    ASSERT_NE(dynamic_cast<TSkinStatusBar*>(SkinnerOf(*controller, bar->Handle())), nullptr);
    TSkinData& data = bed.Data();
    TDataSkinObject& edges = *data.StatusBarEdges;
    TDataSkinObject& extra = *data.ExtraImages;
    ASSERT_FALSE(edges.Image->Empty());
    ASSERT_GE(extra.FrameCount, 5);

    RECT client{};
    GetClientRect(bar->Handle(), &client);
    for (int i = 0; i < 3; ++i) {
        RECT r{};
        ASSERT_TRUE(bar->PanelRect(i, r));
        r.right = i == 2 ? client.right : r.right + 2;
        const int face = static_cast<int>(i == 0 ? TPanelFace::Lowered : i == 1 ? TPanelFace::Raised : TPanelFace::None);
        // The left and top edges: the next panel covers this one's right end
        // and the grip the last one's corner.
        const auto want = ElementFace(edges, r, 3, face);
        const int w = r.right - r.left, h = r.bottom - r.top;
        int differences = 0;
        EXPECT_TRUE(PumpUntil(
            [&] {
                const auto shot = CaptureScreen(OnScreen(bar->Handle(), r));
                differences = Differences(*shot, *want, {0, 0, 2, h}) + Differences(*shot, *want, {0, 0, w - 4, 2});
                return differences == 0;
            },
            3s))
            << "panel " << i << ": " << differences;
    }
    const RECT grip = StripFrame(*extra.Image, extra.FrameCount, 5);
    const int gw = grip.right - grip.left, gh = grip.bottom - grip.top;
    auto gripPicture = std::make_unique<ui::TBitmap>(gw, gh);
    BitBlt(gripPicture->Canvas()->Handle(), 0, 0, gw, gh, extra.Image->Canvas()->Handle(), grip.left, 0, SRCCOPY);
    const RECT corner = OnScreen(bar->Handle(), {client.right - 1 - gw, client.bottom - 1 - gh, client.right - 1,
                                                 client.bottom - 1});
    EXPECT_EQ(RingDifferences(corner, *gripPicture, gw), 0) << "the grip";

    RECT simpleClient{};
    GetClientRect(simple->Handle(), &simpleClient);
    const auto lowered = ElementFace(edges, simpleClient, 3, static_cast<int>(TPanelFace::Lowered));
    const auto shot = CaptureScreen(OnScreen(simple->Handle(), simpleClient));
    const RECT simpleCorner{simpleClient.right - 1 - gw, simpleClient.bottom - 1 - gh, simpleClient.right - 1,
                            simpleClient.bottom - 1};
    EXPECT_EQ(Differences(*shot, *lowered, simpleCorner), 0) << "no grip, the lowered face";
}

RECT HeaderItemRect(HWND header, int i)
{
    RECT r{};
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return r;
}

// Waits until the edges of a header's first two sections show the faces
// `first` and `second` of the skin's Headerbar; the differences of the last
// look.
int AwaitHeaderFaces(HWND header, TDataSkinObject& bar, THeaderFace first, THeaderFace second)
{
    int differences = 0;
    LoopUntil(
        [&] {
            differences = 0;
            for (const auto& [i, face] : {std::pair{0, first}, std::pair{1, second}}) {
                const RECT r = HeaderItemRect(header, i);
                differences += RingDifferences(OnScreen(header, r), *ElementFace(bar, r, 5, static_cast<int>(face)), 2);
            }
            return differences == 0;
        },
        3s);
    return differences;
}

// A Headerbar picture of another count of frames than 5 (as its Frame key
// gives it) is cut by that count: here the whole picture is the one frame.
TEST_F(SkinnedForm, HeaderSectionsAreCutByTheFrameCountOfTheirPicture)
{
    TDataSkinObject& bar = *bed.Data().Headerbar;
    ASSERT_FALSE(bar.Image->Empty());
    bar.FrameCount = 1;
    auto* header = new ui::THeaderControl(form.get());
    header->SetParent(form.get());
    header->SetHeight(24);
    for (const wchar_t* text : {L"Name", L"Size"}) {
        ui::THeaderSection* section = header->Sections()->Add();
        section->SetText(text);
        section->SetWidth(80);
    }
    ASSERT_TRUE(bed.Skin(form->Handle()));
    const HWND window = header->Handle();
    const RECT r = HeaderItemRect(window, 0);
    int differences = 0;
    EXPECT_TRUE(PumpUntil(
        [&] {
            differences = RingDifferences(OnScreen(window, r), *ElementFace(bar, r, 1, 1), 2);
            return differences == 0;
        },
        3s))
        << differences;
}

// A header: each section on the normal Headerbar face, the room after the
// last one too; under the real mouse the section below it turns hot, a press
// shows the pressed face, and the release clicks the section once.
TEST_F(SkinnedFormUnderInput, HeaderSectionsTurnHotAndPressedUnderTheMouse)
{
    auto* header = new ui::THeaderControl(form.get());
    header->SetParent(form.get());
    header->SetHeight(24);
    for (const wchar_t* text : {L"Name", L"Size", L"Date"}) {
        ui::THeaderSection* section = header->Sections()->Add();
        section->SetText(text);
        section->SetWidth(80);
    }
    std::vector<int> clicked;
    header->OnSectionClick =
        ui::TSectionNotifyEvent([&](ui::THeaderControl*, ui::THeaderSection* s) { clicked.push_back(s->Index()); });
    const POINT away{FormBounds.right + 150, FormBounds.bottom + 150};
    input.MoveTo(away);
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    const HWND window = header->Handle();
    auto* skinner = dynamic_cast<TSkinHeader*>(SkinnerOf(*controller, window));
    ASSERT_NE(skinner, nullptr);
    TDataSkinObject& bar = *bed.Data().Headerbar;

    const auto itemRect = [&](int i) { return HeaderItemRect(window, i); };
    const auto awaitFaces = [&](THeaderFace first, THeaderFace second) {
        return AwaitHeaderFaces(window, bar, first, second);
    };
    EXPECT_EQ(awaitFaces(THeaderFace::Normal, THeaderFace::Normal), 0);
    RECT client{};
    GetClientRect(window, &client);
    const RECT rest{itemRect(2).right, 0, client.right, client.bottom};
    ASSERT_GT(rest.right, rest.left);
    const auto restFace = ElementFace(bar, rest, 5, 1);
    EXPECT_EQ(Differences(*CaptureScreen(OnScreen(window, rest)), *restFace,
                          {0, 0, rest.right - rest.left, rest.bottom - rest.top}),
              0)
        << "after the last section";

    const auto centreOf = [&](int i) {
        const RECT r = OnScreen(window, itemRect(i));
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    input.MoveTo(centreOf(0));
    EXPECT_EQ(awaitFaces(THeaderFace::Hot, THeaderFace::Normal), 0);
    input.MoveTo(centreOf(1));
    EXPECT_EQ(awaitFaces(THeaderFace::Normal, THeaderFace::Hot), 0);
    input.Press();
    EXPECT_EQ(awaitFaces(THeaderFace::Normal, THeaderFace::Pressed), 0);
    input.Release();
    EXPECT_TRUE(LoopUntil([&] { return !clicked.empty(); }));
    EXPECT_EQ(clicked, std::vector<int>{1});
    input.MoveTo(away);
    EXPECT_EQ(awaitFaces(THeaderFace::Normal, THeaderFace::Normal), 0);
    EXPECT_EQ(skinner->HotItem(), -1);
}

// A report-style list view: its header window wears the skin's header
// faces, the section under the real mouse the hot one, while the list's
// scroll bars are the skin's overlays; a click on a section still reaches
// the list view.
TEST_F(SkinnedFormUnderInput, AListViewsHeaderWearsTheSkinsHeaderFaces)
{
    auto* list = new ui::TListView(form.get());
    list->SetParent(form.get());
    list->SetBounds(10, 10, 260, 120);
    list->SetViewStyle(ui::TViewStyle::vsReport);
    for (const wchar_t* caption : {L"Name", L"Size"}) {
        ui::TListColumn* column = list->Columns()->Add();
        column->SetCaption(caption);
        column->SetWidth(100);
    }
    for (int i = 0; i < 30; ++i)
        list->Items()->Add()->SetCaption(L"Row " + std::to_wstring(i));
    std::vector<int> clicked;
    list->OnColumnClick = ui::TLVColumnClickEvent(
        [&](ui::TObject*, ui::TListColumn* column) { clicked.push_back(column->Index()); });
    const POINT away{FormBounds.right + 150, FormBounds.bottom + 150};
    input.MoveTo(away);
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    auto* skinner = dynamic_cast<TSkinListView*>(SkinnerOf(*controller, list->Handle()));
    ASSERT_NE(skinner, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return skinner->VertBar() && skinner->VertBar()->Shown(); }))
        << "the rows overflow: the skin's bar";
    const HWND header = list->HeaderHandle();
    ASSERT_NE(SkinnerOf(*controller, header), nullptr);
    auto* headerSkinner = dynamic_cast<TSkinHeader*>(SkinnerOf(*controller, header));
    ASSERT_NE(headerSkinner, nullptr);
    TDataSkinObject& bar = *bed.Data().Headerbar;
    const auto awaitFaces = [&](THeaderFace first, THeaderFace second) {
        return AwaitHeaderFaces(header, bar, first, second);
    };
    EXPECT_EQ(awaitFaces(THeaderFace::Normal, THeaderFace::Normal), 0);
    const RECT second = OnScreen(header, HeaderItemRect(header, 1));
    input.MoveTo({(second.left + second.right) / 2, (second.top + second.bottom) / 2});
    EXPECT_EQ(awaitFaces(THeaderFace::Normal, THeaderFace::Hot), 0);
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return !clicked.empty(); }));
    EXPECT_EQ(clicked, std::vector<int>{1});
    input.MoveTo(away);
    EXPECT_EQ(awaitFaces(THeaderFace::Normal, THeaderFace::Normal), 0);

    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().Controllers().empty(); }));
    EXPECT_FALSE(AnswersSkinQuery(header)) << "the header's own procedure again";
}

// A tool bar turns flat on the skin's gradient while skinned; its checked
// button wears the pressed face and the button under the mouse the hot one;
// a click turns the check button over and the drop-down arrow opens its
// menu. A drawing handler of the program's own stays and still runs, and
// switched off the bar is as it was.
TEST_F(SkinnedFormUnderInput, ToolButtonsWearTheSkinsFacesAndKeepTheirBehaviour)
{
    auto* bar = new ui::TToolBar(form.get());
    bar->SetParent(form.get());
    bar->SetFlat(false);
    bar->SetShowCaptions(true);
    bar->SetButtonWidth(50);
    bar->SetButtonHeight(26);
    bar->SetHeight(32);
    auto* menu = new ui::TPopupMenu(form.get());
    int dropped = 0;
    menu->OnPopup = ui::TNotifyEvent([&](ui::TObject*) {
        ++dropped;
        // The menu runs its own loop; a timer in it closes the menu again.
        SetTimer(nullptr, 0, 200, CloseMenuOnTimer);
    });
    const auto add = [&](const wchar_t* caption, ui::TToolButtonStyle style) {
        auto* b = new ui::TToolButton(form.get());
        b->SetStyle(style);
        b->SetCaption(caption);
        b->SetParent(bar);
        return b;
    };
    ui::TToolButton* plain = add(L"Alpha", ui::TToolButtonStyle::tbsButton);
    add(L"", ui::TToolButtonStyle::tbsSeparator);
    ui::TToolButton* check = add(L"Beta", ui::TToolButtonStyle::tbsCheck);
    ui::TToolButton* drop = add(L"Gamma", ui::TToolButtonStyle::tbsDropDown);
    drop->SetDropdownMenu(menu);
    check->SetDown(true);
    int clicks = 0;
    plain->OnClick = ui::TNotifyEvent([&](ui::TObject*) { ++clicks; });
    // A program's own bar drawing, assigned before the skin came.
    int ownDrawings = 0;
    bar->OnCustomDraw = ui::TToolBarCustomDrawEvent([&](ui::TToolBar*, const RECT&, bool&) { ++ownDrawings; });
    const POINT away{FormBounds.right + 150, FormBounds.bottom + 150};
    input.MoveTo(away);
    SetForegroundWindow(form->Handle());
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    EXPECT_NE(dynamic_cast<TSkinToolBar*>(SkinnerOf(*controller, bar->Handle())), nullptr);
    EXPECT_TRUE(bar->Flat());
    EXPECT_TRUE(static_cast<bool>(bar->OnCustomDrawButton));
    ownDrawings = 0;
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_GT(ownDrawings, 0) << "the program's handler still runs";

    TDataSkinButton& faces = *bed.Data().Buttons;
    const auto faceDifferences = [&](ui::TToolButton* b, TButtonFace face) {
        RECT r = b->BoundsRect();
        InflateRect(&r, -1, -1);
        // The caption's descenders reach the third row from the bottom.
        return RingDifferences(OnScreen(bar->Handle(), r), *ElementFace(faces, r, ButtonFaceCount, static_cast<int>(face)),
                               2);
    };
    const auto awaitFace = [&](ui::TToolButton* b, TButtonFace face) {
        int differences = 0;
        LoopUntil([&] { return (differences = faceDifferences(b, face)) == 0; }, 3s);
        return differences;
    };
    EXPECT_EQ(awaitFace(check, TButtonFace::Pressed), 0) << "checked";
    EXPECT_NE(faceDifferences(plain, TButtonFace::Hot), 0) << "no face away from the mouse";

    const auto centreOf = [&](ui::TToolButton* b, int dx = 0) {
        const RECT r = OnScreen(bar->Handle(), b->BoundsRect());
        return POINT{(r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2};
    };
    input.MoveTo(centreOf(plain));
    EXPECT_EQ(awaitFace(plain, TButtonFace::Hot), 0) << "hot";
    input.Press();
    EXPECT_EQ(awaitFace(plain, TButtonFace::Pressed), 0) << "pressed";
    input.Release();
    EXPECT_TRUE(LoopUntil([&] { return clicks == 1; }));

    input.MoveTo(centreOf(check));
    input.Click();
    EXPECT_TRUE(LoopUntil([&] { return !check->Down(); }));
    input.MoveTo(away);
    LoopUntil([&] { return faceDifferences(check, TButtonFace::Pressed) != 0; }, 3s);
    EXPECT_NE(faceDifferences(check, TButtonFace::Pressed), 0) << "no longer checked";

    const RECT dropRect = OnScreen(bar->Handle(), drop->BoundsRect());
    input.MoveTo({dropRect.right - 5, (dropRect.top + dropRect.bottom) / 2});
    input.Click();
    EXPECT_TRUE(LoopUntil([&] { return dropped == 1; }));

    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().Controllers().empty(); }));
    EXPECT_FALSE(bar->Flat());
    EXPECT_FALSE(static_cast<bool>(bar->OnCustomDrawButton));
    EXPECT_TRUE(static_cast<bool>(bar->OnCustomDraw)) << "the program's handler stays";
}

// A bare window's children are told apart by class and button style; the
// check box and radio button keep their own behaviour under the mouse and
// the keyboard and show the skin's strip frame of their state.
TEST_F(BareWindowControls, ButtonsByStyleAndMarksUnderRealInput)
{
    const HWND push = child(L"Push", BS_PUSHBUTTON, 10);
    const HWND check = child(L"Three states", BS_AUTO3STATE, 40);
    const HWND radio = child(L"Radio", BS_AUTORADIOBUTTON, 70);
    const HWND group = child(L"Group", BS_GROUPBOX, 100);
    const WNDPROC checkProcedure = WindowProcedure(check);
    SetForegroundWindow(bare->Handle());
    TWinSkinForm* controller = bed.Skin(bare->Handle());
    ASSERT_TRUE(controller);
    EXPECT_NE(dynamic_cast<TSkinButton*>(SkinnerOf(*controller, push)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinCheckBox*>(SkinnerOf(*controller, check)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinRadioButton*>(SkinnerOf(*controller, radio)), nullptr);
    EXPECT_EQ(SkinnerOf(*controller, group), nullptr);

    TSkinData& data = bed.Data();
    const ui::TBitmap& checks = *data.Buttons->CheckImage;
    const int checkFrames = data.Buttons->CheckFrameCount;
    ASSERT_FALSE(checks.Empty());
    EXPECT_EQ(AwaitMark(check, data, checks, checkFrames, 1), 0);
    const RECT r = ScreenRect(check);
    input.MoveTo({r.left + 8, (r.top + r.bottom) / 2});
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    EXPECT_EQ(AwaitMark(check, data, checks, checkFrames, CheckFrameOf({2, true}, checkFrames)), 0);
    input.Key("space");
    EXPECT_TRUE(PumpUntil([&] { return SendMessageW(check, BM_GETCHECK, 0, 0) == BST_INDETERMINATE; }));
    EXPECT_EQ(AwaitMark(check, data, checks, checkFrames, CheckFrameOf({3, true}, checkFrames)), 0);

    const ui::TBitmap& radios = *data.Buttons->RadioImage;
    const int radioFrames = data.Buttons->RadioFrameCount;
    EnableWindow(radio, FALSE);
    SendMessageW(radio, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(AwaitMark(radio, data, radios, radioFrames, RadioFrameOf({2, false}, radioFrames)), 0);

    // Switched off: the check box has its own procedure again.
    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().Controllers().empty(); }));
    EXPECT_EQ(WindowProcedure(check), checkProcedure);
    EXPECT_FALSE(AnswersSkinQuery(check));
}

TEST_F(SkinnedButtons, AButtonMadeAfterTheSkinningIsFoundAndSkinned)
{
    ASSERT_TRUE(controller);
    ui::TButton* later = AddButton(L"Later", 140);
    const HWND window = later->Handle();
    EXPECT_TRUE(PumpUntil([&] { return SkinnerOf(*controller, window) != nullptr; }));
    EXPECT_NE(dynamic_cast<TSkinButton*>(SkinnerOf(*controller, window)), nullptr);
}

// A speed button has no window to announce it: the framework tells the
// form, and the next discovery pass skins it.
TEST_F(SkinnedButtons, ASpeedButtonMadeAfterTheSkinningIsFoundAndSkinned)
{
    ASSERT_TRUE(controller);
    auto* later = new ui::TSpeedButton(form.get());
    later->SetParent(form.get());
    later->SetBounds(160, 20, 70, 34);
    later->SetCaption(L"S");
    EXPECT_TRUE(PumpUntil([&] { return later->WindowProcHooks() == std::vector<std::string>{"skin control"}; }));
}

// What a skinned push button and check box pass on to the native control:
// the push button's press and every paint stay with the skinner, which runs
// the click itself; the check box keeps its own mouse and keyboard handling.
TEST_F(BareWindowControls, WhatTheSkinnersPassOnToTheNativeControls)
{
    const HWND push = child(L"Push", BS_PUSHBUTTON, 10);
    const HWND check = child(L"Check", BS_AUTOCHECKBOX, 40);
    const std::initializer_list<UINT> watched{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_PAINT, WM_KEYDOWN, WM_KEYUP};
    // Under the skin: what reaches the native procedures.
    TMessageRecorder pushNative(push, watched), checkNative(check, watched);
    SetForegroundWindow(bare->Handle());
    ASSERT_TRUE(bed.Skin(bare->Handle()));
    TMessageRecorder commands(bare->Handle(), {WM_COMMAND});
    Pump();
    pushNative.Clear();
    checkNative.Clear();

    input.MoveTo(Centre(push));
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return commands.Count(WM_COMMAND) == 1; }));
    Pump();
    EXPECT_TRUE(OkSequence(pushNative, {{WM_LBUTTONUP}}, "push button, click"));
    ASSERT_EQ(commands.Count(WM_COMMAND), 1);
    EXPECT_EQ(commands.Messages()[0].WParam, MAKEWPARAM(110, BN_CLICKED));
    EXPECT_EQ(commands.Messages()[0].LParam, reinterpret_cast<LPARAM>(push));

    input.MoveTo(Centre(check));
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    input.Key("space");
    EXPECT_TRUE(PumpUntil([&] { return SendMessageW(check, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));
    EXPECT_TRUE(OkSequence(checkNative,
                           {{WM_LBUTTONDOWN}, {WM_LBUTTONUP}, {WM_KEYDOWN}, {WM_KEYUP}},
                           "check box, click and space"));
}

// A progress bar shows the Progress element's empty track and, over the
// part done within its range, the full one; a vertical bar fills from the
// bottom.
TEST(SkinnedProgressBar, TheDonePartFollowsPositionAndRange)
{
    TControlSkinning skinning;
    TSkinTestBed bed;
    bed.HoldBack();
    auto form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
    auto* across = new ui::TProgressBar(form.get());
    across->SetParent(form.get());
    across->SetBounds(10, 10, 200, 20);
    auto* upright = new ui::TProgressBar(form.get());
    upright->SetOrientation(ui::TProgressBarOrientation::pbVertical);
    upright->SetParent(form.get());
    upright->SetBounds(230, 10, 20, 120);
    ASSERT_TRUE(bed.Skin(form->Handle()));
    TDataSkinBorder& element = *bed.Data().Progress;
    ASSERT_EQ(element.Style, 0);

    // The bar's picture lying down: the track, and the full bar over `done` pixels.
    const auto expected = [&](int length, int thickness, int done, bool vertical) {
        auto picture = Picture(length, thickness, bed.Data().Colours.ButtonFace, [&](HDC dc, const RECT& all) {
            const auto overlay = [&](const RECT& part, int frame) {
                const auto face = BuildElementBitmap({0, 0, part.right, part.bottom}, *element.Image,
                                                     element.Margins(), false, element.Tile != 0, 2, frame);
                TransparentBlit(dc, part, *face, 0xFF00FF);
            };
            overlay(all, 1);
            if (done > 0)
                overlay({0, 0, done, thickness}, 2);
        });
        if (vertical)
            RotateLeft(*picture);
        return picture;
    };
    struct Case {
        ui::TProgressBar* bar;
        int low, high, position, done;
    };
    const Case cases[] = {
        {across, 0, 100, 30, 60},  {across, 10, 20, 15, 100}, {across, 0, 0, 0, 0},
        {across, 0, 100, 0, 0},    {upright, 0, 100, 25, 30},
    };
    for (const Case& c : cases) {
        c.bar->SetMin(c.low);
        c.bar->SetMax(c.high);
        c.bar->SetPosition(c.position);
        const RECT r = ScreenRect(c.bar->Handle());
        const bool vertical = c.bar->Orientation() == ui::TProgressBarOrientation::pbVertical;
        const auto want = expected(vertical ? 120 : 200, 20, c.done, vertical);
        int differences = 0;
        EXPECT_TRUE(PumpUntil(
            [&] { return (differences = Differences(*CaptureScreen(r), *want, {0, 0, want->Width(), want->Height()})) == 0; },
            3s))
            << c.low << ".." << c.high << " at " << c.position << ": " << differences << " pixels differ";
    }
}

// In the chunk style the track is the whole Progress picture and the done
// part is tiled with the ProgressChunk picture from 2 pixels past its left
// end, never past the track's far end.
TEST_F(SkinnedForm, ProgressChunkStyleTilesTheDonePart)
{
    auto* bar = new ui::TProgressBar(form.get());
    bar->SetParent(form.get());
    bar->SetBounds(10, 10, 200, 20);
    TSkinData& data = bed.Data();
    data.Progress->Style = 1;
    TDataSkinObject& chunk = *data.ProgressChunk;
    ASSERT_EQ(chunk.Tile, 1);
    ASSERT_TRUE(bed.Skin(form->Handle()));
    const int cw = chunk.Image->Width(), ch = chunk.Image->Height();
    const int left = chunk.LeftWidth + 2;
    for (const auto& [position, width] : {std::pair{0, 0}, {40, 80}, {100, 200 - left - chunk.RightWidth - 2}}) {
        bar->SetPosition(position);
        const auto want = Picture(200, 20, data.Colours.ButtonFace, [&](HDC dc, const RECT& all) {
            const auto track = BuildElementBitmap(all, *data.Progress->Image, data.Progress->Margins(), false, false, 1, 1);
            TransparentBlit(dc, all, *track, 0xFF00FF);
            ui::TBitmap strip(std::max(width, 1), ch);
            for (int x = 0; x < width; x += cw)
                BitBlt(strip.Canvas()->Handle(), x, 0, cw, ch, chunk.Image->Canvas()->Handle(), 0, 0, SRCCOPY);
            const int top = (20 - ch) / 2;
            if (width > 0)
                TransparentBlit(dc, {left, top, left + width, top + ch}, strip, 0xFF00FF);
        });
        const RECT r = ScreenRect(bar->Handle());
        int differences = 0;
        EXPECT_TRUE(PumpUntil([&] { return (differences = Differences(*CaptureScreen(r), *want, {0, 0, 200, 20})) == 0; },
                              3s))
            << "at " << position << ": " << differences << " pixels differ";
    }
}

// A track bar wears the skin's thumb and keeps its own mouse handling: the
// thumb dragged with the mouse sets the position.
namespace {

class SkinnedTrackBar : public SkinnedFormUnderXInput {
protected:
    SkinnedTrackBar() : SkinnedFormUnderXInput(FormBounds) {}
};

} // namespace

TEST_F(SkinnedTrackBar, TheSkinsThumbDraggedWithTheMouseSetsThePosition)
{
    auto* bar = new ui::TTrackBar(form.get());
    bar->SetParent(form.get());
    bar->SetBounds(10, 10, 240, 40);
    bar->SetMax(100);
    const HWND window = bar->Handle();
    Skin();
    ASSERT_NE(dynamic_cast<TSkinTrackBar*>(SkinnerOf(*controller, window)), nullptr);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    // The thumb on the screen: frame 2 of the skin's thumb where it is not keyed out.
    const auto thumbDifferences = [&] {
        RECT thumb{};
        SendMessageW(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        const int w = thumb.right - thumb.left, h = thumb.bottom - thumb.top;
        const auto want = ElementFace(*bed.Data().ThumbHorz, {0, 0, w, h}, 5, 2);
        const RECT r = ScreenRect(window);
        return Differences(*CaptureScreen({r.left + thumb.left, r.top + thumb.top, r.left + thumb.right,
                                           r.top + thumb.bottom}),
                           *want);
    };
    int differences = 0;
    EXPECT_TRUE(PumpUntil([&] { return (differences = thumbDifferences()) == 0; }, 3s)) << differences;

    RECT thumb{}, channel{};
    SendMessageW(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    SendMessageW(window, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const RECT r = ScreenRect(window);
    input.MoveTo({r.left + (thumb.left + thumb.right) / 2, r.top + (thumb.top + thumb.bottom) / 2});
    input.Press();
    input.MoveTo({r.left + channel.left + (channel.right - channel.left) * 3 / 4, r.top + (thumb.top + thumb.bottom) / 2});
    input.Release();
    int position = 0;
    EXPECT_TRUE(PumpUntil([&] {
        position = static_cast<int>(SendMessageW(window, TBM_GETPOS, 0, 0));
        return position >= 70 && position <= 80;
    })) << position;
    EXPECT_TRUE(PumpUntil([&] { return (differences = thumbDifferences()) == 0; }, 3s)) << differences;
}

namespace {

RECT ThumbRect(HWND bar)
{
    RECT r{};
    SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

// The channel of a bar as it lies on the screen, in the bar's coordinates:
// Windows reports a standing bar's channel lying down, Wine standing.
RECT UprightChannel(HWND bar, bool vertical)
{
    RECT r{};
    SendMessageW(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&r));
    if (vertical && r.right - r.left > r.bottom - r.top)
        r = {r.top, r.left, r.bottom, r.right};
    return r;
}

} // namespace

// A bar lying and a bar standing show the skin's channel picture along their
// channel (its ends kept, its middle stretched, at its own thickness across
// the channel's middle) and the thumb's picture over the thumb.
TEST_F(SkinnedTrackBar, ChannelAndThumbAreTheSkinsPicturesLyingOrStanding)
{
    const struct {
        const char* Name;
        ui::TTrackBarOrientation Orientation;
        RECT Bounds;
    } cases[] = {
        {"lying", ui::TTrackBarOrientation::trHorizontal, {10, 10, 250, 50}},
        {"standing", ui::TTrackBarOrientation::trVertical, {260, 10, 300, 190}},
    };
    std::vector<HWND> windows;
    for (const auto& c : cases) {
        auto* bar = new ui::TTrackBar(form.get());
        bar->SetParent(form.get());
        bar->SetOrientation(c.Orientation);
        bar->SetBounds(c.Bounds.left, c.Bounds.top, c.Bounds.right - c.Bounds.left, c.Bounds.bottom - c.Bounds.top);
        bar->SetMax(100);
        bar->SetPosition(100);  // the thumb at the far end, off the channel's middle
        windows.push_back(bar->Handle());
    }
    Skin();
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].Name);
        const HWND window = windows[i];
        const bool vertical = cases[i].Orientation == ui::TTrackBarOrientation::trVertical;
        TDataSkinObject& track = vertical ? *bed.Data().TrackVert : *bed.Data().Track;
        TDataSkinObject& thumbPicture = vertical ? *bed.Data().ThumbVert : *bed.Data().ThumbHorz;
        const RECT channel = UprightChannel(window, vertical);
        const int length = vertical ? channel.bottom - channel.top : channel.right - channel.left;
        const int across = vertical ? track.Image->Width() : track.Image->Height();
        // Centred across the channel; a picture as thick as the channel or
        // thicker starts where the channel starts.
        const int start = vertical ? channel.left : channel.top;
        const int room = vertical ? channel.right - channel.left : channel.bottom - channel.top;
        const int middle = start + (across < room ? (room - across) / 2 : 0);
        const TElementMargins ends = vertical ? TElementMargins{0, track.TopHeight, 0, track.BottomHeight}
                                              : TElementMargins{track.LeftWidth, 0, track.RightWidth, 0};
        const RECT size = vertical ? RECT{0, 0, across, length} : RECT{0, 0, length, across};
        const auto face = BuildElementBitmap(size, *track.Image, ends, false, false, 1, 1);
        // The channel from a tenth of its length to its middle.
        const RECT piece = vertical ? RECT{middle, channel.top + length / 10, middle + across, channel.top + length / 2}
                                    : RECT{channel.left + length / 10, middle, channel.left + length / 2, middle + across};
        ui::TBitmap want(piece.right - piece.left, piece.bottom - piece.top);
        BitBlt(want.Canvas()->Handle(), 0, 0, want.Width(), want.Height(), face->Canvas()->Handle(),
               piece.left - (vertical ? middle : channel.left), piece.top - (vertical ? channel.top : middle), SRCCOPY);
        int differences = 0;
        EXPECT_TRUE(PumpUntil([&] {
            return (differences = Differences(*CaptureScreen(OnScreen(window, piece)), want)) == 0;
        }, 3s)) << "the channel: " << differences;

        const RECT thumb = ThumbRect(window);
        const auto thumbFace = ElementFace(thumbPicture, thumb, 5, 2);
        EXPECT_EQ(Differences(*CaptureScreen(OnScreen(window, thumb)), *thumbFace), 0) << "the thumb";
    }
}

// A thumb picture wider than the control's thumb keeps its margins and
// averages its middle: three one-pixel ridges, as the picture has them,
// where dropping columns loses one.
TEST(SkinnedTrackBarThumb, APictureWiderThanTheThumbKeepsItsRidges)
{
    TXInput& input = TXInput::Instance();
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    input.MoveTo({FormBounds.right + 150, FormBounds.bottom + 150});
    // The control's own thumb, measured on a bar no skin touches.
    RECT thumb{};
    {
        const auto plain = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
        auto* bar = new ui::TTrackBar(plain.get());
        bar->SetParent(plain.get());
        bar->SetBounds(10, 10, 240, 40);
        thumb = ThumbRect(bar->Handle());
    }
    const int tw = thumb.right - thumb.left, th = thumb.bottom - thumb.top;
    constexpr int Margin = 3;  // the compiled-in skin's thumb margins
    const int middle = tw - 2 * Margin;
    ASSERT_GE(middle, 5) << "room for three ridges two pixels apart";
    // Frame 2, twice the thumb's middle wide: outline, light inside, dark
    // ridges in the middle's columns 0, 4 and 8; the others plain grey.
    const int fw = 2 * middle + 2 * Margin;
    const Bgr dark = Rgb(20, 40, 90), light = Rgb(230, 240, 250), grey = Rgb(128, 128, 128);
    ui::TBitmap frame(fw, th), strip(5 * fw, th);
    for (int y = 0; y < th; ++y)
        for (int x = 0; x < fw; ++x) {
            const bool outline = x == 0 || y == 0 || x == fw - 1 || y == th - 1;
            const int inMiddle = x - Margin;
            const bool ridge = inMiddle >= 0 && inMiddle <= 8 && inMiddle % 4 == 0 && y >= Margin && y < th - Margin;
            Put(frame, x, y, outline || ridge ? dark : light);
            for (int k = 0; k < 5; ++k)
                Put(strip, k * fw + x, y, k == 1 ? At(frame, x, y) : grey);
        }
    TTestSkin skin = CompiledInSkinCopy();
    SetPicture(skin, "trackthumbhorz.bmp", strip.SaveToBytes());
    TControlSkinning skinning;
    const TSkinTestBed bed([&](TSkinData& data) {
        data.SetSkinPackage(skin.Package());
        data.LoadSkin();
    });
    ASSERT_EQ(bed.Data().ThumbHorz->Margins().LeftWidth, Margin);
    bed.HoldBack();
    const auto form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
    auto* bar = new ui::TTrackBar(form.get());
    bar->SetParent(form.get());
    bar->SetBounds(10, 10, 240, 40);
    ASSERT_TRUE(bed.Skin(form->Handle()));
    thumb = ThumbRect(bar->Handle());
    ASSERT_EQ(thumb.right - thumb.left, tw);

    // The margins as they are, the middle's columns averaged in pairs.
    ui::TBitmap want(tw, th);
    for (int y = 0; y < th; ++y)
        for (int x = 0; x < tw; ++x) {
            if (x < Margin || x >= tw - Margin) {
                Put(want, x, y, At(frame, x < Margin ? x : x + middle, y));
                continue;
            }
            const Bgr a = At(frame, Margin + 2 * (x - Margin), y), b = At(frame, Margin + 2 * (x - Margin) + 1, y);
            Put(want, x, y, Rgb((a.R + b.R + 1) / 2, (a.G + b.G + 1) / 2, (a.B + b.B + 1) / 2));
        }
    int differences = 0;
    EXPECT_TRUE(PumpUntil(
        [&] { return (differences = Differences(*CaptureScreen(OnScreen(bar->Handle(), thumb)), want)) == 0; }, 3s))
        << differences;
    // Along the thumb's middle row: three dark runs between the margins.
    const auto shot = CaptureScreen(OnScreen(bar->Handle(), thumb));
    int ridges = 0;
    bool inRidge = false;
    for (int x = Margin; x < tw - Margin; ++x) {
        const bool darker = At(*shot, x, th / 2).R < (dark.R + light.R) / 2 + 10;
        ridges += darker && !inRidge;
        inRidge = darker;
    }
    EXPECT_EQ(ridges, 3);
}
