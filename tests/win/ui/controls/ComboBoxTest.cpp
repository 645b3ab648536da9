// Combo boxes in their three styles on real windows, read from form data and
// driven through their windows' own keyboard handling and the X pointer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/win/support/WindowTestSupport.h"
#include "tests/win/support/XInput.h"
#include "ui/controls/ComboBox.h"
#include "ui/core/FormReader.h"
#include "ui/forms/Forms.h"

using namespace ui;

namespace {

class TComboForm : public TForm {
    UI_CLASS(TComboForm)
public:
    explicit TComboForm(TComponent* owner) : TForm(owner) {}
    std::vector<std::string> Events;
    void Note(const char* what, TObject* sender)
    {
        Events.push_back(std::string(what) + " " + dynamic_cast<TComponent*>(sender)->Name());
    }
    void Changed(TObject* sender) { Note("change", sender); }
    void Selected(TObject* sender) { Note("select", sender); }
    void DroppedDown(TObject* sender) { Note("drop", sender); }
    void ClosedUp(TObject* sender) { Note("close", sender); }
    TMethod FindMethod(std::string_view name) override
    {
        return FindHandler<TComboForm>(this, name,
                                       {Handler("Changed", &TComboForm::Changed),
                                        Handler("Selected", &TComboForm::Selected),
                                        Handler("DroppedDown", &TComboForm::DroppedDown),
                                        Handler("ClosedUp", &TComboForm::ClosedUp)});
    }
};

const TClassInfo& TComboForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TComboForm>("TComboForm", &TForm::StaticClass()).Done();
    return info;
}

// The choice comes before the items in two of them, as form files may have
// it: it must hold once the items are there.
const char* const ComboForm = R"(object Combos: TComboForm
  Left = 40
  Top = 40
  ClientWidth = 420
  ClientHeight = 240
  Position = poDesigned
  object Edit1: TComboBox
    Left = 10
    Top = 10
    Width = 150
    Height = 24
    Text = '自己写的'
    Items.Strings = (
      '北京'
      '上海'
      '广州')
    TabOrder = 0
    OnChange = Changed
    OnSelect = Selected
    OnDropDown = DroppedDown
    OnCloseUp = ClosedUp
  end
  object List1: TComboBox
    Left = 180
    Top = 10
    Width = 150
    Height = 24
    Style = csDropDownList
    Text = '乙'
    Items.Strings = (
      '甲'
      '乙'
      '丙'
      '丁')
    TabOrder = 1
    OnChange = Changed
    OnSelect = Selected
    OnDropDown = DroppedDown
    OnCloseUp = ClosedUp
  end
  object Simple1: TComboBox
    Left = 10
    Top = 60
    Width = 150
    Height = 120
    Style = csSimple
    ItemIndex = 2
    Items.Strings = (
      'one'
      'two'
      'three')
    TabOrder = 2
    OnChange = Changed
    OnSelect = Selected
  end
  object Right1: TComboBox
    Left = 180
    Top = 60
    Width = 150
    Height = 24
    BiDiMode = bdRightToLeft
    Style = csDropDownList
    ItemIndex = 0
    Items.Strings = (
      '右')
    TabOrder = 3
  end
end
)";

class ComboBoxes : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFrameworkClasses();
        form = new TComboForm(nullptr);
        ReadComponent(ComboForm, *form);
        form->Show();
        ASSERT_TRUE(tests::PumpUntil([&] { return IsWindowVisible(form->Handle()) != 0; }));
    }
    void TearDown() override { delete form; }

    TComboBox* Get(const char* name) { return FindComponentOf<TComboBox>(*form, name); }

    // A key struck in a window, as its own keyboard handling takes it.
    static void Strike(HWND wnd, WORD key)
    {
        SendMessageW(wnd, WM_KEYDOWN, key, 1);
        SendMessageW(wnd, WM_KEYUP, key, 0xC0000001);
    }
    static HWND EditOf(TComboBox* combo)
    {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(combo->Handle(), &info);
        return info.hwndItem;
    }

    static LONG ListHeight(TComboBox* combo)
    {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(combo->Handle(), &info);
        RECT r{};
        GetWindowRect(info.hwndList, &r);
        return r.bottom - r.top;
    }

    TComboForm* form = nullptr;
};

} // namespace

