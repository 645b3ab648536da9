#include "tools/win/demo/Demo.h"

#include <string>

#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinMessages.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/Grids.h"
#include "ui/controls/StdCtrls.h"

namespace demo {

using namespace ui;

namespace {

// A menu item that checks and unchecks itself when clicked; radio items
// check themselves (the others of the group follow).
void ToggleCheck(TObject* sender)
{
    if (auto* item = dynamic_cast<TMenuItem*>(sender))
        item->SetChecked(item->RadioItem() || !item->Checked());
}

} // namespace

// ---- TDemoChild

const TClassInfo& TDemoChild::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TDemoChild>("TDemoChild", &TForm::StaticClass()).Done();
    return info;
}

TDemoChild::TDemoChild(TComponent* owner) : TForm(owner)
{
    InitFromResource();
    DoCreate();
}

TMethod TDemoChild::FindMethod(std::string_view name)
{
    return FindHandler<TDemoChild>(this, name, {Handler("CloseClick", &TDemoChild::CloseClick)});
}

void TDemoChild::CloseClick(TObject*)
{
    Close();
}

// ---- TDemoFrame

const TClassInfo& TDemoFrame::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TDemoFrame>("TDemoFrame", &TForm::StaticClass()).Done();
    return info;
}

TDemoFrame::TDemoFrame(TComponent* owner) : TForm(owner)
{
    InitFromResource();
    DoCreate();
}

TMethod TDemoFrame::FindMethod(std::string_view name)
{
    using F = TDemoFrame;
    return FindHandler<F>(this, name,
                          {Handler("NewChildClick", &F::NewChildClick),
                           Handler("NewSystemFrameChildClick", &F::NewSystemFrameChildClick),
                           Handler("MessageClick", &F::MessageClick),
                           Handler("CloseFrameClick", &F::CloseFrameClick), Handler("ToolbarClick", &F::ToolbarClick),
                           Handler("CheckClick", &F::CheckClick), Handler("TileClick", &F::TileClick),
                           Handler("CascadeClick", &F::CascadeClick), Handler("ArrangeClick", &F::ArrangeClick),
                           Handler("NextClick", &F::NextClick), Handler("MaximizeClick", &F::MaximizeClick)});
}

TDemoChild* TDemoFrame::NewChild()
{
    auto* child = new TDemoChild(this);
    child->SetCaption(L"文档 " + std::to_wstring(++children_));
    child->Show();
    return child;
}

TDemoChild* TDemoFrame::NewSystemFrameChild()
{
    // A child is skinned while it is made, and reads the option then.
    skin::TSkinData& data = *skin::GlobalSkinManage()->MainSkinData;
    const skin::TSkinOptions options = data.Options();
    data.SetOptions(options | skin::SetOf(skin::xoMDIChildBorder));
    TDemoChild* child = NewChild();
    data.SetOptions(options);
    child->SetCaption(child->Caption() + L"（系统边框）");
    return child;
}

void TDemoFrame::NewChildClick(TObject*)
{
    NewChild();
}

void TDemoFrame::NewSystemFrameChildClick(TObject*)
{
    NewSystemFrameChild();
}

void TDemoFrame::MessageClick(TObject* sender)
{
    auto* item = dynamic_cast<TMenuItem*>(sender);
    Application()->MessageBox(L"选择了：" + (item ? item->Caption() : std::wstring()), L"Tessaly 演示",
                              MB_OK | MB_ICONINFORMATION);
}

void TDemoFrame::CloseFrameClick(TObject*)
{
    Close();
}

void TDemoFrame::ToolbarClick(TObject* sender)
{
    ToggleCheck(sender);
    FindComponentOf<TPanel>(*this, "ToolPanel")->SetVisible(FindComponentOf<TMenuItem>(*this, "Toolbar1")->Checked());
}

void TDemoFrame::CheckClick(TObject* sender)
{
    ToggleCheck(sender);
}

void TDemoFrame::TileClick(TObject*)
{
    Tile();
}

void TDemoFrame::CascadeClick(TObject*)
{
    Cascade();
}

void TDemoFrame::ArrangeClick(TObject*)
{
    ArrangeIcons();
}

void TDemoFrame::NextClick(TObject*)
{
    Next();
}

void TDemoFrame::MaximizeClick(TObject*)
{
    if (TForm* child = ActiveMDIChild())
        child->SetWindowState(TWindowState::wsMaximized);
}

// ---- TDemoPlainForm

const TClassInfo& TDemoPlainForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TDemoPlainForm>("TDemoPlainForm", &TForm::StaticClass()).Done();
    return info;
}

