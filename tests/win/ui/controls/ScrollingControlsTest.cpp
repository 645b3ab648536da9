// Memo, scroll bar and up-down on real windows, read from form data and
// driven through their windows' own keyboard handling.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/win/support/WindowTestSupport.h"
#include "ui/controls/StdCtrls.h"
#include "ui/controls/UpDown.h"
#include "ui/core/FormReader.h"
#include "ui/forms/Forms.h"

using namespace ui;

namespace {

class TScrollingForm : public TForm {
    UI_CLASS(TScrollingForm)
public:
    explicit TScrollingForm(TComponent* owner) : TForm(owner) {}
    std::vector<std::string> Changes;
    void Changed(TObject* sender) { Changes.push_back(dynamic_cast<TComponent*>(sender)->Name()); }
    TMethod FindMethod(std::string_view name) override
    {
        return FindHandler<TScrollingForm>(this, name, {Handler("Changed", &TScrollingForm::Changed)});
    }
};

const TClassInfo& TScrollingForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TScrollingForm>("TScrollingForm", &TForm::StaticClass()).Done();
    return info;
}

const char* const ScrollingForm = R"(object Scrolling: TScrollingForm
  Left = 40
  Top = 40
  ClientWidth = 400
  ClientHeight = 260
  Position = poDesigned
  object Memo1: TMemo
    Left = 10
    Top = 10
    Width = 200
    Height = 100
    ScrollBars = ssVertical
    Lines.Strings = (
      '第一行'
      ''
      '第三行')
    TabOrder = 0
  end
  object Bar1: TScrollBar
    Left = 10
    Top = 120
    Width = 200
    Height = 17
    Position = 95
    PageSize = 10
    LargeChange = 10
    TabOrder = 1
    OnChange = Changed
  end
  object Bar2: TScrollBar
    Left = 230
    Top = 10
    Width = 17
    Height = 150
    Kind = sbVertical
    TabOrder = 2
  end
  object Edit1: TEdit
    Left = 10
    Top = 150
    Width = 80
    Height = 24
    TabOrder = 3
  end
  object UpDown1: TUpDown
    Left = 90
    Top = 150
    Width = 17
    Height = 24
    Associate = Edit1
    Min = 1
    Max = 9
    Position = 5
    OnChange = Changed
  end
end
)";

class ScrollingControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFrameworkClasses();
        form = new TScrollingForm(nullptr);
        ReadComponent(ScrollingForm, *form);
        form->Show();
        ASSERT_TRUE(tests::PumpUntil([&] { return IsWindowVisible(form->Handle()) != 0; }));
    }
    void TearDown() override { delete form; }

    template <class T>
    T* Get(const char* name) { return FindComponentOf<T>(*form, name); }

    // A key struck in a window, as its own keyboard handling takes it.
    static void Strike(TWinControl* c, WORD key)
    {
        SendMessageW(c->Handle(), WM_KEYDOWN, key, 1);
        SendMessageW(c->Handle(), WM_KEYUP, key, 0xC0000001);
    }

    TScrollingForm* form = nullptr;
};

} // namespace

// The lines are the lines of the memo's text, in the window and out of it.
TEST_F(ScrollingControls, AMemosLinesAreTheLinesOfItsText)
{
    auto* memo = Get<TMemo>("Memo1");
    ASSERT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Lines()->Get(1), L"");
    EXPECT_EQ(memo->Text(), L"第一行\r\n\r\n第三行\r\n");
    const LONG_PTR style = GetWindowLongPtrW(memo->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(style & ES_AUTOHSCROLL) << "word wrap";

    memo->Lines()->Put(1, L"第二行");
    memo->Lines()->Add(L"第四行");
    memo->Lines()->Delete(0);
    EXPECT_EQ(memo->Lines()->ToVector(), (std::vector<std::wstring>{L"第二行", L"第三行", L"第四行"}));
    EXPECT_EQ(memo->Text(), L"第二行\r\n第三行\r\n第四行\r\n");
    memo->SetTextValue(L"一\r\n二");
    EXPECT_EQ(memo->Lines()->ToVector(), (std::vector<std::wstring>{L"一", L"二"})) << "the last line break is optional";
    memo->Lines()->Add(L"");
    EXPECT_EQ(memo->Lines()->Count(), 3) << "an empty last line is kept";

    memo->SetWordWrap(false);
    EXPECT_TRUE(GetWindowLongPtrW(memo->Handle(), GWL_STYLE) & ES_AUTOHSCROLL);
    EXPECT_EQ(memo->Lines()->Count(), 3) << "the text outlives the window";
    memo->Lines()->Clear();
    EXPECT_EQ(memo->Lines()->Count(), 0);
    EXPECT_THROW(memo->Lines()->Get(0), Exception);
}

