// The button families on real windows, read from form data: check boxes,
// radio buttons grouped by parent, group boxes, radio groups and speed
// buttons with their groups.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/support/WindowTestSupport.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/core/FormReader.h"
#include "ui/forms/Forms.h"

using namespace ui;

namespace {

class TButtonsForm : public TForm {
    UI_CLASS(TButtonsForm)
public:
    explicit TButtonsForm(TComponent* owner) : TForm(owner) {}
    std::vector<std::string> Clicks;
    void Clicked(TObject* sender) { Clicks.push_back(dynamic_cast<TComponent*>(sender)->Name()); }
    TMethod FindMethod(std::string_view name) override
    {
        return FindHandler<TButtonsForm>(this, name, {Handler("Clicked", &TButtonsForm::Clicked)});
    }
};

const TClassInfo& TButtonsForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TButtonsForm>("TButtonsForm", &TForm::StaticClass()).Done();
    return info;
}

const char* const ButtonsForm = R"(object Buttons: TButtonsForm
  Left = 40
  Top = 40
  ClientWidth = 460
  ClientHeight = 300
  Position = poDesigned
  object Check1: TCheckBox
    Left = 10
    Top = 10
    Caption = '两态'
    Checked = True
    TabOrder = 0
    OnClick = Clicked
  end
  object Check3: TCheckBox
    Left = 10
    Top = 30
    Caption = '三态'
    AllowGrayed = True
    State = cbGrayed
    Alignment = taLeftJustify
    TabOrder = 1
    OnClick = Clicked
  end
  object RadioA: TRadioButton
    Left = 10
    Top = 60
    Caption = 'A'
    Checked = True
    OnClick = Clicked
  end
  object RadioB: TRadioButton
    Left = 10
    Top = 80
    Caption = 'B'
    OnClick = Clicked
  end
  object RadioC: TRadioButton
    Left = 10
    Top = 100
    Caption = 'C'
    OnClick = Clicked
  end
  object Group1: TGroupBox
    Left = 150
    Top = 10
    Width = 140
    Height = 90
    Caption = '另一组'
    object RadioX: TRadioButton
      Left = 10
      Top = 25
      Caption = 'X'
      Checked = True
    end
    object RadioY: TRadioButton
      Left = 10
      Top = 50
      Caption = 'Y'
    end
  end
  object Choice: TRadioGroup
    Left = 300
    Top = 10
    Width = 150
    Height = 120
    Caption = '选择'
    ItemIndex = 3
    Columns = 2
    Items.Strings = (
      '一'
      '二'
      '三'
      '四'
      '五')
    OnClick = Clicked
  end
  object Panel1: TPanel
    Left = 10
    Top = 150
    Width = 300
    Height = 40
    object Left1: TSpeedButton
      Left = 4
      Top = 4
      Width = 60
      Height = 30
      Caption = '左'
      GroupIndex = 1
      Down = True
      OnClick = Clicked
    end
    object Right1: TSpeedButton
      Left = 68
      Top = 4
      Width = 60
      Height = 30
      Caption = '右'
      GroupIndex = 1
      OnClick = Clicked
    end
    object Bold1: TSpeedButton
      Left = 132
      Top = 4
      Width = 60
      Height = 30
      Caption = '粗'
      GroupIndex = 2
      AllowAllUp = True
      Flat = True
      OnClick = Clicked
    end
    object Plain1: TSpeedButton
      Left = 196
      Top = 4
      Width = 60
      Height = 30
      Caption = '普通'
      Down = True
      OnClick = Clicked
    end
  end
end
)";

class ButtonControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFrameworkClasses();
        form = new TButtonsForm(nullptr);
        ReadComponent(ButtonsForm, *form);
        form->Show();
        ASSERT_TRUE(tests::PumpUntil([&] { return IsWindowVisible(form->Handle()) != 0; }));
    }
    void TearDown() override { delete form; }

    template <class T>
    T* Get(const char* name) { return FindComponentOf<T>(*form, name); }

    static LRESULT CheckOf(TWinControl* c) { return SendMessageW(c->Handle(), BM_GETCHECK, 0, 0); }

    // A click as the window itself reports one (BN_CLICKED to the parent).
    static void ClickWindow(TWinControl* c)
    {
        SendMessageW(c->Handle(), BM_CLICK, 0, 0);
        tests::Pump();
    }

    // The left button pressed at p and released at q, in the parent's client
    // coordinates, as the parent's window receives them.
    static void Drag(TWinControl* parent, POINT p, POINT q)
    {
        SendMessageW(parent->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageW(parent->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(q.x, q.y));
        SendMessageW(parent->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(q.x, q.y));
    }

    static POINT Inside(const TControl* c) { return {c->Left() + 5, c->Top() + 5}; }

    TButtonsForm* form = nullptr;
};

} // namespace

// A click moves a check box to its next state: two states, or three with
// AllowGrayed; the window shows what the control holds, also once remade.
TEST_F(ButtonControls, CheckBoxesStepThroughTheirStatesAndTheWindowFollows)
{
    auto* two = Get<TCheckBox>("Check1");
    auto* three = Get<TCheckBox>("Check3");
    EXPECT_EQ(two->State(), TCheckBoxState::cbChecked);
    EXPECT_EQ(CheckOf(two), BST_CHECKED);
    EXPECT_EQ(CheckOf(three), BST_INDETERMINATE);
    EXPECT_TRUE(GetWindowLongPtrW(three->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_FALSE(GetWindowLongPtrW(two->Handle(), GWL_STYLE) & BS_LEFTTEXT);

    const struct {
        TCheckBox* Box;
        TCheckBoxState After;
        LRESULT Shown;
    } steps[] = {
        {two, TCheckBoxState::cbUnchecked, BST_UNCHECKED}, {two, TCheckBoxState::cbChecked, BST_CHECKED},
        {two, TCheckBoxState::cbUnchecked, BST_UNCHECKED}, {three, TCheckBoxState::cbUnchecked, BST_UNCHECKED},
        {three, TCheckBoxState::cbChecked, BST_CHECKED},   {three, TCheckBoxState::cbGrayed, BST_INDETERMINATE},
    };
    for (const auto& step : steps) {
        ClickWindow(step.Box);
        EXPECT_EQ(step.Box->State(), step.After) << step.Box->Name();
        EXPECT_EQ(CheckOf(step.Box), step.Shown) << step.Box->Name();
    }
    EXPECT_EQ(form->Clicks.size(), 6u) << "every click runs OnClick once";
    EXPECT_EQ(GetOrdProp(*three, "State"), 2);
    EXPECT_EQ(GetEnumProp(*two, "Checked"), "False");

    three->SetState(TCheckBoxState::cbChecked);
    three->RecreateWnd();
    EXPECT_EQ(CheckOf(three), BST_CHECKED) << "the state outlives the window";
    EXPECT_EQ(form->Clicks.size(), 6u) << "a state set by the program is no click";
}

TEST_F(ButtonControls, SpaceTogglesAFocusedCheckBox)
{
    auto* two = Get<TCheckBox>("Check1");
    SetForegroundWindow(form->Handle());
    two->SetFocus();
    ASSERT_TRUE(tests::PumpUntil([&] { return two->Focused(); }));
    tests::SendKeys({{VK_SPACE, true}, {VK_SPACE, false}});
    EXPECT_TRUE(tests::PumpUntil([&] { return two->State() == TCheckBoxState::cbUnchecked; }));
    EXPECT_EQ(form->Clicks, (std::vector<std::string>{"Check1"}));
}

// Radio buttons with the same parent are one group: a click checks one and
// unchecks the others of its parent only.
TEST_F(ButtonControls, RadioButtonsAreGroupedByTheirParent)
{
    auto* a = Get<TRadioButton>("RadioA");
    auto* b = Get<TRadioButton>("RadioB");
    auto* c = Get<TRadioButton>("RadioC");
    auto* x = Get<TRadioButton>("RadioX");
    ClickWindow(b);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(c->Checked());
    EXPECT_EQ(CheckOf(a), BST_UNCHECKED);
    EXPECT_EQ(CheckOf(b), BST_CHECKED);
    EXPECT_TRUE(x->Checked()) << "another parent, another group";
    EXPECT_EQ(form->Clicks, (std::vector<std::string>{"RadioB"}));

    Get<TRadioButton>("RadioY")->SetChecked(true);
    EXPECT_FALSE(x->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(b->TabStop() && !a->TabStop()) << "Tab enters a group at its checked button";
}

// The arrows move focus and check through the group, round from the last to
// the first, through the application's key handling.
TEST_F(ButtonControls, ArrowKeysMoveThroughARadioGroup)
{
    auto* a = Get<TRadioButton>("RadioA");
    auto* c = Get<TRadioButton>("RadioC");
    SetForegroundWindow(form->Handle());
    a->SetFocus();
    const struct {
        WORD Key;
        const char* Checked;
    } steps[] = {{VK_DOWN, "RadioB"}, {VK_RIGHT, "RadioC"}, {VK_DOWN, "RadioA"}, {VK_UP, "RadioC"}, {VK_LEFT, "RadioB"}};
    for (const auto& step : steps) {
        PostMessageW(GetFocus(), WM_KEYDOWN, step.Key, 1);
        Application()->ProcessMessages();
        EXPECT_EQ(GetFocus(), Get<TRadioButton>(step.Checked)->Handle()) << step.Checked;
        EXPECT_TRUE(Get<TRadioButton>(step.Checked)->Checked()) << step.Checked;
    }
    EXPECT_FALSE(c->Checked());
    EXPECT_EQ(form->Clicks, (std::vector<std::string>{"RadioB", "RadioC", "RadioA", "RadioC", "RadioB"}));
}

TEST_F(ButtonControls, AGroupBoxHoldsItsControlsInItsWindow)
{
    auto* group = Get<TGroupBox>("Group1");
    auto* x = Get<TRadioButton>("RadioX");
    EXPECT_EQ(GetParent(x->Handle()), group->Handle());
    EXPECT_TRUE(GetWindowLongPtrW(group->Handle(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_TRUE(group->InheritsFrom(TCustomGroupBox::StaticClass()));
    EXPECT_EQ(group->Caption(), L"另一组");
}

// A radio group makes one button per item in columns (top to bottom, then
// left to right); ItemIndex, read before the items, checks the fourth.
TEST_F(ButtonControls, ARadioGroupLaysOutItsItemsAndReportsTheChosenOne)
{
    auto* group = Get<TRadioGroup>("Choice");
    ASSERT_EQ(group->ControlCount(), 5);
    EXPECT_EQ(group->ItemIndex(), 3);
    EXPECT_TRUE(group->Buttons(3)->Checked());
    EXPECT_EQ(group->Buttons(4)->Caption(), L"五");
    EXPECT_EQ(group->Buttons(0)->ClassName(), "TGroupButton");
    EXPECT_EQ(group->Buttons(0)->Left(), group->Buttons(2)->Left()) << "three rows in the first column";
    EXPECT_GT(group->Buttons(3)->Left(), group->Buttons(0)->Left());
    EXPECT_EQ(group->Buttons(3)->Top(), group->Buttons(0)->Top());
    EXPECT_GT(group->Buttons(1)->Top(), group->Buttons(0)->Top());

    ClickWindow(group->Buttons(1));
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_FALSE(group->Buttons(3)->Checked());
    EXPECT_EQ(form->Clicks, (std::vector<std::string>{"Choice"}));

    group->Items()->Delete(4);
    group->Items()->Add(L"六");
    group->Items()->Add(L"七");
    EXPECT_EQ(group->ControlCount(), 6);
    EXPECT_EQ(group->Buttons(5)->Caption(), L"七");
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_THROW(group->SetItemIndex(6), Exception);
    group->SetItemIndex(-1);
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(group->Buttons(i)->Checked());
    group->Items()->Clear();
    EXPECT_EQ(group->ControlCount(), 0);
    EXPECT_EQ(group->ItemIndex(), -1);
}

// Speed buttons of one GroupIndex keep one down; with AllowAllUp a click lets
// the down button up; outside a group a button never stays down.
TEST_F(ButtonControls, SpeedButtonsLatchInTheirGroups)
{
    auto* panel = Get<TPanel>("Panel1");
    auto* left = Get<TSpeedButton>("Left1");
    auto* right = Get<TSpeedButton>("Right1");
    auto* bold = Get<TSpeedButton>("Bold1");
    auto* plain = Get<TSpeedButton>("Plain1");
    EXPECT_TRUE(left->Down());
    EXPECT_FALSE(plain->Down()) << "Down needs a group";

    const struct {
        TSpeedButton* Button;
        bool LeftDown, RightDown, BoldDown;
    } steps[] = {
        {right, false, true, false}, {right, false, true, false}, {left, true, false, false},
        {bold, true, false, true},   {bold, true, false, false},  {plain, true, false, false},
    };
    for (const auto& step : steps) {
        Drag(panel, Inside(step.Button), Inside(step.Button));
        EXPECT_EQ(left->Down(), step.LeftDown) << step.Button->Name();
        EXPECT_EQ(right->Down(), step.RightDown) << step.Button->Name();
        EXPECT_EQ(bold->Down(), step.BoldDown) << step.Button->Name();
        EXPECT_FALSE(plain->Down());
    }
    EXPECT_EQ(form->Clicks, (std::vector<std::string>{"Right1", "Right1", "Left1", "Bold1", "Bold1", "Plain1"}));

    left->SetDown(false);
    EXPECT_TRUE(left->Down()) << "without AllowAllUp the group keeps its button down";
    right->SetDown(true);
    EXPECT_FALSE(left->Down());
}

// Pressed while the mouse holds it over the button; moved off, it comes up
// and the release there is no click.
TEST_F(ButtonControls, ASpeedButtonLooksPressedOnlyWhileTheMouseHoldsItAndClicksOnReleaseOverIt)
{
    auto* panel = Get<TPanel>("Panel1");
    auto* right = Get<TSpeedButton>("Right1");
    const POINT in = Inside(right);
    SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(in.x, in.y));
    EXPECT_TRUE(right->Pressed());
    SendMessageW(panel->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(in.x, 39));
    EXPECT_FALSE(right->Pressed());
    SendMessageW(panel->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(in.x + 1, in.y));
    EXPECT_TRUE(right->Pressed());
    SendMessageW(panel->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(in.x, 39));
    SendMessageW(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(in.x, 39));
    EXPECT_FALSE(right->Pressed());
    EXPECT_FALSE(right->Down());
    EXPECT_TRUE(form->Clicks.empty());
}

// The parent paints a speed button by sending it WM_PAINT with its context,
// so a handler put in front of the button's WindowProc paints it instead.
TEST_F(ButtonControls, ASpeedButtonIsPaintedThroughItsWindowProc)
{
    auto* panel = Get<TPanel>("Panel1");
    auto* bold = Get<TSpeedButton>("Bold1");
    std::vector<HDC> painted;
    TWindowProcHook hook(*bold, "paint probe", [&](TMessage& m) {
        if (m.Msg == WM_PAINT) {
            painted.push_back(reinterpret_cast<HDC>(m.WParam));
            EXPECT_EQ(bold->Canvas()->Handle(), nullptr) << "the canvas has a context only while the button paints";
            return;  // painted by the hook: the button's own paint is skipped
        }
        hook.CallPrevious(m);
    });
    RedrawWindow(panel->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_NE(painted[0], nullptr);

    std::vector<UINT> seen;
    TWindowProcHook notes(*bold, "notes", [&](TMessage& m) {
        seen.push_back(m.Msg);
        notes.CallPrevious(m);
    });
    bold->Perform(CM_MOUSEENTER);
    bold->Perform(CM_MOUSELEAVE);
    Drag(panel, Inside(bold), Inside(bold));
    for (UINT msg : {UINT(CM_MOUSEENTER), UINT(CM_MOUSELEAVE), UINT(WM_LBUTTONDOWN), UINT(WM_LBUTTONUP)})
        EXPECT_NE(std::find(seen.begin(), seen.end(), msg), seen.end()) << std::hex << msg;
}
