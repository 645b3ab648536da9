// Real input for window tests: the pointer is moved, its buttons pressed and
// keys struck in the X server (through xdotool), so the program under test
// gets its messages from Wine's X11 driver exactly as from a user's mouse
// and keyboard, hit tests, capture and double clicks included.
//
// One xdotool process serves the whole test program. It takes its commands
// from a file that grows line by line: an xdotool process that ends hands the
// pointer back to the middle of the screen, so a single one must live while
// a test looks at what the pointer is over.
#pragma once

#include <windows.h>

#include <string>

namespace tests {

class TXInput {
public:
    // The input of the test program; false from Available() when the
    // platform has no X server or no xdotool.
    static TXInput& Instance();
    bool Available() const { return file_ != INVALID_HANDLE_VALUE; }

    // Moves the pointer to a screen point and waits (handling the calling
    // thread's messages) until the system sees it there; false when it never
    // arrives. The methods may be called from a helper thread.
    bool MoveTo(POINT screen);
    // The same, waiting in the application's message loop, which tells
    // windowless controls that the mouse entered or left them.
    bool MoveThroughApplication(POINT screen);
    // Presses and releases the left button (or `button`) where the pointer is.
    void Press(int button = 1);
    void Release(int button = 1);
    void Click(int button = 1);
    // Strikes a key of the focused window, by its X name ("Escape").
    void Key(const std::string& name);
    // Holds a key down (a modifier: "shift", "ctrl") and lets it go.
    void KeyDown(const std::string& name);
    void KeyUp(const std::string& name);

    ~TXInput();
    TXInput(const TXInput&) = delete;
    TXInput& operator=(const TXInput&) = delete;

private:
    TXInput();
    void Send(const std::string& line);

    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::wstring path_;
};

// Waits until the thread's user-interface state has (or, with set false,
// no longer has) the GUI_* flag, e.g. GUI_INMOVESIZE while the system sizes
// a window in its own loop. Input for such a loop has to come from another
// thread than the one running it.
bool WaitForGuiState(DWORD thread, DWORD flag, bool set = true);

} // namespace tests
