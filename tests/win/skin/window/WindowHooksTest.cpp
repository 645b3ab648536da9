// The hooks of the skin engine on real windows: a window subclass that finds
// its object through a window property and gives the procedure back, and the
// thread's CBT hook.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "skin/window/WindowHooks.h"
#include "tests/win/support/MessageRecorder.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/WindowTestSupport.h"

using namespace skin;
using namespace tests;

namespace {

constexpr UINT TestMessage = WM_USER + 17;

// A top-level window of this module whose procedure answers TestMessage with 7.
LRESULT CALLBACK AnswerSeven(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return msg == TestMessage ? 7 : DefWindowProcW(window, msg, wParam, lParam);
}

LRESULT CALLBACK AnswerSevenAnsi(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return msg == TestMessage ? 7 : DefWindowProcA(window, msg, wParam, lParam);
}

class TTestWindow {
public:
    explicit TTestWindow(bool unicode = true)
    {
        if (unicode) {
            WNDCLASSW wc{};
            wc.lpfnWndProc = AnswerSeven;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"HookTestWide";
            RegisterClassW(&wc);
            window = CreateWindowExW(0, L"HookTestWide", L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
        } else {
            WNDCLASSA wc{};
            wc.lpfnWndProc = AnswerSevenAnsi;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = "HookTestAnsi";
            RegisterClassA(&wc);
            window = CreateWindowExA(0, "HookTestAnsi", "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
        }
    }
    ~TTestWindow()
    {
        if (IsWindow(window))
            DestroyWindow(window);
    }
    HWND window;
};

} // namespace

TEST(WindowSubclass, HandlesMessagesPassesTheRestOnAndGivesTheProcedureBack)
{
    for (const bool unicode : {true, false}) {
        SCOPED_TRACE(unicode ? "wide window" : "ANSI window");
        TTestWindow w(unicode);
        const WNDPROC own = WindowProcedure(w.window);
        std::vector<UINT> seen;
        TWindowSubclass subclass(w.window, TSubclassKind::SkinForm, [&](UINT msg, WPARAM wParam, LPARAM lParam) {
            seen.push_back(msg);
            return msg == WM_USER ? LRESULT{42} : subclass.CallOld(msg, wParam, lParam);
        });
        EXPECT_NE(WindowProcedure(w.window), own);
        EXPECT_EQ(IsWindowUnicode(w.window) != FALSE, unicode) << "the window keeps its character set";
        EXPECT_EQ(SendMessageW(w.window, WM_USER, 0, 0), 42);
        EXPECT_EQ(SendMessageW(w.window, TestMessage, 0, 0), 7) << "the old procedure answers the rest";
        EXPECT_EQ(seen, (std::vector<UINT>{WM_USER, TestMessage}));

        EXPECT_TRUE(subclass.Restore());
        EXPECT_FALSE(subclass.Installed());
        EXPECT_EQ(WindowProcedure(w.window), own);
        EXPECT_EQ(IsWindowUnicode(w.window) != FALSE, unicode);
        EXPECT_EQ(SendMessageW(w.window, WM_USER, 0, 0), 0) << "the handler sees nothing any more";
    }
}

TEST(WindowSubclass, OneOfAKindPerWindow)
{
    TTestWindow w;
    TWindowSubclass first(w.window, TSubclassKind::SkinForm, [](UINT, WPARAM, LPARAM) { return LRESULT{1}; });
    EXPECT_THROW(TWindowSubclass(w.window, TSubclassKind::SkinForm, [](UINT, WPARAM, LPARAM) { return LRESULT{2}; }),
                 ui::Exception);
    // Another kind stacks over it and both are reached.
    TWindowSubclass other(w.window, TSubclassKind::MdiClient,
                          [&](UINT msg, WPARAM wParam, LPARAM lParam) { return other.CallOld(msg, wParam, lParam) + 10; });
    EXPECT_EQ(SendMessageW(w.window, WM_USER, 0, 0), 11);
}

TEST(WindowSubclass, OutOfOrderRestoreLeavesAPassThroughUntilTheWindowGoes)
{
    TTestWindow w;
    const WNDPROC own = WindowProcedure(w.window);
    auto subclass = std::make_unique<TWindowSubclass>(w.window, TSubclassKind::SkinForm,
                                                      [](UINT, WPARAM, LPARAM) { return LRESULT{99}; });
    {
        TMessageRecorder onTop(w.window);  // a procedure of someone else over ours
        EXPECT_FALSE(subclass->Restore()) << "ours is not on top";
        subclass.reset();
        EXPECT_EQ(SendMessageW(w.window, TestMessage, 0, 0), 7) << "messages pass through to the old procedure";
        EXPECT_EQ(onTop.Count(TestMessage), 1);
    }
    EXPECT_NE(WindowProcedure(w.window), own) << "the pass-through stays in the chain";
    EXPECT_EQ(SendMessageW(w.window, TestMessage, 0, 0), 7);
    EXPECT_EQ(SendMessageW(w.window, WM_USER, 0, 0), 0) << "the freed handler is never called";
    DestroyWindow(w.window);
    // A new subclass of the same kind is possible on a new window with the
    // same procedure chain: nothing of the old link is left behind.
    TTestWindow again;
    TWindowSubclass fresh(again.window, TSubclassKind::SkinForm, [](UINT, WPARAM, LPARAM) { return LRESULT{5}; });
    EXPECT_EQ(SendMessageW(again.window, WM_USER, 0, 0), 5);
}

TEST(WindowSubclass, AWindowThatGoesTakesTheSubclassAlong)
{
    TTestWindow w;
    bool sawDestroy = false;
    TWindowSubclass subclass(w.window, TSubclassKind::SkinForm, [&](UINT msg, WPARAM wParam, LPARAM lParam) {
        sawDestroy |= msg == WM_NCDESTROY;
        return subclass.CallOld(msg, wParam, lParam);
    });
    DestroyWindow(w.window);
    EXPECT_TRUE(sawDestroy);
    EXPECT_FALSE(subclass.Installed());
    EXPECT_TRUE(subclass.Restore()) << "nothing is left to give back";
}

TEST(WindowSubclass, AnErrorInTheHandlerIsShownAndTheWindowGoesOn)
{
    TTestWindow w;
    TErrorLog errors;
    TWindowSubclass subclass(w.window, TSubclassKind::SkinForm, [&](UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_USER)
            throw std::runtime_error("handler failed");
        return subclass.CallOld(msg, wParam, lParam);
    });
    EXPECT_EQ(SendMessageW(w.window, WM_USER, 0, 0), 0);
    ASSERT_EQ(errors.Shown.size(), 1u);
    EXPECT_NE(errors.Shown[0].find("handler failed"), std::string::npos);
    EXPECT_EQ(SendMessageW(w.window, TestMessage, 0, 0), 7);
}

TEST(CbtHook, SeesTheThreadsWindowsAndLetsThemBe)
{
    std::vector<std::pair<int, HWND>> events;
    auto hook = std::make_unique<TCbtHook>([&](int code, WPARAM wParam, LPARAM) {
        if (code == HCBT_CREATEWND || code == HCBT_DESTROYWND)
            events.emplace_back(code, reinterpret_cast<HWND>(wParam));
    });
    EXPECT_THROW(TCbtHook([](int, WPARAM, LPARAM) {}), ui::Exception) << "one per thread";
    HWND window = nullptr;
    {
        TTestWindow w;
        window = w.window;
        EXPECT_TRUE(IsWindow(window)) << "the hook does not stop the creation";
    }
    std::erase_if(events, [&](const auto& e) { return e.second != window; });  // the system's helper windows
    EXPECT_EQ(events, (std::vector<std::pair<int, HWND>>{{HCBT_CREATEWND, window}, {HCBT_DESTROYWND, window}}));
    hook.reset();
    events.clear();
    TTestWindow later;
    EXPECT_TRUE(events.empty());
    TCbtHook again([](int, WPARAM, LPARAM) {});  // a new one may come once the old is gone
}

TEST(CbtHook, AnErrorInTheHandlerIsShownAndTheWindowIsMade)
{
    TErrorLog errors;
    TCbtHook hook([](int code, WPARAM, LPARAM) {
        if (code == HCBT_CREATEWND)
            throw std::runtime_error("hook failed");
    });
    TTestWindow w;
    EXPECT_TRUE(IsWindow(w.window));
    ASSERT_FALSE(errors.Shown.empty());
    EXPECT_NE(errors.Shown[0].find("hook failed"), std::string::npos);
}
