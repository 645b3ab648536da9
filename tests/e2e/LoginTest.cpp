// Start-up and the login dialog, with tessaly.exe as a process.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <tuple>

#include "app/kexPassFile.h"
#include "ProcessDriver.h"
#include "skin/window/SkinMessages.h"

using namespace e2e;

namespace {

// Watches from a second thread whether a window class of the process ever
// becomes visible.
class TVisibilityWatch {
public:
    TVisibilityWatch(const TTessaly& app, const wchar_t* cls)
        : thread_([this, &app, cls] {
              while (!stop_) {
                  if (app.FindWindowOfClass(cls))
                      seen_ = true;
                  std::this_thread::sleep_for(2ms);
              }
          })
    {
    }
    ~TVisibilityWatch() { Stop(); }
    bool Seen()
    {
        Stop();
        return seen_;
    }

private:
    void Stop()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    std::atomic<bool> stop_{false};
    std::atomic<bool> seen_{false};
    std::thread thread_;
};

// The login dialog's controls, found in the running program.
struct TLogin {
    HWND Dialog = nullptr;
    HWND Password = nullptr, NewPassword = nullptr, Confirm = nullptr;
    HWND Login = nullptr, Change = nullptr, Save = nullptr;

    explicit TLogin(const TTessaly& app)
    {
        Dialog = app.WaitForWindow(L"TForm_mm");
        if (Dialog)
            WaitFor([&] { return FindControls(); });  // a busy machine answers a little later
    }
    bool FindControls()
    {
        const auto edits = TTessaly::Children(Dialog, L"Edit");
        if (edits.size() == 3)
            Password = edits[0], NewPassword = edits[1], Confirm = edits[2];
        Login = TTessaly::ButtonWithText(Dialog, L"登录");
        Change = TTessaly::ButtonWithText(Dialog, L"改密");
        Save = TTessaly::ButtonWithText(Dialog, L"保存");
        return Complete();
    }
    bool Complete() const { return Dialog && Password && NewPassword && Confirm && Login && Change && Save; }
};

// Types a password and presses "登录"; returns the message box it brings, if any.
TMessageBox TryPassword(TTessaly& app, const TLogin& login, const std::wstring& password)
{
    TTessaly::SetText(login.Password, password);
    TTessaly::Click(login.Login);
    return app.WaitForMessageBox(3s);
}

int WindowHeight(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    return r.bottom - r.top;
}

// Left, top, width and height of a child window in its parent's client area.
std::tuple<int, int, int, int> PlaceOf(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The window with the keyboard focus in window's thread.
HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// tessaly.exe started with the password "secret", its login dialog found.
class Login : public ::testing::Test {
protected:
    explicit Login(const char* password = "secret") : app{dir, password} {}
    void SetUp() override
    {
        app.Start();
        mainWindowWatch = std::make_unique<TVisibilityWatch>(app, L"TForm_main");
        login = std::make_unique<TLogin>(app);
        ASSERT_TRUE(login->Complete());
    }
    TTempDir dir;
    TTessaly app;
    std::unique_ptr<TVisibilityWatch> mainWindowWatch;  // from the moment the process starts
    std::unique_ptr<TLogin> login;
};

// The same with a password file that holds the empty password.
class LoginWithEmptyPassword : public Login {
protected:
    LoginWithEmptyPassword() : Login("") {}
};

} // namespace

TEST(Startup, WithoutPasswordFileOnlyTheMissingFileBoxAppears)
{
    TTempDir dir;
    TTessaly app(dir, nullptr);
    app.Start();
    TVisibilityWatch main(app, L"TForm_main"), login(app, L"TForm_mm");
    const TMessageBox box = app.WaitForMessageBox();
    ASSERT_TRUE(box.Window);
    EXPECT_EQ(box.Caption, L"提示");
    EXPECT_EQ(box.Text, L"缺少文件，不能正常运行");
    EXPECT_EQ(app.VisibleWindows().size(), 1u) << "the box is the only window";
    TTessaly::AnswerMessageBox(box);
    EXPECT_EQ(app.WaitForExit(), 0u);
    EXPECT_FALSE(main.Seen());
    EXPECT_FALSE(login.Seen());
}

TEST(Startup, AnUnusablePasswordFileShowsWhyAndEnds)
{
    const std::string head(kex::PassFileHeadSize, 'x');
    const struct {
        const char* name;
        std::function<void(const std::wstring& file)> make;
        const wchar_t* message;
    } cases[] = {
        {"cut short before offset 399", [](const std::wstring& file) { WriteBytes(file, std::string(300, 'x')); },
         L"读文件时超出文件结尾"},
        {"no tab after the text", [&](const std::wstring& file) { WriteBytes(file, head + "c2VjcmV0"); },
         L"密码文件已损坏，不能正常运行"},
        {"1 TiB of zeros",
         [](const std::wstring& file) { ASSERT_EQ(WriteSparseFile(file, "", BeyondMemory), BeyondMemory); },
         L"密码文件已损坏，不能正常运行"},
        {"a folder of that name", [](const std::wstring& file) { ASSERT_TRUE(CreateDirectoryW(file.c_str(), nullptr)); },
         L"缺少文件，不能正常运行"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TTempDir dir;
        TTessaly app(dir, nullptr);
        c.make(dir / L"kex_run.dll");
        app.Start();
        TVisibilityWatch main(app, L"TForm_main"), login(app, L"TForm_mm");
        const TMessageBox box = app.WaitForMessageBox();
        ASSERT_TRUE(box.Window);
        EXPECT_EQ(box.Caption, L"提示");
        EXPECT_EQ(box.Text, c.message);
        TTessaly::AnswerMessageBox(box);
        EXPECT_EQ(app.WaitForExit(), 0u);
        EXPECT_FALSE(main.Seen()) << "no way past the gate with an unreadable password";
        EXPECT_FALSE(login.Seen());
    }
}

TEST_F(Login, TheDialogComesUpCollapsedAndTheMainWindowStaysHidden)
{
    EXPECT_EQ(TTessaly::Text(login->Dialog), L"登录");
    // Collapsed: the password row and the upper buttons show, the new
    // password rows lie below the client area (whatever frame the window wears).
    RECT client;
    GetClientRect(login->Dialog, &client);
    const auto [loginLeft, loginTop, loginWidth, loginHeight] = PlaceOf(login->Login);
    EXPECT_GE(client.bottom, loginTop + loginHeight);
    EXPECT_LE(client.bottom, std::get<1>(PlaceOf(login->NewPassword)));
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(mainWindowWatch->Seen());
}

TEST_F(Login, TheDialogHasItsDesignedForm)
{
    const HWND dialog = login->Dialog;
    RECT frame, client;
    GetWindowRect(dialog, &frame);
    GetClientRect(dialog, &client);
    EXPECT_EQ(frame.left, 417) << "placed where it was designed";
    EXPECT_EQ(frame.top, 226);
    EXPECT_EQ(client.right, 346);
    const auto style = GetWindowLongW(dialog, GWL_STYLE);
    // The skin keeps WS_SYSMENU off the window while it paints its own caption
    // buttons (which the caption-button window tests check); an unskinned
    // dialog has the system's close button.
    DWORD_PTR skinned = 0;
    SendMessageTimeoutW(dialog, skin::WM_SKINQUERY, 0, 0, SMTO_BLOCK, 2000, &skinned);
    if (skinned != 1) {
        EXPECT_TRUE(style & WS_SYSMENU) << "a close button";
    }
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "fixed size, no other buttons";
    EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) << "a dialog's border";

    const struct {
        HWND window;
        std::tuple<int, int, int, int> place;
    } controls[] = {
        {login->Password, {84, 20, 215, 24}},     {login->Login, {70, 65, 94, 47}},
        {login->Change, {200, 65, 94, 47}},       {login->NewPassword, {84, 145, 215, 24}},
        {login->Confirm, {84, 185, 215, 24}},     {login->Save, {141, 225, 89, 40}},
    };
    for (const auto& c : controls)
        EXPECT_EQ(PlaceOf(c.window), c.place) << TTessaly::Text(c.window).c_str();
    for (HWND edit : {login->Password, login->NewPassword, login->Confirm}) {
        EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), L'*');
        EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_PASSWORD);
    }

    // Tab walks the controls in their stored order, also those below the
    // collapsed dialog's edge.
    ASSERT_TRUE(WaitFor([&] { return FocusOf(dialog) == login->Password; })) << "typing goes to the password";
    for (HWND next : {login->Login, login->NewPassword, login->Confirm, login->Save, login->Change, login->Password}) {
        TTessaly::PressKey(FocusOf(dialog), VK_TAB);
        EXPECT_TRUE(WaitFor([&] { return FocusOf(dialog) == next; }, 3s)) << TTessaly::Text(next).c_str();
    }

    // Collapsed, the form asks for a window 162 pixels high in the system's
    // frame; the skin keeps the client area of that and wears its own frame.
    RECT system{0, 0, 0, 0};
    AdjustWindowRectEx(&system, GetWindowLongW(dialog, GWL_STYLE), FALSE, GetWindowLongW(dialog, GWL_EXSTYLE));
    EXPECT_EQ(client.bottom, 65 + 47 + 50 - (system.bottom - system.top))
        << "collapsed: the password row and the upper buttons";
    TTessaly::Click(login->Change);
    EXPECT_TRUE(WaitFor([&] { return WindowHeight(dialog) == 225 + 40 + 50; })) << "expanded: all rows";
}