TDemoPlainForm::TDemoPlainForm(TComponent* owner, const wchar_t* resource) : TForm(owner)
{
    InitFromResource(resource);
    DoCreate();
}

TMethod TDemoPlainForm::FindMethod(std::string_view name)
{
    using F = TDemoPlainForm;
    return FindHandler<F>(this, name, {Handler("CloseClick", &F::CloseClick), Handler("CheckClick", &F::CheckClick)});
}

void TDemoPlainForm::CloseClick(TObject*)
{
    Close();
}

void TDemoPlainForm::CheckClick(TObject* sender)
{
    ToggleCheck(sender);
}

// ---- TDemoGridsPage

const TClassInfo& TDemoGridsPage::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TDemoGridsPage>("TDemoGridsPage", &TDemoPlainForm::StaticClass()).Done();
    return info;
}

// Headings in the fixed row and column, a number in every other cell.
TDemoGridsPage::TDemoGridsPage(TComponent* owner) : TDemoPlainForm(owner, L"TDEMOGRIDS")
{
    auto* grid = FindComponentOf<TStringGrid>(*this, "Grid1");
    for (int col = 1; col < grid->ColCount(); ++col)
        grid->SetCells(col, 0, L"第 " + std::to_wstring(col) + L" 列");
    for (int row = 1; row < grid->RowCount(); ++row) {
        grid->SetCells(0, row, L"第 " + std::to_wstring(row) + L" 行");
        for (int col = 1; col < grid->ColCount(); ++col)
            grid->SetCells(col, row, std::to_wstring(row * 100 + col));
    }
}

// ---- TDemoTabsPage

const TClassInfo& TDemoTabsPage::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TDemoTabsPage>("TDemoTabsPage", &TDemoPlainForm::StaticClass()).Done();
    return info;
}

TDemoTabsPage::TDemoTabsPage(TComponent* owner) : TDemoPlainForm(owner)
{
    InitFromResource(L"TDEMOTABS");
    DoCreate();
}

void TDemoTabsPage::Dispatch(TMessage& m)
{
    if (m.Msg == skin::WM_SKINCLOSETAB) {
        m.Result = m.LParam == 0 ? 1 : 0;  // the first page stays
        return;
    }
    TDemoPlainForm::Dispatch(m);
}

// ---- TDemoListsPage

const TClassInfo& TDemoListsPage::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TDemoListsPage>("TDemoListsPage", &TDemoPlainForm::StaticClass()).Done();
    return info;
}

TDemoListsPage::TDemoListsPage(TComponent* owner) : TDemoPlainForm(owner)
{
    InitFromResource(L"TDEMOLISTS");
    DoCreate();
}

TMethod TDemoListsPage::FindMethod(std::string_view name)
{
    using F = TDemoListsPage;
    if (TMethod own = FindHandler<F>(this, name,
                                     {Handler("FileSelected", &F::FileSelected),
                                      Handler("ColumnClicked", &F::ColumnClicked),
                                      Handler("FolderChanged", &F::FolderChanged)});
        own.Assigned())
        return own;
    return TDemoPlainForm::FindMethod(name);
}

void TDemoListsPage::Tell(const std::wstring& text)
{
    if (auto* status = dynamic_cast<TLabel*>(FindComponent("StatusLabel")))
        status->SetCaption(text);
}

void TDemoListsPage::FileSelected(TObject*, TListItem* item, bool selected)
{
    if (selected)
        Tell(L"选中：" + item->Caption());
}

void TDemoListsPage::ColumnClicked(TObject*, TListColumn* column)
{
    Tell(L"点击了「" + column->Caption() + L"」列");
}

void TDemoListsPage::FolderChanged(TObject*, TTreeNode* node)
{
    Tell(L"打开的文件夹：" + node->Text());
}

// ---- TDemoOptionsFrame

const TClassInfo& TDemoOptionsFrame::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TDemoOptionsFrame>("TDemoOptionsFrame", &TFrame::StaticClass()).Creatable().Done();
    return info;
}

TDemoOptionsFrame::TDemoOptionsFrame(TComponent* owner) : TFrame(owner)
{
    InitFromResource();
}

// ---- TDemoMain

const TClassInfo& TDemoMain::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TDemoMain>("TDemoMain", &TForm::StaticClass()).Done();
    return info;
}

TDemoMain::TDemoMain(TComponent* owner) : TForm(owner)
{
    InitFromResource();
    DoCreate();
}

