// Tab control, page control with tab sheets and the tab set on real windows,
// read from form data and driven by clicks and keys through their windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/support/WindowTestSupport.h"
#include "ui/controls/StdCtrls.h"
#include "ui/controls/Tabs.h"
#include "ui/core/FormReader.h"
#include "ui/forms/Forms.h"

using namespace ui;

namespace {

class TTabsForm : public TForm {
    UI_CLASS(TTabsForm)
public:
    explicit TTabsForm(TComponent* owner) : TForm(owner) {}
    std::vector<std::string> Events;
    bool Allow = true;
    void Changed(TObject* sender) { Events.push_back(dynamic_cast<TComponent*>(sender)->Name() + " changed"); }
    void Changing(TObject* sender, bool& allow)
    {
        Events.push_back(dynamic_cast<TComponent*>(sender)->Name() + " changing");
        allow = Allow;
    }
    void TabSetChange(TObject*, int newTab, bool& allow)
    {
        Events.push_back("tab set to " + std::to_string(newTab));
        allow = Allow;
    }
    void Clicked(TObject* sender) { Events.push_back(dynamic_cast<TComponent*>(sender)->Name() + " clicked"); }
    TMethod FindMethod(std::string_view name) override
    {
        using F = TTabsForm;
        return FindHandler<F>(this, name,
                              {Handler("Changed", &F::Changed), Handler("Changing", &F::Changing),
                               Handler("TabSetChange", &F::TabSetChange), Handler("Clicked", &F::Clicked)});
    }
};

const TClassInfo& TTabsForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTabsForm>("TTabsForm", &TForm::StaticClass()).Done();
    return info;
}

const char* const TabsForm = R"(object TabsForm: TTabsForm
  Left = 40
  Top = 40
  ClientWidth = 560
  ClientHeight = 330
  Position = poDesigned
  object Tabs1: TTabControl
    Left = 10
    Top = 10
    Width = 260
    Height = 120
    TabIndex = 1
    Tabs.Strings = (
      '一'
      '二'
      '三')
    OnChange = Changed
    OnChanging = Changing
  end
  object Pages1: TPageControl
    Left = 280
    Top = 10
    Width = 270
    Height = 200
    ActivePage = Sheet2
    OnChange = Changed
    OnChanging = Changing
    object Sheet1: TTabSheet
      Caption = '常规'
      object Edit1: TEdit
        Left = 8
        Top = 8
        Width = 100
        Height = 22
        TabOrder = 0
      end
    end
    object Sheet2: TTabSheet
      Caption = '高级'
      object Edit2: TEdit
        Left = 8
        Top = 8
        Width = 100
        Height = 22
        TabOrder = 0
      end
    end
    object Sheet3: TTabSheet
      Caption = '关于'
    end
  end
  object TabSet1: TTabSet
    Left = 10
    Top = 230
    Width = 200
    Height = 22
    Tabs.Strings = (
      'First'
      'Second'
      'Third'
      'Fourth'
      'Fifth'
      'Sixth')
    TabIndex = 0
    OnChange = TabSetChange
    OnClick = Clicked
  end
end
)";

