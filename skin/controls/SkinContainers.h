// The skinners of containers: a panel takes the skin's face colour while it
// is skinned (its children are skinned one by one), a dialog window
// embedded in a bare window fills its background, and its labels', with it,
// and a group box (a radio group too) is painted on the skin's face colour
// with a rounded frame in the skin's shadow colour, broken by its caption.
#pragma once

#include "skin/controls/SkinControl.h"

namespace skin {

// A framework container skinned by its colour alone: its messages stay its own.
class TSkinBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour) override;
};

// A framework group box: its whole face, then its windowless children.
class TSkinGroupBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;
};

// A dialog window inside a bare window.
class TSkinBoxH : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeMessage(ui::TMessage& m) override;
};

} // namespace skin
