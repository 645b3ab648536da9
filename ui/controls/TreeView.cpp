#include "ui/controls/TreeView.h"

#include "ui/controls/CommonControls.h"

namespace ui {

// ---- TTreeNodes

const TClassInfo& TTreeNodes::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTreeNodes>("TTreeNodes", &TCollection::StaticClass()).Done();
    return info;
}

TTreeNode* TTreeNodes::Items(int index) const
{
    return static_cast<TTreeNode*>(TCollection::Items(index));
}

TTreeNode* TTreeNodes::Add()
{
    return static_cast<TTreeNode*>(TCollection::Add());
}

TTreeNode* TTreeNodes::AddNode(const std::wstring& text)
{
    TTreeNode* node = Add();
    node->SetText(text);
    return node;
}

std::unique_ptr<TCollectionItem> TTreeNodes::NewItem()
{
    return std::make_unique<TTreeNode>(*this);
}

// Nodes that went took their rows along; nodes that came are put in.
void TTreeNodes::Update(TCollectionItem* item)
{
    if (!view_.HandleAllocated() || view_.Loading())
        return;
    if (item)
        return view_.ShowNode(static_cast<TTreeNode&>(*item));
    view_.ShowLevel(*this);
}

// ---- TTreeNode

const TClassInfo& TTreeNode::StaticClass()
{
    using N = TTreeNode;
    static const TClassInfo info = TClassBuilder<N>("TTreeNode", &TCollectionItem::StaticClass())
                                       .Wide("Text", &N::Text, &N::SetText)
                                       .Int("ImageIndex", &N::ImageIndex, &N::SetImageIndex)
                                       .Bool("Expanded", &N::Expanded, &N::SetExpanded)
                                       .Object("Items", &N::Items, &N::SetItems)
                                       .Done();
    return info;
}

TTreeNode::TTreeNode(TTreeNodes& level)
    : TCollectionItem(level), children_(std::make_unique<TTreeNodes>(level.Owner(), this))
{
}

TTreeNode::~TTreeNode()
{
    TreeView().NodeGoes(*this);
}

void TTreeNode::ForgetRows()
{
    handle_ = nullptr;
    for (int i = 0; i < Count(); ++i)
        Item(i)->ForgetRows();
}

void TTreeNode::SetText(const std::wstring& text)
{
    text_ = text;
    Changed();
}

void TTreeNode::SetImageIndex(int index)
{
    imageIndex_ = index;
    Changed();
}

int TTreeNode::Depth() const
{
    int depth = 0;
    for (const TTreeNode* p = Parent(); p; p = p->Parent())
        ++depth;
    return depth;
}

void TTreeNode::SetExpanded(bool on)
{
    expanded_ = on;
    TreeView().ShowExpanded(*this);
}

void TTreeNode::Expand(bool recurse)
{
    SetExpanded(true);
    for (int i = 0; recurse && i < Count(); ++i)
        Item(i)->Expand(true);
}

void TTreeNode::Collapse(bool recurse)
{
    SetExpanded(false);
    for (int i = 0; recurse && i < Count(); ++i)
        Item(i)->Collapse(true);
}

bool TTreeNode::Selected() const
{
    return TreeView().Selected() == this;
}

void TTreeNode::SetSelected(bool on)
{
    if (on)
        TreeView().SetSelected(this);
    else if (Selected())
        TreeView().SetSelected(nullptr);
}

// ---- TCustomTreeView

const TClassInfo& TCustomTreeView::StaticClass()
{
    using V = TCustomTreeView;
    static const TClassInfo info = TClassBuilder<V>("TCustomTreeView", &TWinControl::StaticClass())
                                       .Object("Items", &V::Items, &V::SetItems)
                                       .Bool("ShowLines", &V::ShowLines, &V::SetShowLines)
                                       .Bool("ShowButtons", &V::ShowButtons, &V::SetShowButtons)
                                       .Bool("ShowRoot", &V::ShowRoot, &V::SetShowRoot)
                                       .Bool("HideSelection", &V::HideSelection, &V::SetHideSelection)
                                       .Bool("ReadOnly", &V::ReadOnly, &V::SetReadOnly)
                                       .Enum("BorderStyle", {"bsNone", "bsSingle"}, &V::BorderStyle,
                                             &V::SetBorderStyle)
                                       .Event("OnChange", &V::OnChange)
                                       .Event("OnExpanded", &V::OnExpanded)
                                       .Event("OnCollapsed", &V::OnCollapsed)
                                       .Done();
    return info;
}

