// The test program's watch for unexpected message boxes: a box that no test
// asked for fails the running test at once, with its text, and is dismissed,
// so the test ends and the tests after it run.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

#include "tests/win/support/WindowTestSupport.h"
#include "ui/forms/ErrorGuard.h"
#include "ui/forms/Forms.h"

namespace tests {
namespace {

using namespace std::chrono_literals;

[[noreturn]] void Fail(const char* what)
{
    throw std::runtime_error(what);
}

// Each way the program shows an error box: the error guard (through the
// application's error handling), that handling itself, the guard's last
// resort when the handling fails, and a plain box.
TEST(MessageBoxWatch, AnUnexpectedBoxFailsTheRunningTestWithItsTextAndIsDismissed)
{
    struct Case {
        const char* what;
        std::function<void()> show;
        const char* text;
    };
    const Case cases[] = {
        {"error guard", [] { ui::CallGuarded([] { Fail("guarded fault"); }); }, "guarded fault"},
        {"error handling", [] { ui::Application()->HandleException(std::runtime_error("handled fault")); },
         "handled fault"},
        {"last resort",
         [] {
             ui::Application()->OnException = ui::TExceptionEvent([](ui::TObject*, const std::exception&) { throw 7; });
             ui::CallGuarded([] { Fail("unhandled"); });
             ui::Application()->OnException = {};
         },
         "程序无法处理发生的错误"},
        {"plain box", [] { MessageBoxW(nullptr, L"plain fault", L"A box", MB_YESNO); }, "plain fault"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(c.show(), c.text);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
        EXPECT_EQ(OwnMessageBox(), nullptr) << "the box is gone";
    }
}

// A box the test expects is the test's to answer.
TEST(MessageBoxWatch, ABoxTheTestExpectsIsLeftToIt)
{
    TExpectedMessageBoxes expected;
    std::thread answerer([] {
        HWND box = nullptr;
        const auto end = std::chrono::steady_clock::now() + 5s;
        while (!(box = OwnMessageBox()) && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(10ms);
        std::this_thread::sleep_for(300ms);  // long enough for the watch to have seen it
        if (box)
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
    });
    EXPECT_EQ(MessageBoxW(nullptr, L"Expected", L"A box", MB_YESNO), IDNO) << "answered by the test, not the watch";
    answerer.join();
}

// Run only by the child program of the next test: the first shows an error
// box, which fails it; the second runs all the same.
TEST(MessageBoxWatchChild, DISABLED_AnErrorBoxFailsThisTest)
{
    ui::CallGuarded([] { Fail("a fault in the child"); });
}

TEST(MessageBoxWatchChild, DISABLED_TheNextTestRuns)
{
    SUCCEED();
}

// The output of a program run to its end (at most `limit`), and its exit
// code; -1 when it had to be ended.
struct TRun {
    std::string Output;
    DWORD ExitCode = static_cast<DWORD>(-1);
};

TRun RunToEnd(std::wstring commandLine, std::chrono::milliseconds limit)
{
    TRun run;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, 0))
        return run;
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = write;
    PROCESS_INFORMATION pi{};
    const bool started =
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi) != FALSE;
    CloseHandle(write);
    if (!started) {
        CloseHandle(read);
        return run;
    }
    std::thread reader([&] {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0)
            run.Output.append(buffer, got);
    });
    if (WaitForSingleObject(pi.hProcess, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &run.ExitCode);
    else
        TerminateProcess(pi.hProcess, static_cast<UINT>(-1));
    reader.join();
    CloseHandle(read);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return run;
}

TEST(MessageBoxWatch, AfterAnUnexpectedBoxTheRestOfTheTestsRun)
{
    wchar_t self[MAX_PATH]{};
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    const auto start = std::chrono::steady_clock::now();
    const TRun run = RunToEnd(L"\"" + std::wstring(self) +
                                  L"\" --gtest_filter=MessageBoxWatchChild.* --gtest_also_run_disabled_tests",
                              60s);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 60s) << "the child waited on its box";
    EXPECT_EQ(run.ExitCode, 1u) << run.Output;
    EXPECT_NE(run.Output.find("a fault in the child"), std::string::npos) << run.Output;
    EXPECT_NE(run.Output.find("[  FAILED  ] MessageBoxWatchChild.DISABLED_AnErrorBoxFailsThisTest"), std::string::npos)
        << run.Output;
    EXPECT_NE(run.Output.find("[       OK ] MessageBoxWatchChild.DISABLED_TheNextTestRuns"), std::string::npos)
        << run.Output;
}

} // namespace
} // namespace tests
