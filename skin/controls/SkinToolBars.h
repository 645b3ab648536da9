// The skinners of tool bars and cool bars. A cool bar's bands take the
// skin's face colour while it is skinned. A tool bar takes the skin's face colour and turns
// flat; while it is skinned, its custom-draw events (those the program left
// unassigned) paint the skin's tool-bar gradient behind the buttons and the
// skin's button faces under them: hot, pressed and checked buttons. The
// bar keeps drawing the images and captions and keeps its mouse handling,
// drop-down arrows and check buttons; the drop-downs of its menu are drawn
// by the skin. Taken off, the skinner gives the bar
// its own look back: its flatness and its events as they were.
#pragma once

#include <vector>

#include "skin/controls/SkinContainers.h"

namespace ui {
class TToolBar;
class TToolButton;
} // namespace ui

namespace skin {

enum class TButtonFace : int;

class TSkinToolBar : public TSkinBox {
public:
    using TSkinBox::TSkinBox;
    ~TSkinToolBar() override;
    void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour) override;
    void RestoreControl() override;

private:
    ui::TToolBar* Bar() const;
    void DrawBackground(ui::TToolBar* bar, const RECT& rect, bool& defaultDraw) const;
    void DrawButton(ui::TToolBar* bar, ui::TToolButton* button, unsigned state, bool& defaultDraw) const;
    void DrawMenu(bool on) const;
    void GiveBack();

    bool savedFlat_ = false;
    bool drawsBackground_ = false;  // the events this skinner assigned
    bool drawsButtons_ = false;
};

// A cool bar: the bands' colours, given back when the skinner goes.
class TSkinCoolBar : public TSkinBox {
public:
    using TSkinBox::TSkinBox;
    void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour) override;
    void RestoreControl() override;

private:
    std::vector<ui::TColor> savedColours_;
};

// The face of the skin's Buttons a tool button wears in a custom-draw
// state (a set of cds* bits); 0 when it wears none and the bar draws it.
int ToolButtonFaceOf(unsigned state);

} // namespace skin
