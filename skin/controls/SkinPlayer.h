// The media player's skinner. A media player draws its nine buttons itself,
// with no way to paint over them in place, so the skinner covers it with an
// overlay of its own (TWMediaPlayer) that draws the buttons on the skin's
// Buttons faces with glyphs from the program's bitmap resources, and hands
// a click to the player when the press and the release were on the same
// button. The overlay follows the player's place and visibility and goes
// when the skinner lets go of the player.
//
// The player is read through its published properties only ("VisibleButtons",
// "EnabledButtons", "ColoredButtons": sets whose member n is button n, in
// the order play, pause, stop, next, previous, step, back, record, eject),
// so the skinner serves any class that publishes them.
#pragma once

#include <array>
#include <memory>

#include "skin/controls/SkinControl.h"
#include "ui/controls/Controls.h"

namespace skin {

class TSkinMP;

inline constexpr int PlayerButtonCount = 9;
// No button (under the mouse, or pressed).
inline constexpr int NoPlayerButton = PlayerButtonCount;

// The looks of a glyph, with the prefix of its bitmap resource name.
enum class TPlayerGlyph { Enabled, Disabled, Coloured };
// The name of a glyph's bitmap resource: "EN_MPPLAY" is the enabled play
// glyph.
std::wstring PlayerGlyphName(int button, TPlayerGlyph look);
// The glyphs' key colour: olive.
inline constexpr ui::TColor PlayerGlyphKey = 0x008080;

// The Buttons face of a player button.
enum class TPlayerFace : int { Normal = 1, Pressed = 2, Disabled = 3 };

class TWMediaPlayer : public ui::TCustomControl {
    UI_CLASS(TWMediaPlayer)
public:
    // Lies over `player`, in its parent, with `tag` (the skin's DisableTag,
    // so that discovery leaves the overlay alone).
    TWMediaPlayer(TSkinMP& skinner, ui::TControl& player, int tag);
    ~TWMediaPlayer() override;

    // Takes the player's place, size and visibility again, directly above
    // it.
    void FollowPlayer();
    // The buttons' rectangle in the overlay (empty for a hidden button).
    RECT ButtonRect(int button) const;
    // The visible button at x, or NoPlayerButton.
    int HitIndex(int x) const;
    int PressedIndex() const { return pressedIndex_; }

protected:
    void Dispatch(ui::TMessage& m) override;
    void Paint() override;

private:
    struct TButtons {
        unsigned Visible = 0, Enabled = 0, Coloured = 0;
        int VisibleCount() const;
    };
    TButtons ReadButtons() const;
    void PaintButton(HDC dc, int button, const RECT& rect, const TButtons& buttons);
    void Pressed(int x);
    void Released(int x);
    void ClickPlayer(int button);

    TSkinMP& skinner_;
    ui::TControl& player_;
    std::array<std::array<std::unique_ptr<ui::TBitmap>, 3>, PlayerButtonCount> glyphs_;
    bool mouseDown_ = false;
    int pressedIndex_ = NoPlayerButton;
};

class TSkinMP : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    ~TSkinMP() override;

    void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour) override;
    void RestoreControl() override;
    void RefreshSkin() override;

    // The overlay, null once the skinner let go of the player.
    TWMediaPlayer* Overlay() const { return overlay_.get(); }

protected:
    bool BeforeMessage(ui::TMessage& m) override;
    void AfterMessage(ui::TMessage& m) override;
    // Switched off, the overlay hides and the player is its own again.
    void SkinEnabledChanged() override;

private:
    std::unique_ptr<TWMediaPlayer> overlay_;
};

} // namespace skin
