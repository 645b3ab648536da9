// Standard controls: label, list box, single-line edits, push button.
#pragma once

#include "ui/Controls.h"

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

class TListBox;

// The items of a list box, kept in its window (and in memory while the
// window does not exist).
class TListBoxStrings : public TStrings {
    UI_CLASS(TListBoxStrings)
public:
    explicit TListBoxStrings(TListBox& owner) : owner_(owner) {}
    int Count() const override;
    std::wstring Get(int index) const override;
    void Insert(int index, const std::wstring& s) override;
    void Delete(int index) override;
    void Clear() override;

private:
    TListBox& owner_;
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
    friend class TListBoxStrings;
    void ApplyItemHeight();
    std::unique_ptr<TListBoxStrings> items_;
    std::vector<std::wstring> saved_;  // the items while there is no window
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
    // A click as if the user had pressed the button.
    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Dispatch(TMessage& m) override;

private:
    int modalResult_ = 0;
    bool default_ = false;
    bool cancel_ = false;
};

} // namespace ui