const TClassInfo& TTreeView::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TTreeView>("TTreeView", &TCustomTreeView::StaticClass()).Creatable().Done();
    return info;
}

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TTreeNodes>(*this, nullptr))
{
    SetBounds(0, 0, 120, 100);
    SetTabStop(true);
}

// The nodes go before the window: no node looks for a window that is gone.
TCustomTreeView::~TCustomTreeView()
{
    BeginDestroy();
    items_.reset();
}

void TCustomTreeView::SetShowLines(bool on)
{
    showLines_ = on;
    ApplyStyle(*this, TVS_HASLINES, on);
}

void TCustomTreeView::SetShowButtons(bool on)
{
    showButtons_ = on;
    ApplyStyle(*this, TVS_HASBUTTONS, on);
}

void TCustomTreeView::SetShowRoot(bool on)
{
    showRoot_ = on;
    ApplyStyle(*this, TVS_LINESATROOT, on);
}

void TCustomTreeView::SetHideSelection(bool on)
{
    hideSelection_ = on;
    ApplyStyle(*this, TVS_SHOWSELALWAYS, !on);
}

void TCustomTreeView::SetReadOnly(bool on)
{
    readOnly_ = on;
    ApplyStyle(*this, TVS_EDITLABELS, !on);
}

void TCustomTreeView::SetBorderStyle(TBorderStyle style)
{
    borderStyle_ = style;
    if (HandleAllocated())
        RecreateWnd();
}

void TCustomTreeView::SetSelected(TTreeNode* node)
{
    selected_ = node;
    if (HandleAllocated())
        SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->handle_ : nullptr));
}

void TCustomTreeView::FullExpand()
{
    for (int i = 0; i < items_->Count(); ++i)
        items_->Items(i)->Expand(true);
}

void TCustomTreeView::FullCollapse()
{
    for (int i = 0; i < items_->Count(); ++i)
        items_->Items(i)->Collapse(true);
}

void TCustomTreeView::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_TREEVIEW_CLASSES);
    TWinControl::CreateParams(params);
    params.SystemClass = WC_TREEVIEWW;
    params.Style |= (showLines_ ? TVS_HASLINES : 0) | (showButtons_ ? TVS_HASBUTTONS : 0) |
                    (showRoot_ ? TVS_LINESATROOT : 0) | (hideSelection_ ? 0 : TVS_SHOWSELALWAYS) |
                    (readOnly_ ? 0 : TVS_EDITLABELS);
    if (borderStyle_ == TBorderStyle::bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

// A remade window shows the nodes as they were, without telling anyone.
void TCustomTreeView::CreateWnd()
{
    TWinControl::CreateWnd();
    filling_ = true;
    ShowFromTop();
    if (selected_)
        SetSelected(selected_);
    filling_ = false;
}

// Opening nodes scrolls the window to their children; a filled window
// starts at its first row.
void TCustomTreeView::ShowFromTop()
{
    ShowLevel(*items_);
    if (items_->Count())
        SendMessageW(Handle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE,
                     reinterpret_cast<LPARAM>(items_->Items(0)->handle_));
}

// The window's rows go with it; what the window reports while it goes is
// not news to the nodes.
void TCustomTreeView::DestroyWnd()
{
    for (int i = 0; i < items_->Count(); ++i)
        items_->Items(i)->ForgetRows();
    filling_ = true;
    TWinControl::DestroyWnd();
}

// Nodes read from a form file are put into a window that exists already.
void TCustomTreeView::Loaded()
{
    TWinControl::Loaded();
    if (HandleAllocated())
        ShowFromTop();
}

void TCustomTreeView::ShowLevel(const TTreeNodes& level)
{
    const TTreeNode* parent = level.Parent();
    if (parent && !parent->handle_)
        return;  // shown with its parent
    HTREEITEM after = TVI_FIRST;
    for (int i = 0; i < level.Count(); ++i) {
        TTreeNode& node = *level.Items(i);
        if (!node.handle_)
            InsertNode(node, parent ? parent->handle_ : TVI_ROOT, after);
        after = node.handle_;
    }
    if (parent)
        ShowExpanded(*parent);
}

void TCustomTreeView::InsertNode(TTreeNode& node, HTREEITEM parent, HTREEITEM after)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = node.text_.data();
    insert.item.iImage = insert.item.iSelectedImage = node.imageIndex_;
    insert.item.lParam = reinterpret_cast<LPARAM>(&node);
    node.handle_ =
        reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (node.handle_)
        ShowLevel(*node.children_);
}

