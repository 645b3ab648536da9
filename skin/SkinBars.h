// The skinners of bars: a progress bar is painted from the skin's Progress
// element, its empty track (frame 1) and over it the part done (frame 2).
#pragma once

#include "skin/SkinControl.h"

namespace skin {

// How much of a bar's `length` pixels a position shows done within its range.
int DoneLength(int length, int position, int low, int high);

class TSkinProgress : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    bool Paints() const;
};

} // namespace skin
