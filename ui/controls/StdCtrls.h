// Standard controls: label, list box, edits and memo, push button, check
// box, radio button, group box and scroll bar.
#pragma once

#include <algorithm>

#include "ui/controls/Controls.h"
#include "ui/graphics/ImgList.h"

namespace ui {

// A caption drawn on its parent's window.
// Where a label too narrow for its text shortens it with "...": not at all,
// in the middle of a path (keeping its last name), at the end, or after the
// last whole word that fits.
enum class TEllipsisPosition { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };

class TLabel : public TGraphicControl {
    UI_CLASS(TLabel)
public:
    explicit TLabel(TComponent* owner);
    TEllipsisPosition EllipsisPosition() const { return ellipsisPosition_; }
    void SetEllipsisPosition(TEllipsisPosition position);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);

protected:
    void Loaded() override;
    void Paint() override;
    void SetText(const std::wstring& text) override;
    void FontChanged() override;

private:
    void AdjustSize();
    bool transparent_ = false;
    bool autoSize_ = true;
    TEllipsisPosition ellipsisPosition_ = TEllipsisPosition::epNone;
};

// The messages through which a list window (a list box, a combo box) keeps
// its strings.
struct TItemMessages {
    UINT GetCount, GetTextLen, GetText, InsertString, DeleteString, ResetContent;
};
extern const TItemMessages ListBoxItemMessages;

// The items of a list window, kept in the window while it exists and in
// memory while it does not. The owner hands them over when its window is
// made and before it goes on purpose.
class TWindowItems : public TStrings {
    UI_CLASS(TWindowItems)
public:
    TWindowItems(TWinControl& owner, const TItemMessages& messages) : owner_(owner), messages_(messages) {}
    int Count() const override;
    std::wstring Get(int index) const override;
    void Insert(int index, const std::wstring& s) override;
    void Delete(int index) override;
    void Clear() override;
    // Puts the items kept in memory into the new window.
    void MoveIntoWindow();
    // Keeps the window's items in memory before the window goes.
    void KeepFromWindow();

private:
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    TWinControl& owner_;
    const TItemMessages& messages_;
    std::vector<std::wstring> saved_;  // the items while there is no window
};

class TListBox : public TWinControl {
    UI_CLASS(TListBox)
public:
    explicit TListBox(TComponent* owner);
    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* items) { items_->Assign(*items); }
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    int ItemIndex() const;
    void SetItemIndex(int index);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& m) override;
    void FontChanged() override;

private:
    void ApplyItemHeight();
    std::unique_ptr<TWindowItems> items_;
    int itemHeight_ = 16;
};

// A single-line edit. A non-zero PasswordChar shows that character for each
// typed one.
class TEdit : public TWinControl {
    UI_CLASS(TEdit)
public:
    explicit TEdit(TComponent* owner);
    std::wstring Text() const { return GetText(); }
    void SetTextValue(const std::wstring& text) { SetText(text); }
    wchar_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(wchar_t c);
    std::wstring PasswordCharText() const { return passwordChar_ ? std::wstring(1, passwordChar_) : L""; }
    void SetPasswordCharText(const std::wstring& s) { SetPasswordChar(s.empty() ? 0 : s[0]); }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on);
    void Clear() { SetText(L""); }
    void SelectAll();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;

private:
    wchar_t passwordChar_ = 0;
    int maxLength_ = 0;
    bool readOnly_ = false;
};

// An edit that may carry an input mask; this program's edits use none, so it
// behaves as TEdit and keeps the mask only as a stored property.
class TMaskEdit : public TEdit {
    UI_CLASS(TMaskEdit)
public:
    explicit TMaskEdit(TComponent* owner);
    std::wstring EditMask() const { return editMask_; }
    void SetEditMask(const std::wstring& mask) { editMask_ = mask; }

private:
    std::wstring editMask_;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line edit whose Lines are the lines of its text. Enter starts a
// new line; WordWrap breaks long lines at the edge instead of scrolling.
class TCustomMemo : public TEdit {
    UI_CLASS(TCustomMemo)
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;
    TStrings* Lines() const;
    void SetLines(TStrings* lines);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle bars);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    class TMemoStrings;
    std::unique_ptr<TMemoStrings> lines_;
    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
    bool wordWrap_ = true;
};

class TMemo : public TCustomMemo {
    UI_CLASS(TMemo)
public:
    using TCustomMemo::TCustomMemo;
};

enum class TScrollBarKind { sbHorizontal, sbVertical };

// A scroll bar of its own: Position within Min..Max (less PageSize − 1 when
// a page is shown), moved by SmallChange with the arrows and LargeChange in
// the track; OnChange runs on every move.
class TScrollBar : public TWinControl {
    UI_CLASS(TScrollBar)
public:
    explicit TScrollBar(TComponent* owner);
    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind kind);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int value) { smallChange_ = value; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int value) { largeChange_ = value; }

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;
    void Loaded() override;

