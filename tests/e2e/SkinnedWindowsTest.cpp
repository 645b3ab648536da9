// The program's windows wear the skin: the login dialog, the main window, the
// program's message boxes and the folder chooser each get a skin controller,
// which answers the engine's messages from outside the process as well.
#include <gtest/gtest.h>

#include "ProcessDriver.h"
#include "skin/window/SkinMessages.h"

using namespace e2e;

namespace {

// Whether the window answers WM_SKINQUERY with 1, within the time.
bool WearsSkin(HWND window)
{
    return WaitFor([&] {
        DWORD_PTR answer = 0;
        return SendMessageTimeoutW(window, skin::WM_SKINQUERY, 0, 0, SMTO_BLOCK, 2000, &answer) && answer == 1;
    });
}

LRESULT Identify(HWND window, LPARAM magic)
{
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, skin::WM_SKINIDENTIFY, 0, magic, SMTO_BLOCK, 2000, &answer);
    return static_cast<LRESULT>(answer);
}

class SkinnedWindows : public ::testing::Test {
protected:
    SkinnedWindows() : app{dir, "secret"} {}
    void SetUp() override
    {
        app.Start();
        login = app.WaitForWindow(L"TForm_mm");
        ASSERT_TRUE(login);
    }
    // Logs in; the main window.
    HWND LogIn()
    {
        TTessaly::SetText(TTessaly::Children(login, L"Edit").at(0), L"secret");
        TTessaly::Click(TTessaly::ButtonWithText(login, L"登录"));
        return app.WaitForWindow(L"TForm_main");
    }
    TTempDir dir;
    TTessaly app;
    HWND login = nullptr;
};

} // namespace

TEST_F(SkinnedWindows, TheLoginDialogAndTheMainWindowGetAController)
{
    EXPECT_TRUE(WearsSkin(login));
    EXPECT_EQ(Identify(login, skin::SkinMagic), skin::SkinMagic) << "a form answers through its framework procedure";
    EXPECT_EQ(Identify(login, 0), 1);

    const HWND main = LogIn();
    ASSERT_TRUE(main);
    EXPECT_TRUE(WearsSkin(main));
}

TEST_F(SkinnedWindows, TheFolderChooserIsSkinnedAsAStandardDialog)
{
    const HWND main = LogIn();
    ASSERT_TRUE(main);
    HWND list = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        const auto lists = TTessaly::Children(main, L"ListBox");
        list = lists.empty() ? nullptr : lists[0];
        return list != nullptr;
    }));
    PostMessageW(list, WM_LBUTTONDOWN, 0, MAKELPARAM(20, 20));
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    const HWND chooser = app.WaitForWindow(L"#32770");
    ASSERT_TRUE(chooser);
    EXPECT_TRUE(WearsSkin(chooser)) << "a dialog of the shell, skinned as a bare window";
    PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(chooser); }));
}

TEST_F(SkinnedWindows, TheProgramsMessageBoxesAreSkinned)
{
    ASSERT_TRUE(WearsSkin(login));
    TTessaly::SetText(TTessaly::Children(login, L"Edit").at(0), L"wrong");
    TTessaly::Click(TTessaly::ButtonWithText(login, L"登录"));
    const TMessageBox box = app.WaitForMessageBox();
    ASSERT_TRUE(box.Window);
    EXPECT_TRUE(WearsSkin(box.Window));
    TTessaly::AnswerMessageBox(box);
}
