// Caption buttons as functions of the skin record and the window's state:
// when the visibility codes show a button, which frame each state shows,
// where each alignment puts it, and which button a point hits.
#include "skin/window/CaptionButtons.h"

#include <gtest/gtest.h>

#include <string>

#include "skin/window/SkinMessages.h"

namespace {

using namespace skin;

// A caption button record with a picture of `frames` frames of 20 x 18.
std::unique_ptr<TDataSkinSysButton> Record(int action, int visibility, int visibility1, int frames = 4)
{
    auto record = std::make_unique<TDataSkinSysButton>("BUTTON");
    record->Action = action;
    record->Visibility = visibility;
    record->Visibility1 = visibility1;
    record->FrameCount = frames;
    record->Image->SetSize(20 * frames, 18);
    return record;
}

constexpr unsigned AllBoxes = FrameIconMaximize | FrameIconMinimize | FrameIconSystemMenu;

} // namespace

TEST(CaptionButtonVisibility, BothCodesMustHold)
{
    // A custom action (30) so that only the two codes decide.
    const struct {
        int Visibility, Visibility1;
        TCaptionWindowFacts Window;
        bool Visible;
    } cases[] = {
        {0, 0, {}, true},
        {-1, 0, {}, true},
        {5, 0, {}, false},
        {1, 0, {.Maximized = true}, true},
        {1, 0, {.Maximized = false}, false},
        {2, 0, {.Maximized = true}, false},
        {3, 0, {.Active = false}, false},
        {4, 0, {.Active = false}, true},
        {6, 0, {.BorderIcons = FrameIconMinimize}, false},  // needs the system menu too
        {6, 0, {.BorderIcons = FrameIconMinimize | FrameIconSystemMenu}, true},
        {7, 0, {.BorderIcons = AllBoxes}, false},
        {9, 0, {.BorderIcons = FrameIconMaximize}, true},
        {10, 0, {.BorderIcons = FrameIconHelp}, true},
        {10, 0, {.BorderIcons = FrameIconHelp | FrameIconMinimize}, false},
        {100, 0, {.MaximizedMdiChildMenuBar = true}, true},
        {100, 0, {}, false},
        {200, 0, {.DialogBorder = true}, true},
        {200, 0, {.DialogBorder = true, .MessageDialog = true}, false},
        {500, 0, {}, true},
        {2001, 0, {}, false},
        {0, -1, {}, false},
        {0, 5, {}, false},
        {0, 6, {.BorderIcons = FrameIconMinimize}, true},  // the second code needs no system menu
        {0, 10, {.BorderIcons = FrameIconHelp | FrameIconMinimize}, true},
        {0, 1500, {}, true},
        {3, 100, {.Active = true}, true},
        {3, 100, {.Active = false}, false},
    };
    for (const auto& c : cases) {
        const auto record = Record(30, c.Visibility, c.Visibility1);
        EXPECT_EQ(EvaluateCaptionButton(*record, c.Window).Visible, c.Visible)
            << "Visibility " << c.Visibility << ", Visibility1 " << c.Visibility1;
    }
}

TEST(CaptionButtonVisibility, CodesFrom1000To2000AskTheWindow)
{
    int askedCode = 0, askedAction = 0;
    TCaptionWindowFacts window;
    window.AskWindow = [&](int code, int action) {
        askedCode = code;
        askedAction = action;
        return code == 1500;
    };
    EXPECT_TRUE(EvaluateCaptionButton(*Record(30, 1500, 0), window).Visible);
    EXPECT_EQ(askedCode, 1500);
    EXPECT_EQ(askedAction, 30);
    EXPECT_FALSE(EvaluateCaptionButton(*Record(30, 1200, 0), window).Visible);
    EXPECT_FALSE(EvaluateCaptionButton(*Record(30, 1500, 0), {}).Visible) << "a window that is not asked says no";
}

TEST(CaptionButtonVisibility, TheActionAddsItsOwnRules)
{
    const TCaptionWindowFacts withMenu{.BorderIcons = FrameIconSystemMenu};
    EXPECT_TRUE(EvaluateCaptionButton(*Record(0, 0, 0), withMenu).Visible);
    EXPECT_FALSE(EvaluateCaptionButton(*Record(0, 0, 0), {}).Visible) << "close needs a system menu";

    // Maximise and minimise show as the codes say, but are enabled by their boxes.
    const TButtonShow max = EvaluateCaptionButton(*Record(1, 0, 0), withMenu);
    EXPECT_TRUE(max.Visible);
    EXPECT_FALSE(max.Enabled);
    EXPECT_TRUE(EvaluateCaptionButton(*Record(1, 0, 0), {.BorderIcons = AllBoxes}).Enabled);
    EXPECT_FALSE(EvaluateCaptionButton(*Record(2, 0, 0), {.BorderIcons = FrameIconMinimize}).Enabled)
        << "without a system menu";
    EXPECT_TRUE(EvaluateCaptionButton(*Record(2, 0, 0), {.BorderIcons = AllBoxes}).Enabled);

    // The window icon never shows on a dialog border.
    for (const int icon : {3, 11, 12}) {
        EXPECT_TRUE(EvaluateCaptionButton(*Record(icon, 0, 0), {}).Visible) << icon;
        EXPECT_FALSE(EvaluateCaptionButton(*Record(icon, 0, 0), {.DialogBorder = true}).Visible) << icon;
    }
}

