// The media player's skin on real windows under real input: the overlay
// shows each button on the skin's Buttons face of its state with the
// program's glyph for it, read back from the screen; a click reaches the
// player once and only when press and release are on one button; the
// overlay follows the player and goes with the skin.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinPlayer.h"
#include "skin/data/SkinRecords.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinMessages.h"
#include "tests/win/support/ControlSkinSupport.h"
#include "tests/win/support/FrameOnScreen.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/WindowTestSupport.h"
#include "tests/win/support/XInput.h"
#include "ui/controls/MPlayer.h"

using namespace skin;
using namespace tests;

namespace {

constexpr RECT FormBounds{120, 120, 460, 300};
constexpr COLORREF Olive = RGB(128, 128, 0);

// The glyph resource `name` drawn centred in rect, shifted by `shift`, its
// olive pixels left out.
void DrawGlyph(HDC dc, const std::wstring& name, const RECT& rect, int shift)
{
    ui::TBitmapHandle glyph(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(glyph.Get()) << "no resource " << std::string(name.begin(), name.end());
    BITMAP info{};
    GetObjectW(glyph.Get(), sizeof info, &info);
    ui::TMemoryDC memory;
    ui::TSavedDC saved(memory.Get());
    saved.Select(glyph.Get());
    const int left = rect.left + (rect.right - rect.left - info.bmWidth) / 2 + shift;
    const int top = rect.top + (rect.bottom - rect.top - info.bmHeight) / 2 + shift;
    for (int y = 0; y < info.bmHeight; ++y)
        for (int x = 0; x < info.bmWidth; ++x)
            if (const COLORREF c = GetPixel(memory.Get(), x, y); c != Olive)
                SetPixel(dc, left + x, top + y, c);
}

// A form with two players, skinned once the test has set them up: the
// first shows play, pause, stop and eject (stop disabled, play coloured),
// the second no button at all.
class SkinnedPlayer : public SkinnedFormUnderXInput {
protected:
    SkinnedPlayer() : SkinnedFormUnderXInput(FormBounds) {}

    void SetUp() override
    {
        SkinnedFormUnderXInput::SetUp();
        if (IsSkipped())
            return;
        using enum ui::TMPBtnType;
        player = AddPlayer(10, 200);
        player->SetVisibleButtons(ui::MPButtonBit(btPlay) | ui::MPButtonBit(btPause) | ui::MPButtonBit(btStop) |
                                  ui::MPButtonBit(btEject));
        player->SetEnabledButtons(ui::MPButtonBit(btPlay) | ui::MPButtonBit(btPause) | ui::MPButtonBit(btEject));
        player->SetColoredButtons(ui::MPButtonBit(btPlay));
        player->OnClick = ui::TMPBtnClickEvent(
            [this](ui::TMediaPlayer*, ui::TMPBtnType button, bool&) { clicks.push_back(button); });
        empty = AddPlayer(60, 120);
        empty->SetVisibleButtons(0);
        Skin();
        skinner = dynamic_cast<TSkinMP*>(controller->FindSkinnerOfWindow(player->Handle()));
        ASSERT_NE(skinner, nullptr);
        ASSERT_NE(skinner->Overlay(), nullptr);
    }

    ui::TMediaPlayer* AddPlayer(int top, int width)
    {
        auto* p = new ui::TMediaPlayer(form.get());
        p->SetParent(form.get());
        p->SetBounds(10, top, width, 30);
        return p;
    }

    // Button `button`'s rectangle on the screen.
    RECT ButtonOnScreen(ui::TMPBtnType button) const
    {
        return OnScreen(skinner->Overlay()->Handle(), skinner->Overlay()->ButtonRect(static_cast<int>(button)));
    }

    // The pixels of a button on the screen that differ from its face in
    // `face` with the glyph of `look`.
    int ButtonDifferences(ui::TMPBtnType button, TPlayerFace face, TPlayerGlyph look)
    {
        const RECT r = ButtonOnScreen(button);
        const int w = r.right - r.left, h = r.bottom - r.top;
        const auto want = Picture(w, h, bed.Data().Colours.ButtonFace, [&](HDC dc, const RECT& all) {
            DrawElement(dc, all, ButtonFaceCount, static_cast<int>(face), *bed.Data().Buttons);
            DrawGlyph(dc, PlayerGlyphName(static_cast<int>(button), look), all, face == TPlayerFace::Pressed);
        });
        return SamePixels(*CaptureScreen(r), *want) ? 0 : 1;
    }

    bool AwaitButton(ui::TMPBtnType button, TPlayerFace face, TPlayerGlyph look)
    {
        return PumpUntil([&] { return ButtonDifferences(button, face, look) == 0; }, 3s);
    }

    static POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    ui::TMediaPlayer* player = nullptr;
    ui::TMediaPlayer* empty = nullptr;
    TSkinMP* skinner = nullptr;
    std::vector<ui::TMPBtnType> clicks;
};

} // namespace

TEST(PlayerGlyphs, ResourceNamesAndEveryGlyphInTheProgram)
{
    EXPECT_EQ(PlayerGlyphName(0, TPlayerGlyph::Enabled), L"EN_MPPLAY");
    EXPECT_EQ(PlayerGlyphName(4, TPlayerGlyph::Disabled), L"DI_MPPREV");
    EXPECT_EQ(PlayerGlyphName(8, TPlayerGlyph::Coloured), L"CL_MPEJECT");
    for (int button = 0; button < PlayerButtonCount; ++button)
        for (TPlayerGlyph look : {TPlayerGlyph::Enabled, TPlayerGlyph::Disabled, TPlayerGlyph::Coloured}) {
            const std::wstring name = PlayerGlyphName(button, look);
            EXPECT_NE(FindResourceW(GetModuleHandleW(nullptr), name.c_str(), MAKEINTRESOURCEW(2)), nullptr)
                << std::string(name.begin(), name.end());
        }
}

// The overlay lies over the player with the skin's DisableTag; each button
// wears the face of its state with its glyph: enabled ones the normal face
// (play's glyph coloured), the disabled stop button face 3 and its grey
// glyph; a player with no button is the plain face colour.
TEST_F(SkinnedPlayer, ButtonsWearTheFacesOfTheirStates)
{
    using enum ui::TMPBtnType;
    TWMediaPlayer& overlay = *skinner->Overlay();
    EXPECT_EQ(overlay.Tag(), bed.Data().DisableTag());
    EXPECT_EQ(overlay.Parent(), player->Parent());
    const RECT bounds = overlay.BoundsRect(), playerBounds = player->BoundsRect();
    EXPECT_TRUE(EqualRect(&bounds, &playerBounds));
    EXPECT_TRUE(AwaitButton(btPlay, TPlayerFace::Normal, TPlayerGlyph::Coloured));
    EXPECT_TRUE(AwaitButton(btPause, TPlayerFace::Normal, TPlayerGlyph::Enabled));
    EXPECT_TRUE(AwaitButton(btStop, TPlayerFace::Disabled, TPlayerGlyph::Disabled));
    EXPECT_TRUE(AwaitButton(btEject, TPlayerFace::Normal, TPlayerGlyph::Enabled));
    EXPECT_EQ(overlay.ButtonRect(static_cast<int>(btRecord)).right, 0) << "hidden, no place";

    auto* emptySkinner = dynamic_cast<TSkinMP*>(controller->FindSkinnerOfWindow(empty->Handle()));
    ASSERT_NE(emptySkinner, nullptr);
    RECT r = ScreenRect(emptySkinner->Overlay()->Handle());
    const auto plain = Picture(r.right - r.left, r.bottom - r.top, bed.Data().Colours.ButtonFace, [](HDC, const RECT&) {});
    EXPECT_TRUE(PumpUntil([&] { return SamePixels(*CaptureScreen(r), *plain); }, 3s)) << "no button: plain face";

    // A change of the player's buttons shows on the overlay.
    player->SetEnabledButtons(player->EnabledButtons() | ui::MPButtonBit(btStop));
    EXPECT_TRUE(AwaitButton(btStop, TPlayerFace::Normal, TPlayerGlyph::Enabled));
}

// The real mouse: a press shows the pressed face; releasing over another
// button clicks nothing; a press and release on one button reaches the
// player once; a disabled button clicks nothing.
TEST_F(SkinnedPlayer, AClickReachesThePlayerOnlyOnOneButton)
{
    using enum ui::TMPBtnType;
    SetForegroundWindow(form->Handle());
    input.MoveTo(Centre(ButtonOnScreen(btPause)));
    input.Press();
    EXPECT_TRUE(AwaitButton(btPause, TPlayerFace::Pressed, TPlayerGlyph::Enabled));
    input.MoveTo(Centre(ButtonOnScreen(btEject)));
    input.Release();
    EXPECT_TRUE(AwaitButton(btPause, TPlayerFace::Normal, TPlayerGlyph::Enabled));
    Pump();
    EXPECT_TRUE(clicks.empty()) << "pressed on pause, released on eject";

    input.MoveTo(Centre(ButtonOnScreen(btPlay)));
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return !clicks.empty(); }));
    input.MoveTo(Centre(ButtonOnScreen(btStop)));
    input.Click();
    Pump();
    EXPECT_EQ(clicks, std::vector<ui::TMPBtnType>{btPlay});
    EXPECT_EQ(GetCapture(), nullptr);
    input.MoveTo(away);
}