TEST_F(ScrollingControls, EnterInAMemoStartsANewLine)
{
    auto* memo = Get<TMemo>("Memo1");
    memo->Lines()->Clear();
    SetForegroundWindow(form->Handle());
    memo->SetFocus();
    for (WPARAM key : {WPARAM('A'), WPARAM(VK_RETURN), WPARAM('B')})
        PostMessageW(memo->Handle(), WM_KEYDOWN, key, 1);
    Application()->ProcessMessages();
    EXPECT_EQ(memo->Lines()->ToVector(), (std::vector<std::wstring>{L"a", L"b"}));
}

// The bar's own keys move the thumb by the small and large changes, never
// past the last position a page leaves; the program's moves are fitted too.
TEST_F(ScrollingControls, AScrollBarMovesWithinItsRangeAndReportsEveryMove)
{
    auto* bar = Get<TScrollBar>("Bar1");
    EXPECT_EQ(bar->Position(), 91) << "a page of 10 ends the range at 91";
    EXPECT_TRUE(GetWindowLongPtrW(Get<TScrollBar>("Bar2")->Handle(), GWL_STYLE) & SBS_VERT);
    const struct {
        WORD Key;
        int Expected;
    } steps[] = {{VK_LEFT, 90}, {VK_PRIOR, 80}, {VK_HOME, 0}, {VK_LEFT, 0}, {VK_RIGHT, 1}, {VK_END, 91}};
    for (auto [key, expected] : steps) {
        Strike(bar, key);
        EXPECT_EQ(bar->Position(), expected) << key;
        EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), expected) << key;
    }
    EXPECT_EQ(form->Changes.size(), 5u) << "a key that moves nothing is no change";
    bar->SetPosition(-5);
    EXPECT_EQ(bar->Position(), 0);
    bar->SetMax(50);
    bar->SetPosition(60);
    EXPECT_EQ(bar->Position(), 41);
}

// The arrows step the position within the range and show it in the edit
// they serve.
TEST_F(ScrollingControls, AnUpDownStepsItsPositionAndShowsItInItsEdit)
{
    auto* updown = Get<TUpDown>("UpDown1");
    auto* edit = Get<TEdit>("Edit1");
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(updown->Handle(), UDM_GETBUDDY, 0, 0)), edit->Handle());
    EXPECT_EQ(updown->Position(), 5);
    EXPECT_EQ(edit->Text(), L"5");
    for (int i = 0; i < 6; ++i)
        Strike(updown, VK_UP);
    EXPECT_EQ(updown->Position(), 9) << "held at Max";
    EXPECT_EQ(edit->Text(), L"9");
    Strike(updown, VK_DOWN);
    EXPECT_EQ(updown->Position(), 8);
    EXPECT_EQ(form->Changes, (std::vector<std::string>{"UpDown1", "UpDown1", "UpDown1", "UpDown1", "UpDown1"}));
    updown->SetPosition(-3);
    EXPECT_EQ(updown->Position(), 1);
    EXPECT_EQ(SendMessageW(updown->Handle(), UDM_GETPOS32, 0, 0), 1);
}
