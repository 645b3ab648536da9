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

#include "skin/ImgUtil.h"
#include "skin/SkinBars.h"
#include "skin/SkinButtons.h"
#include "skin/SkinCheckRadio.h"
#include "skin/SkinContainers.h"
#include "skin/SkinDiscovery.h"
#include "skin/SkinDraw.h"
#include "skin/SkinMessages.h"
#include "skin/SkinParts.h"
#include "skin/SkinRecords.h"
#include "tests/win/FrameOnScreen.h"
#include "tests/win/MessageRecorder.h"
#include "tests/win/SkinTestSupport.h"
#include "tests/win/WindowTestSupport.h"
#include "tests/win/XInput.h"
#include "ui/Buttons.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "ui/TypInfo.h"

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

// A framework control of a platform class, as the framework's bars are.
class TPlatformBar : public ui::TWinControl {
public:
    TPlatformBar(ui::TComponent* owner, const wchar_t* platformClass, DWORD style)
        : TWinControl(owner), platformClass_(platformClass), style_(style)
    {
    }

protected:
    void CreateParams(ui::TCreateParams& params) override
    {
        TWinControl::CreateParams(params);
        params.SystemClass = platformClass_;
        params.Style |= style_;
    }

private:
    const wchar_t* platformClass_;
    DWORD style_;
};

// Stand for the framework's progress and track bars.
class TProgressBar : public TPlatformBar {
    UI_CLASS(TProgressBar)
public:
    TProgressBar(ui::TComponent* owner, bool vertical)
        : TPlatformBar(owner, PROGRESS_CLASSW, vertical ? PBS_VERTICAL : 0), Vertical(vertical)
    {
    }
    const bool Vertical;
};

const ui::TClassInfo& TProgressBar::StaticClass()
{
    static const ui::TClassInfo info =
        ui::TClassBuilder<TProgressBar>("TProgressBar", &TWinControl::StaticClass()).Done();
    return info;
}

class TTrackBar : public TPlatformBar {
    UI_CLASS(TTrackBar)
public:
    explicit TTrackBar(ui::TComponent* owner) : TPlatformBar(owner, TRACKBAR_CLASSW, TBS_HORZ) {}
};

const ui::TClassInfo& TTrackBar::StaticClass()
{
    static const ui::TClassInfo info = ui::TClassBuilder<TTrackBar>("TTrackBar", &TWinControl::StaticClass()).Done();
    return info;
}

// The control-discovery slots filled for the test's lifetime, empty again after.
struct TControlSkinning {
    TControlSkinning() { InstallControlSkinning(); }
    ~TControlSkinning()
    {
        SkinParts().SkinFormControls = nullptr;
        SkinParts().SkinChildWindows = nullptr;
        SkinParts().SkinWindowByClass = nullptr;
    }
};

TSkinControl* SkinnerOf(const TWinSkinForm& controller, HWND window)
{
    return controller.FindSkinnerOfWindow(window);
}

RECT ScreenRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

