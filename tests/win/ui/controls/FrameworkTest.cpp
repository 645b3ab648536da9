// The component framework on real windows: forms read from form data,
// the control atom, replaceable message handling, keyboard navigation and
// the default error handling.
#include <gtest/gtest.h>

#include <vector>

#include "tests/win/support/WindowTestSupport.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/core/FormReader.h"
#include "ui/forms/Forms.h"

using namespace ui;

namespace {

class TProbeForm : public TForm {
    UI_CLASS(TProbeForm)
public:
    explicit TProbeForm(TComponent* owner) : TForm(owner) {}
    int Clicks = 0;
    bool Fail = false;
    void ButtonClick(TObject*)
    {
        ++Clicks;
        if (Fail)
            throw Exception("处理时出错");
    }
    TMethod FindMethod(std::string_view name) override
    {
        return FindHandler<TProbeForm>(this, name, {Handler("ButtonClick", &TProbeForm::ButtonClick)});
    }
};

const TClassInfo& TProbeForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TProbeForm>("TProbeForm", &TForm::StaticClass()).Done();
    return info;
}

const char* const ProbeForm = R"(object Probe: TProbeForm
  Left = 40
  Top = 40
  Caption = '探针'
  ClientWidth = 300
  ClientHeight = 200
  Position = poDesigned
  object Panel1: TPanel
    Left = 10
    Top = 10
    Width = 280
    Height = 150
    TabOrder = 1
    object Edit2: TEdit
      Left = 10
      Top = 50
      TabOrder = 1
    end
    object Edit1: TEdit
      Left = 10
      Top = 10
      TabOrder = 0
    end
    object Label1: TLabel
      Left = 150
      Top = 10
      Caption = 'label'
    end
  end
  object Button1: TBitBtn
    Left = 10
    Top = 165
    Caption = '按钮'
    TabOrder = 0
    OnClick = ButtonClick
  end
end
)";

class Framework : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFrameworkClasses();
        form = new TProbeForm(nullptr);
        ReadComponent(ProbeForm, *form);
        form->Show();
        ASSERT_TRUE(tests::PumpUntil([&] { return IsWindowVisible(form->Handle()) != 0; }));
    }
    void TearDown() override { delete form; }

    template <class T>
    T* Get(const char* name) { return FindComponentOf<T>(*form, name); }

    TProbeForm* form = nullptr;
};

} // namespace

TEST_F(Framework, AStoredFormBuildsNestedWindowsThatCarryTheirControl)
{
    auto* panel = Get<TPanel>("Panel1");
    auto* edit = Get<TEdit>("Edit1");
    auto* button = Get<TBitBtn>("Button1");
    EXPECT_EQ(GetParent(edit->Handle()), panel->Handle());
    EXPECT_EQ(GetParent(panel->Handle()), form->Handle());
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->ClientHeight(), 200);
    wchar_t caption[32] = {};
    GetWindowTextW(form->Handle(), caption, 32);
    EXPECT_STREQ(caption, L"探针");

    for (TWinControl* c : std::vector<TWinControl*>{form, panel, edit, button}) {
        EXPECT_EQ(GetPropW(c->Handle(), MAKEINTATOM(ControlAtom())), c) << c->Name();
        EXPECT_EQ(FindControlOfWindow(c->Handle()), c);
    }
    wchar_t atomName[64] = {};
    GlobalGetAtomNameW(ControlAtom(), atomName, 64);
    EXPECT_EQ(std::wstring(atomName).substr(0, 10), L"ControlOfs");
    EXPECT_EQ(std::wstring(atomName).size(), 26u);
    EXPECT_EQ(FindControlOfWindow(GetDesktopWindow()), nullptr);
}

// A control cannot go under itself, nor under one of its own children or
// theirs: the parents would make a cycle. The refused move changes nothing.
TEST_F(Framework, AControlCannotBecomeAChildOfItselfOrOfItsChildren)
{
    auto* panel = Get<TPanel>("Panel1");
    auto* inner = new TPanel(form);
    inner->SetParent(panel);
    struct Case {
        const char* what;
        TWinControl* parent;
    };
    for (const Case& c : {Case{"itself", panel}, Case{"its child", inner}}) {
        EXPECT_THROW(panel->SetParent(c.parent), Exception) << c.what;
        EXPECT_EQ(panel->Parent(), form) << c.what;
        EXPECT_EQ(inner->Parent(), panel) << c.what;
    }
    auto* deeper = new TPanel(form);
    deeper->SetParent(inner);
    EXPECT_THROW(panel->SetParent(deeper), Exception) << "a grandchild";
    EXPECT_EQ(panel->Parent(), form);
}

TEST_F(Framework, TabOrderFromFormDataAndTheTabKey)
{
    const auto order = form->TabOrderList();
    std::vector<std::string> names;
    for (TWinControl* c : order)
        names.push_back(c->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"Button1", "Panel1", "Edit1", "Edit2"}));

    Get<TEdit>("Edit1")->SetFocus();
    form->Perform(CM_DIALOGKEY, VK_TAB);
    EXPECT_EQ(GetFocus(), Get<TEdit>("Edit2")->Handle());
    form->Perform(CM_DIALOGKEY, VK_TAB);
    EXPECT_EQ(GetFocus(), Get<TBitBtn>("Button1")->Handle()) << "wraps round, skipping the panel";
}

