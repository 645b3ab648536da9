// The main window of a logged-in tessaly.exe: the folder chooser, disguise
// and restore of listed folders, and the end of the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ProcessDriver.h"
#include "tests/win/support/XInput.h"

using namespace e2e;

namespace {

const std::string DisguiseFile = "[.ShellClassInfo]\r\nCLSID={645FF040-5081-101B-9F08-00AA002F954E}\r\n";

// tessaly.exe, logged in, with its main window's controls.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.Start();
        HWND login = app.WaitForWindow(L"TForm_mm");
        ASSERT_TRUE(login);
        const auto edits = TTessaly::Children(login, L"Edit");
        ASSERT_FALSE(edits.empty());
        TTessaly::SetText(edits[0], L"secret");
        TTessaly::Click(TTessaly::ButtonWithText(login, L"登录"));
        main = app.WaitForWindow(L"TForm_main");
        ASSERT_TRUE(main);
        // On a busy machine the window may answer a little later.
        ASSERT_TRUE(WaitFor([&] {
            const auto lists = TTessaly::Children(main, L"ListBox");
            list = lists.size() == 1 ? lists[0] : nullptr;
            encrypt = TTessaly::ButtonWithText(main, L"加密");
            decrypt = TTessaly::ButtonWithText(main, L"解密");
            return list && encrypt && decrypt;
        }));
    }

    int ItemCount() const { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); }
    std::wstring Item(int i) const
    {
        wchar_t buf[1024] = {};
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf));
        return buf;
    }

    // Presses a mouse button in the list, which opens the folder chooser.
    HWND OpenChooser(UINT down, UINT up)
    {
        PostMessageW(list, down, 0, MAKELPARAM(20, 20));
        PostMessageW(list, up, 0, MAKELPARAM(20, 20));
        return app.WaitForWindow(L"#32770");
    }
    void AnswerChooser(HWND chooser, int button)
    {
        PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(chooser); }));
    }

    std::vector<std::wstring> Items() const
    {
        std::vector<std::wstring> all;
        for (int i = 0; i < ItemCount(); ++i)
            all.push_back(Item(i));
        return all;
    }

    // Opens the main window's system menu by a right click on its title and
    // chooses its last item, the search, with the keyboard; confirms the
    // folder chooser, which starts in the program's folder.
    void ChooseFindDisguisedFolders()
    {
        tests::TXInput& input = tests::TXInput::Instance();
        ASSERT_TRUE(input.Available());
        RECT frame{};
        GetWindowRect(main, &frame);
        ASSERT_TRUE(input.MoveTo({(frame.left + frame.right) / 2, frame.top + 8}));
        input.Click(3);
        ASSERT_TRUE(app.WaitForWindow(L"#32768")) << "the system menu opens";
        input.Key("Up");  // from nothing chosen to the last item
        input.Key("Return");
        HWND chooser = app.WaitForWindow(L"#32770");
        ASSERT_TRUE(chooser);
        ASSERT_EQ(TTessaly::Text(chooser), L"选择目录");
        AnswerChooser(chooser, IDOK);
    }

    TTempDir dir;
    TTessaly app{dir};
    HWND main = nullptr, list = nullptr, encrypt = nullptr, decrypt = nullptr;
};

// Disguises folder as the program does: the system and read-only attributes
// and the disguise file.
void Disguise(const std::wstring& folder)
{
    WriteBytes(folder + L"\\desktop.ini", DisguiseFile);
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
}

std::wstring MakeFolder(const std::wstring& path)
{
    CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

} // namespace

TEST_F(MainWindow, TheChooserAddsTheConfirmedFolderAndCancelLeavesTheList)
{
    HWND chooser = OpenChooser(WM_LBUTTONDOWN, WM_LBUTTONUP);
    ASSERT_TRUE(chooser);
    EXPECT_EQ(TTessaly::Text(chooser), L"选择目录");
    AnswerChooser(chooser, IDCANCEL);
    EXPECT_EQ(ItemCount(), 0);

    // The chooser starts in the program's current folder; confirming takes it.
    chooser = OpenChooser(WM_RBUTTONDOWN, WM_RBUTTONUP);
    ASSERT_TRUE(chooser) << "a right click opens it too";
    AnswerChooser(chooser, IDOK);
    ASSERT_TRUE(WaitFor([&] { return ItemCount() == 1; }));
    EXPECT_EQ(_wcsicmp(Item(0).c_str(), dir.Path().c_str()), 0) << Item(0);
}

