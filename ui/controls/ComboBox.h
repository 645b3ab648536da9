// The combo box: an edit or a plain field with a list of items, in its three
// styles (a list always shown under an edit, a list dropped down under an
// edit, a list dropped down under a field that only shows the chosen item).
#pragma once

#include "ui/controls/StdCtrls.h"

namespace ui {

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// Items are kept in the window (and in memory while there is none). ItemIndex
// is the chosen item (-1: none); Text is the edit's text or, in a drop-down
// list, the chosen item's. OnChange runs whenever the user changes the text,
// by typing or by choosing an item; OnSelect when the user chooses an item;
// OnDropDown before the list drops down and OnCloseUp when it closes.
// A list that drops down shows at most DropDownCount items at once.
class TCustomComboBox : public TWinControl {
    UI_CLASS(TCustomComboBox)
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* items) { items_->Assign(*items); }
    int ItemIndex() const;
    void SetItemIndex(int index);
    std::wstring Text() const { return GetText(); }
    void SetTextValue(const std::wstring& text) { SetText(text); }
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    bool DroppedDown() const;
    void SetDroppedDown(bool on);

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& m) override;
    void Loaded() override;
    void SetText(const std::wstring& text) override;

private:
    bool DropsDown() const { return style_ != TComboBoxStyle::csSimple; }
    // The height of the list that drops down, from the window's item height.
    int DropDownHeight() const;
    // Gives the window room for its list: a combo box takes the list's
    // height from the height its window is given.
    void FitDropDown();
    // Chooses the item with that text (in a drop-down list, where the text
    // can only be an item's); none when no item has it.
    void SelectText(const std::wstring& text);
    // Shows the choice kept while there was no window or a form was read:
    // the chosen index, or else the text (an item's, in a drop-down list).
    void ShowChoice();
    void EraseBelowList(HDC dc);
    std::unique_ptr<TWindowItems> items_;
    TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
    int itemIndex_ = -1;  // the chosen item while there is no window
    int dropDownCount_ = 8;
    int maxLength_ = 0;
};

class TComboBox : public TCustomComboBox {
    UI_CLASS(TComboBox)
public:
    using TCustomComboBox::TCustomComboBox;
};

} // namespace ui
