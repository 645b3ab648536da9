// The demo program as a process: its main form opens every kind of window
// the skin engine is tried on, each with the window styles it stands for.
#include <gtest/gtest.h>

#include "ProcessDriver.h"

using namespace e2e;

namespace {

LONG_PTR Style(HWND wnd)
{
    return GetWindowLongPtrW(wnd, GWL_STYLE);
}

LONG_PTR ExStyle(HWND wnd)
{
    return GetWindowLongPtrW(wnd, GWL_EXSTYLE);
}

// The visible top-level window of the process with that caption.
// How far below the window's top edge its client area starts.
int ClientTop(HWND wnd)
{
    RECT window{};
    GetWindowRect(wnd, &window);
    POINT client{0, 0};
    ClientToScreen(wnd, &client);
    return client.y - window.top;
}

HWND WindowWithCaption(const TTessaly& demo, const std::wstring& caption)
{
    for (HWND wnd : demo.VisibleWindows())
        if (TTessaly::Text(wnd) == caption)
            return wnd;
    return nullptr;
}

} // namespace

TEST(Demo, TheMainFormOpensEveryKindOfWindow)
{
    TTempDir dir;
    TTessaly demo(dir, nullptr, TProgram::Demo);
    demo.Start();
    HWND main = demo.WaitForWindow(L"TDemoMain");
    ASSERT_TRUE(main);
    HWND all = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (all = TTessaly::ButtonWithText(main, L"全部打开")) != nullptr; }));
    TTessaly::Click(all);

    HWND frame = demo.WaitForWindow(L"TDemoFrame");
    ASSERT_TRUE(frame);
    HWND client = FindWindowExW(frame, nullptr, L"MDIClient", nullptr);
    ASSERT_TRUE(client);
    EXPECT_TRUE(WaitFor([&] { return TTessaly::Children(client, L"TDemoChild").size() == 3; }));

    // The plain forms, found by caption once all are open.
    HWND sizeable = nullptr, tool = nullptr, tagged = nullptr, rightToLeft = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        sizeable = WindowWithCaption(demo, L"可调大小的窗口");
        tool = WindowWithCaption(demo, L"工具窗口");
        tagged = WindowWithCaption(demo, L"Tag 99：从不换肤");
        rightToLeft = WindowWithCaption(demo, L"从右到左的窗口");
        return sizeable && tool && tagged && rightToLeft;
    }));
    EXPECT_TRUE(Style(sizeable) & WS_THICKFRAME);
    EXPECT_TRUE(ExStyle(tool) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(Style(tagged) & WS_THICKFRAME);
    EXPECT_TRUE(ExStyle(rightToLeft) & WS_EX_LEFTSCROLLBAR);
    // The skin draws the menu bars between the title and the client area, in
    // place of the windows' own (which are off the windows meanwhile).
    for (HWND withMenu : {frame, rightToLeft}) {
        EXPECT_EQ(ClientTop(withMenu), ClientTop(sizeable) + GetSystemMetrics(SM_CYMENU)) << "a menu bar's room";
        EXPECT_FALSE(GetMenu(withMenu));
    }
    for (HWND owned : {frame, sizeable, tool, tagged, rightToLeft})
        EXPECT_EQ(GetWindow(owned, GW_OWNER), main) << "owned by the main form";

    // The form without a caption: the one window of its class with no caption bar.
    int bare = 0;
    for (HWND wnd : demo.VisibleWindows())
        if (!(Style(wnd) & WS_CAPTION) && (Style(wnd) & WS_POPUP) && !TTessaly::Children(wnd, L"Button").empty())
            ++bare;
    EXPECT_EQ(bare, 1);

    PostMessageW(main, WM_CLOSE, 0, 0);  // closing the main form ends the program
    EXPECT_EQ(demo.WaitForExit(), 0u);
}
