// A list view over the platform's list-view control: columns with captions
// and widths under a header, items with sub-items, selection and the events
// of both. The control keeps columns and items and gives them to every window
// it makes, so a remade window shows the same list.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/controls/CommonControls.h"
#include "ui/core/NotifyStrings.h"

namespace ui {

class TListColumn : public TCollectionItem {
    UI_CLASS(TListColumn)
public:
    using TCollectionItem::TCollectionItem;
    std::wstring Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    // Set by the list view when the user drags the column's edge.
    void TakeWidth(int width) { width_ = width; }

private:
    std::wstring caption_;
    int width_ = 50;
    TAlignment alignment_ = TAlignment::taLeftJustify;
};

using TListColumns = TOwnedCollection<TListColumn>;

// One row: its caption in the first column, SubItems in the others.
class TListItem : public TCollectionItem {
    UI_CLASS(TListItem)
public:
    explicit TListItem(TCollection& collection);
    std::wstring Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    // The texts of the further columns; every change shows at once.
    TStrings* SubItems() const { return subItems_.get(); }
    void SetSubItems(TStrings* items) { subItems_->Assign(*items); }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool Selected() const { return selected_; }
    void SetSelected(bool on);

private:
    friend class TListItems;
    friend class TCustomListView;
    std::wstring caption_;
    std::unique_ptr<TNotifyStringList> subItems_;
    int imageIndex_ = -1;
    bool selected_ = false;
    bool shown_ = false;  // the window holds the item
};

class TCustomListView;

// The rows of a list view. Rows added at the end go into the window one by
// one; any other change of the rows remakes the window's list.
class TListItems : public TCollection {
    UI_CLASS(TListItems)
public:
    explicit TListItems(TCustomListView& view) : view_(view) {}
    TListItem* Items(int index) const { return static_cast<TListItem*>(TCollection::Items(index)); }
    TListItem* Add() { return static_cast<TListItem*>(TCollection::Add()); }
    TCustomListView& Owner() const { return view_; }

protected:
    std::unique_ptr<TCollectionItem> NewItem() override { return std::make_unique<TListItem>(*this); }
    void Update(TCollectionItem* item) override;

private:
    TCustomListView& view_;
};

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum class TItemChange { ctText, ctImage, ctState };

using TLVSelectItemEvent = TEvent<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = TEvent<void(TObject* Sender, TListColumn* Column)>;

// Rows of texts in columns (report style) under a header the user may click
// and size. OnSelectItem runs whenever a row is selected or loses the
// selection, by the user or the program; OnColumnClick when a column's
// header is clicked. The view scrolls with its own bars when the rows
// overflow.
class TCustomListView : public TWinControl {
    UI_CLASS(TCustomListView)
public:
    explicit TCustomListView(TComponent* owner);
    ~TCustomListView() override;
    TListColumns* Columns() const { return columns_.get(); }
    void SetColumns(TListColumns*) {}
    TListItems* Items() const { return items_.get(); }
    void SetItems(TListItems*) {}
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle style);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool on);
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool on);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool on);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool on);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on);
    bool ShowColumnHeaders() const { return showColumnHeaders_; }
    void SetShowColumnHeaders(bool on);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    // The first selected row, or -1 / nullptr.
    int ItemIndex() const;
    void SetItemIndex(int index);
    TListItem* Selected() const;
    // The header window above the columns, or null.
    HWND HeaderHandle();

    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& m) override;

private:
    friend class TListItem;
    friend class TListItems;
    DWORD ExtendedStyle() const;
    void UpdateColumns();
    void ShowColumn(const TListColumn& column, bool insert);
    // The widths the user gave the columns in the window.
    void TakeColumnWidths();
    // Brings the window's rows up to date after rows came or went.
    void SyncItems();
    void RebuildItems();
    void InsertItem(TListItem& item, int index);
    void ShowTexts(const TListItem& item, int index);
    void ShowSelected(const TListItem& item, int index);
    void Notify(const NMHDR& header);
    void ItemChanged(const NMLISTVIEW& change);
    std::unique_ptr<TListColumns> columns_;
    std::unique_ptr<TListItems> items_;
    TViewStyle viewStyle_ = TViewStyle::vsIcon;
    bool rowSelect_ = false;
    bool gridLines_ = false;
    bool multiSelect_ = false;
    bool hideSelection_ = true;
    bool readOnly_ = false;
    bool showColumnHeaders_ = true;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    bool filling_ = false;  // the control itself is putting rows into the window
};

class TListView : public TCustomListView {
    UI_CLASS(TListView)
public:
    using TCustomListView::TCustomListView;
};

} // namespace ui