TEST_F(MainWindow, EncryptDisguisesTheListedFolderAndDecryptRestoresIt)
{
    const std::wstring folder = dir / L"保密资料";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    WriteBytes(folder + L"\\note.txt", "keep me");

    // The chooser starts in the program's folder; add it, then the folder in
    // it is what we disguise: take the chooser's path and extend it.
    HWND chooser = OpenChooser(WM_LBUTTONDOWN, WM_LBUTTONUP);
    ASSERT_TRUE(chooser);
    AnswerChooser(chooser, IDOK);
    ASSERT_TRUE(WaitFor([&] { return ItemCount() == 1; }));
    SendMessageW(list, LB_DELETESTRING, 0, 0);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));

    TTessaly::Click(encrypt);
    ASSERT_TRUE(WaitFor([&] { return ItemCount() == 0; })) << "a disguised folder leaves the list";
    EXPECT_EQ(ReadBytes(folder + L"\\desktop.ini"), DisguiseFile);
    EXPECT_TRUE(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(ReadBytes(folder + L"\\note.txt"), "keep me");

    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    TTessaly::Click(decrypt);
    ASSERT_TRUE(WaitFor([&] { return ItemCount() == 0; }));
    EXPECT_EQ(GetFileAttributesW((folder + L"\\desktop.ini").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(ReadBytes(folder + L"\\note.txt"), "keep me");
}

TEST_F(MainWindow, PathsThatCannotBeProcessedStayListedWithOneMessage)
{
    const std::wstring missing = dir / L"gone";
    const std::wstring file = dir / L"plain.txt";
    WriteBytes(file, "x");
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(missing.c_str()));
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(file.c_str()));
    TTessaly::Click(encrypt);
    const TMessageBox box = app.WaitForMessageBox();
    ASSERT_TRUE(box.Window);
    EXPECT_EQ(box.Caption, L"提示");
    EXPECT_NE(box.Text.find(L"2"), std::wstring::npos) << "says how many: " << box.Text.c_str();
    TTessaly::AnswerMessageBox(box);
    EXPECT_EQ(ItemCount(), 2);
}

TEST_F(MainWindow, DeleteRemovesTheSelectedEntry)
{
    for (const wchar_t* path : {L"C:\\a", L"C:\\b", L"C:\\c"})
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path));
    const auto items = [&] {
        std::vector<std::wstring> all;
        for (int i = 0; i < ItemCount(); ++i)
            all.push_back(Item(i));
        return all;
    };

    // Nothing selected: nothing goes. The selection, posted after the key,
    // shows when the key has been handled.
    TTessaly::PressKey(list, VK_DELETE);
    PostMessageW(list, LB_SETCURSEL, 1, 0);
    ASSERT_TRUE(WaitFor([&] { return SendMessageW(list, LB_GETCURSEL, 0, 0) == 1; }));
    EXPECT_EQ(ItemCount(), 3);

    TTessaly::PressKey(list, VK_DELETE);
    ASSERT_TRUE(WaitFor([&] { return ItemCount() == 2; }));
    EXPECT_EQ(items(), (std::vector<std::wstring>{L"C:\\a", L"C:\\c"}));
    // The next entry took the selection; at the end the last one does.
    TTessaly::PressKey(list, VK_DELETE);
    ASSERT_TRUE(WaitFor([&] { return ItemCount() == 1; }));
    EXPECT_EQ(Item(0), L"C:\\a");
    TTessaly::PressKey(list, VK_DELETE);
    EXPECT_TRUE(WaitFor([&] { return ItemCount() == 0; }));
    EXPECT_TRUE(app.Running());
}

// The list of folders wears the skin's scroll bar, an overlay over the
// list's own, once it holds more folders than it shows, and loses it when
// it no longer does.
TEST_F(MainWindow, ALongListOfFoldersGetsTheSkinsScrollBar)
{
    const auto shownBars = [&] {
        std::vector<HWND> shown;
        for (HWND bar : TTessaly::Children(main, L"TWScrollbar"))
            if (IsWindowVisible(bar))
                shown.push_back(bar);
        return shown;
    };
    EXPECT_TRUE(shownBars().empty()) << "an empty list has no bar";
    for (int i = 0; i < 40; ++i) {
        const std::wstring path = dir / (L"文件夹 " + std::to_wstring(i));
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
    }
    ASSERT_TRUE(WaitFor([&] { return shownBars().size() == 1; }));
    RECT bar{}, box{}, client{};
    GetWindowRect(shownBars()[0], &bar);
    GetWindowRect(list, &box);
    GetClientRect(list, &client);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(bar.left, client.right) << "right of the rows";
    EXPECT_EQ(bar.top, client.top);
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_LE(bar.right, box.right) << "inside the list";

    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return shownBars().empty(); })) << "no overflow, no bar";
}

