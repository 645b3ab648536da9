// What the controls over the platform's common controls share: the
// alignment of a text in a panel, section or column, the registration of the
// common-control window classes, and the switching of a window's style bits.
// Each such control keeps its state in the control and gives it to its
// window whenever the window is made, so the control survives a remade window.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/controls/Controls.h"

namespace ui {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// Sets or clears a style bit of a control's window, when it exists, and
// repaints it.
void ApplyStyle(TWinControl& control, DWORD bit, bool on);

// Registers the common-control window classes of the given ICC_ kinds once.
void InitCommonControlClasses(DWORD kinds);

} // namespace ui
