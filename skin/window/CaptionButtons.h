// The caption buttons of a skinned title bar (close, maximise/restore,
// minimise, help, the window icon, the buttons of a maximised MDI child and
// any button a skin adds): what each action code does, when each visibility
// code shows a button, which picture frame each state shows, where a button
// sits, and the non-client objects that track the mouse over them.
//
// The tables and layout functions take the skin record and plain facts about
// the window, so they work without a window; the skin form controller's
// members for hit testing, mouse tracking and the system menu use them.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "skin/data/SkinRecords.h"
#include "skin/window/WinSkinForm.h"

namespace skin {

// ---- Actions ----

// What pressing a caption button does.
enum class TButtonEffect {
    Close,           // close the window (when its system menu has a close item)
    Maximize,        // maximise, or restore a maximised window
    Minimize,        // minimise, or restore a minimised window
    SystemMenu,      // open the skinned system menu
    ContextHelp,     // enter the context help mode
    MdiChildCommand, // send a command to the active MDI child
    WindowDefined,   // WM_SKINBUTTONACTION to the window: the window decides
};

// One action code of TDataSkinSysButton::Action.
struct TCaptionAction {
    int Code;
    TButtonEffect Effect;
    WPARAM MdiCommand = 0;     // the system command for MdiChildCommand
    bool DrawsIcon = false;    // the button shows the window icon; a double click closes
    unsigned EnabledByBox = 0; // the border-icon bits (FrameIcon*) the button needs to be enabled
};

// Every action code a skin may give; any other code is window-defined.
inline constexpr TCaptionAction CaptionActions[] = {
    {0, TButtonEffect::Close},
    {1, TButtonEffect::Maximize, 0, false, FrameIconMaximize | FrameIconSystemMenu},
    {22, TButtonEffect::Maximize},
    {2, TButtonEffect::Minimize, 0, false, FrameIconMinimize | FrameIconSystemMenu},
    {23, TButtonEffect::Minimize},
    {3, TButtonEffect::SystemMenu, 0, true},
    {11, TButtonEffect::SystemMenu, 0, true},
    {12, TButtonEffect::SystemMenu},
    {4, TButtonEffect::ContextHelp},
    {7, TButtonEffect::MdiChildCommand, SC_MINIMIZE},
    {60, TButtonEffect::MdiChildCommand, SC_MINIMIZE},
    {8, TButtonEffect::MdiChildCommand, SC_RESTORE},
    {61, TButtonEffect::MdiChildCommand, SC_RESTORE},
    {9, TButtonEffect::MdiChildCommand, SC_CLOSE},
    {62, TButtonEffect::MdiChildCommand, SC_CLOSE},
};

// The row of an action code; a code of no row is window-defined.
TCaptionAction CaptionActionOf(int code);

// ---- Visibility ----

// The conditions a visibility code may put on a button.
enum class TShowWhen {
    Always,
    Never,
    Maximized,
    NotMaximized,
    Active,
    Inactive,
    MinOrMaxBoxAndSystemMenu,
    MinOrMaxBox,
    NoMaximizeBox,
    NoMinimizeBox,
    HelpBoxOnly,               // a help box and neither a minimise nor a maximise box
    HelpBox,
    MaximizedMdiChildMenuBar,  // an MDI frame with a maximised active child and a menu bar
    DialogNotMessageBox,
    WindowAnswers,             // the window answers WM_SKINBUTTONVISIBLE with a value above 0
    FirstCondition,            // whatever the first code decided
};

// A range of visibility codes and the condition they set.
struct TVisibilityCode {
    int From;
    int To;
    TShowWhen When;
};

// The first condition, from Visibility; codes of no row: never.
inline constexpr TVisibilityCode VisibilityCodes[] = {
    {-1, 0, TShowWhen::Always},
    {1, 1, TShowWhen::Maximized},
    {2, 2, TShowWhen::NotMaximized},
    {3, 3, TShowWhen::Active},
    {4, 4, TShowWhen::Inactive},
    {6, 6, TShowWhen::MinOrMaxBoxAndSystemMenu},
    {7, 7, TShowWhen::NoMaximizeBox},
    {8, 8, TShowWhen::MinOrMaxBoxAndSystemMenu},
    {9, 9, TShowWhen::NoMinimizeBox},
    {10, 10, TShowWhen::HelpBoxOnly},
    {100, 100, TShowWhen::MaximizedMdiChildMenuBar},
    {200, 200, TShowWhen::DialogNotMessageBox},
    {201, 999, TShowWhen::Always},
    {1000, 2000, TShowWhen::WindowAnswers},
};

// The second condition, from Visibility1; codes of no row (-1 and 5 among
// them): never.
inline constexpr TVisibilityCode Visibility1Codes[] = {
    {0, 0, TShowWhen::Always},
    {1, 1, TShowWhen::Maximized},
    {2, 2, TShowWhen::NotMaximized},
    {3, 3, TShowWhen::Active},
    {4, 4, TShowWhen::Inactive},
    {6, 6, TShowWhen::MinOrMaxBox},
    {7, 7, TShowWhen::NoMaximizeBox},
    {8, 8, TShowWhen::MinOrMaxBox},
    {9, 9, TShowWhen::NoMinimizeBox},
    {10, 10, TShowWhen::HelpBox},
    {100, 100, TShowWhen::FirstCondition},
    {200, 200, TShowWhen::DialogNotMessageBox},
    {201, 2000, TShowWhen::Always},
};

// The condition a code sets by the table; Never for a code of no row.
TShowWhen ShowWhenOf(std::span<const TVisibilityCode> table, int code);

// What a visibility condition looks at.
struct TCaptionWindowFacts {
    bool Maximized = false;
    bool Active = true;
    unsigned BorderIcons = 0;  // FrameIcon* bits
    bool DialogBorder = false;
    bool MessageDialog = false;
    bool MaximizedMdiChildMenuBar = false;
    // Asks the window about a button with a window-defined visibility code
    // (code, action); true when it shows the button. Unset: never shown.
    std::function<bool(int code, int action)> AskWindow{};
};

// Whether a button shows and whether it can be pressed.
struct TButtonShow {
    bool Visible = false;
    bool Enabled = true;
};

// Both visibility conditions of a button, then the rules of its action: a
// close button needs a system menu, the maximise and minimise buttons are
// enabled by their boxes, icon buttons never show on a dialog border.
TButtonShow EvaluateCaptionButton(const TDataSkinSysButton& record, const TCaptionWindowFacts& window);

// ---- States and frames ----

// The states of a non-client object (TNCObject::State).
enum class TNCState { Normal = 1, Pressed = 2, Hot = 3 };

// The frames of a caption button picture. The buttons of a maximised MDI
// child show their hot look in the fourth frame.
enum class TCaptionFrame { Normal = 1, Pressed = 2, Hot = 3, Disabled = 4, MdiChildHot = 4 };

// The frame of a button in the composed title bar: normal, or the disabled
// look (when the picture has it) for a disabled button or an inactive window.
TCaptionFrame TitleBarFrame(const TDataSkinSysButton& record, bool windowActive, bool enabled);

// The frame of a button repainted in `state` under the mouse: a disabled
// button keeps its disabled look (normal without one); the buttons of a
// maximised MDI child show their hot state in their fourth frame.
TCaptionFrame StateFrame(const TDataSkinSysButton& record, TNCState state, bool enabled);

// ---- Layout ----

// What a button's place depends on, in window coordinates.
struct TCaptionLayoutFacts {
    int WindowWidth = 0;
    RECT TitleTextRect{};
    int RightWidth = 0;
    int TitleHeight = 0;
    int MenuBarHeight = 0;
    int MenuBarLeftWidth = 0;  // the menu bar picture's left end, when the skin has one
};

// The Align code of the buttons that sit on the menu bar (a maximised MDI
// child's).
inline constexpr int MenuBarAlign = 100;

// Where a button goes by its Align code and coordinates; none when its
// picture is empty (it keeps its previous place). A button on the menu bar
// is fitted to the bar's height.
std::optional<RECT> CaptionButtonBounds(const TDataSkinSysButton& record, const TCaptionLayoutFacts& facts);

// ---- The buttons of one skinned window ----

// The first button, in record order, that is visible, has an action of 0 or
// more and contains p (window coordinates); null when none.
TWinSysButton* CaptionButtonAt(const std::vector<std::unique_ptr<TWinSysButton>>& buttons, POINT p);

// Re-evaluates whether each button shows and can be pressed.
void EvaluateCaptionButtons(TWinSkinForm& form);
// The width the visible right-aligned buttons keep free: the largest Xcoord
// among them.
int CaptionRightReserve(const TWinSkinForm& form);
// The width the skin's right-aligned buttons keep free when all of them
// show, whatever this window shows: the largest Xcoord among them.
int SkinRightReserve(const TWinSkinForm& form);
// Places every visible button by the window's current geometry.
void LayoutCaptionButtons(TWinSkinForm& form);
// Stops the hover timer and posts WM_CLOSE to the window.
void PostClose(TWinSkinForm& form);

// Draws the visible buttons into the composed title bar `dc` (the buttons of
// a maximised MDI child belong to the menu bar).
void PaintCaptionButtons(TWinSkinForm& form, HDC dc);

} // namespace skin
