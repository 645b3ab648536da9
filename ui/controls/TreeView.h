// A tree view over the platform's tree-view control: nodes with children,
// expanded and collapsed by the user or the program, one selected node. The
// control keeps the nodes and gives them to every window it makes, so a
// remade window shows the same tree, opened and selected as before.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/controls/Controls.h"

namespace ui {

class TCustomTreeView;
class TTreeNode;

// The children of a node (or the top level of a tree). Form files give them
// as a collection whose items are nodes, each with Items of its own.
class TTreeNodes : public TCollection {
    UI_CLASS(TTreeNodes)
public:
    TTreeNodes(TCustomTreeView& view, TTreeNode* parent) : view_(view), parent_(parent) {}
    TTreeNode* Items(int index) const;
    TTreeNode* Add();
    // A node with that text added after the others.
    TTreeNode* AddNode(const std::wstring& text);
    TCustomTreeView& Owner() const { return view_; }
    // The node these are the children of; null for the top level.
    TTreeNode* Parent() const { return parent_; }

protected:
    std::unique_ptr<TCollectionItem> NewItem() override;
    void Update(TCollectionItem* item) override;

private:
    TCustomTreeView& view_;
    TTreeNode* parent_;
};

class TTreeNode : public TCollectionItem {
    UI_CLASS(TTreeNode)
public:
    explicit TTreeNode(TTreeNodes& level);
    // A node that goes takes its children and its row in the window along.
    ~TTreeNode() override;
    std::wstring Text() const { return text_; }
    void SetText(const std::wstring& text);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    TTreeNodes* Items() const { return children_.get(); }
    void SetItems(TTreeNodes*) {}
    int Count() const { return children_->Count(); }
    TTreeNode* Item(int index) const { return children_->Items(index); }
    TTreeNode* Parent() const { return Level().Parent(); }
    TCustomTreeView& TreeView() const { return Level().Owner(); }
    // 0 for a top-level node.
    int Depth() const;
    // Whether the children show. A node without children keeps the wish
    // and opens when it gets some.
    bool Expanded() const { return expanded_; }
    void SetExpanded(bool on);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetSelected(bool on);
    // The node's row in the window; null while it has none.
    HTREEITEM ItemId() const { return handle_; }

private:
    friend class TCustomTreeView;
    TTreeNodes& Level() const { return static_cast<TTreeNodes&>(Collection()); }
    // The window's rows of this node and its children went with the window.
    void ForgetRows();
    std::wstring text_;
    int imageIndex_ = -1;
    bool expanded_ = false;
    std::unique_ptr<TTreeNodes> children_;
    HTREEITEM handle_ = nullptr;
};

using TTVChangedEvent = TEvent<void(TObject* Sender, TTreeNode* Node)>;

// Nodes in a tree with lines and buttons; the user opens and closes nodes
// (mouse, arrow keys) and selects one. OnChange runs when the selection
// moves (by the user or the program), OnExpanded and OnCollapsed when the
// user opens or closes a node.
class TCustomTreeView : public TWinControl {
    UI_CLASS(TCustomTreeView)
public:
    explicit TCustomTreeView(TComponent* owner);
    ~TCustomTreeView() override;
    TTreeNodes* Items() const { return items_.get(); }
    void SetItems(TTreeNodes*) {}
    TTreeNode* Selected() const { return selected_; }
    void SetSelected(TTreeNode* node);
    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool on);
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool on);
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool on);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool on);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    void FullExpand();
    void FullCollapse();

    TTVChangedEvent OnChange;
    TTVChangedEvent OnExpanded;
    TTVChangedEvent OnCollapsed;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& m) override;
    void Loaded() override;

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    // Puts the nodes of level that have no row yet into the window, in order.
    void ShowLevel(const TTreeNodes& level);
    void ShowFromTop();
    void InsertNode(TTreeNode& node, HTREEITEM parent, HTREEITEM after);
    void ShowNode(const TTreeNode& node);
    void ShowExpanded(const TTreeNode& node);
    void NodeGoes(TTreeNode& node);
    void Notify(const NMHDR& header);
    std::unique_ptr<TTreeNodes> items_;
    TTreeNode* selected_ = nullptr;
    bool showLines_ = true;
    bool showButtons_ = true;
    bool showRoot_ = true;
    bool hideSelection_ = true;
    bool readOnly_ = false;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    bool filling_ = false;  // the control itself is changing the window's rows
};

class TTreeView : public TCustomTreeView {
    UI_CLASS(TTreeView)
public:
    using TCustomTreeView::TCustomTreeView;
};

} // namespace ui
