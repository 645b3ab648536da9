// What the units of TControl and TWinControl share inside the framework and
// show no one else.
#pragma once

namespace ui {

class TControl;

// The windowless control that has a mouse button pressed on it: it gets the
// mouse messages until the button goes up, wherever the mouse is. Cleared
// when that control goes.
extern TControl* windowlessCapture;

} // namespace ui
