// Start-up and the login dialog, with tessaly.exe as a process.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "ProcessDriver.h"
#include "app/kexPassFile.h"

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
    EXPECT_EQ(WindowHeight(login->Dialog), 65 + 47 + 50) << "collapsed: the password row and the upper buttons";
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(mainWindowWatch->Seen());
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
