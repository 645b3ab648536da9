// TSkinControl: the base of every control skinner. A skinner attaches to one
// control (or bare child window), takes over its message handling and
// paints its face from the skin. The form controller keeps the skinners of
// its window in a list: it refreshes them when the skin is reloaded and
// frees them when it detaches. The skinner families derive from this class.
#pragma once

#include <windows.h>

#include "ui/Classes.h"

namespace ui {
class TControl;
}

namespace skin {

class TWinSkinForm;

class TSkinControl : public ui::TComponent {
public:
    using TComponent::TComponent;

    // Gives the control back what the skinner changed (its colour).
    virtual void RestoreControl() = 0;
    // Re-applies the skin's colours and repaints, after a skin change.
    virtual void RefreshSkin() = 0;

    // The skinner's life: 0 created, 1 attached, 6 the window was destroyed.
    static constexpr int StateClosed = 6;
    int SkinState = 0;
    HWND Handle = nullptr;                // the window being skinned
    ui::TControl* Control = nullptr;      // the framework control, or null for a bare window
    TWinSkinForm* FormSkin = nullptr;     // the controller it is registered with
};

} // namespace skin
