#include "app/Unit_mm.h"

#include "app/kexMessages.h"
#include "app/kexPassword.h"
#include "app/Unit_main.h"
#include "ui/core/Utf8.h"

#include <exception>
#include <new>

namespace app {

using namespace ui;

TLoginState& LoginState()
{
    static TLoginState state;
    return state;
}

std::string AnsiText(const TEdit& edit)
{
    const std::wstring text = edit.Text();
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}

namespace {

// Why the password could not be loaded, in words for the user.
std::wstring LoadFailureText(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return Utf8ToWide(e.Message());
    } catch (const std::bad_alloc&) {
        return L"内存不足，不能读取密码文件";
    } catch (...) {
        return L"读取密码文件时出错，不能正常运行";
    }
}

// The stored password, or a message saying why there is none and the end of
// the program: the gate opens only on a password that was actually read.
std::string LoadPasswordOrHalt()
{
    try {
        return kex::LoadPassword();
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        try {
            kex::ShowInfo(LoadFailureText(error));
        } catch (...) {
            // No message could be shown; the program ends all the same.
        }
    }
    kex::Halt();
}

} // namespace

const TClassInfo& TForm_mm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TForm_mm>("TForm_mm", &TForm::StaticClass()).Done();
    return info;
}

TMethod TForm_mm::FindMethod(std::string_view name)
{
    using F = TForm_mm;
    return FindHandler<F>(this, name,
                          {Handler("FormCreate", &F::FormCreate), Handler("FormClose", &F::FormClose),
                           Handler("BitBtn1Click", &F::BitBtn1Click), Handler("BitBtn2Click", &F::BitBtn2Click),
                           Handler("BitBtn3Click", &F::BitBtn3Click),
                           Handler("MaskEdit1KeyPress", &F::MaskEdit1KeyPress)});
}

TForm_mm::TForm_mm(TComponent* owner) : TForm(owner)
{
    InitFromResource();
    Label1 = FindComponentOf<TLabel>(*this, "Label1");
    Label2 = FindComponentOf<TLabel>(*this, "Label2");
    Label3 = FindComponentOf<TLabel>(*this, "Label3");
    MaskEdit1 = FindComponentOf<TMaskEdit>(*this, "MaskEdit1");
    MaskEdit2 = FindComponentOf<TMaskEdit>(*this, "MaskEdit2");
    MaskEdit3 = FindComponentOf<TMaskEdit>(*this, "MaskEdit3");
    BitBtn1 = FindComponentOf<TBitBtn>(*this, "BitBtn1");
    BitBtn2 = FindComponentOf<TBitBtn>(*this, "BitBtn2");
    BitBtn3 = FindComponentOf<TBitBtn>(*this, "BitBtn3");
    // The collapsed height needs the frame's size, which the window knows.
    HandleNeeded();
    DoCreate();
}

int TForm_mm::CollapsedHeight() const
{
    return BitBtn1->Top() + BitBtn1->Height() + 50;
}

int TForm_mm::ExpandedHeight() const
{
    return BitBtn2->Top() + BitBtn2->Height() + 50;
}

void TForm_mm::FormCreate(TObject*)
{
    // The password comes first: should anything after it fail, the dialog
    // still holds the password that was read, never an empty one.
    TLoginState& state = LoginState();
    state.StoredPassword = LoadPasswordOrHalt();
    state.LoggedIn = false;
    state.TryCount = 0;
    SetHeight(CollapsedHeight());
}

void TForm_mm::FormClose(TObject*, TCloseAction&)
{
    if (!LoginState().LoggedIn)
        kex::Halt();
}

void TForm_mm::BitBtn1Click(TObject*)
{
    TLoginState& state = LoginState();
    ++state.TryCount;
    if (AnsiText(*MaskEdit1) == state.StoredPassword) {
        Form_main()->Show();
        state.LoggedIn = true;
        MaskEdit1->Clear();
        Close();
        return;
    }
    MaskEdit1->Clear();
    kex::ShowInfo(L"密码不对");
    if (state.TryCount > 2)
        kex::Halt();
}

void TForm_mm::BitBtn2Click(TObject*)
{
    TLoginState& state = LoginState();
    // An empty stored password is one the user saved on purpose: the empty
    // old-password field matches it, so a password can be set again.
    if (AnsiText(*MaskEdit1) != state.StoredPassword) {
        MaskEdit1->Clear();
        kex::ShowInfo(L"请输入原码");
        return;
    }
    if (MaskEdit2->Text() != MaskEdit3->Text()) {
        kex::ShowInfo(L"新密码两次不一致");
        return;
    }
    // The new password counts only once it is saved: a failed save raises,
    // the error's text is shown, and the old password and the fields stay.
    const std::string fresh = AnsiText(*MaskEdit2);
    kex::SavePassword(fresh);
    state.StoredPassword = fresh;
    kex::ShowInfo(L"密码修改成功,请输入新密码登录");
    MaskEdit1->Clear();
    MaskEdit2->Clear();
    MaskEdit3->Clear();
}

void TForm_mm::BitBtn3Click(TObject*)
{
    SetHeight(ExpandedHeight());
}

void TForm_mm::MaskEdit1KeyPress(TObject* sender, wchar_t& key)
{
    if (key == 13) {
        key = 0;  // no beep from the edit
        BitBtn1Click(sender);
    }
}

} // namespace app
