// The header skinner: each section on a face of the skin's Headerbar
// element (normal, hot under the mouse, pressed while the left button holds
// it), its image and text over it; the room after the last section gets the
// normal face. The header keeps its own mouse handling: clicks, dragging a
// section's edge, its notifications.
#pragma once

#include <vector>

#include "skin/controls/SkinControl.h"

namespace skin {

// The section faces of Headerbar, in strip order.
enum class THeaderFace : int { Normal = 1, Hot = 2, Pressed = 3 };

class TSkinHeader : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    // The section under the mouse, -1 for none.
    int HotItem() const { return hotItem_; }

protected:
    bool BeforeMessage(ui::TMessage& m) override;
    void AfterMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    bool HasPicture() const;
    // The section at a point of the window (within its sides less 3
    // pixels, so the sizing edges stay out); -1 for none.
    int ItemAt(POINT point) const;
    void PaintItem(HDC dc, int index, const RECT& rect) const;
    void SetItem(int& item, int index);

    std::vector<RECT> itemRects_;  // of the last paint, less the sizing edges
    int hotItem_ = -1;
    int pressedItem_ = -1;
};

} // namespace skin