private:
    // The last position the thumb may take.
    int Last() const { return std::max(min_, max_ - std::max(pageSize_ - 1, 0)); }
    void ApplyInfo();
    void Scrolled(int code);
    TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
    int min_ = 0, max_ = 100, position_ = 0, pageSize_ = 0, smallChange_ = 1, largeChange_ = 1;
};

class TButton : public TWinControl {
    UI_CLASS(TButton)
public:
    explicit TButton(TComponent* owner);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    bool Default() const { return default_; }
    void SetDefault(bool on) { default_ = on; }
    bool Cancel() const { return cancel_; }
    void SetCancel(bool on) { cancel_ = on; }
    // A picture beside the caption from an image list (a reference):
    // ImageIndex while the button is enabled, DisabledIndex (or, at -1,
    // ImageIndex greyed) while it is disabled; -1 for none. The skin draws
    // it on the button's face; the platform's button shows its caption alone.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int DisabledIndex() const { return disabledIndex_; }
    void SetDisabledIndex(int index);
    // A click as if the user had pressed the button.
    void Click() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Dispatch(TMessage& m) override;

private:
    int modalResult_ = 0;
    bool default_ = false;
    bool cancel_ = false;
    TImageList* images_ = nullptr;
    int imageIndex_ = -1;
    int disabledIndex_ = -1;
};

// Which side of a check box or radio button its caption is on: right of the
// box (taRightJustify, the usual) or left of it (taLeftJustify).
enum class TLeftRight { taLeftJustify, taRightJustify };

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// The base of check boxes and radio buttons: a button window beside its
// caption (on the side Alignment names) that shows the check the control
// keeps, on the control's colour.
class TButtonControl : public TWinControl {
    UI_CLASS(TButtonControl)
public:
    explicit TButtonControl(TComponent* owner);
    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight alignment);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;
    // The check the window shows (BST_UNCHECKED, BST_CHECKED or
    // BST_INDETERMINATE); override in every kind of button.
    virtual WPARAM CheckShown() const = 0;
    // Shows CheckShown() in the window, when there is one.
    void ShowCheck();
    // The user clicked the window; override to say what that does.
    virtual void WindowClicked() = 0;

private:
    TLeftRight alignment_ = TLeftRight::taRightJustify;
};

// A check box. The control keeps the state (the window shows it): a click
// moves unchecked → checked → grayed (only with AllowGrayed) → unchecked and
// then runs OnClick. Space toggles it as a click does.
class TCustomCheckBox : public TButtonControl {
    UI_CLASS(TCustomCheckBox)
public:
    explicit TCustomCheckBox(TComponent* owner);
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState state);
    bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
    void SetChecked(bool on) { SetState(on ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool on) { allowGrayed_ = on; }
    // The state a click leads to.
    TCheckBoxState NextState() const;

protected:
    void CreateParams(TCreateParams& params) override;
    WPARAM CheckShown() const override;
    void WindowClicked() override;

private:
    TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
    bool allowGrayed_ = false;
};

class TCheckBox : public TCustomCheckBox {
    UI_CLASS(TCheckBox)
public:
    using TCustomCheckBox::TCustomCheckBox;
};

// A radio button. The radio buttons with the same parent form one group:
// checking one unchecks the others. A click checks it and runs OnClick; the
// arrow keys move the focus and the check to the previous or next button of
// the group.
class TRadioButton : public TButtonControl {
    UI_CLASS(TRadioButton)
public:
    explicit TRadioButton(TComponent* owner);
    bool Checked() const { return checked_; }
    void SetChecked(bool on);
    // What a click does: checks the button (the group follows) and runs OnClick.
    void Choose();

protected:
    void CreateParams(TCreateParams& params) override;
    void Dispatch(TMessage& m) override;
    WPARAM CheckShown() const override { return checked_ ? BST_CHECKED : BST_UNCHECKED; }
    void WindowClicked() override { Choose(); }

private:
    // The enabled, visible radio buttons of the group, in the parent's order.
    std::vector<TRadioButton*> Group() const;
    void MoveInGroup(int step);
    bool checked_ = false;
};

// A frame with a caption in its top edge, around the controls it holds.
class TCustomGroupBox : public TCustomControl {
    UI_CLASS(TCustomGroupBox)
public:
    explicit TCustomGroupBox(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    // The height of the caption's text: the frame starts at half of it.
    int CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
    UI_CLASS(TGroupBox)
public:
    using TCustomGroupBox::TCustomGroupBox;
};

} // namespace ui
