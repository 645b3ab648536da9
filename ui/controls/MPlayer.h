// The media player's button bar: play, pause, stop, next, previous, step,
// back, record and eject, drawn and clicked whether or not a device is open.
#pragma once

#include "ui/controls/Controls.h"

namespace ui {

enum class TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
inline constexpr int MPButtonCount = 9;
// A set of buttons: bit n for TMPBtnType n.
using TButtonSet = unsigned;
inline constexpr TButtonSet AllMPButtons = (1u << MPButtonCount) - 1;
inline constexpr TButtonSet MPButtonBit(TMPBtnType button) { return 1u << static_cast<int>(button); }

class TMediaPlayer;
// DoDefault (true on entry) asks for the device's own action afterwards.
using TMPBtnClickEvent = TEvent<void(TMediaPlayer* Sender, TMPBtnType Button, bool& DoDefault)>;

// The visible buttons share the width side by side, in the order of
// TMPBtnType. A button looks pressed while the mouse holds it over it; the
// release over the button pressed is the click, which runs OnClick with the
// button. Disabled buttons draw grey and do not click; coloured ones draw
// their glyphs in colour.
class TMediaPlayer : public TCustomControl {
    UI_CLASS(TMediaPlayer)
public:
    explicit TMediaPlayer(TComponent* owner);
    TButtonSet VisibleButtons() const { return visible_; }
    void SetVisibleButtons(TButtonSet buttons);
    TButtonSet EnabledButtons() const { return enabled_; }
    void SetEnabledButtons(TButtonSet buttons);
    TButtonSet ColoredButtons() const { return colored_; }
    void SetColoredButtons(TButtonSet buttons);
    // The button at a client x position; false over no visible button.
    bool ButtonAt(int x, TMPBtnType& button) const;
    // The rectangle of a visible button in the client area; empty when hidden.
    RECT ButtonRect(TMPBtnType button) const;
    // A click on the button as if the user had clicked it (an enabled,
    // visible one).
    void ClickButton(TMPBtnType button);

    TMPBtnClickEvent OnClick;

protected:
    void Dispatch(TMessage& m) override;
    void Paint() override;

private:
    int VisibleCount() const;
    void DrawGlyph(TMPBtnType button, const RECT& rect, bool pressed);
    TButtonSet visible_ = AllMPButtons;
    TButtonSet enabled_ = AllMPButtons;
    TButtonSet colored_ = AllMPButtons;
    int pressed_ = -1;   // the button the mouse holds, -1: none
    bool over_ = false;  // the mouse is over the button it holds
};

} // namespace ui
