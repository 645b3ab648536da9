#include "ui/controls/StdCtrls.h"

#include <algorithm>

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

const TItemMessages ListBoxItemMessages{LB_GETCOUNT,     LB_GETTEXTLEN,    LB_GETTEXT,
                                        LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT};

const TClassInfo& TWindowItems::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TWindowItems>("TWindowItems", &TStrings::StaticClass()).Done();
    return info;
}

LRESULT TWindowItems::Send(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageW(owner_.Handle(), msg, wParam, lParam);
}

int TWindowItems::Count() const
{
    if (!owner_.HandleAllocated())
        return static_cast<int>(saved_.size());
    return static_cast<int>(Send(messages_.GetCount));
}

std::wstring TWindowItems::Get(int index) const
{
    CheckIndex(index, false);
    if (!owner_.HandleAllocated())
        return saved_[static_cast<std::size_t>(index)];
    const auto len = Send(messages_.GetTextLen, static_cast<WPARAM>(index));
    std::wstring s(static_cast<std::size_t>(len) + 1, L'\0');
    Send(messages_.GetText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<std::size_t>(len));
    return s;
}

void TWindowItems::Insert(int index, const std::wstring& s)
{
    CheckIndex(index, true);
    if (!owner_.HandleAllocated()) {
        saved_.insert(saved_.begin() + index, s);
        return;
    }
    if (Send(messages_.InsertString, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str())) < 0)
        throw Exception("The list is full");
}

void TWindowItems::Delete(int index)
{
    CheckIndex(index, false);
    if (!owner_.HandleAllocated())
        saved_.erase(saved_.begin() + index);
    else
        Send(messages_.DeleteString, static_cast<WPARAM>(index));
}

void TWindowItems::Clear()
{
    if (!owner_.HandleAllocated())
        saved_.clear();
    else
        Send(messages_.ResetContent);
}

void TWindowItems::MoveIntoWindow()
{
    std::vector<std::wstring> items;
    items.swap(saved_);
    for (std::size_t i = 0; i < items.size(); ++i)
        Insert(static_cast<int>(i), items[i]);
}

void TWindowItems::KeepFromWindow()
{
    saved_ = ToVector();
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

TListBox::TListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TWindowItems>(*this, ListBoxItemMessages))
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
    items_->MoveIntoWindow();
}

void TListBox::DestroyWnd()
{
    items_->KeepFromWindow();
    TWinControl::DestroyWnd();
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

// ---- TMemo

// The lines of a memo are the lines of its text, read from and written to
// the text (the window's while it exists) as a whole.
class TCustomMemo::TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo& memo) : memo_(memo) {}
    int Count() const override { return static_cast<int>(Split().size()); }
    std::wstring Get(int index) const override
    {
        CheckIndex(index, false);
        return Split()[static_cast<std::size_t>(index)];
    }
    void Put(int index, const std::wstring& s) override
    {
        CheckIndex(index, false);
        auto lines = Split();
        lines[static_cast<std::size_t>(index)] = s;
        Join(lines);
    }
    void Insert(int index, const std::wstring& s) override
    {
        CheckIndex(index, true);
        auto lines = Split();
        lines.insert(lines.begin() + index, s);
        Join(lines);
    }
    void Delete(int index) override
    {
        CheckIndex(index, false);
        auto lines = Split();
        lines.erase(lines.begin() + index);
        Join(lines);
    }
    void Clear() override { memo_.SetText(L""); }

private:
    // Every line ends in a line break, the last one's optional: an empty
    // text has no lines, and an empty last line is kept.
    std::vector<std::wstring> Split() const
    {
        std::vector<std::wstring> lines;
        const std::wstring text = memo_.GetText();
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find(L"\r\n", start);
            if (end == std::wstring::npos) {
                lines.push_back(text.substr(start));
                break;
            }
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }
    void Join(const std::vector<std::wstring>& lines)
    {
        std::wstring text;
        for (const std::wstring& line : lines)
            text += line + L"\r\n";
        memo_.SetText(text);
    }
    TCustomMemo& memo_;
};

const TClassInfo& TCustomMemo::StaticClass()
{
    using M = TCustomMemo;
    static const TClassInfo info =
        TClassBuilder<M>("TCustomMemo", &TEdit::StaticClass())
            .Object("Lines", &M::Lines, &M::SetLines)
            .Enum("ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}, &M::ScrollBars, &M::SetScrollBars)
            .Bool("WordWrap", &M::WordWrap, &M::SetWordWrap)
            .Done();
    return info;
}

const TClassInfo& TMemo::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMemo>("TMemo", &TCustomMemo::StaticClass()).Creatable().Done();
    return info;
}

