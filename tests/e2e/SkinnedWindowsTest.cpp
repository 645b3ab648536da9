// The program's windows wear the skin: the login dialog, the main window and
// the program's message boxes each get a skin controller, which answers the
// engine's messages from outside the process as well.
#include <gtest/gtest.h>

#include "ProcessDriver.h"
#include "skin/SkinMessages.h"

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

    HWND password = TTessaly::Children(login, L"Edit").at(0);
    TTessaly::SetText(password, L"secret");
    TTessaly::Click(TTessaly::ButtonWithText(login, L"登录"));
    const HWND main = app.WaitForWindow(L"TForm_main");
    ASSERT_TRUE(main);
    EXPECT_TRUE(WearsSkin(main));
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