class Tabs : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFrameworkClasses();
        form = new TTabsForm(nullptr);
        ReadComponent(TabsForm, *form);
        form->Show();
        ASSERT_TRUE(tests::PumpUntil([&] { return IsWindowVisible(form->Handle()) != 0; }));
        tests::Pump();
        tabs = FindComponentOf<TTabControl>(*form, "Tabs1");
        pages = FindComponentOf<TPageControl>(*form, "Pages1");
        tabSet = FindComponentOf<TTabSet>(*form, "TabSet1");
    }
    void TearDown() override { delete form; }

    TTabSheet* Sheet(const char* name) { return FindComponentOf<TTabSheet>(*form, name); }

    static RECT TabRect(HWND wnd, int index)
    {
        RECT r{};
        SendMessageW(wnd, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    static void Click(HWND wnd, const RECT& r)
    {
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(wnd, WM_LBUTTONUP, 0, at);
        tests::Pump();
    }
    static std::wstring TabText(HWND wnd, int index)
    {
        wchar_t text[32]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 32;
        SendMessageW(wnd, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    static int Chosen(TWinControl* control) { return static_cast<int>(SendMessageW(control->Handle(), TCM_GETCURSEL, 0, 0)); }
    // Only the active page shows, over the whole display area.
    void ExpectOnlyShown(TTabSheet* active)
    {
        for (int i = 0; i < pages->PageCount(); ++i)
            EXPECT_EQ(IsWindowVisible(pages->Pages(i)->Handle()) != 0, pages->Pages(i) == active) << i;
        const RECT area = pages->DisplayRect();
        const RECT placed = active->BoundsRect();
        EXPECT_TRUE(EqualRect(&area, &placed));
    }

    TTabsForm* form = nullptr;
    TTabControl* tabs = nullptr;
    TPageControl* pages = nullptr;
    TTabSet* tabSet = nullptr;
};

} // namespace

// The tabs read from the form are the window's; a click on a tab asks
// OnChanging, which may keep the tab, and then runs OnChange.
TEST_F(Tabs, ATabControlShowsItsTabsAndAsksBeforeAChange)
{
    HWND wnd = tabs->Handle();
    ASSERT_EQ(SendMessageW(wnd, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(TabText(wnd, 2), L"三");
    EXPECT_EQ(Chosen(tabs), 1);

    form->Allow = false;
    Click(wnd, TabRect(wnd, 2));
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_EQ(Chosen(tabs), 1);
    form->Allow = true;
    Click(wnd, TabRect(wnd, 2));
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(form->Events, (std::vector<std::string>{"Tabs1 changing", "Tabs1 changing", "Tabs1 changed"}));

    tabs->Tabs()->Delete(2);
    EXPECT_EQ(SendMessageW(wnd, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(tabs->TabIndex(), 1) << "the chosen tab went; the last one is chosen";
    tabs->Tabs()->Put(0, L"甲");
    EXPECT_EQ(TabText(wnd, 0), L"甲");
    tabs->SetTabIndex(7);
    EXPECT_EQ(tabs->TabIndex(), 1);
}

// Every style and side is the window's style; the page fills the area the
// tabs leave on each side.
TEST_F(Tabs, StylesAndSidesAreTheWindowsAndThePageFillsWhatTheTabsLeave)
{
    const struct {
        TTabStyle Style;
        TTabPosition Side;
        LONG_PTR Bits;
    } cases[] = {
        {TTabStyle::tsTabs, TTabPosition::tpTop, 0},
        {TTabStyle::tsTabs, TTabPosition::tpBottom, TCS_BOTTOM},
        {TTabStyle::tsTabs, TTabPosition::tpLeft, TCS_VERTICAL | TCS_MULTILINE},
        {TTabStyle::tsTabs, TTabPosition::tpRight, TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE},
        {TTabStyle::tsButtons, TTabPosition::tpTop, TCS_BUTTONS},
        {TTabStyle::tsFlatButtons, TTabPosition::tpTop, TCS_BUTTONS | TCS_FLATBUTTONS},
    };
    const LONG_PTR mask = TCS_BOTTOM | TCS_RIGHT | TCS_VERTICAL | TCS_MULTILINE | TCS_BUTTONS | TCS_FLATBUTTONS;
    for (const auto& c : cases) {
        pages->SetStyle(c.Style);
        pages->SetTabPosition(c.Side);
        tests::Pump();
        EXPECT_EQ(GetWindowLongPtrW(pages->Handle(), GWL_STYLE) & mask, c.Bits) << c.Bits;
        EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
        EXPECT_EQ(Chosen(pages), 1);
        ExpectOnlyShown(Sheet("Sheet2"));
        const RECT area = pages->DisplayRect();
        RECT tab = TabRect(pages->Handle(), 0), overlap{};
        EXPECT_FALSE(IntersectRect(&overlap, &tab, &area)) << "the page leaves the tabs free";
    }
}

// Pages are the sheets in order, their captions the tabs; the stored active
// page shows alone. A click on a tab shows its page; the caption of a sheet
// is its tab's text at once.
TEST_F(Tabs, APageControlShowsTheChosenSheet)
{
    HWND wnd = pages->Handle();
    ASSERT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(TabText(wnd, 0), L"常规");
    EXPECT_EQ(pages->ActivePage(), Sheet("Sheet2"));
    EXPECT_EQ(Chosen(pages), 1);
    ExpectOnlyShown(Sheet("Sheet2"));

    Click(wnd, TabRect(wnd, 2));
    EXPECT_EQ(pages->ActivePage(), Sheet("Sheet3"));
    ExpectOnlyShown(Sheet("Sheet3"));
    EXPECT_EQ(form->Events, (std::vector<std::string>{"Pages1 changing", "Pages1 changed"}));

    Sheet("Sheet1")->SetCaption(L"一般");
    EXPECT_EQ(TabText(wnd, 0), L"一般");
    Sheet("Sheet3")->SetPageIndex(0);
    EXPECT_EQ(TabText(wnd, 0), L"关于");
    EXPECT_EQ(Chosen(pages), 0) << "the active page moved with its tab";
    pages->SetActivePageIndex(2);
    EXPECT_EQ(pages->ActivePage(), Sheet("Sheet2"));
    ExpectOnlyShown(Sheet("Sheet2"));
}

// With the focus on a page, Ctrl+Tab and Ctrl+Shift+Tab (real keys through
// the application's message loop) go to the next and previous page, round
// the ends; the focus leaves a page that hides.
TEST_F(Tabs, CtrlTabChangesPages)
{
    SetForegroundWindow(form->Handle());
    auto* edit = FindComponentOf<TEdit>(*form, "Edit2");
    edit->SetFocus();
    ASSERT_TRUE(tests::PumpUntil([&] { return edit->Focused(); }));
    tests::SendKeys({{VK_CONTROL, true}, {VK_TAB, true}, {VK_TAB, false}, {VK_CONTROL, false}});
    EXPECT_TRUE(tests::LoopUntil([&] { return pages->ActivePage() == Sheet("Sheet3"); }));
    EXPECT_FALSE(edit->Focused());
    EXPECT_TRUE(pages->Focused()) << "the focus went to the page control";
    tests::SendKeys({{VK_CONTROL, true}, {VK_TAB, true}, {VK_TAB, false}, {VK_CONTROL, false}});
    EXPECT_TRUE(tests::LoopUntil([&] { return pages->ActivePage() == Sheet("Sheet1"); }));
    tests::SendKeys({{VK_CONTROL, true}, {VK_SHIFT, true}, {VK_TAB, true}, {VK_TAB, false}, {VK_SHIFT, false},
                     {VK_CONTROL, false}});
    EXPECT_TRUE(tests::LoopUntil([&] { return pages->ActivePage() == Sheet("Sheet3"); }));
    EXPECT_EQ(Chosen(pages), 2);
    ExpectOnlyShown(Sheet("Sheet3"));

    // Outside the page control, Ctrl+Tab is the form's Tab.
    tabs->SetFocus();
    ASSERT_TRUE(tests::PumpUntil([&] { return tabs->Focused(); }));
    tests::SendKeys({{VK_CONTROL, true}, {VK_TAB, true}, {VK_TAB, false}, {VK_CONTROL, false}});
    EXPECT_TRUE(tests::LoopUntil([&] { return !tabs->Focused(); }));
    EXPECT_EQ(pages->ActivePage(), Sheet("Sheet3"));
}

// A sheet that goes takes its tab along; the page after it (or before, for
// the last) is shown; the last page going leaves none.
TEST_F(Tabs, AFreedSheetLeavesItsPageControl)
{
    delete Sheet("Sheet2");
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(pages->ActivePage(), Sheet("Sheet3"));
    EXPECT_EQ(Chosen(pages), 1);
    ExpectOnlyShown(Sheet("Sheet3"));
    delete Sheet("Sheet3");
    EXPECT_EQ(pages->ActivePage(), Sheet("Sheet1"));
    ExpectOnlyShown(Sheet("Sheet1"));
    delete Sheet("Sheet1");
    EXPECT_EQ(pages->ActivePage(), nullptr);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_TRUE(form->Events.empty()) << "a page going is no choice of the user";
}

// The tab set draws its tabs from StartMargin on, each its text and 9
// pixels wide; those that do not fit are reached with the scroller, and a
// click on a tab asks OnChange, which may keep the tab.
TEST_F(Tabs, ATabSetShowsWhatFitsAndScrollsToTheRest)
{
    const std::vector<RECT> shown = tabSet->VisibleTabs();
    ASSERT_GE(shown.size(), 2u);
    ASSERT_LT(shown.size(), 6u) << "the six tabs do not fit in 200 pixels";
    EXPECT_EQ(shown[0].left, 5);
    EXPECT_EQ(shown[1].left, shown[0].right);
    SIZE first{};
    {
        const TWindowDC dc = TWindowDC::Client(tabSet->Handle());
        TSavedDC saved(dc.Get());
        saved.Select(tabSet->Font()->Handle());
        GetTextExtentPoint32W(dc.Get(), L"First", 5, &first);
    }
    EXPECT_EQ(shown[0].right - shown[0].left, first.cx + 9);
    TTabScroller* scroller = tabSet->Scroller();
    EXPECT_EQ(tabSet->Components(0), scroller) << "the scroller is the first owned component";
    ASSERT_TRUE(IsWindowVisible(scroller->Handle()));
    EXPECT_LE(shown.back().right, scroller->Left());

    Click(tabSet->Handle(), shown[1]);
    EXPECT_EQ(tabSet->TabIndex(), 1);
    form->Allow = false;
    Click(tabSet->Handle(), shown[0]);
    EXPECT_EQ(tabSet->TabIndex(), 1);
    EXPECT_EQ(form->Events, (std::vector<std::string>{"tab set to 1", "TabSet1 clicked", "tab set to 0"}));

    // The right arrow of the scroller shows the tabs one further on.
    RECT arrows{};
    GetClientRect(scroller->Handle(), &arrows);
    const RECT right{arrows.right / 2, 0, arrows.right, arrows.bottom};
    Click(scroller->Handle(), right);
    EXPECT_EQ(tabSet->FirstIndex(), 1);
    EXPECT_EQ(tabSet->IndexOfTabAt(shown[0].left + 2, 5), 1);
    tabSet->SetFirstIndex(99);
    EXPECT_EQ(tabSet->FirstIndex(), 5);
    tabSet->SetTabIndex(0);
    EXPECT_EQ(tabSet->FirstIndex(), 0) << "the chosen tab is brought into sight";

    tabSet->Tabs()->Clear();
    EXPECT_EQ(tabSet->TabIndex(), -1);
    EXPECT_FALSE(IsWindowVisible(scroller->Handle()));
}
