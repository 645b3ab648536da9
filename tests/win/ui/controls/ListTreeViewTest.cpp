// List view (report style with its header) and tree view on real windows,
// read from form data, driven by keys and clicks through their windows and
// changed by the program; the windows' contents are read back from them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/support/WindowTestSupport.h"
#include "ui/controls/ListView.h"
#include "ui/controls/TreeView.h"
#include "ui/core/FormReader.h"
#include "ui/forms/Forms.h"

using namespace ui;

namespace {

class TListsForm : public TForm {
    UI_CLASS(TListsForm)
public:
    explicit TListsForm(TComponent* owner) : TForm(owner) {}
    std::vector<std::string> Events;
    void SelectItem(TObject*, TListItem* item, bool selected)
    {
        Events.push_back((selected ? "select " : "unselect ") + std::to_string(item->Index()));
    }
    void ColumnClick(TObject*, TListColumn* column) { Events.push_back("column " + std::to_string(column->Index())); }
    void NodeEvent(const char* what, TTreeNode* node)
    {
        const std::wstring text = node->Text();
        Events.push_back(what + std::string(" ") + std::string(text.begin(), text.end()));
    }
    void TreeChange(TObject*, TTreeNode* node) { NodeEvent("change", node); }
    void TreeExpanded(TObject*, TTreeNode* node) { NodeEvent("expanded", node); }
    void TreeCollapsed(TObject*, TTreeNode* node) { NodeEvent("collapsed", node); }
    TMethod FindMethod(std::string_view name) override
    {
        using F = TListsForm;
        return FindHandler<F>(this, name,
                              {Handler("SelectItem", &F::SelectItem), Handler("ColumnClick", &F::ColumnClick),
                               Handler("TreeChange", &F::TreeChange), Handler("TreeExpanded", &F::TreeExpanded),
                               Handler("TreeCollapsed", &F::TreeCollapsed)});
    }
};

const TClassInfo& TListsForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TListsForm>("TListsForm", &TForm::StaticClass()).Done();
    return info;
}

// Tree texts are ASCII so that events read plainly.
const char* const ListsForm = R"(object Lists: TListsForm
  Left = 40
  Top = 40
  ClientWidth = 520
  ClientHeight = 300
  Position = poDesigned
  object List1: TListView
    Left = 10
    Top = 10
    Width = 300
    Height = 150
    ViewStyle = vsReport
    RowSelect = True
    HideSelection = False
    Columns = <
      item
        Caption = '名称'
        Width = 120
      end
      item
        Caption = '大小'
        Width = 60
        Alignment = taRightJustify
      end
      item
        Caption = '类型'
        Width = 80
      end>
    Items = <
      item
        Caption = 'a.txt'
        SubItems.Strings = (
          '1 KB'
          '文本')
      end
      item
        Caption = 'b.bmp'
        Selected = True
        SubItems.Strings = (
          '9 KB'
          '图片')
      end
      item
        Caption = 'c'
      end>
    OnSelectItem = SelectItem
    OnColumnClick = ColumnClick
  end
  object Tree1: TTreeView
    Left = 320
    Top = 10
    Width = 190
    Height = 200
    HideSelection = False
    Items = <
      item
        Text = 'docs'
        Expanded = True
        Items = <
          item
            Text = 'report'
          end
          item
            Text = 'letters'
            Items = <
              item
                Text = 'draft'
              end>
          end>
      end
      item
        Text = 'pictures'
      end>
    OnChange = TreeChange
    OnExpanded = TreeExpanded
    OnCollapsed = TreeCollapsed
  end
end
)";

class ListTreeViews : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFrameworkClasses();
        form = new TListsForm(nullptr);
        ReadComponent(ListsForm, *form);
        form->Show();
        ASSERT_TRUE(tests::PumpUntil([&] { return IsWindowVisible(form->Handle()) != 0; }));
        tests::Pump();
        list = FindComponentOf<TListView>(*form, "List1");
        tree = FindComponentOf<TTreeView>(*form, "Tree1");
    }
    void TearDown() override { delete form; }

    // Focuses a window and presses a key on it, as a user would.
    static void Press(TWinControl* control, WORD key)
    {
        SetForegroundWindow(GetAncestor(control->Handle(), GA_ROOT));
        control->SetFocus();
        ASSERT_TRUE(tests::PumpUntil([&] { return control->Focused(); }));
        tests::SendKeys({{key, true}, {key, false}});
        tests::Pump();
    }

    TListsForm* form = nullptr;
    TListView* list = nullptr;
    TTreeView* tree = nullptr;
};

