// Helpers for tests that drive real windows inside the test process.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <utility>
#include <string>
#include <vector>

namespace tests {

using namespace std::chrono_literals;

// Handles messages until condition holds or the time runs out.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s);
// Handles the messages waiting now.
void Pump();
// Like PumpUntil, through the application's message loop (its key handling
// included).
bool LoopUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s);

// The open (visible) popup-menu window, or null.
HWND OpenMenuWindow();
// A timer procedure that closes the open menu and ends its timer: a timer
// set before a menu opens runs in the menu's own loop.
VOID CALLBACK CloseMenuOnTimer(HWND, UINT, UINT_PTR id, DWORD);

// Real key input (SendInput) to the window with the focus: each entry is a
// virtual key and whether it goes down (true) or up.
void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys);

// A message box of this process that is on the screen, or null: a
// standard dialog holding buttons and texts alone, its text the static
// 0xFFFF (the folder chooser and dialogs of the tests' own are not boxes).
HWND OwnMessageBox();
// A box's caption and text.
std::wstring MessageBoxCaption(HWND box);
std::wstring MessageBoxText(HWND box);

// Declares, while one lives, that the test shows message boxes on purpose and
// answers them itself. Any other box would wait for a user: the test
// program's watch reports it as a failure of the running test and presses
// its first button, so the test ends and the rest run.
class TExpectedMessageBoxes {
public:
    TExpectedMessageBoxes();
    ~TExpectedMessageBoxes();
    TExpectedMessageBoxes(const TExpectedMessageBoxes&) = delete;
    TExpectedMessageBoxes& operator=(const TExpectedMessageBoxes&) = delete;
    // Whether any lives now.
    static bool Any();
};

// Answers the next message box of this process from a second thread (the box
// runs its own modal loop): records its caption and text and presses OK.
class TMessageBoxAnswerer {
public:
    TMessageBoxAnswerer();
    ~TMessageBoxAnswerer();
    TMessageBoxAnswerer(const TMessageBoxAnswerer&) = delete;
    TMessageBoxAnswerer& operator=(const TMessageBoxAnswerer&) = delete;
    // Waits for the answer; false when no box came.
    bool Wait(std::chrono::milliseconds timeout = 5s);
    std::wstring Caption;
    std::wstring Text;

private:
    struct State;
    TExpectedMessageBoxes expected_;
    State* state_;
};

// Collects, while it lives, the texts the application's error handling would
// show in a box, instead of showing them.
class TErrorLog {
public:
    TErrorLog();
    ~TErrorLog();
    TErrorLog(const TErrorLog&) = delete;
    TErrorLog& operator=(const TErrorLog&) = delete;
    std::vector<std::string> Shown;
};

// The GDI objects (device contexts included) this process holds.
DWORD LiveGdiObjects();

} // namespace tests
