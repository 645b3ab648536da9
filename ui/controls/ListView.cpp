#include "ui/controls/ListView.h"

#include <algorithm>

#include "ui/controls/AlignmentNames.h"

namespace ui {

namespace {

int ColumnFormat(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::taRightJustify: return LVCFMT_RIGHT;
    case TAlignment::taCenter: return LVCFMT_CENTER;
    case TAlignment::taLeftJustify: break;
    }
    return LVCFMT_LEFT;
}

} // namespace

// ---- TListColumn

const TClassInfo& TListColumn::StaticClass()
{
    using C = TListColumn;
    static const TClassInfo info = TClassBuilder<C>("TListColumn", &TCollectionItem::StaticClass())
                                       .Wide("Caption", &C::Caption, &C::SetCaption)
                                       .Int("Width", &C::Width, &C::SetWidth)
                                       .Enum("Alignment", AlignmentNames, &C::Alignment, &C::SetAlignment)
                                       .Done();
    return info;
}

void TListColumn::SetCaption(const std::wstring& caption)
{
    caption_ = caption;
    Changed();
}

void TListColumn::SetWidth(int width)
{
    width_ = std::max(width, 0);
    Changed();
}

void TListColumn::SetAlignment(TAlignment alignment)
{
    alignment_ = alignment;
    Changed();
}

// ---- TListItem

const TClassInfo& TListItem::StaticClass()
{
    using I = TListItem;
    static const TClassInfo info = TClassBuilder<I>("TListItem", &TCollectionItem::StaticClass())
                                       .Wide("Caption", &I::Caption, &I::SetCaption)
                                       .Object("SubItems", &I::SubItems, &I::SetSubItems)
                                       .Int("ImageIndex", &I::ImageIndex, &I::SetImageIndex)
                                       .Bool("Selected", &I::Selected, &I::SetSelected)
                                       .Done();
    return info;
}

TListItem::TListItem(TCollection& collection)
    : TCollectionItem(collection), subItems_(std::make_unique<TNotifyStringList>([this] { Changed(); }))
{
}

void TListItem::SetCaption(const std::wstring& caption)
{
    caption_ = caption;
    Changed();
}

void TListItem::SetImageIndex(int index)
{
    imageIndex_ = index;
    Changed();
}

// In a list of single selection, selecting a row unselects the others, also
// while there is no window to do it.
void TListItem::SetSelected(bool on)
{
    TCustomListView& view = static_cast<TListItems&>(Collection()).Owner();
    if (on && !view.MultiSelect())
        for (int i = 0; i < view.Items()->Count(); ++i)
            view.Items()->Items(i)->selected_ = false;
    selected_ = on;
    if (shown_ && view.HandleAllocated())
        view.ShowSelected(*this, Index());
}

// ---- TListItems

const TClassInfo& TListItems::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TListItems>("TListItems", &TCollection::StaticClass()).Done();
    return info;
}

void TListItems::Update(TCollectionItem* item)
{
    if (!view_.HandleAllocated())
        return;
    if (!item)
        return view_.SyncItems();
    auto& row = static_cast<TListItem&>(*item);
    if (row.shown_)
        view_.ShowTexts(row, row.Index());
}

// ---- TCustomListView

const TClassInfo& TCustomListView::StaticClass()
{
    using V = TCustomListView;
    static const TClassInfo info =
        TClassBuilder<V>("TCustomListView", &TWinControl::StaticClass())
            .Object("Columns", &V::Columns, &V::SetColumns)
            .Object("Items", &V::Items, &V::SetItems)
            .Enum("ViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"}, &V::ViewStyle, &V::SetViewStyle)
            .Bool("RowSelect", &V::RowSelect, &V::SetRowSelect)
            .Bool("GridLines", &V::GridLines, &V::SetGridLines)
            .Bool("MultiSelect", &V::MultiSelect, &V::SetMultiSelect)
            .Bool("HideSelection", &V::HideSelection, &V::SetHideSelection)
            .Bool("ReadOnly", &V::ReadOnly, &V::SetReadOnly)
            .Bool("ShowColumnHeaders", &V::ShowColumnHeaders, &V::SetShowColumnHeaders)
            .Enum("BorderStyle", {"bsNone", "bsSingle"}, &V::BorderStyle, &V::SetBorderStyle)
            .Event("OnSelectItem", &V::OnSelectItem)
            .Event("OnColumnClick", &V::OnColumnClick)
            .Done();
    return info;
}

const TClassInfo& TListView::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TListView>("TListView", &TCustomListView::StaticClass()).Creatable().Done();
    return info;
}

