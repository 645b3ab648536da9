// The status bar skinner: the bar on the skin's face colour, each panel on
// a frame of the skin's StatusBarEdges element by its bevel (lowered,
// raised, none) with its text in the element's text colour, and the size
// grip from the skin's ExtraImages. Owner-drawn panels get their face, then
// the bar's own drawing handler draws them as before.
#pragma once

#include "skin/controls/SkinControl.h"

namespace skin {

// The panel faces of StatusBarEdges, in strip order.
enum class TPanelFace : int { Lowered = 1, Raised = 2, None = 3 };

class TSkinStatusBar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    void DrawPanelFace(HDC dc, const RECT& rect, TPanelFace face) const;
    // text (a single space when empty) aligned by `flags` (DT_LEFT,
    // DT_CENTER, DT_RIGHT) and centred upright in rect.
    void DrawCaptionAligned(HDC dc, const RECT& rect, UINT flags, std::wstring text) const;
    void DrawSizeGrip(HDC dc, const RECT& rect) const;
    // Runs the bar's handler for its owner-drawn panels.
    void DrawOwnerPanels(HDC dc);
};

} // namespace skin