void TCustomTreeView::ShowNode(const TTreeNode& node)
{
    if (!node.handle_)
        return;
    std::wstring text = node.text_;
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = node.handle_;
    item.pszText = text.data();
    item.iImage = item.iSelectedImage = node.imageIndex_;
    SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

// Some tree views report an expansion the program asks for as if the user
// had made it; the node knows already, and no event runs.
void TCustomTreeView::ShowExpanded(const TTreeNode& node)
{
    if (!node.handle_ || !HandleAllocated())
        return;
    const bool filling = filling_;
    filling_ = true;
    SendMessageW(Handle(), TVM_EXPAND, node.expanded_ ? TVE_EXPAND : TVE_COLLAPSE,
                 reinterpret_cast<LPARAM>(node.handle_));
    filling_ = filling;
}

// A node that goes takes its row (its children's with it) out of the
// window. When it or a child of it was selected, no node is selected
// afterwards: the window
// would move its selection to a neighbour that may be going too.
void TCustomTreeView::NodeGoes(TTreeNode& node)
{
    bool wasSelected = false;
    for (const TTreeNode* n = selected_; n && !wasSelected; n = n->Parent())
        wasSelected = n == &node;
    if (wasSelected)
        selected_ = nullptr;
    if (!node.handle_ || Destroying() || !HandleAllocated())
        return;
    const HTREEITEM row = node.handle_;
    node.ForgetRows();
    filling_ = true;
    SendMessageW(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(row));
    if (wasSelected)
        SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, 0);
    filling_ = false;
}

void TCustomTreeView::Notify(const NMHDR& header)
{
    switch (header.code) {
    case TVN_SELCHANGEDW:
    case TVN_SELCHANGEDA: {
        // A selection that goes with its row (a node deleted, the window
        // destroyed) is settled by the node itself.
        auto* node = reinterpret_cast<TTreeNode*>(reinterpret_cast<const NMTREEVIEWW&>(header).itemNew.lParam);
        if (!node || filling_)
            return;
        selected_ = node;
        OnChange(this, node);
        return;
    }
    case TVN_ITEMEXPANDEDW:
    case TVN_ITEMEXPANDEDA: {
        const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
        auto* node = reinterpret_cast<TTreeNode*>(change.itemNew.lParam);
        if (!node || filling_)
            return;
        node->expanded_ = (change.action & TVE_EXPAND) != 0;
        (node->expanded_ ? OnExpanded : OnCollapsed)(this, node);
        return;
    }
    case TVN_ENDLABELEDITW: {
        const auto& edit = reinterpret_cast<const NMTVDISPINFOW&>(header);
        if (!edit.item.pszText)
            return;  // the edit was cancelled
        TVITEMW row{};
        row.mask = TVIF_HANDLE | TVIF_PARAM;
        row.hItem = edit.item.hItem;
        if (SendMessageW(Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&row)) && row.lParam)
            reinterpret_cast<TTreeNode*>(row.lParam)->text_ = edit.item.pszText;
        return;
    }
    default: return;
    }
}

void TCustomTreeView::Dispatch(TMessage& m)
{
    if (m.Msg == CN_NOTIFY) {
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(m.LParam);
        Notify(header);
        m.Result = header.code == TVN_ENDLABELEDITW;  // the edited text is taken
        return;
    }
    TWinControl::Dispatch(m);
}

} // namespace ui
