#include "ui/StdCtrls.h"

#include <algorithm>

#include "ui/Forms.h"

namespace ui {

// ---- TLabel

const TClassInfo& TLabel::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TLabel>("TLabel", &TGraphicControl::StaticClass())
                                       .Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
                                       .Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
                                       .Enum("EllipsisPosition",
                                             {"epNone", "epPathEllipsis", "epEndEllipsis", "epWordEllipsis"},
                                             &TLabel::EllipsisPosition, &TLabel::SetEllipsisPosition)
                                       .Creatable()
                                       .Done();
    return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetTransparent(bool on)
{
    transparent_ = on;
    Invalidate();
}

void TLabel::SetAutoSize(bool on)
{
    autoSize_ = on;
    AdjustSize();
}

void TLabel::SetEllipsisPosition(TEllipsisPosition position)
{
    ellipsisPosition_ = position;
    Invalidate();
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustSize();
}

void TLabel::SetText(const std::wstring& text)
{
    TGraphicControl::SetText(text);
    AdjustSize();
}

void TLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustSize();
}

// An auto-sized label takes the size of its text, but only once the form is
// read: the stored size holds while properties arrive in any order.
void TLabel::AdjustSize()
{
    if (!autoSize_ || Loading())
        return;
    RECT r{0, 0, 0, 0};
    {
        const TWindowDC screen = TWindowDC::Client(nullptr);
        TSavedDC saved(screen.Get());
        saved.Select(Font()->Handle());
        const std::wstring text = Caption().empty() ? L" " : Caption();
        DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    }
    SetBounds(Left(), Top(), r.right, r.bottom);
}

void TLabel::Paint()
{
    TCanvas& c = *Canvas();
    RECT r = ClientRect();
    if (!transparent_) {
        c.Brush()->SetColor(Color());
        c.Brush()->SetStyle(TBrushStyle::bsSolid);
        c.FillRect(r);
    }
    TSavedDC saved(c.Handle());
    saved.Select(Font()->Handle());
    SetBkMode(c.Handle(), TRANSPARENT);
    SetTextColor(c.Handle(), ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    const std::wstring text = Caption();
    static constexpr UINT EllipsisFlags[] = {0, DT_PATH_ELLIPSIS, DT_END_ELLIPSIS, DT_WORD_ELLIPSIS};
    DrawTextW(c.Handle(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_SINGLELINE | DT_NOPREFIX | EllipsisFlags[static_cast<int>(ellipsisPosition_)]);
}

// ---- TListBox

const TClassInfo& TListBoxStrings::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TListBoxStrings>("TListBoxStrings", &TStrings::StaticClass()).Done();
    return info;
}

int TListBoxStrings::Count() const
{
    if (!owner_.HandleAllocated())
        return static_cast<int>(owner_.saved_.size());
    return static_cast<int>(SendMessageW(owner_.Handle(), LB_GETCOUNT, 0, 0));
}

std::wstring TListBoxStrings::Get(int index) const
{
    CheckIndex(index, false);
    if (!owner_.HandleAllocated())
        return owner_.saved_[static_cast<std::size_t>(index)];
    HWND wnd = owner_.Handle();
    const auto len = SendMessageW(wnd, LB_GETTEXTLEN, index, 0);
    std::wstring s(static_cast<std::size_t>(len) + 1, L'\0');
    SendMessageW(wnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<std::size_t>(len));
    return s;
}

void TListBoxStrings::Insert(int index, const std::wstring& s)
{
    CheckIndex(index, true);
    if (!owner_.HandleAllocated()) {
        owner_.saved_.insert(owner_.saved_.begin() + index, s);
        return;
    }
    const auto at = SendMessageW(owner_.Handle(), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(s.c_str()));
    if (at < 0)
        throw Exception("The list is full");
}

void TListBoxStrings::Delete(int index)
{
    CheckIndex(index, false);
    if (!owner_.HandleAllocated())
        owner_.saved_.erase(owner_.saved_.begin() + index);
    else
        SendMessageW(owner_.Handle(), LB_DELETESTRING, index, 0);
}

void TListBoxStrings::Clear()
{
    if (!owner_.HandleAllocated())
        owner_.saved_.clear();
    else
        SendMessageW(owner_.Handle(), LB_RESETCONTENT, 0, 0);
}

const TClassInfo& TListBox::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TListBox>("TListBox", &TWinControl::StaticClass())
                                       .Object("Items", &TListBox::Items, &TListBox::SetItems)
                                       .Int("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight)
                                       .Creatable()
                                       .Done();
    return info;
}

TListBox::TListBox(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TListBoxStrings>(*this))
{
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
}

void TListBox::SetItemHeight(int height)
{
    itemHeight_ = height;
    ApplyItemHeight();
}

// Rows are at least as tall as the font's text cell, so that no line is cut
// when the font is taller than the stored height (another typeface standing
// in for the one the form names).
void TListBox::ApplyItemHeight()
{
    if (!HandleAllocated())
        return;
    TEXTMETRICW tm{};
    {
        const TWindowDC dc = TWindowDC::Client(Handle());
        TSavedDC saved(dc.Get());
        saved.Select(Font()->Handle());
        GetTextMetricsW(dc.Get(), &tm);
    }
    SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, std::max<int>(itemHeight_, tm.tmHeight));
    Invalidate();
}