TCustomListView::TCustomListView(TComponent* owner)
    : TWinControl(owner),
      columns_(std::make_unique<TListColumns>([this](TCollectionItem* column) {
          if (!HandleAllocated())
              return;
          if (column)
              return ShowColumn(static_cast<TListColumn&>(*column), false);
          UpdateColumns();
          RebuildItems();
      })),
      items_(std::make_unique<TListItems>(*this))
{
    SetBounds(0, 0, 250, 150);
    SetTabStop(true);
}

TCustomListView::~TCustomListView() = default;

void TCustomListView::SetViewStyle(TViewStyle style)
{
    viewStyle_ = style;
    if (HandleAllocated())
        RecreateWnd();
}

void TCustomListView::SetMultiSelect(bool on)
{
    multiSelect_ = on;
    ApplyStyle(*this, LVS_SINGLESEL, !on);
}

void TCustomListView::SetHideSelection(bool on)
{
    hideSelection_ = on;
    ApplyStyle(*this, LVS_SHOWSELALWAYS, !on);
}

void TCustomListView::SetReadOnly(bool on)
{
    readOnly_ = on;
    ApplyStyle(*this, LVS_EDITLABELS, !on);
}

void TCustomListView::SetShowColumnHeaders(bool on)
{
    showColumnHeaders_ = on;
    ApplyStyle(*this, LVS_NOCOLUMNHEADER, !on);
}

void TCustomListView::SetBorderStyle(TBorderStyle style)
{
    borderStyle_ = style;
    if (HandleAllocated())
        RecreateWnd();
}

void TCustomListView::SetRowSelect(bool on)
{
    rowSelect_ = on;
    if (HandleAllocated())
        SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, ExtendedStyle());
}

void TCustomListView::SetGridLines(bool on)
{
    gridLines_ = on;
    if (HandleAllocated())
        SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, ExtendedStyle());
}

DWORD TCustomListView::ExtendedStyle() const
{
    return (rowSelect_ ? LVS_EX_FULLROWSELECT : 0) | (gridLines_ ? LVS_EX_GRIDLINES : 0);
}

int TCustomListView::ItemIndex() const
{
    for (int i = 0; i < items_->Count(); ++i)
        if (items_->Items(i)->Selected())
            return i;
    return -1;
}

void TCustomListView::SetItemIndex(int index)
{
    if (index >= 0 && index < items_->Count())
        return items_->Items(index)->SetSelected(true);
    for (int i = 0; i < items_->Count(); ++i)
        if (items_->Items(i)->Selected())
            items_->Items(i)->SetSelected(false);
}

TListItem* TCustomListView::Selected() const
{
    const int index = ItemIndex();
    return index < 0 ? nullptr : items_->Items(index);
}

HWND TCustomListView::HeaderHandle()
{
    return reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETHEADER, 0, 0));
}

void TCustomListView::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_LISTVIEW_CLASSES);
    TWinControl::CreateParams(params);
    params.SystemClass = WC_LISTVIEWW;
    static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    params.Style |= views[static_cast<int>(viewStyle_)] | LVS_SHAREIMAGELISTS;
    if (!multiSelect_)
        params.Style |= LVS_SINGLESEL;
    if (!hideSelection_)
        params.Style |= LVS_SHOWSELALWAYS;
    if (!readOnly_)
        params.Style |= LVS_EDITLABELS;
    if (!showColumnHeaders_)
        params.Style |= LVS_NOCOLUMNHEADER;
    if (borderStyle_ == TBorderStyle::bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, ExtendedStyle());
    UpdateColumns();
    RebuildItems();
}

void TCustomListView::DestroyWnd()
{
    TakeColumnWidths();
    TWinControl::DestroyWnd();
}

void TCustomListView::ShowColumn(const TListColumn& column, bool insert)
{
    std::wstring caption = column.Caption();
    LVCOLUMNW info{};
    info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    info.fmt = ColumnFormat(column.Alignment());
    info.cx = column.Width();
    info.pszText = caption.data();
    info.iSubItem = column.Index();
    SendMessageW(Handle(), insert ? LVM_INSERTCOLUMNW : LVM_SETCOLUMNW, static_cast<WPARAM>(column.Index()),
                 reinterpret_cast<LPARAM>(&info));
}

