// The scroll box: a container whose scroll bars reach every control it holds.
#pragma once

#include "ui/controls/Controls.h"

namespace ui {

// Its range follows its controls: placed, sized, added or taken away, they
// decide how far the box scrolls, and a bar goes away while everything fits.
// Scrolling moves the controls; their bounds stay in the box's client
// coordinates, as it shows them.
class TScrollBox : public TWinControl {
    UI_CLASS(TScrollBox)
public:
    explicit TScrollBox(TComponent* owner);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    // How far the box is scrolled, in pixels.
    int HorzPosition() const { return position_.x; }
    int VertPosition() const { return position_.y; }
    void ScrollTo(int x, int y);
    // The extent of the controls from the unscrolled origin.
    SIZE Range() const;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;
    void AlignRemainder(const RECT& room) override;
    void ControlBoundsChanged(TControl& control) override;

private:
    void UpdateScrollBars();
    void Scrolled(int bar, int code);
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    POINT position_{0, 0};
    bool moving_ = false;  // the box moves its controls itself
};

} // namespace ui