TEST(CaptionButtonActions, EveryCodeHasOneEffect)
{
    const struct {
        int Code;
        TButtonEffect Effect;
        WPARAM Command;
    } cases[] = {
        {0, TButtonEffect::Close, 0},       {1, TButtonEffect::Maximize, 0},
        {22, TButtonEffect::Maximize, 0},   {2, TButtonEffect::Minimize, 0},
        {23, TButtonEffect::Minimize, 0},   {3, TButtonEffect::SystemMenu, 0},
        {12, TButtonEffect::SystemMenu, 0}, {4, TButtonEffect::ContextHelp, 0},
        {7, TButtonEffect::MdiChildCommand, SC_MINIMIZE}, {61, TButtonEffect::MdiChildCommand, SC_RESTORE},
        {9, TButtonEffect::MdiChildCommand, SC_CLOSE},    {30, TButtonEffect::WindowDefined, 0},
        {-1, TButtonEffect::WindowDefined, 0},
    };
    for (const auto& c : cases) {
        const TCaptionAction action = CaptionActionOf(c.Code);
        EXPECT_EQ(action.Code, c.Code);
        EXPECT_EQ(action.Effect, c.Effect) << c.Code;
        EXPECT_EQ(action.MdiCommand, c.Command) << c.Code;
    }
    EXPECT_TRUE(CaptionActionOf(11).DrawsIcon);
    EXPECT_FALSE(CaptionActionOf(12).DrawsIcon);
}

TEST(CaptionButtonFrames, StatesAndLooksPickTheirFrames)
{
    const auto four = Record(1, 0, 0, 4);
    const auto three = Record(1, 0, 0, 3);
    const auto mdi = Record(8, 100, 100, 4);
    // In the composed title bar: normal, or the disabled look when there is one.
    EXPECT_EQ(TitleBarFrame(*four, true, true), TCaptionFrame::Normal);
    EXPECT_EQ(TitleBarFrame(*four, false, true), TCaptionFrame::Disabled) << "an inactive window";
    EXPECT_EQ(TitleBarFrame(*four, true, false), TCaptionFrame::Disabled);
    EXPECT_EQ(TitleBarFrame(*three, false, false), TCaptionFrame::Normal) << "no disabled frame";
    // Under the mouse.
    EXPECT_EQ(StateFrame(*four, TNCState::Hot, true), TCaptionFrame::Hot);
    EXPECT_EQ(StateFrame(*four, TNCState::Pressed, true), TCaptionFrame::Pressed);
    EXPECT_EQ(StateFrame(*four, TNCState::Hot, false), TCaptionFrame::Disabled);
    EXPECT_EQ(StateFrame(*three, TNCState::Pressed, false), TCaptionFrame::Normal);
    EXPECT_EQ(StateFrame(*mdi, TNCState::Hot, true), TCaptionFrame::MdiChildHot);
    EXPECT_EQ(static_cast<int>(TCaptionFrame::MdiChildHot), 4);
}

TEST(CaptionButtonLayout, TheAlignmentPlacesTheButton)
{
    TCaptionLayoutFacts facts;
    facts.WindowWidth = 300;
    facts.TitleTextRect = {40, 5, 140, 20};
    facts.RightWidth = 6;
    facts.TitleHeight = 27;
    facts.MenuBarHeight = 24;
    facts.MenuBarLeftWidth = 3;
    const int w = 20, h = 18;
    const struct {
        int Align;
        RECT Bounds;
    } cases[] = {
        {0, {8, 4, 8 + w, 4 + h}},
        {1, {300 - 8, 4, 300 - 8 + w, 4 + h}},
        {2, {40 - w - 8, 4, 40 - 8, 4 + h}},
        {8, {40 - w - 8, 4, 40 - 8, 4 + h}},
        {3, {148, 4, 148 + w, 4 + h}},
        {9, {148, 4, 148 + w, 4 + h}},
        {100, {300 - 8 - 6 - 3, 27 + 3, 300 - 8 - 6 - 3 + w, 27 + 3 + h}},
        {42, {0, 0, w, h}},
    };
    for (const auto& c : cases) {
        auto record = Record(30, 0, 0);
        record->Align = c.Align;
        record->Xcoord = 8;
        record->Ycoord = 4;
        const auto bounds = CaptionButtonBounds(*record, facts);
        ASSERT_TRUE(bounds) << c.Align;
        EXPECT_TRUE(EqualRect(&*bounds, &c.Bounds)) << "Align " << c.Align << ": " << bounds->left << ", "
                                                    << bounds->top << ", " << bounds->right << ", " << bounds->bottom;
    }
    auto empty = Record(30, 0, 0);
    empty->Image->SetSize(0, 0);
    EXPECT_FALSE(CaptionButtonBounds(*empty, facts)) << "a button without picture keeps its place";
}

TEST(CaptionButtonHits, TheFirstVisibleButtonWithAnActionUnderThePoint)
{
    auto a = Record(0, 0, 0), b = Record(1, 0, 0), c = Record(-1, 0, 0);
    std::vector<std::unique_ptr<TWinSysButton>> buttons;
    for (TDataSkinSysButton* record : {a.get(), b.get(), c.get()}) {
        buttons.push_back(std::make_unique<TWinSysButton>(nullptr, record));
        buttons.back()->Bounds = {10, 0, 30, 20};
        buttons.back()->Visible = true;
    }
    EXPECT_EQ(CaptionButtonAt(buttons, {15, 5}), buttons[0].get());
    buttons[0]->Visible = false;
    EXPECT_EQ(CaptionButtonAt(buttons, {15, 5}), buttons[1].get());
    EXPECT_EQ(CaptionButtonAt(buttons, {30, 5}), nullptr) << "the right side is outside";
    buttons[1]->Visible = false;
    EXPECT_EQ(CaptionButtonAt(buttons, {15, 5}), nullptr) << "a button without action is never hit";
}
