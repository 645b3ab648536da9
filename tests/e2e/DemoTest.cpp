// The demo program as a process: its main form opens every kind of window
// the skin engine is tried on, each with the window styles it stands for and
// wearing the skin as its kind should, and every page of the gallery of
// controls.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "ProcessDriver.h"
#include "skin/window/SkinMessages.h"

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

// Whether the window has a skin controller: it answers WM_SKINQUERY with 1.
bool HasController(HWND window)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, skin::WM_SKINQUERY, 0, 0, SMTO_BLOCK, 2000, &answer) && answer == 1;
}

// Whether the window wears the skin's frame: the compiled-in skin cuts its
// corners, so a skinned frame comes with a window region, the system's
// frame without one.
bool HasRegion(HWND window)
{
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool has = GetWindowRgn(window, region) != ERROR;
    DeleteObject(region);
    return has;
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
    std::vector<HWND> bare;
    for (HWND wnd : demo.VisibleWindows())
        if (!(Style(wnd) & WS_CAPTION) && (Style(wnd) & WS_POPUP) && !TTessaly::Children(wnd, L"Button").empty())
            bare.push_back(wnd);
    ASSERT_EQ(bare.size(), 1u);

    // Who wears what. Windows with a menu bar wear the skin's frame around
    // the skin's bar; the child made with the MDI child border option keeps
    // the system's frame; the Tag 99 form gets no controller at all.
    const std::vector<HWND> children = TTessaly::Children(client, L"TDemoChild");
    const auto child = [&](const std::wstring& caption) {
        for (HWND wnd : children)
            if (TTessaly::Text(wnd) == caption)
                return wnd;
        return HWND{};
    };
    const struct {
        const char* what;
        HWND window;
        bool skinFrame;
    } worn[] = {
        {"main form", main, true},
        {"MDI frame", frame, true},
        {"MDI child", child(L"文档 1"), true},
        {"MDI child with the system frame", child(L"文档 3（系统边框）"), false},
        {"sizeable form", sizeable, true},
        {"tool window", tool, true},
        {"right-to-left form with a menu bar", rightToLeft, true},
    };
    for (const auto& w : worn) {
        SCOPED_TRACE(w.what);
        ASSERT_TRUE(w.window);
        EXPECT_TRUE(WaitFor([&] { return HasController(w.window); }));
        EXPECT_TRUE(WaitFor([&] { return HasRegion(w.window) == w.skinFrame; }))
            << (w.skinFrame ? "the skin's frame" : "the system's frame");
    }
    EXPECT_TRUE(HasController(bare[0])) << "the form without a caption: its controls are the skin's";
    EXPECT_FALSE(HasController(tagged));
    EXPECT_FALSE(HasRegion(tagged));


    PostMessageW(main, WM_CLOSE, 0, 0);  // closing the main form ends the program
    EXPECT_EQ(demo.WaitForExit(), 0u);
}

// Each page opens from its button on the main form, owned by the main form,
// with the windows of the controls it shows.
TEST(Demo, EveryGalleryPageOpensWithItsControls)
{
    TTempDir dir;
    TTessaly demo(dir, nullptr, TProgram::Demo);
    demo.Start();
    HWND main = demo.WaitForWindow(L"TDemoMain");
    ASSERT_TRUE(main);
    const struct {
        const wchar_t* Button;
        const wchar_t* Caption;
        std::vector<std::pair<const wchar_t*, std::size_t>> Windows;  // class, how many
    } pages[] = {
        {L"按钮", L"控件：按钮", {{L"Button", 9}, {L"TPanel", 1}}},
        {L"复选框与单选按钮",
         L"控件：复选框与单选按钮",
         {{L"Button", 20}, {L"TGroupBox", 3}, {L"TRadioGroup", 1}}},
        {L"状态栏、进度条、滑块与标题",
         L"控件：状态栏、进度条、滑块与标题",
         {{STATUSCLASSNAMEW, 1}, {PROGRESS_CLASSW, 5}, {TRACKBAR_CLASSW, 3}, {WC_HEADERW, 1}}},
        {L"工具栏、酷栏与框架",
         L"控件：工具栏、酷栏与框架",
         {{TOOLBARCLASSNAMEW, 3}, {REBARCLASSNAMEW, 1}, {L"TDemoOptionsFrame", 2}, {PROGRESS_CLASSW, 2}}},
        {L"滚动条、备忘录与微调",
         L"控件：滚动与微调",
         {{L"ListBox", 1}, {L"Edit", 3}, {L"ScrollBar", 2}, {UPDOWN_CLASSW, 2}}},
        {L"表格与滚动框",
         L"控件：表格与滚动框",
         {{L"TStringGrid", 1}, {L"TScrollBox", 1}, {L"ListBox", 1}, {L"Edit", 2}, {L"Button", 3}}},
        {L"编辑框、组合框与日期", L"控件：编辑框、组合框与日期", {{L"ComboBox", 7}, {DATETIMEPICK_CLASSW, 4}}},
        {L"媒体播放器", L"控件：媒体播放器", {{L"TMediaPlayer", 5}}},
        {L"标签页与标签集", L"控件：标签页", {{WC_TABCONTROLW, 8}, {L"TTabSheet", 15}, {L"TTabSet", 1}}},
        {L"列表视图与树视图",
         L"控件：列表视图与树视图",
         {{WC_LISTVIEWW, 2}, {WC_HEADERW, 2}, {WC_TREEVIEWW, 2}}},
    };
    for (const auto& page : pages) {
        HWND button = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (button = TTessaly::ButtonWithText(main, page.Button)) != nullptr; }));
        TTessaly::Click(button);
        HWND wnd = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (wnd = WindowWithCaption(demo, page.Caption)) != nullptr; }))
            << "page " << testing::PrintToString(std::wstring(page.Caption));
        EXPECT_EQ(GetWindow(wnd, GW_OWNER), main);
        for (auto [cls, count] : page.Windows)
            EXPECT_EQ(TTessaly::Children(wnd, cls).size(), count) << testing::PrintToString(std::wstring(cls));
    }

    // The tool-bar page's bars hold their buttons, separators included, and
    // the menu bar one button per top-level item.
    HWND tools = WindowWithCaption(demo, L"控件：工具栏、酷栏与框架");
    std::vector<LRESULT> counts;
    for (HWND bar : TTessaly::Children(tools, TOOLBARCLASSNAMEW))
        counts.push_back(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    std::sort(counts.begin(), counts.end());
    EXPECT_EQ(counts, (std::vector<LRESULT>{3, 5, 7}));
    HWND checks = WindowWithCaption(demo, L"控件：复选框与单选按钮");
    const auto groups = TTessaly::Children(checks, L"TRadioGroup");
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(TTessaly::Children(groups[0], L"Button").size(), 5u) << "one radio button per item";

    // The tabs page answers the skin's request to close a tab: all but the
    // first may close.
    HWND tabs = WindowWithCaption(demo, L"控件：标签页");
    const auto tabControls = TTessaly::Children(tabs, WC_TABCONTROLW);
    ASSERT_FALSE(tabControls.empty());
    const auto closeTab = [&](LPARAM index) {
        return SendMessageW(tabs, skin::WM_SKINCLOSETAB, reinterpret_cast<WPARAM>(tabControls[0]), index);
    };
    EXPECT_NE(closeTab(0), 0);
    EXPECT_EQ(closeTab(2), 0);

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(demo.WaitForExit(), 0u);
}