TEST_F(Login, TwoWrongPasswordsThenTheRightOneOpenTheMainWindow)
{
    for (int i = 0; i < 2; ++i) {
        const TMessageBox box = TryPassword(app, *login, L"wrong");
        ASSERT_TRUE(box.Window);
        EXPECT_EQ(box.Text, L"密码不对");
        EXPECT_EQ(TTessaly::Text(login->Password), L"") << "a wrong password is cleared";
        TTessaly::AnswerMessageBox(box);
    }
    TTessaly::SetText(login->Password, L"secret");
    TTessaly::Click(login->Login);
    EXPECT_TRUE(app.WaitForWindow(L"TForm_main"));
    EXPECT_TRUE(WaitFor([&] { return !app.FindWindowOfClass(L"TForm_mm"); })) << "the login dialog is gone";
    EXPECT_TRUE(app.Running());
}

TEST_F(Login, ThreeWrongPasswordsEndTheProgramAfterTheThirdMessage)
{
    for (int i = 0; i < 3; ++i) {
        const TMessageBox box = TryPassword(app, *login, L"Secret");  // case matters
        ASSERT_TRUE(box.Window) << "try " << i + 1;
        EXPECT_EQ(box.Text, L"密码不对");
        EXPECT_TRUE(app.Running());
        TTessaly::AnswerMessageBox(box);
    }
    EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST_F(Login, NearMissesAreRefusedAndEnterCountsAsATry)
{
    const struct {
        const wchar_t* password;
        bool enter;  // Enter in the field instead of "登录"
    } tries[] = {
        {L"secreu", false},  // the last byte changed
        {L"secret1", true},  // one byte more
        {L"secre", true},    // one byte fewer
    };
    for (const auto& t : tries) {
        TTessaly::SetText(login->Password, t.password);
        if (t.enter)
            TTessaly::PressKey(login->Password, VK_RETURN);
        else
            TTessaly::Click(login->Login);
        const TMessageBox box = app.WaitForMessageBox();
        ASSERT_TRUE(box.Window) << t.password;
        EXPECT_EQ(box.Text, L"密码不对") << t.password;
        TTessaly::AnswerMessageBox(box);
    }
    EXPECT_EQ(app.WaitForExit(), 0u) << "the third wrong try ends the program";
    EXPECT_FALSE(mainWindowWatch->Seen());
}

TEST_F(Login, EnterInThePasswordFieldLogsIn)
{
    TTessaly::SetText(login->Password, L"secret");
    TTessaly::PressKey(login->Password, VK_RETURN);
    EXPECT_TRUE(app.WaitForWindow(L"TForm_main"));
}

TEST_F(Login, ClosingTheDialogEndsTheProgram)
{
    PostMessageW(login->Dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(app.WaitForExit(), 0u);
    EXPECT_FALSE(mainWindowWatch->Seen());
}

TEST_F(Login, APasswordChangeTakesEffectAndTheOldPasswordCountsAsATry)
{

    TTessaly::Click(login->Change);
    EXPECT_TRUE(WaitFor([&] { return WindowHeight(login->Dialog) == 225 + 40 + 50; })) << "expanded";

    // A wrong old password, then two different new ones.
    TTessaly::SetText(login->Password, L"nope");
    TTessaly::Click(login->Save);
    TMessageBox box = app.WaitForMessageBox();
    EXPECT_EQ(box.Text, L"请输入原码");
    TTessaly::AnswerMessageBox(box);
    TTessaly::SetText(login->Password, L"secret");
    TTessaly::SetText(login->NewPassword, L"新密码1");
    TTessaly::SetText(login->Confirm, L"新密码2");
    TTessaly::Click(login->Save);
    box = app.WaitForMessageBox();
    EXPECT_EQ(box.Text, L"新密码两次不一致");
    TTessaly::AnswerMessageBox(box);
    EXPECT_EQ(TTessaly::Text(login->NewPassword), L"新密码1") << "no field is cleared";

    const std::string before = ReadBytes(dir / L"kex_run.dll");
    TTessaly::SetText(login->Confirm, L"新密码1");
    TTessaly::Click(login->Save);
    box = app.WaitForMessageBox();
    EXPECT_EQ(box.Text, L"密码修改成功,请输入新密码登录");
    TTessaly::AnswerMessageBox(box);
    EXPECT_EQ(TTessaly::Text(login->Password), L"");
    EXPECT_EQ(TTessaly::Text(login->NewPassword), L"");
    const std::string after = ReadBytes(dir / L"kex_run.dll");
    EXPECT_NE(after, before);
    // "新密码1" in code page 936 is 7 bytes: Base64 "0MLD3MLrMQ==".
    EXPECT_EQ(after.substr(399, 13), "0MLD3MLrMQ==\t");

    box = TryPassword(app, *login, L"secret");
    EXPECT_EQ(box.Text, L"密码不对") << "the old password no longer works";
    TTessaly::AnswerMessageBox(box);
    TTessaly::SetText(login->Password, L"新密码1");
    TTessaly::Click(login->Login);
    EXPECT_TRUE(app.WaitForWindow(L"TForm_main"));
}

TEST_F(Login, AChangeThatCannotBeSavedLeavesTheOldPassword)
{
    // The user protects the password file while the program runs.
    const std::wstring file = dir / L"kex_run.dll";
    const std::string before = ReadBytes(file);
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));

    TTessaly::Click(login->Change);
    TTessaly::SetText(login->Password, L"secret");
    TTessaly::SetText(login->NewPassword, L"新密码1");
    TTessaly::SetText(login->Confirm, L"新密码1");
    TTessaly::Click(login->Save);
    const TMessageBox box = app.WaitForMessageBox();
    ASSERT_TRUE(box.Window);
    EXPECT_EQ(box.Text, L"文件存取错误");
    TTessaly::AnswerMessageBox(box);
    EXPECT_FALSE(app.WaitForMessageBox(1s).Window) << "no success message follows";

    EXPECT_EQ(TTessaly::Text(login->Password), L"secret") << "the fields keep their text";
    EXPECT_EQ(TTessaly::Text(login->NewPassword), L"新密码1");
    EXPECT_EQ(TTessaly::Text(login->Confirm), L"新密码1");
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_TRUE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_READONLY);

    TTessaly::Click(login->Login);
    EXPECT_TRUE(app.WaitForWindow(L"TForm_main")) << "the old password still logs in";
}

TEST_F(LoginWithEmptyPassword, AnEmptyPasswordFieldLogsIn)
{
    TTessaly::Click(login->Login);
    EXPECT_TRUE(app.WaitForWindow(L"TForm_main"));
}

TEST_F(LoginWithEmptyPassword, APasswordCanBeSetAgainWithAnEmptyOldPassword)
{
    TTessaly::Click(login->Change);
    TTessaly::SetText(login->NewPassword, L"neu");
    TTessaly::SetText(login->Confirm, L"neu");
    TTessaly::Click(login->Save);
    const TMessageBox box = app.WaitForMessageBox();
    ASSERT_TRUE(box.Window);
    EXPECT_EQ(box.Text, L"密码修改成功,请输入新密码登录");
    TTessaly::AnswerMessageBox(box);
    EXPECT_EQ(ReadBytes(dir / L"kex_run.dll").substr(399, 5), "bmV1\t");

    TTessaly::SetText(login->Password, L"neu");
    TTessaly::Click(login->Login);
    EXPECT_TRUE(app.WaitForWindow(L"TForm_main"));
}
