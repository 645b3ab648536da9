// TFormSkinner: what the form controller knows of the skinner of one of its
// controls. The control skinners (skin/controls) are built on the controller
// and register with it; the controller keeps, refreshes and frees them
// through this base alone, so that the dependency between the two runs one
// way, from the skinners to the controller.
#pragma once

#include <windows.h>

namespace ui {
class TControl;
}

namespace skin {

class TFormSkinner {
public:
    virtual ~TFormSkinner() = default;

    // Gives the control back what the skinner changed (its colour).
    virtual void RestoreControl() = 0;
    // Re-applies the skin's colours and repaints, after a skin change.
    virtual void RefreshSkin() = 0;

    // The skinner's life: 0 created, 1 attached, 6 the window was destroyed.
    static constexpr int StateAttached = 1;
    static constexpr int StateClosed = 6;
    int SkinState = 0;
    HWND Handle = nullptr;            // the window being skinned
    ui::TControl* Control = nullptr;  // the framework control, or null for a bare window
};

} // namespace skin
