// The skinners of containers: a panel takes the skin's face colour while it
// is skinned (its children are skinned one by one), and a dialog window
// embedded in a bare window fills its background, and its labels', with it.
#pragma once

#include "skin/SkinControl.h"

namespace skin {

// A framework container skinned by its colour alone: its messages stay its own.
class TSkinBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour) override;
};

// A dialog window inside a bare window.
class TSkinBoxH : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeMessage(ui::TMessage& m) override;
};

} // namespace skin