TMethod TDemoMain::FindMethod(std::string_view name)
{
    using F = TDemoMain;
    return FindHandler<F>(this, name,
                          {Handler("FrameClick", &F::FrameClick), Handler("SizeableClick", &F::SizeableClick),
                           Handler("ToolClick", &F::ToolClick), Handler("TaggedClick", &F::TaggedClick),
                           Handler("BareClick", &F::BareClick), Handler("RightToLeftClick", &F::RightToLeftClick),
                           Handler("AllClick", &F::AllClick), Handler("ButtonsPageClick", &F::ButtonsPageClick),
                           Handler("ChecksPageClick", &F::ChecksPageClick), Handler("BarsPageClick", &F::BarsPageClick),
                           Handler("ToolsPageClick", &F::ToolsPageClick),
                           Handler("ScrollingPageClick", &F::ScrollingPageClick),
                           Handler("GridsPageClick", &F::GridsPageClick), Handler("EditsPageClick", &F::EditsPageClick),
                           Handler("PlayerPageClick", &F::PlayerPageClick),
                           Handler("TabsPageClick", &F::TabsPageClick), Handler("ListsPageClick", &F::ListsPageClick)});
}

template <class Make>
void TDemoMain::ShowOnce(TForm*& slot, Make make)
{
    if (!slot)
        slot = make();
    slot->Show();
    slot->SetWindowState(slot->WindowState() == TWindowState::wsMinimized ? TWindowState::wsNormal
                                                                           : slot->WindowState());
    SetForegroundWindow(slot->Handle());
}

void TDemoMain::FrameClick(TObject*)
{
    ShowOnce(frame_, [this] {
        auto* frame = new TDemoFrame(this);
        frame->Show();
        frame->NewChild();
        frame->NewChild();
        frame->NewSystemFrameChild();
        return frame;
    });
}

void TDemoMain::SizeableClick(TObject*)
{
    ShowOnce(sizeable_, [this] { return new TDemoPlainForm(this, L"TDEMOSIZEABLE"); });
}

void TDemoMain::ToolClick(TObject*)
{
    ShowOnce(tool_, [this] { return new TDemoPlainForm(this, L"TDEMOTOOL"); });
}

void TDemoMain::TaggedClick(TObject*)
{
    ShowOnce(tagged_, [this] { return new TDemoPlainForm(this, L"TDEMOTAGGED"); });
}

void TDemoMain::BareClick(TObject*)
{
    ShowOnce(bare_, [this] { return new TDemoPlainForm(this, L"TDEMOBARE"); });
}

void TDemoMain::RightToLeftClick(TObject*)
{
    ShowOnce(rightToLeft_, [this] { return new TDemoPlainForm(this, L"TDEMORIGHTTOLEFT"); });
}

void TDemoMain::AllClick(TObject* sender)
{
    for (auto open : {&TDemoMain::FrameClick, &TDemoMain::SizeableClick, &TDemoMain::ToolClick,
                      &TDemoMain::TaggedClick, &TDemoMain::BareClick, &TDemoMain::RightToLeftClick})
        (this->*open)(sender);
}

void TDemoMain::ButtonsPageClick(TObject*)
{
    ShowOnce(buttonsPage_, [this] { return new TDemoPlainForm(this, L"TDEMOBUTTONS"); });
}

void TDemoMain::ChecksPageClick(TObject*)
{
    ShowOnce(checksPage_, [this] { return new TDemoPlainForm(this, L"TDEMOCHECKS"); });
}

void TDemoMain::BarsPageClick(TObject*)
{
    ShowOnce(barsPage_, [this] { return new TDemoPlainForm(this, L"TDEMOBARS"); });
}

void TDemoMain::ToolsPageClick(TObject*)
{
    ShowOnce(toolsPage_, [this] { return new TDemoPlainForm(this, L"TDEMOTOOLS"); });
}

void TDemoMain::ScrollingPageClick(TObject*)
{
    ShowOnce(scrollingPage_, [this] { return new TDemoPlainForm(this, L"TDEMOSCROLLING"); });
}

void TDemoMain::GridsPageClick(TObject*)
{
    ShowOnce(gridsPage_, [this] { return new TDemoGridsPage(this); });
}

void TDemoMain::EditsPageClick(TObject*)
{
    ShowOnce(editsPage_, [this] { return new TDemoPlainForm(this, L"TDEMOEDITS"); });
}

void TDemoMain::PlayerPageClick(TObject*)
{
    ShowOnce(playerPage_, [this] { return new TDemoPlainForm(this, L"TDEMOPLAYER"); });
}

void TDemoMain::TabsPageClick(TObject*)
{
    ShowOnce(tabsPage_, [this] { return new TDemoTabsPage(this); });
}

void TDemoMain::ListsPageClick(TObject*)
{
    ShowOnce(listsPage_, [this] { return new TDemoListsPage(this); });
}

} // namespace demo