POINT Centre(HWND window)
{
    const RECT r = ScreenRect(window);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

template <class Paint>
std::unique_ptr<ui::TBitmap> Picture(int width, int height, ui::TColor face, Paint paint)
{
    auto picture = std::make_unique<ui::TBitmap>(width, height);
    const RECT all{0, 0, width, height};
    ui::TBrushHandle brush(CreateSolidBrush(ui::ColorToRGB(face)));
    FillRect(picture->Canvas()->Handle(), &all, brush.Get());
    paint(picture->Canvas()->Handle(), all);
    return picture;
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

// The pixels of a button's face outside its middle, where the caption and
// the focus rectangle go, compared with face `face` of the skin's Buttons.
int ButtonFaceDifferences(HWND button, TSkinData& data, TButtonFace face)
{
    const RECT r = ScreenRect(button);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const auto expected = Picture(w, h, data.Colours.ButtonFace, [&](HDC dc, const RECT& all) {
        DrawElement(dc, all, ButtonFaceCount, static_cast<int>(face), *data.Buttons);
    });
    const auto shot = CaptureScreen(r);
    return Differences(*shot, *expected, {0, 0, w, 6}) + Differences(*shot, *expected, {0, h - 6, w, h}) +
           Differences(*shot, *expected, {0, 0, 6, h}) + Differences(*shot, *expected, {w - 6, 0, w, h});
}

// Waits until the button shows the face; the differences of the last look.
int AwaitFace(HWND button, TSkinData& data, TButtonFace face)
{
    int differences = 0;
    PumpUntil([&] { return (differences = ButtonFaceDifferences(button, data, face)) == 0; }, 3s);
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

TEST_F(SkinnedButtons, ADestroyedButtonTakesItsSkinnerAlong)
{
    ASSERT_TRUE(controller);
    const HWND window = button->Handle();
    ASSERT_TRUE(SkinnerOf(*controller, window));
    delete button;
    button = nullptr;
    EXPECT_EQ(SkinnerOf(*controller, window), nullptr);
    EXPECT_TRUE(std::none_of(controller->Skinners.begin(), controller->Skinners.end(),
                             [](TSkinControl* s) { return s->SkinState == TSkinControl::StateClosed; }));
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
                                        [c](TSkinControl* s) { return s->Control == c; });
        return found == controller->Skinners.end() ? nullptr : *found;
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
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    TControlSkinning skinning;
    TSkinTestBed bed;
    bed.HoldBack();
    auto form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
    auto* across = new TProgressBar(form.get(), false);
    across->SetParent(form.get());
    across->SetBounds(10, 10, 200, 20);
    auto* upright = new TProgressBar(form.get(), true);
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
        TProgressBar* bar;
        int low, high, position, done;
    };
    const Case cases[] = {
        {across, 0, 100, 30, 60},  {across, 10, 20, 15, 100}, {across, 0, 0, 0, 0},
        {across, 0, 100, 0, 0},    {upright, 0, 100, 25, 30},
    };
    for (const Case& c : cases) {
        const HWND window = c.bar->Handle();
        SendMessageW(window, PBM_SETRANGE32, c.low, c.high);
        SendMessageW(window, PBM_SETPOS, c.position, 0);
        const RECT r = ScreenRect(window);
        const auto want = expected(c.bar->Vertical ? 120 : 200, 20, c.done, c.bar->Vertical);
        int differences = 0;
        EXPECT_TRUE(PumpUntil(
            [&] { return (differences = Differences(*CaptureScreen(r), *want, {0, 0, want->Width(), want->Height()})) == 0; },
            3s))
            << c.low << ".." << c.high << " at " << c.position << ": " << differences << " pixels differ";
    }
}

// A track bar wears the skin's thumb and keeps its own mouse handling: the
// thumb dragged with the mouse sets the position.
TEST(SkinnedTrackBar, TheSkinsThumbDraggedWithTheMouseSetsThePosition)
{
    TXInput& input = TXInput::Instance();
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    TControlSkinning skinning;
    TSkinTestBed bed;
    bed.HoldBack();
    auto form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
    auto* bar = new TTrackBar(form.get());
    bar->SetParent(form.get());
    bar->SetBounds(10, 10, 240, 40);
    const HWND window = bar->Handle();
    SendMessageW(window, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    ASSERT_NE(dynamic_cast<TSkinTrackBar*>(SkinnerOf(*controller, window)), nullptr);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    // The thumb on the screen: frame 2 of the skin's thumb where it is not keyed out.
    const auto thumbDifferences = [&] {
        RECT thumb{};
        SendMessageW(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        const int w = thumb.right - thumb.left, h = thumb.bottom - thumb.top;
        const auto want = Picture(w, h, 0xFF00FF, [&](HDC dc, const RECT& all) {
            DrawFrameStretched(dc, all, *bed.Data().ThumbHorz->Image, 5, 2, false);
        });
        const RECT r = ScreenRect(window);
        const auto shot = CaptureScreen({r.left + thumb.left, r.top + thumb.top, r.left + thumb.right,
                                         r.top + thumb.bottom});
        int count = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                count += !(At(*want, x, y) == Magenta) && !(At(*shot, x, y) == At(*want, x, y));
        return count;
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
