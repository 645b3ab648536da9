// The demo program: the program's kinds of window side by side on the same
// compiled-in skin, to look at and to test the skin engine against. A main
// form opens the others: an MDI frame with children (one keeping the
// system's frame) and a menu bar of every
// kind of item, a sizeable form with a context menu, a tool window, a form
// with Tag 99, a form without a caption, and a right-to-left form; and the
// gallery: one page per family of controls, every control in its states.
#pragma once

#include "ui/controls/ListView.h"
#include "ui/controls/Menus.h"
#include "ui/controls/TreeView.h"
#include "ui/forms/Forms.h"

namespace demo {

// An MDI child: a caption of its own, an edit and a button that closes it.
class TDemoChild : public ui::TForm {
    UI_CLASS(TDemoChild)
public:
    explicit TDemoChild(ui::TComponent* owner);
    void CloseClick(ui::TObject* Sender);
    ui::TMethod FindMethod(std::string_view name) override;
};

// The MDI frame: a tool bar, a menu bar and its children.
class TDemoFrame : public ui::TForm {
    UI_CLASS(TDemoFrame)
public:
    explicit TDemoFrame(ui::TComponent* owner);

    // Opens one more child, "文档 n".
    TDemoChild* NewChild();
    // Opens one more child with the skin's MDI child border option set while
    // it is made: it keeps the system's frame, its controls are skinned.
    TDemoChild* NewSystemFrameChild();

    void NewChildClick(ui::TObject* Sender);
    void NewSystemFrameChildClick(ui::TObject* Sender);
    void MessageClick(ui::TObject* Sender);
    void CloseFrameClick(ui::TObject* Sender);
    void ToolbarClick(ui::TObject* Sender);
    void CheckClick(ui::TObject* Sender);
    void TileClick(ui::TObject* Sender);
    void CascadeClick(ui::TObject* Sender);
    void ArrangeClick(ui::TObject* Sender);
    void NextClick(ui::TObject* Sender);
    void MaximizeClick(ui::TObject* Sender);
    ui::TMethod FindMethod(std::string_view name) override;

private:
    int children_ = 0;
};

// A form whose handlers only close it or check menu items; one class for the
// sizeable form, the tool window, the Tag 99 form, the form without a
// caption and the right-to-left form, each read from its own form data.
class TDemoPlainForm : public ui::TForm {
    UI_CLASS(TDemoPlainForm)
public:
    // Reads the stored form of that resource name.
    TDemoPlainForm(ui::TComponent* owner, const wchar_t* resource);
    void CloseClick(ui::TObject* Sender);
    void CheckClick(ui::TObject* Sender);
    ui::TMethod FindMethod(std::string_view name) override;

protected:
    // For a derived class, which reads its stored form itself: the class
    // the form data names is known only once the derived part exists.
    explicit TDemoPlainForm(ui::TComponent* owner) : ui::TForm(owner) {}
};

// The tabs page: tab controls and page controls in every style and on every
// side, closable tabs, and the older tab set. It answers the skin's request
// to close a tab: every page but the first may close.
class TDemoTabsPage : public TDemoPlainForm {
    UI_CLASS(TDemoTabsPage)
public:
    explicit TDemoTabsPage(ui::TComponent* owner);

protected:
    void Dispatch(ui::TMessage& m) override;
};

// The lists page: list views with their header and tree views; a line at
// the bottom tells what the user chose.
class TDemoListsPage : public TDemoPlainForm {
    UI_CLASS(TDemoListsPage)
public:
    explicit TDemoListsPage(ui::TComponent* owner);
    void FileSelected(ui::TObject* Sender, ui::TListItem* Item, bool Selected);
    void ColumnClicked(ui::TObject* Sender, ui::TListColumn* Column);
    void FolderChanged(ui::TObject* Sender, ui::TTreeNode* Node);
    ui::TMethod FindMethod(std::string_view name) override;

private:
    void Tell(const std::wstring& text);
};

// The page of scrolled controls: a string grid whose cells it fills, a
// scroll box, a long list and a memo (its stored form is a plain form's).
class TDemoGridsPage : public TDemoPlainForm {
    UI_CLASS(TDemoGridsPage)
public:
    explicit TDemoGridsPage(ui::TComponent* owner);
};

// Controls of their own on a frame, placed twice on the tool-bar page.
class TDemoOptionsFrame : public ui::TFrame {
    UI_CLASS(TDemoOptionsFrame)
public:
    explicit TDemoOptionsFrame(ui::TComponent* owner);
};

// The main form: one button per kind of window and per gallery page; it
// carries the skin.
class TDemoMain : public ui::TForm {
    UI_CLASS(TDemoMain)
public:
    explicit TDemoMain(ui::TComponent* owner);

    void FrameClick(ui::TObject* Sender);
    void SizeableClick(ui::TObject* Sender);
    void ToolClick(ui::TObject* Sender);
    void TaggedClick(ui::TObject* Sender);
    void BareClick(ui::TObject* Sender);
    void RightToLeftClick(ui::TObject* Sender);
    void AllClick(ui::TObject* Sender);
    void ButtonsPageClick(ui::TObject* Sender);
    void ChecksPageClick(ui::TObject* Sender);
    void BarsPageClick(ui::TObject* Sender);
    void ToolsPageClick(ui::TObject* Sender);
    void ScrollingPageClick(ui::TObject* Sender);
    void GridsPageClick(ui::TObject* Sender);
    void EditsPageClick(ui::TObject* Sender);
    void PlayerPageClick(ui::TObject* Sender);
    void TabsPageClick(ui::TObject* Sender);
    void ListsPageClick(ui::TObject* Sender);
    ui::TMethod FindMethod(std::string_view name) override;

private:
    // Shows the form kept in slot, made by make the first time.
    template <class Make>
    void ShowOnce(ui::TForm*& slot, Make make);

    ui::TForm* frame_ = nullptr;
    ui::TForm* sizeable_ = nullptr;
    ui::TForm* tool_ = nullptr;
    ui::TForm* tagged_ = nullptr;
    ui::TForm* bare_ = nullptr;
    ui::TForm* rightToLeft_ = nullptr;
    ui::TForm* buttonsPage_ = nullptr;
    ui::TForm* checksPage_ = nullptr;
    ui::TForm* barsPage_ = nullptr;
    ui::TForm* toolsPage_ = nullptr;
    ui::TForm* scrollingPage_ = nullptr;
    ui::TForm* gridsPage_ = nullptr;
    ui::TForm* editsPage_ = nullptr;
    ui::TForm* playerPage_ = nullptr;
    ui::TForm* tabsPage_ = nullptr;
    ui::TForm* listsPage_ = nullptr;
};

} // namespace demo