TEST_F(Framework, TheMessageLoopMovesTheFocusOnTabAndLeavesOtherKeysToTheControl)
{
    auto* edit1 = Get<TEdit>("Edit1");
    auto* edit2 = Get<TEdit>("Edit2");
    edit1->SetFocus();
    PostMessageW(edit1->Handle(), WM_KEYDOWN, VK_TAB, 1);
    Application()->ProcessMessages();
    EXPECT_EQ(GetFocus(), edit2->Handle());

    std::vector<wchar_t> typed;
    edit2->OnKeyPress = TKeyPressEvent([&](TObject*, wchar_t& key) { typed.push_back(key); });
    PostMessageW(edit2->Handle(), WM_KEYDOWN, 'A', 1);
    PostMessageW(edit2->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    Application()->ProcessMessages();
    EXPECT_EQ(typed, (std::vector<wchar_t>{L'a', L'\r'})) << "Enter reaches the edit as a character";
    EXPECT_EQ(edit2->Text(), L"a");
}

TEST_F(Framework, MouseEnterAndLeaveFollowTheMouseFromControlToControl)
{
    auto* edit1 = Get<TEdit>("Edit1");
    auto* button = Get<TBitBtn>("Button1");
    std::vector<std::pair<std::string, UINT>> seen;
    for (TControl* c : std::vector<TControl*>{edit1, button}) {
        auto saved = c->WindowProc;
        c->WindowProc = [&seen, saved, c](TMessage& m) {
            if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE)
                seen.emplace_back(c->Name(), m.Msg);
            saved(m);
        };
    }
    PostMessageW(edit1->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    PostMessageW(edit1->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 3));
    PostMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    Application()->ProcessMessages();
    const std::vector<std::pair<std::string, UINT>> expected = {
        {"Edit1", CM_MOUSEENTER}, {"Edit1", CM_MOUSELEAVE}, {"Button1", CM_MOUSEENTER}};
    EXPECT_EQ(seen, expected);
}

TEST_F(Framework, AReplacedWindowProcSeesTheMessagesAndTheSavedOneStillWorks)
{
    auto* edit = Get<TEdit>("Edit1");
    std::vector<UINT> seen;
    auto saved = edit->WindowProc;
    edit->WindowProc = [&](TMessage& m) {
        seen.push_back(m.Msg);
        saved(m);
    };
    SetWindowTextW(edit->Handle(), L"typed");
    edit->SetEnabled(false);
    edit->Perform(CM_MOUSEENTER);
    EXPECT_EQ(edit->Text(), L"typed") << "the saved method still reaches the edit";
    EXPECT_FALSE(IsWindowEnabled(edit->Handle()));
    const auto has = [&](UINT msg) { return std::find(seen.begin(), seen.end(), msg) != seen.end(); };
    EXPECT_TRUE(has(WM_SETTEXT));
    EXPECT_TRUE(has(CM_ENABLEDCHANGED));
    EXPECT_TRUE(has(CM_MOUSEENTER));
    EXPECT_TRUE(has(WM_ENABLE));

    edit->WindowProc = saved;
    seen.clear();
    SetWindowTextW(edit->Handle(), L"again");
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(edit->Text(), L"again");
}

TEST_F(Framework, ClicksReachTheBoundHandlerAndAnErrorInItIsShownWhileTheLoopGoesOn)
{
    auto* button = Get<TBitBtn>("Button1");
    PostMessageW(button->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(tests::PumpUntil([&] { return form->Clicks == 1; }));

    form->Fail = true;
    {
        tests::TMessageBoxAnswerer answer;
        PostMessageW(button->Handle(), BM_CLICK, 0, 0);
        ASSERT_TRUE(tests::PumpUntil([&] { return form->Clicks == 2; }));
        ASSERT_TRUE(answer.Wait());
        EXPECT_EQ(answer.Text, L"处理时出错");
        EXPECT_EQ(answer.Caption, Application()->Title());
    }
    form->Fail = false;
    PostMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(tests::PumpUntil([&] { return form->Clicks == 3; })) << "the program goes on";
}

TEST_F(Framework, AWindowlessLabelIsPaintedOnItsParentAndClickable)
{
    auto* label = Get<TLabel>("Label1");
    auto* panel = Get<TPanel>("Panel1");
    int clicks = 0;
    label->OnClick = TNotifyEvent([&](TObject* sender) { clicks += sender == label; });
    const LPARAM at = MAKELPARAM(label->Left() + 2, label->Top() + 2);
    SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(panel->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(clicks, 1);
    SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 140));
    SendMessageW(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 140));
    EXPECT_EQ(clicks, 1) << "a click beside the label is not its click";
}

TEST(Application, ClosingAModalFormEndsItsLoopWithCancel)
{
    RegisterFrameworkClasses();
    TForm form(nullptr);
    form.SetPosition(TPosition::poScreenCenter);
    form.OnShow = TNotifyEvent([&](TObject*) { PostMessageW(form.Handle(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    RECT r;
    GetWindowRect(form.Handle(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1) << "centred on the screen";
}

TEST(Application, AnErrorInAFormsCreationHandlerIsShownAndTheFormStillExists)
{
    class TFailingForm : public TForm {
    public:
        explicit TFailingForm(TComponent* owner) : TForm(owner)
        {
            OnCreate = TNotifyEvent([](TObject*) { throw EInOutError(SFileAccessError); });
            DoCreate();
        }
    };
    tests::TMessageBoxAnswerer answer;
    TFailingForm form(nullptr);
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ(answer.Text, L"文件存取错误");
    form.Show();
    EXPECT_TRUE(IsWindowVisible(form.Handle())) << "the program goes on with the form";
}