TCustomMemo::TCustomMemo(TComponent* owner) : TEdit(owner), lines_(std::make_unique<TMemoStrings>(*this))
{
    SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

TStrings* TCustomMemo::Lines() const
{
    return lines_.get();
}

void TCustomMemo::SetLines(TStrings* lines)
{
    lines_->Assign(*lines);
}

void TCustomMemo::SetScrollBars(TScrollStyle bars)
{
    scrollBars_ = bars;
    if (HandleAllocated())
        RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool on)
{
    wordWrap_ = on;
    if (HandleAllocated())
        RecreateWnd();
}

void TCustomMemo::CreateParams(TCreateParams& params)
{
    TEdit::CreateParams(params);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (wordWrap_)
        params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth)
        params.Style |= WS_VSCROLL;
    if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth)
        params.Style |= WS_HSCROLL;
}

// ---- TScrollBar

const TClassInfo& TScrollBar::StaticClass()
{
    using B = TScrollBar;
    static const TClassInfo info = TClassBuilder<B>("TScrollBar", &TWinControl::StaticClass())
                                       .Enum("Kind", {"sbHorizontal", "sbVertical"}, &B::Kind, &B::SetKind)
                                       .Int("Min", &B::Min, &B::SetMin)
                                       .Int("Max", &B::Max, &B::SetMax)
                                       .Int("Position", &B::Position, &B::SetPosition)
                                       .Int("PageSize", &B::PageSize, &B::SetPageSize)
                                       .Int("SmallChange", &B::SmallChange, &B::SetSmallChange)
                                       .Int("LargeChange", &B::LargeChange, &B::SetLargeChange)
                                       .Event("OnChange", &B::OnChange)
                                       .Creatable()
                                       .Done();
    return info;
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, 17);
    SetTabStop(true);
}

void TScrollBar::SetKind(TScrollBarKind kind)
{
    if (kind == kind_)
        return;
    kind_ = kind;
    if (HandleAllocated())
        RecreateWnd();
}

void TScrollBar::SetMin(int value)
{
    min_ = value;
    ApplyInfo();
}

void TScrollBar::SetMax(int value)
{
    max_ = value;
    ApplyInfo();
}

void TScrollBar::SetPageSize(int value)
{
    pageSize_ = std::max(value, 0);
    ApplyInfo();
}

// The position is fitted into the range (once a form is read: the range may
// come after it) and OnChange hears of a move.
void TScrollBar::SetPosition(int value)
{
    const int fitted = Loading() ? value : std::clamp(value, min_, Last());
    if (fitted == position_)
        return;
    position_ = fitted;
    ApplyInfo();
    if (!Loading())
        OnChange(this);
}

void TScrollBar::ApplyInfo()
{
    if (Loading() || !HandleAllocated())
        return;
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, min_, std::max(min_, max_),
                    static_cast<UINT>(pageSize_), position_, 0};
    SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
}

void TScrollBar::Loaded()
{
    TWinControl::Loaded();
    max_ = std::max(max_, min_);
    position_ = std::clamp(position_, min_, Last());
    ApplyInfo();
}

void TScrollBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = L"SCROLLBAR";
    params.Style |= kind_ == TScrollBarKind::sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyInfo();
}

// What the user did to the bar, as its scroll code, moves the position.
void TScrollBar::Scrolled(int code)
{
    switch (code) {
    case SB_LINEUP: SetPosition(position_ - smallChange_); break;
    case SB_LINEDOWN: SetPosition(position_ + smallChange_); break;
    case SB_PAGEUP: SetPosition(position_ - largeChange_); break;
    case SB_PAGEDOWN: SetPosition(position_ + largeChange_); break;
    case SB_TOP: SetPosition(min_); break;
    case SB_BOTTOM: SetPosition(Last()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(Handle(), SB_CTL, &info);  // the whole 32-bit position
        SetPosition(info.nTrackPos);
        break;
    }
    default: break;
    }
}

void TScrollBar::Dispatch(TMessage& m)
{
    if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
        Scrolled(LOWORD(m.WParam));
        return;
    }
    TWinControl::Dispatch(m);
}

} // namespace ui
