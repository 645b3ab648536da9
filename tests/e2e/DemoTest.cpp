// The demo program as a process: its main form opens every kind of window
// the skin engine is tried on, each with the window styles it stands for and
// wearing the skin as its kind should, and every page of the gallery of
// controls.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ProcessDriver.h"
#include "skin/format/LZHEncoder.h"
#include "skin/format/SkinFolder.h"
#include "skin/window/SkinMessages.h"
#include "ui/core/Utf8.h"
#include "ui/graphics/Graphics.h"

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

// ---- Skins given on the command line

// The row of the title bar read back: the middle row of its 27, which the
// frame's top picture gives unstretched.
constexpr int TitleRow = 13;

// Our skin's folder as the program's sources hold it.
skin::TSkinFolder OurSkin()
{
    return skin::ReadSkinFolder(DosPath(ui::Utf8ToWide(TESSALY_SKIN_SOURCE))).Files;
}

skin::TSkinFolderFile& FileOf(skin::TSkinFolder& folder, const std::string& name)
{
    for (skin::TSkinFolderFile& picture : folder.Pictures)
        if (picture.Name == name)
            return picture;
    throw std::runtime_error("our skin has no " + name);
}

// The colours of the top border picture's title row: active, inactive frame.
std::pair<COLORREF, COLORREF> TitleColours(skin::TSkinFolder& folder)
{
    const std::vector<std::uint8_t>& bytes = FileOf(folder, "frametop.bmp").Bytes;
    ui::TBitmap picture;
    picture.LoadFromBytes(bytes.data(), bytes.size());
    const auto at = [&](int y) {
        const std::uint8_t* pixel = picture.ScanLine(y) + picture.Width() / 2 * 3;
        return RGB(pixel[2], pixel[1], pixel[0]);
    };
    return {at(TitleRow), at(picture.Height() / 2 + TitleRow)};
}

// Our skin with its top border, the title bar's face, one solid colour.
skin::TSkinFolder RecolouredSkin(COLORREF colour)
{
    skin::TSkinFolder folder = OurSkin();
    std::vector<std::uint8_t>& bytes = FileOf(folder, "frametop.bmp").Bytes;
    ui::TBitmap picture;
    picture.LoadFromBytes(bytes.data(), bytes.size());
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            std::uint8_t* pixel = picture.ScanLine(y) + x * 3;
            pixel[0] = GetBValue(colour);
            pixel[1] = GetGValue(colour);
            pixel[2] = GetRValue(colour);
        }
    bytes = picture.SaveToBytes();
    return folder;
}

void WriteFolder(const std::wstring& path, const skin::TSkinFolder& folder)
{
    CreateDirectoryW(path.c_str(), nullptr);
    WriteBytes(path + L"\\" + ui::Utf8ToWide(folder.Description.Name),
               std::string(folder.Description.Bytes.begin(), folder.Description.Bytes.end()));
    for (const skin::TSkinFolderFile& picture : folder.Pictures)
        WriteBytes(path + L"\\" + ui::Utf8ToWide(picture.Name), std::string(picture.Bytes.begin(), picture.Bytes.end()));
}

// The skin file of the folder, as `skintool pack --skin-file` writes it.
std::string SkinFile(const skin::TSkinFolder& folder)
{
    const std::vector<std::uint8_t> packed =
        skin::PackLzhPackage(skin::WriteSkinPackage(skin::SkinPackageEntries(".", folder)));
    return std::string(packed.begin(), packed.end());
}

// The colour of the title bar's middle at TitleRow, read from the screen.
COLORREF TitlePixel(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, (r.left + r.right) / 2, r.top + TitleRow);
    ReleaseDC(nullptr, screen);
    return colour;
}

std::string Hex(COLORREF colour)
{
    char text[16];
    snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
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

// The demo started on a skin folder or a skin file wears that skin: here our
// skin with a red title bar.
TEST(Demo, WearsTheSkinItIsStartedOn)
{
    const COLORREF red = RGB(200, 40, 40);
    const skin::TSkinFolder recoloured = RecolouredSkin(red);
    const struct {
        const char* What;
        bool Folder;
    } cases[] = {{"a skin folder", true}, {"a skin file", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TTempDir dir;
        const std::wstring skin = dir / (c.Folder ? L"红色皮肤" : L"红色.skn");
        if (c.Folder)
            WriteFolder(skin, recoloured);
        else
            WriteBytes(skin, SkinFile(recoloured));
        TTessaly demo(dir, nullptr, TProgram::Demo);
        demo.Start(skin);
        HWND main = demo.WaitForWindow(L"TDemoMain");
        ASSERT_TRUE(main);
        EXPECT_TRUE(WaitFor([&] { return TitlePixel(main) == red; })) << Hex(TitlePixel(main));
        EXPECT_FALSE(demo.FindWindowOfClass(L"#32770")) << "no error shown";
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(demo.WaitForExit(), 0u);
    }
}

// A skin that cannot be used is shown with what is wrong with it, and the
// demo goes on in its compiled-in skin.
TEST(Demo, ShowsWhatIsWrongWithABrokenSkinAndKeepsItsOwn)
{
    skin::TSkinFolder ours = OurSkin();
    const auto [active, inactive] = TitleColours(ours);
    skin::TSkinFolder missingPicture = ours;
    std::string description(ours.Description.Bytes.begin(), ours.Description.Bytes.end());
    const std::size_t top = description.find("Top=frametop.bmp");
    ASSERT_NE(top, std::string::npos);
    description.replace(top, 16, "Top=nosuch.bmp");
    missingPicture.Description.Bytes.assign(description.begin(), description.end());

    const struct {
        const char* What;
        const wchar_t* Name;
        std::function<void(const std::wstring&)> Make;
        const wchar_t* Told;  // a part of the error shown
    } cases[] = {
        {"a folder whose description names a missing picture", L"皮肤",
         [&](const std::wstring& path) { WriteFolder(path, missingPicture); }, L"nosuch.bmp"},
        {"a file that holds no skin package", L"皮肤.skn",
         [](const std::wstring& path) { WriteBytes(path, "This is a note, not a skin.\r\n"); }, L"cannot be loaded"},
        {"a name that is neither", L"没有.skn", [](const std::wstring&) {}, L"no skin folder or skin file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TTempDir dir;
        c.Make(dir / c.Name);
        TTessaly demo(dir, nullptr, TProgram::Demo);
        demo.Start(dir / c.Name);
        const TMessageBox box = demo.WaitForMessageBox();
        ASSERT_TRUE(box.Window) << "an error is shown";
        EXPECT_NE(box.Text.find(c.Told), std::wstring::npos) << testing::PrintToString(box.Text);
        TTessaly::AnswerMessageBox(box);
        HWND main = demo.WaitForWindow(L"TDemoMain");
        ASSERT_TRUE(main);
        EXPECT_TRUE(WaitFor([&] { return TitlePixel(main) == active || TitlePixel(main) == inactive; }))
            << Hex(TitlePixel(main)) << " is neither " << Hex(active) << " nor " << Hex(inactive);
        EXPECT_TRUE(HasController(main));
        EXPECT_FALSE(demo.FindWindowOfClass(L"#32770")) << "one error box";
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(demo.WaitForExit(), 0u);
    }
}
