// The skinners of the text-entry family: an edit (and mask edit) wears a
// flat border in the skin's colours around its own text area; an up-down's
// arrows are painted from the skin's UpDown pictures, in the state of the
// half under the pointer, while the control keeps its own press, repeat and
// keyboard handling. An up-down inside an edit (a child window of it, as
// spin edits make them) is adopted by the edit's skinner and wears the same
// arrows, clear of the edit's border.
#pragma once

#include <windows.h>

#include "skin/controls/SkinControl.h"

namespace skin {

class TDataSkinBorder;

class TSkinEdit : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour) override;
    void InitWindow(HWND window, TSkinData& skinData, TWinSkinForm& form) override;
    void RestoreControl() override;

protected:
    void AfterMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;
    // The white rings inside the shadow-coloured one.
    int WhiteRings = 2;

private:
    // Gives the up-down inside the edit, when it has one, the skin's arrows.
    void AdoptSpin();
};

// The width of the edit's skinned border (the shadow ring and the white
// ones), which an up-down inside the edit keeps clear of.
inline constexpr int EditBorderWidth = 3;

// The up-down inside an edit: its first child window whose class is the
// platform's up-down or names a spin or up-down control; null without one.
HWND SpinInside(HWND edit);

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
    // The up-down sits inside an edit: its arrows keep clear of the edit's
    // skinned border, which shows white around them.
    bool Embedded = false;

protected:
    bool BeforeMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    bool SideBySide() const;
    TDataSkinBorder* Element() const;
    // The press and the pointer's presence, from a mouse message.
    void NoteMouse(UINT msg);
    TArrowState StateOf(const RECT& half, POINT cursor, bool enabled) const;
    // Where the arrows go in `all` (the window from 0, 0): all of it, or
    // inside an edit the part clear of the edit's border.
    RECT ArrowsRect(const RECT& all) const;
};

// The skinner of an up-down window that a control makes for itself (a spin
// edit's arrows, the arrows of overflowing tabs): a new TSkinUpDown owned by
// `owner` (the control, or the controller for a bare window) when the window
// has no skinner yet. The up-down's skinner, or null when another kind
// serves the window.
TSkinUpDown* AdoptUpDown(HWND upDown, ui::TComponent* owner, TWinSkinForm& form, TSkinData& data);

} // namespace skin
