// Message-sequence tests in the manner of Wine's window tests: a recorder
// subclasses a window and notes every message of interest that reaches it;
// a table of expected entries, some optional, is then compared with what was
// noted, and a mismatch is reported with both sequences side by side.
//
// Where the recorder sits decides what it sees: installed before the skin
// takes the window over it sits below the skin's procedure and sees what the
// skin passes on to the window's own procedure; installed after, it sees
// what the window receives.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

namespace tests {

// Flags of an expected entry.
enum : unsigned {
    Sent = 1,         // the message was sent (checked only when Sent or Posted is given)
    Posted = 2,       // the message was posted
    CheckWParam = 4,  // wParam must equal the entry's
    CheckLParam = 8,  // lParam must equal the entry's
    Optional = 16,    // may be missing
};

struct TExpectedMessage {
    UINT Msg;
    unsigned Flags = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
};

struct TRecordedMessage {
    UINT Msg;
    bool Sent;
    WPARAM WParam;
    LPARAM LParam;
    // What the window's procedure was when the message arrived.
    WNDPROC ProcedureOnArrival;
};

class TMessageRecorder {
public:
    // Records the messages of `window` that are in `only` (all when empty).
    explicit TMessageRecorder(HWND window, std::initializer_list<UINT> only = {});
    // Takes itself out of the window's procedure chain, if it is still on top.
    ~TMessageRecorder();
    TMessageRecorder(const TMessageRecorder&) = delete;
    TMessageRecorder& operator=(const TMessageRecorder&) = delete;

    const std::vector<TRecordedMessage>& Messages() const { return messages_; }
    void Clear() { messages_.clear(); }
    // How many times `msg` was recorded.
    int Count(UINT msg) const;
    // The recorder's own procedure, for checks of the procedure chain.
    WNDPROC Procedure() const;
    HWND Window() const { return window_; }

private:
    // Recorders on one window (over and under a skin) each take a slot of
    // their own: a procedure and a window property.
    static constexpr int Slots = 4;
    template <int Slot>
    static LRESULT CALLBACK RecorderProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Record(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND window_;
    int slot_ = -1;
    HHOOK hook_;
    std::set<UINT> only_;
    WNDPROC previous_;
    std::vector<TRecordedMessage> messages_;
};

// Compares what `recorder` noted with `expected`, in order; optional entries
// may be left out. The failure message shows both sequences.
::testing::AssertionResult OkSequence(const TMessageRecorder& recorder, const std::vector<TExpectedMessage>& expected,
                                      const std::string& context);

// A readable name of a message ("WM_NCPAINT", or its number).
std::string MessageName(UINT msg);

} // namespace tests
