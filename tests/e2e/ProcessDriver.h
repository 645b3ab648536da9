// Drives tessaly.exe as a separate process: a temporary folder holding a copy
// of the program and a password file, the process started there, its windows
// found by class, text typed and buttons pressed through messages, message
// boxes read and answered, and the exit code collected.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace e2e {

using tests::BeyondMemory;
using tests::ReadBytes;
using tests::TTempDir;
using tests::WriteBytes;
using tests::WriteSparseFile;

using namespace std::chrono_literals;

// The paths of tessaly.exe and tessaly_demo.exe given to the test program on
// its command line.
void SetProgramPath(const std::wstring& path);
void SetDemoPath(const std::wstring& path);
// A Unix path as Wine sees it (the Unix root is drive Z:); other paths as they are.
std::wstring DosPath(std::wstring path);
// The path of tessaly.exe as Wine sees it (empty when none was given).
const std::wstring& ProgramPath();

// Which program a TTessaly runs.
enum class TProgram { Tessaly, Demo };

// Waits until condition holds or the time runs out; true when it held.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);


// What a message box of the program shows.
struct TMessageBox {
    HWND Window = nullptr;
    std::wstring Caption;
    std::wstring Text;
};

class TTessaly {
public:
    // Copies the program into dir and, unless password is null, writes a
    // password file for it holding that password (ANSI bytes).
    explicit TTessaly(const TTempDir& dir, const char* password = "secret", TProgram program = TProgram::Tessaly);
    ~TTessaly();  // ends the process if it still runs

    // Starts the program, with one argument when it is not empty.
    void Start(const std::wstring& argument = {});
    DWORD ProcessId() const { return info_.dwProcessId; }
    bool Running() const;
    // Waits for the process to end; its exit code, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(std::chrono::milliseconds timeout = 10s);

    // The visible top-level windows of the process.
    std::vector<HWND> VisibleWindows() const;
    // The first visible top-level window of that class, or null.
    HWND FindWindowOfClass(const wchar_t* cls) const;
    HWND WaitForWindow(const wchar_t* cls, std::chrono::milliseconds timeout = 10s) const;
    // The next message box, with its caption and text.
    TMessageBox WaitForMessageBox(std::chrono::milliseconds timeout = 10s) const;
    // Presses the OK button of a message box.
    static void AnswerMessageBox(const TMessageBox& box);

    // Child windows of a class, top to bottom then left to right.
    static std::vector<HWND> Children(HWND parent, const wchar_t* cls);
    // The child button with that caption, or null.
    static HWND ButtonWithText(HWND parent, const std::wstring& caption);
    static void SetText(HWND edit, const std::wstring& text);
    static std::wstring Text(HWND window);
    // Presses a button as a click does (posted, so a modal box it opens does
    // not block the test).
    static void Click(HWND button);
    // A key pressed in a window, through the program's message loop.
    static void PressKey(HWND window, WPARAM key);

    const std::wstring& ExePath() const { return exe_; }

private:
    std::wstring dir_;
    std::wstring exe_;
    PROCESS_INFORMATION info_{};
};

} // namespace e2e
