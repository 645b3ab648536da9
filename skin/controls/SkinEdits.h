// The skinners of the text-entry family: an edit (and mask edit) wears a
// flat border in the skin's colours around its own text area; an up-down's
// arrows are painted from the skin's UpDown pictures, in the state of the
// half under the pointer, while the control keeps its own press, repeat and
// keyboard handling.
#pragma once

#include <windows.h>

#include "skin/controls/SkinControl.h"

namespace skin {

class TDataSkinBorder;

class TSkinEdit : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void RestoreControl() override;

protected:
    void AfterMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;
    // The white rings inside the shadow-coloured one.
    int WhiteRings = 2;
};

// The frame of an up-down's UpDown picture for one arrow in one state:
// the first arrow (up, or left) takes frames 1 to 4, the second 5 to 8,
// each in the order normal, pressed, disabled, hot.
enum class TArrowState { Normal = 1, Pressed = 2, Disabled = 3, Hot = 4 };
int UpDownFrame(bool secondArrow, TArrowState state);

class TSkinUpDown : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    // 1: the arrows point left and right whatever the window's style says
    // (the arrows that scroll overflowing tabs); otherwise UDS_HORZ decides.
    int Horizontal = 0;

protected:
    bool BeforeMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    bool SideBySide() const;
    TDataSkinBorder* Element() const;
    // The press and the pointer's presence, from a mouse message.
    void NoteMouse(UINT msg);
    TArrowState StateOf(const RECT& half, POINT cursor, bool enabled) const;
};

} // namespace skin