void TListBox::FontChanged()
{
    TWinControl::FontChanged();
    ApplyItemHeight();
}

int TListBox::ItemIndex() const
{
    return const_cast<TListBox*>(this)->HandleAllocated()
               ? static_cast<int>(SendMessageW(const_cast<TListBox*>(this)->Handle(), LB_GETCURSEL, 0, 0))
               : -1;
}

void TListBox::SetItemIndex(int index)
{
    SendMessageW(Handle(), LB_SETCURSEL, index, 0);
}

void TListBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = L"LISTBOX";
    params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyItemHeight();
    std::vector<std::wstring> items;
    items.swap(saved_);
    for (const std::wstring& s : items)
        SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

void TListBox::DestroyWnd()
{
    std::vector<std::wstring> items = items_->ToVector();
    TWinControl::DestroyWnd();
    saved_ = std::move(items);
}

void TListBox::Dispatch(TMessage& m)
{
    if (m.Msg == CN_CTLCOLORLISTBOX) {
        m.Result = CtlColor(reinterpret_cast<HDC>(m.WParam));
        return;
    }
    TWinControl::Dispatch(m);
}

// ---- TEdit

const TClassInfo& TEdit::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TEdit>("TEdit", &TWinControl::StaticClass())
                                       .Wide("Text", &TEdit::Text, &TEdit::SetTextValue)
                                       .Wide("PasswordChar", &TEdit::PasswordCharText, &TEdit::SetPasswordCharText)
                                       .Int("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength)
                                       .Bool("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly)
                                       .Creatable()
                                       .Done();
    return info;
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
}

void TEdit::SetPasswordChar(wchar_t c)
{
    passwordChar_ = c;
    if (HandleAllocated()) {
        SendMessageW(Handle(), EM_SETPASSWORDCHAR, c, 0);
        Invalidate();
    }
}

void TEdit::SetMaxLength(int length)
{
    maxLength_ = length;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_LIMITTEXT, length, 0);
}

void TEdit::SetReadOnly(bool on)
{
    readOnly_ = on;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_SETREADONLY, on, 0);
}

void TEdit::SelectAll()
{
    if (HandleAllocated())
        SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void TEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = L"EDIT";
    params.Style |= ES_AUTOHSCROLL | ES_LEFT;
    params.ExStyle |= WS_EX_CLIENTEDGE;
    if (readOnly_)
        params.Style |= ES_READONLY;
}

void TEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    if (passwordChar_)
        SendMessageW(Handle(), EM_SETPASSWORDCHAR, passwordChar_, 0);
    SendMessageW(Handle(), EM_LIMITTEXT, maxLength_, 0);
}

void TEdit::Dispatch(TMessage& m)
{
    if (m.Msg == CN_CTLCOLOREDIT || m.Msg == CN_CTLCOLORSTATIC) {
        m.Result = CtlColor(reinterpret_cast<HDC>(m.WParam));
        return;
    }
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
        Perform(CM_TEXTCHANGED);
        return;
    }
    TWinControl::Dispatch(m);
}

const TClassInfo& TMaskEdit::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMaskEdit>("TMaskEdit", &TEdit::StaticClass())
                                       .Wide("EditMask", &TMaskEdit::EditMask, &TMaskEdit::SetEditMask)
                                       .Creatable()
                                       .Done();
    return info;
}

TMaskEdit::TMaskEdit(TComponent* owner) : TEdit(owner) {}

// ---- TButton

const TClassInfo& TButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TButton>("TButton", &TWinControl::StaticClass())
                                       .Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
                                       .Bool("Default", &TButton::Default, &TButton::SetDefault)
                                       .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel)
                                       .Creatable()
                                       .Done();
    return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = L"BUTTON";
    params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    params.ExStyle &= ~WS_EX_RIGHT;  // a push button's caption stays centred in either reading order
}

void TButton::Click()
{
    if (modalResult_ != 0)
        if (auto* form = dynamic_cast<TForm*>(FindControlOfWindow(GetAncestor(Handle(), GA_ROOT))))
            form->SetModalResult(modalResult_);
    TWinControl::Click();
}

void TButton::Dispatch(TMessage& m)
{
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
        Click();
        return;
    }
    TWinControl::Dispatch(m);
}

} // namespace ui