void TCustomListView::UpdateColumns()
{
    HWND wnd = Handle();
    filling_ = true;
    while (SendMessageW(wnd, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (int i = 0; i < columns_->Count(); ++i)
        ShowColumn(*columns_->Items(i), true);
    filling_ = false;
}

void TCustomListView::TakeColumnWidths()
{
    for (int i = 0; i < columns_->Count(); ++i)
        columns_->Items(i)->TakeWidth(
            static_cast<int>(SendMessageW(Handle(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0)));
}

// Rows added at the end are inserted; when rows went, the window's rows no
// longer match the shown ones and the list is made again.
void TCustomListView::SyncItems()
{
    if (Loading())
        return;
    int shown = 0;
    for (int i = 0; i < items_->Count(); ++i)
        shown += items_->Items(i)->shown_ ? 1 : 0;
    if (shown != SendMessageW(Handle(), LVM_GETITEMCOUNT, 0, 0))
        return RebuildItems();
    for (int i = 0; i < items_->Count(); ++i)
        if (!items_->Items(i)->shown_)
            InsertItem(*items_->Items(i), i);
}

void TCustomListView::RebuildItems()
{
    HWND wnd = Handle();
    filling_ = true;
    SendMessageW(wnd, LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(wnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(items_->Count()), 0);
    filling_ = false;
    for (int i = 0; i < items_->Count(); ++i)
        items_->Items(i)->shown_ = false;
    for (int i = 0; i < items_->Count(); ++i)
        InsertItem(*items_->Items(i), i);
}

void TCustomListView::InsertItem(TListItem& item, int index)
{
    std::wstring caption = item.Caption();
    LVITEMW row{};
    row.mask = LVIF_TEXT | LVIF_STATE | (item.ImageIndex() >= 0 ? LVIF_IMAGE : 0);
    row.iItem = index;
    row.pszText = caption.data();
    row.iImage = item.ImageIndex();
    row.stateMask = item.Selected() ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    row.state = row.stateMask;
    filling_ = true;
    SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
    filling_ = false;
    item.shown_ = true;
    ShowTexts(item, index);
}

// The caption, the image and every further column's text; columns the item
// has no text for are emptied.
void TCustomListView::ShowTexts(const TListItem& item, int index)
{
    HWND wnd = Handle();
    const int texts = std::max(columns_->Count() - 1, item.SubItems()->Count());
    for (int column = 0; column <= texts; ++column) {
        std::wstring text = column == 0                               ? item.Caption()
                            : column <= item.SubItems()->Count() ? item.SubItems()->Get(column - 1)
                                                                      : std::wstring();
        LVITEMW cell{};
        cell.iSubItem = column;
        cell.pszText = text.data();
        SendMessageW(wnd, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&cell));
    }
    LVITEMW image{};
    image.mask = LVIF_IMAGE;
    image.iItem = index;
    image.iImage = item.ImageIndex();
    SendMessageW(wnd, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&image));
}

// Selecting also moves the focus mark, so the keys go on from that row.
void TCustomListView::ShowSelected(const TListItem& item, int index)
{
    LVITEMW state{};
    state.stateMask = item.Selected() ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
    state.state = item.Selected() ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
}

// A row's selection changed in the window, by the user or by the program.
void TCustomListView::ItemChanged(const NMLISTVIEW& change)
{
    if (filling_ || !(change.uChanged & LVIF_STATE) || change.iItem < 0 || change.iItem >= items_->Count())
        return;
    if (!((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
        return;
    TListItem* item = items_->Items(change.iItem);
    item->selected_ = (change.uNewState & LVIS_SELECTED) != 0;
    OnSelectItem(this, item, item->selected_);
}

void TCustomListView::Notify(const NMHDR& header)
{
    switch (header.code) {
    case LVN_ITEMCHANGED: return ItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
    case LVN_COLUMNCLICK: {
        const int column = reinterpret_cast<const NMLISTVIEW&>(header).iSubItem;
        if (column >= 0 && column < columns_->Count())
            OnColumnClick(this, columns_->Items(column));
        return;
    }
    default: return;
    }
}

// The header's notices reach the list view's own window; after the user has
// sized a column, the column takes the new width (columns being put into the
// window are not all there yet).
void TCustomListView::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CN_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(m.LParam)->code == LVN_ENDLABELEDITW) {
            const auto& edit = *reinterpret_cast<const NMLVDISPINFOW*>(m.LParam);
            if (edit.item.pszText && edit.item.iItem >= 0 && edit.item.iItem < items_->Count())
                items_->Items(edit.item.iItem)->caption_ = edit.item.pszText;
            m.Result = TRUE;
            return;
        }
        Notify(*reinterpret_cast<const NMHDR*>(m.LParam));
        return;
    case WM_NOTIFY: {
        TWinControl::Dispatch(m);
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(m.LParam);
        if (!filling_ && (header.code == HDN_ITEMCHANGEDW || header.code == HDN_ITEMCHANGEDA))
            TakeColumnWidths();
        return;
    }
    default: TWinControl::Dispatch(m);
    }
}

} // namespace ui
