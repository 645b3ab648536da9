// The skin engine's private window messages, in one table. Their values are
// fixed: skinned components of other modules send and answer them too. 0x3517
// is left unused: it asked for a remade control's scroll bars to be skinned
// again, which discovery does for every remade window (its creation reaches
// the skinned window), so a component that still sends it changes nothing.
#pragma once

#include <windows.h>

namespace skin {

// The magic value that marks the engine's own use of a message.
inline constexpr LPARAM SkinMagic = 0x41A2;

enum : UINT {
    WM_SKINREFRESH = 0x3401,        // through the form's framework procedure: re-apply the skin
    WM_SKINREPAINTFRAME = 0x3502,   // repaint the whole frame
    WM_SKINSTART = 0x3503,          // posted by the manager after it made the controller: first skinning
    WM_SKINENABLE = 0x3506,         // to a control skinner: wParam > 0 switches it on, 0 off
    WM_SKINCLOSETAB = 0x3507,       // to the form: may tab lParam of tab control wParam close? 0 = yes
    WM_SKINBUTTONACTION = 0x3514,   // posted for a caption button of an unknown action; wParam = the action
    WM_SKINBUTTONVISIBLE = 0x3515,  // sent: is a caption button of visibility code wParam (action lParam) shown?
    WM_SKINMDIREDRAW = 0x3516,      // posted to the MDI client: redraw the frame window with its children
    WM_SKINMENUHIT = 0x3518,        // lParam = screen point: open the menu of the menu-bar button there
    WM_SKINQUERY = 0x3523,          // answered 1 by a window that already wears the skin
    WM_SKINFINDCONTROLS = 0x3524,   // posted to a skinned window that got a child: skin its new controls
    WM_SKINPAINTFRAMETO = 0xBC4B,   // lParam = SkinMagic: paint the frame into the DC in wParam
    WM_SKINIDENTIFY = 0xBC4D,       // answered SkinMagic when lParam = SkinMagic, else 1
    WM_SKINDONE = 0xBC4E,           // sent (0, SkinMagic) to a window whose skinning is complete
};

// What the manager posts with WM_SKINSTART.
inline constexpr LPARAM SkinStartLParam = 1000;

} // namespace skin