std::wstring CellText(HWND wnd, int row, int column)
{
    wchar_t text[64]{};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(wnd, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

std::vector<std::wstring> Rows(HWND wnd)
{
    std::vector<std::wstring> rows;
    const int count = static_cast<int>(SendMessageW(wnd, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::wstring line = CellText(wnd, row, 0);
        for (int column = 1; column < 3; ++column)
            line += L"|" + CellText(wnd, row, column);
        rows.push_back(line);
    }
    return rows;
}

bool RowSelected(HWND wnd, int row)
{
    return SendMessageW(wnd, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0;
}

// The tree as the window holds it: each row's text indented by its depth,
// with "+" after the rows the window shows open.
std::vector<std::wstring> TreeRows(HWND wnd, HTREEITEM first = nullptr, int depth = 0)
{
    std::vector<std::wstring> rows;
    HTREEITEM item = first ? first : reinterpret_cast<HTREEITEM>(SendMessageW(wnd, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (; item; item = reinterpret_cast<HTREEITEM>(
                     SendMessageW(wnd, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        wchar_t text[64]{};
        TVITEMW info{};
        info.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE;
        info.hItem = item;
        info.pszText = text;
        info.cchTextMax = 64;
        info.stateMask = TVIS_EXPANDED;
        SendMessageW(wnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info));
        rows.push_back(std::wstring(static_cast<std::size_t>(depth), L' ') + text +
                       ((info.state & TVIS_EXPANDED) ? L"+" : L""));
        auto child = reinterpret_cast<HTREEITEM>(
            SendMessageW(wnd, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        if (child) {
            auto below = TreeRows(wnd, child, depth + 1);
            rows.insert(rows.end(), below.begin(), below.end());
        }
    }
    return rows;
}

} // namespace

// Columns and rows read from the form are in the window under a header,
// texts in their columns and the stored selection shown.
TEST_F(ListTreeViews, AListViewShowsItsColumnsAndRowsUnderAHeader)
{
    HWND wnd = list->Handle();
    HWND header = list->HeaderHandle();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(wnd, LVM_GETCOLUMNWIDTH, 1, 0), 60);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT;
    SendMessageW(wnd, LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
    EXPECT_EQ(Rows(wnd), (std::vector<std::wstring>{L"a.txt|1 KB|文本", L"b.bmp|9 KB|图片", L"c||"}));
    EXPECT_TRUE(RowSelected(wnd, 1));
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(list->Selected(), list->Items()->Items(1));
    EXPECT_TRUE(SendMessageW(wnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(form->Events.empty()) << "reading a form selects nothing anew";
}

// The arrow keys move the selection in the window; the rows follow and
// OnSelectItem tells of the row left and the row chosen. A click on a
// column's header runs OnColumnClick.
TEST_F(ListTreeViews, AListViewReportsTheUsersSelectionAndColumnClicks)
{
    Press(list, VK_DOWN);
    EXPECT_TRUE(tests::PumpUntil([&] { return list->ItemIndex() == 2; }));
    EXPECT_FALSE(list->Items()->Items(1)->Selected());
    EXPECT_EQ(form->Events, (std::vector<std::string>{"unselect 1", "select 2"}));

    form->Events.clear();
    HWND header = list->HeaderHandle();
    RECT second{};
    SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    const LPARAM at = MAKELPARAM((second.left + second.right) / 2, (second.top + second.bottom) / 2);
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(header, WM_LBUTTONUP, 0, at);
    tests::Pump();
    EXPECT_EQ(form->Events, (std::vector<std::string>{"column 1"}));

    // A width the user gives a column in the window comes back to it.
    SendMessageW(list->Handle(), LVM_SETCOLUMNWIDTH, 2, 140);
    EXPECT_EQ(list->Columns()->Items(2)->Width(), 140);
}

// Rows the program adds, changes and deletes show at once; selection set by
// the program is shown and reported; a remade window keeps rows, widths and
// the selection.
TEST_F(ListTreeViews, AListViewShowsTheProgramsChangesAndSurvivesANewWindow)
{
    HWND wnd = list->Handle();
    TListItem* added = list->Items()->Add();
    added->SetCaption(L"d.doc");
    added->SubItems()->Add(L"2 KB");
    list->Items()->Items(0)->SubItems()->Put(1, L"纯文本");
    EXPECT_EQ(Rows(wnd), (std::vector<std::wstring>{L"a.txt|1 KB|纯文本", L"b.bmp|9 KB|图片", L"c||", L"d.doc|2 KB|"}));

    list->SetItemIndex(3);
    EXPECT_TRUE(RowSelected(wnd, 3));
    EXPECT_FALSE(RowSelected(wnd, 1)) << "one row at a time";
    EXPECT_EQ(form->Events, (std::vector<std::string>{"unselect 1", "select 3"}));

    list->Items()->Delete(0);
    EXPECT_EQ(Rows(wnd), (std::vector<std::wstring>{L"b.bmp|9 KB|图片", L"c||", L"d.doc|2 KB|"}));
    EXPECT_TRUE(RowSelected(wnd, 2));
    EXPECT_EQ(list->ItemIndex(), 2);

    list->Columns()->Items(0)->SetWidth(90);
    list->SetBorderStyle(TBorderStyle::bsNone);
    wnd = list->Handle();
    EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(Rows(wnd), (std::vector<std::wstring>{L"b.bmp|9 KB|图片", L"c||", L"d.doc|2 KB|"}));
    EXPECT_EQ(SendMessageW(wnd, LVM_GETCOLUMNWIDTH, 0, 0), 90);
    EXPECT_TRUE(RowSelected(wnd, 2));
    EXPECT_EQ(form->Events.size(), 2u) << "a remade window selects nothing anew";

    list->Items()->Clear();
    EXPECT_EQ(SendMessageW(wnd, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(list->Selected(), nullptr);
}

// More rows than fit: the view gets its own vertical bar and scrolls by it.
TEST_F(ListTreeViews, AnOverflowingListViewScrollsWithItsOwnBar)
{
    HWND wnd = list->Handle();
    EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_VSCROLL);
    for (int i = 0; i < 60; ++i)
        list->Items()->Add()->SetCaption(L"行 " + std::to_wstring(i));
    tests::Pump();
    EXPECT_EQ(SendMessageW(wnd, LVM_GETITEMCOUNT, 0, 0), 63);
    EXPECT_TRUE(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_VSCROLL);
    SendMessageW(wnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    tests::Pump();
    EXPECT_GT(SendMessageW(wnd, LVM_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(CellText(wnd, 62, 0), L"行 59");
}

// Nested nodes from the form are the window's rows, open as stored.
TEST_F(ListTreeViews, ATreeViewShowsItsNodesOpenAsStored)
{
    EXPECT_EQ(TreeRows(tree->Handle()),
              (std::vector<std::wstring>{L"docs+", L" report", L" letters", L"  draft", L"pictures"}));
    TTreeNode* letters = tree->Items()->Items(0)->Item(1);
    EXPECT_EQ(letters->Parent(), tree->Items()->Items(0));
    EXPECT_EQ(letters->Item(0)->Depth(), 2);
    EXPECT_EQ(tree->Selected(), nullptr);
    const LONG_PTR style = GetWindowLongPtrW(tree->Handle(), GWL_STYLE);
    EXPECT_EQ(style & (TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS),
              TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
}

// The user's keys select, open and close nodes; the nodes follow and the
// events tell.
TEST_F(ListTreeViews, ATreeViewFollowsTheUsersKeys)
{
    TTreeNode* docs = tree->Items()->Items(0);
    TTreeNode* letters = docs->Item(1);
    tree->SetSelected(docs->Item(0));
    form->Events.clear();
    Press(tree, VK_DOWN);
    EXPECT_TRUE(letters->Selected());
    Press(tree, VK_RIGHT);
    EXPECT_TRUE(letters->Expanded());
    Press(tree, VK_LEFT);
    EXPECT_FALSE(letters->Expanded());
    Press(tree, VK_LEFT);  // to the parent
    Press(tree, VK_LEFT);  // closes it
    EXPECT_FALSE(docs->Expanded());
    EXPECT_EQ(form->Events, (std::vector<std::string>{"change letters", "expanded letters", "collapsed letters",
                                                      "change docs", "collapsed docs"}));
    EXPECT_EQ(TreeRows(tree->Handle()),
              (std::vector<std::wstring>{L"docs", L" report", L" letters", L"  draft", L"pictures"}));
}

// Nodes the program adds, renames, opens and deletes show at once; a
// deleted selected node leaves no selection; a remade window keeps the
// nodes, what is open and the selection, and tells no one.
TEST_F(ListTreeViews, ATreeViewShowsTheProgramsChangesAndSurvivesANewWindow)
{
    TTreeNode* pictures = tree->Items()->Items(1);
    pictures->Items()->AddNode(L"cats");
    pictures->Expand(false);
    tree->Items()->Items(0)->Item(0)->SetText(L"summary");
    tree->Items()->AddNode(L"music");
    EXPECT_EQ(TreeRows(tree->Handle()), (std::vector<std::wstring>{L"docs+", L" summary", L" letters", L"  draft",
                                                                    L"pictures+", L" cats", L"music"}));

    TTreeNode* letters = tree->Items()->Items(0)->Item(1);
    letters->Expand(true);
    letters->Item(0)->SetSelected(true);
    EXPECT_EQ(form->Events, (std::vector<std::string>{"change draft"}));
    tree->Items()->Items(0)->Items()->Delete(1);
    EXPECT_EQ(tree->Selected(), nullptr);
    EXPECT_EQ(SendMessageW(tree->Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0), 0);
    EXPECT_EQ(TreeRows(tree->Handle()),
              (std::vector<std::wstring>{L"docs+", L" summary", L"pictures+", L" cats", L"music"}));

    pictures->Item(0)->SetSelected(true);
    form->Events.clear();
    tree->SetBorderStyle(TBorderStyle::bsNone);
    EXPECT_EQ(TreeRows(tree->Handle()),
              (std::vector<std::wstring>{L"docs+", L" summary", L"pictures+", L" cats", L"music"}));
    EXPECT_EQ(tree->Selected(), pictures->Item(0));
    EXPECT_EQ(SendMessageW(tree->Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0),
              reinterpret_cast<LRESULT>(pictures->Item(0)->ItemId()));
    EXPECT_TRUE(form->Events.empty());

    tree->Items()->Clear();
    EXPECT_EQ(SendMessageW(tree->Handle(), TVM_GETCOUNT, 0, 0), 0);
}
