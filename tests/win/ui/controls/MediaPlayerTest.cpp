// The media player's button bar on a real window with no device: its
// buttons from form data, their places, and clicks by mouse messages and by
// the X pointer.
#include <gtest/gtest.h>

#include <vector>

#include "tests/win/support/WindowTestSupport.h"
#include "tests/win/support/XInput.h"
#include "ui/controls/MPlayer.h"
#include "ui/core/FormReader.h"
#include "ui/forms/Forms.h"

using namespace ui;

namespace {

class TPlayerForm : public TForm {
    UI_CLASS(TPlayerForm)
public:
    explicit TPlayerForm(TComponent* owner) : TForm(owner) {}
    std::vector<TMPBtnType> Clicks;
    void Clicked(TMediaPlayer*, TMPBtnType button, bool& doDefault)
    {
        EXPECT_TRUE(doDefault);
        Clicks.push_back(button);
    }
    TMethod FindMethod(std::string_view name) override
    {
        return FindHandler<TPlayerForm>(this, name, {Handler("Clicked", &TPlayerForm::Clicked)});
    }
};

const TClassInfo& TPlayerForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TPlayerForm>("TPlayerForm", &TForm::StaticClass()).Done();
    return info;
}

const char* const PlayerForm = R"(object Players: TPlayerForm
  Left = 40
  Top = 40
  ClientWidth = 300
  ClientHeight = 100
  Position = poDesigned
  object Player1: TMediaPlayer
    Left = 10
    Top = 10
    Width = 200
    Height = 30
    VisibleButtons = [btPlay, btPause, btStop, btEject]
    EnabledButtons = [btPlay, btPause, btEject]
    ColoredButtons = [btPlay]
    OnClick = Clicked
  end
end
)";

class MediaPlayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFrameworkClasses();
        form = new TPlayerForm(nullptr);
        ReadComponent(PlayerForm, *form);
        form->Show();
        ASSERT_TRUE(tests::PumpUntil([&] { return IsWindowVisible(form->Handle()) != 0; }));
        player = FindComponentOf<TMediaPlayer>(*form, "Player1");
    }
    void TearDown() override { delete form; }

    // A press at one button and a release at another (or the same), as the
    // window gets them.
    void PressAndRelease(TMPBtnType at, TMPBtnType to)
    {
        const RECT a = player->ButtonRect(at), b = player->ButtonRect(to);
        SendMessageW(player->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.left + 5, 10));
        SendMessageW(player->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(b.left + 5, 10));
        SendMessageW(player->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(b.left + 5, 10));
    }

    TPlayerForm* form = nullptr;
    TMediaPlayer* player = nullptr;
};

} // namespace

// The visible buttons share the width in their order; hidden ones have no
// place.
TEST_F(MediaPlayer, TheVisibleButtonsShareTheWidth)
{
    using enum TMPBtnType;
    EXPECT_EQ(player->VisibleButtons(), MPButtonBit(btPlay) | MPButtonBit(btPause) | MPButtonBit(btStop) |
                                            MPButtonBit(btEject));
    const struct {
        TMPBtnType Button;
        LONG Left;
    } places[] = {{btPlay, 0}, {btPause, 50}, {btStop, 100}, {btEject, 150}};
    for (const auto& p : places) {
        const RECT r = player->ButtonRect(p.Button);
        EXPECT_EQ(r.left, p.Left);
        EXPECT_EQ(r.right - r.left, 50);
    }
    const RECT hidden = player->ButtonRect(btRecord);
    EXPECT_EQ(hidden.right, hidden.left);
    TMPBtnType at{};
    ASSERT_TRUE(player->ButtonAt(160, at));
    EXPECT_EQ(at, btEject);

    player->SetVisibleButtons(0);
    EXPECT_FALSE(player->ButtonAt(10, at)) << "no button, no place";
    UpdateWindow(player->Handle());
}

// A press and release on one enabled button clicks it; a release over
// another button, or a press on a disabled one, clicks nothing.
TEST_F(MediaPlayer, AClickIsAPressAndReleaseOnOneEnabledButton)
{
    using enum TMPBtnType;
    PressAndRelease(btPause, btPause);
    PressAndRelease(btPlay, btPause);
    PressAndRelease(btStop, btStop);
    PressAndRelease(btEject, btEject);
    EXPECT_EQ(form->Clicks, (std::vector<TMPBtnType>{btPause, btEject}));
    EXPECT_EQ(GetCapture(), nullptr) << "the press let the mouse go";

    form->Clicks.clear();
    player->ClickButton(btPlay);
    player->ClickButton(btStop);
    player->ClickButton(btRecord);
    player->SetEnabled(false);
    player->ClickButton(btPause);
    EXPECT_EQ(form->Clicks, (std::vector<TMPBtnType>{btPlay}));
}

// On screen: a pressed button looks pushed in, and the coloured play glyph
// differs from the plain one of pause.
TEST_F(MediaPlayer, APressedButtonLooksPushedIn)
{
    using enum TMPBtnType;
    const RECT pause = player->ButtonRect(btPause);
    const auto pixel = [&](int x, int y) {
        UpdateWindow(player->Handle());
        HDC dc = GetDC(player->Handle());
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(player->Handle(), dc);
        return c;
    };
    const COLORREF up = pixel(pause.left, pause.top);
    SendMessageW(player->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pause.left + 5, 10));
    EXPECT_NE(pixel(pause.left, pause.top), up) << "the edge turns dark";
    SendMessageW(player->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(pause.left + 5, 10));
    EXPECT_EQ(pixel(pause.left, pause.top), up);
    const RECT play = player->ButtonRect(btPlay);
    EXPECT_EQ(pixel((play.left + play.right) / 2 - 1, (play.top + play.bottom) / 2), RGB(0, 128, 0));
}

// The real pointer clicks a button.
TEST_F(MediaPlayer, ThePointerClicksAButton)
{
    auto& input = tests::TXInput::Instance();
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    SetForegroundWindow(form->Handle());
    const RECT r = player->ButtonRect(TMPBtnType::btEject);
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(player->Handle(), &centre);
    ASSERT_TRUE(input.MoveTo(centre));
    input.Click();
    EXPECT_TRUE(tests::PumpUntil([&] { return !form->Clicks.empty(); }));
    EXPECT_EQ(form->Clicks, (std::vector<TMPBtnType>{TMPBtnType::btEject}));
}