// The overlay takes the player's new place and visibility, and hides while
// the skinner is switched off; with the skin switched off, the overlay goes
// and the player paints itself again.
TEST_F(SkinnedPlayer, TheOverlayFollowsThePlayerAndGoesWithTheSkin)
{
    player->SetBounds(20, 80, 240, 40);
    const RECT moved = player->BoundsRect(), overlayBounds = skinner->Overlay()->BoundsRect();
    EXPECT_TRUE(EqualRect(&moved, &overlayBounds));
    EXPECT_EQ(GetWindow(skinner->Overlay()->Handle(), GW_HWNDNEXT), player->Handle()) << "just above the player";
    player->Hide();
    EXPECT_FALSE(IsWindowVisible(skinner->Overlay()->Handle()));
    player->Show();
    EXPECT_TRUE(IsWindowVisible(skinner->Overlay()->Handle()));

    // WM_SKINENABLE 0 hands the player its own look until 1 comes.
    const HWND overlay = skinner->Overlay()->Handle();
    SendMessageW(player->Handle(), WM_SKINENABLE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(overlay));
    SendMessageW(player->Handle(), WM_SKINENABLE, 1, 0);
    EXPECT_TRUE(IsWindowVisible(overlay));

    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().Controllers().empty(); }));
    EXPECT_FALSE(IsWindow(overlay));
    EXPECT_TRUE(player->WindowProcHooks().empty());
}
