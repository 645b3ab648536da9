// The skinners of bars: a progress bar is painted from the skin's Progress
// element, its empty track (frame 1) and over it the part done (frame 2),
// or in the chunk style the whole picture as the track and the done part
// filled with the skin's ProgressChunk picture; a
// track bar's channel and thumb are drawn from the skin's pictures when the
// control asks its parent to custom-draw them (its tics stay its own).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "skin/controls/SkinControl.h"

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
    void PaintChunks(HDC dc, const RECT& all, int done) const;
};

class TSkinTrackBar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    // Moves the focus to the track bar and back: it draws itself again.
    void RefreshSkin() override;

protected:
    bool BeforeMessage(ui::TMessage& m) override;

private:
    LRESULT CustomDraw(const NMCUSTOMDRAW& draw) const;
    void DrawThumb(HDC dc) const;
    void DrawChannel(HDC dc) const;
    bool Vertical() const;
};

} // namespace skin
