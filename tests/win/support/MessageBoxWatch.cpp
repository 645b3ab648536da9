// The test program's watch for message boxes no test asked for. A fault that
// makes the program show an error box (the error guard, the application's
// error handling, a plain MessageBox) would otherwise hold the test in the
// box's modal loop until the test run's time limit ends the whole program,
// and every later test with it. The watch, a thread that lives as long as
// the tests run, reports such a box as a failure of the running test, with
// its caption and text, and presses its first button: the box returns and
// the test goes on to its end. Tests that show boxes on purpose declare it
// with TExpectedMessageBoxes (TMessageBoxAnswerer does).
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/win/support/WindowTestSupport.h"
#include "ui/core/Utf8.h"

namespace tests {

namespace {

using namespace std::chrono_literals;

// Presses the box's first button; true once the box is gone.
bool Dismiss(HWND box)
{
    HWND button = FindWindowExW(box, nullptr, L"Button", nullptr);
    const auto id = static_cast<WORD>(button ? GetDlgCtrlID(button) : IDCANCEL);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (IsWindow(box) && IsWindowVisible(box)) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class TMessageBoxWatch : public ::testing::EmptyTestEventListener {
    void OnTestProgramStart(const ::testing::UnitTest&) override
    {
        thread_ = std::thread([this] { Watch(); });
    }

    void OnTestProgramEnd(const ::testing::UnitTest&) override
    {
        stop_ = true;
        thread_.join();
    }

    void Watch()
    {
        while (!stop_) {
            if (!TExpectedMessageBoxes::Any())
                if (const HWND box = OwnMessageBox())
                    Report(box);
            std::this_thread::sleep_for(20ms);
        }
    }

    // The failure goes to the running test before the box returns to it.
    static void Report(HWND box)
    {
        ADD_FAILURE() << "an unexpected message box \"" << ui::WideToUtf8(MessageBoxCaption(box))
                      << "\": " << ui::WideToUtf8(MessageBoxText(box)) << " (dismissed)";
        if (!Dismiss(box))
            ADD_FAILURE() << "the unexpected message box could not be dismissed";
    }

    std::atomic<bool> stop_{false};
    std::thread thread_;
};

const bool watchInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new TMessageBoxWatch);
    return true;
}();

} // namespace

} // namespace tests