// Each style is its window's style; the items and the choice read from the
// form are in the window, whatever order the file gives them in.
TEST_F(ComboBoxes, TheFormGivesEachStyleItsItemsAndChoice)
{
    const struct {
        const char* Name;
        LONG_PTR Style;
        int Index;
        const wchar_t* Text;
    } cases[] = {
        {"Edit1", CBS_DROPDOWN, -1, L"自己写的"},
        {"List1", CBS_DROPDOWNLIST, 1, L"乙"},
        {"Simple1", CBS_SIMPLE, 2, L"three"},
        {"Right1", CBS_DROPDOWNLIST, 0, L"右"},
    };
    for (const auto& c : cases) {
        TComboBox* combo = Get(c.Name);
        EXPECT_EQ(GetWindowLongPtrW(combo->Handle(), GWL_STYLE) & 3, c.Style) << c.Name;
        EXPECT_EQ(combo->ItemIndex(), c.Index) << c.Name;
        EXPECT_EQ(combo->Text(), c.Text) << c.Name;
    }
    EXPECT_EQ(Get("List1")->Items()->ToVector(), (std::vector<std::wstring>{L"甲", L"乙", L"丙", L"丁"}));
    EXPECT_TRUE(GetWindowLongPtrW(Get("Right1")->Handle(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR)
        << "right to left puts the button on the left";
    EXPECT_TRUE(GetWindowLongPtrW(Get("Right1")->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING);
    EXPECT_TRUE(form->Events.empty()) << "reading a form is no change by the user";
}

// The program's choices: an index outside the items chooses none, and a text
// no item has chooses none in a drop-down list but stays in an edit.
TEST_F(ComboBoxes, TheProgramChoosesByIndexOrText)
{
    TComboBox* list = Get("List1");
    list->SetItemIndex(3);
    EXPECT_EQ(list->Text(), L"丁");
    list->SetItemIndex(7);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(list->Text(), L"");
    list->SetTextValue(L"丙");
    EXPECT_EQ(list->ItemIndex(), 2);
    list->SetTextValue(L"戊");
    EXPECT_EQ(list->ItemIndex(), -1);

    TComboBox* edit = Get("Edit1");
    edit->SetTextValue(L"深圳");
    EXPECT_EQ(edit->Text(), L"深圳");
    edit->SetItemIndex(1);
    EXPECT_EQ(edit->Text(), L"上海");
    EXPECT_TRUE(form->Events.empty()) << "the program's choices run no user events";
}

// The arrow keys choose the next item in every style; the handlers already
// read the new text. Typing into an editable combo box changes its text.
TEST_F(ComboBoxes, KeysChooseItemsAndTypingChangesTheText)
{
    Strike(Get("List1")->Handle(), VK_DOWN);
    EXPECT_EQ(Get("List1")->Text(), L"丙");
    EXPECT_EQ(form->Events, (std::vector<std::string>{"select List1", "change List1"}));

    form->Events.clear();
    TComboBox* edit = Get("Edit1");
    edit->SetItemIndex(0);
    Strike(EditOf(edit), VK_DOWN);
    EXPECT_EQ(edit->ItemIndex(), 1);
    EXPECT_EQ(edit->Text(), L"上海");
    EXPECT_EQ(form->Events, (std::vector<std::string>{"select Edit1", "change Edit1"}));

    form->Events.clear();
    SendMessageW(EditOf(edit), EM_SETSEL, 2, 2);  // the caret after the chosen text
    SendMessageW(EditOf(edit), WM_CHAR, L'市', 1);
    EXPECT_EQ(edit->Text(), L"上海市");
    EXPECT_EQ(form->Events, (std::vector<std::string>{"change Edit1"}));

    form->Events.clear();
    TComboBox* simple = Get("Simple1");
    Strike(EditOf(simple), VK_UP);
    EXPECT_EQ(simple->Text(), L"two");
    EXPECT_EQ(form->Events, (std::vector<std::string>{"select Simple1", "change Simple1"}));
}

// Dropping the list down (Alt+Down, or the program) runs OnDropDown and
// gives the list room for its items; closing it runs OnCloseUp.
TEST_F(ComboBoxes, TheListDropsDownWithRoomForItsItems)
{
    TComboBox* list = Get("List1");
    SetForegroundWindow(form->Handle());
    list->SetFocus();
    SendMessageW(list->Handle(), WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
    ASSERT_TRUE(tests::PumpUntil([&] { return list->DroppedDown(); }));
    EXPECT_EQ(form->Events, (std::vector<std::string>{"drop List1"}));
    const auto rowHeight = SendMessageW(list->Handle(), CB_GETITEMHEIGHT, 0, 0);
    EXPECT_GE(ListHeight(list), 4 * rowHeight) << "all four items fit";
    list->SetDroppedDown(false);
    EXPECT_FALSE(list->DroppedDown());
    EXPECT_EQ(form->Events, (std::vector<std::string>{"drop List1", "close List1"}));

    form->Events.clear();
    list->SetBounds(list->Left(), list->Top(), 200, list->Height());
    list->SetDroppedDown(true);
    EXPECT_GE(ListHeight(list), 4 * rowHeight) << "a new size keeps the room";
    list->SetDroppedDown(false);
}

// The items, the choice and the text outlive a remade window (a new style).
TEST_F(ComboBoxes, ANewStyleKeepsItemsAndChoice)
{
    TComboBox* list = Get("List1");
    list->SetStyle(TComboBoxStyle::csDropDown);
    EXPECT_EQ(GetWindowLongPtrW(list->Handle(), GWL_STYLE) & 3, CBS_DROPDOWN);
    EXPECT_EQ(list->Items()->Count(), 4);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(list->Text(), L"乙");
    TComboBox* edit = Get("Edit1");
    edit->SetStyle(TComboBoxStyle::csSimple);
    EXPECT_EQ(edit->Text(), L"自己写的");
}

// The real pointer: a click on the drop button opens the list, a click on an
// item chooses it and closes the list.
TEST_F(ComboBoxes, TheMouseOpensTheListAndChoosesAnItem)
{
    auto& input = tests::TXInput::Instance();
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    TComboBox* list = Get("List1");
    SetForegroundWindow(form->Handle());
    COMBOBOXINFO info{};
        info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(list->Handle(), &info));
    POINT button{(info.rcButton.left + info.rcButton.right) / 2, (info.rcButton.top + info.rcButton.bottom) / 2};
    ClientToScreen(list->Handle(), &button);
    ASSERT_TRUE(input.MoveTo(button));
    input.Click();
    ASSERT_TRUE(tests::PumpUntil([&] { return list->DroppedDown(); }));

    RECT item{};
    ASSERT_NE(SendMessageW(info.hwndList, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item)), LB_ERR);
    POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(info.hwndList, &at);
    ASSERT_TRUE(input.MoveTo(at));
    input.Click();
    ASSERT_TRUE(tests::PumpUntil([&] { return !list->DroppedDown(); }));
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(list->Text(), L"丁");
    EXPECT_NE(std::find(form->Events.begin(), form->Events.end(), "select List1"), form->Events.end());
}