TEST_F(MainWindow, ClosingTheMainWindowEndsTheProgram)
{
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST_F(MainWindow, TheSystemMenuFindsDisguisedFoldersAndDecryptRestoresThem)
{
    const std::wstring tree = MakeFolder(dir / L"tree");
    const std::wstring deep = MakeFolder(MakeFolder(MakeFolder(tree + L"\\one") + L"\\two") + L"\\旧照片");
    const std::wstring shallow = MakeFolder(tree + L"\\账本");
    const std::wstring foreign = MakeFolder(tree + L"\\icons");
    WriteBytes(deep + L"\\a.jpg", "jpeg");
    WriteBytes(foreign + L"\\desktop.ini", "[.ShellClassInfo]\r\nIconResource=x.ico,0\r\n");
    SetFileAttributesW(foreign.c_str(), FILE_ATTRIBUTE_SYSTEM);
    const auto before = tests::Snapshot(tree);
    Disguise(deep);
    Disguise(shallow);

    // Under Wine the chooser confirms a folder above the program's (see
    // docs/wine-notes.md), so the search covers more than the tree.
    ChooseFindDisguisedFolders();
    const TMessageBox box = app.WaitForMessageBox(60s);
    ASSERT_TRUE(box.Window);
    EXPECT_EQ(box.Text.rfind(L"查找完毕：找到 " + std::to_wstring(ItemCount()) + L" 个已伪装的文件夹（已加入列表），", 0), 0u)
        << box.Text.c_str();
    TTessaly::AnswerMessageBox(box);
    const std::vector<std::wstring> found = Items();
    EXPECT_EQ(std::count(found.begin(), found.end(), deep), 1);
    EXPECT_EQ(std::count(found.begin(), found.end(), shallow), 1);
    EXPECT_EQ(std::count(found.begin(), found.end(), foreign), 0);

    TTessaly::Click(decrypt);
    ASSERT_TRUE(WaitFor([&] { return ItemCount() == 0; }));
    EXPECT_EQ(tests::Snapshot(tree), before) << "every folder is as it was before the disguise";
}

TEST_F(MainWindow, CancelStopsTheSearchAndKeepsWhatWasFound)
{
    // A tree large enough that the search is still running when the dialog
    // shows: 70 folders of 70, one disguised folder in each.
    const std::wstring tree = MakeFolder(dir / L"tree");
    for (int i = 0; i < 70; ++i) {
        const std::wstring branch = MakeFolder(tree + L"\\b" + std::to_wstring(i));
        for (int j = 0; j < 70; ++j)
            MakeFolder(branch + L"\\l" + std::to_wstring(j));
        Disguise(branch + L"\\l0");
    }

    ChooseFindDisguisedFolders();
    HWND dialog = app.WaitForWindow(L"TForm_find");
    ASSERT_TRUE(dialog) << "the progress dialog shows while the search runs";
    HWND cancel = TTessaly::ButtonWithText(dialog, L"取消");
    ASSERT_TRUE(cancel);
    RECT button{};
    GetWindowRect(cancel, &button);
    tests::TXInput& input = tests::TXInput::Instance();
    ASSERT_TRUE(input.MoveTo({(button.left + button.right) / 2, (button.top + button.bottom) / 2}));
    input.Click();

    const TMessageBox box = app.WaitForMessageBox(5s);
    ASSERT_TRUE(box.Window) << "the search stops within a moment";
    EXPECT_EQ(box.Text.rfind(L"查找已取消：", 0), 0u) << box.Text.c_str();
    const std::wstring count = std::to_wstring(ItemCount());
    EXPECT_NE(box.Text.find(L"找到 " + count + L" 个"), std::wstring::npos)
        << "every find so far is listed: " << box.Text.c_str();
    EXPECT_LT(ItemCount(), 70);
    TTessaly::AnswerMessageBox(box);
}

