#include "ui/controls/ComboBox.h"

#include <algorithm>

namespace ui {

namespace {

const TItemMessages ComboBoxItemMessages{CB_GETCOUNT,     CB_GETLBTEXTLEN,  CB_GETLBTEXT,
                                         CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT};

// The height of a line of text in that font: a list's rows before its window
// can say.
int LineHeight(TFont& font)
{
    const TWindowDC screen = TWindowDC::Client(nullptr);
    TSavedDC saved(screen.Get());
    saved.Select(font.Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(screen.Get(), &tm);
    return tm.tmHeight;
}

} // namespace

const TClassInfo& TCustomComboBox::StaticClass()
{
    using C = TCustomComboBox;
    static const TClassInfo info =
        TClassBuilder<C>("TCustomComboBox", &TWinControl::StaticClass())
            .Enum("Style", {"csDropDown", "csSimple", "csDropDownList"}, &C::Style, &C::SetStyle)
            .Object("Items", &C::Items, &C::SetItems)
            .Int("ItemIndex", &C::ItemIndex, &C::SetItemIndex)
            .Wide("Text", &C::Text, &C::SetTextValue)
            .Int("DropDownCount", &C::DropDownCount, &C::SetDropDownCount)
            .Int("MaxLength", &C::MaxLength, &C::SetMaxLength)
            .Event("OnChange", &C::OnChange)
            .Event("OnSelect", &C::OnSelect)
            .Event("OnDropDown", &C::OnDropDown)
            .Event("OnCloseUp", &C::OnCloseUp)
            .Done();
    return info;
}

const TClassInfo& TComboBox::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TComboBox>("TComboBox", &TCustomComboBox::StaticClass()).Creatable().Done();
    return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TWindowItems>(*this, ComboBoxItemMessages))
{
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::SetStyle(TComboBoxStyle style)
{
    if (style == style_)
        return;
    style_ = style;
    if (HandleAllocated())
        RecreateWnd();
}

int TCustomComboBox::ItemIndex() const
{
    if (!HandleAllocated())
        return itemIndex_;
    return static_cast<int>(SendMessageW(WindowHandle(), CB_GETCURSEL, 0, 0));
}

// An index outside the items chooses none. While a form is read the index is
// kept, since the items may come after it.
void TCustomComboBox::SetItemIndex(int index)
{
    if (!HandleAllocated() || Loading()) {
        itemIndex_ = index;
        return;
    }
    if (index < 0 || index >= items_->Count())
        index = -1;
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Perform(CM_TEXTCHANGED);
}

void TCustomComboBox::SetDropDownCount(int count)
{
    dropDownCount_ = std::max(count, 1);
}

void TCustomComboBox::SetMaxLength(int length)
{
    maxLength_ = std::max(length, 0);
    if (HandleAllocated())
        SendMessageW(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

bool TCustomComboBox::DroppedDown() const
{
    return HandleAllocated() && SendMessageW(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool on)
{
    if (DropsDown())
        SendMessageW(Handle(), CB_SHOWDROPDOWN, on, 0);
}

void TCustomComboBox::SetText(const std::wstring& text)
{
    if (HandleAllocated() && style_ == TComboBoxStyle::csDropDownList) {
        SelectText(text);
        return;
    }
    if (!HandleAllocated())
        itemIndex_ = -1;  // the text decides what is chosen once there is a window
    TWinControl::SetText(text);
}

void TCustomComboBox::SelectText(const std::wstring& text)
{
    const auto found = SendMessageW(Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(Handle(), CB_SETCURSEL, found == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(found), 0);
    Perform(CM_TEXTCHANGED);
}

int TCustomComboBox::DropDownHeight() const
{
    const int rows = std::clamp(items_->Count(), 1, dropDownCount_);
    const int rowHeight = HandleAllocated()
                              ? static_cast<int>(SendMessageW(WindowHandle(), CB_GETITEMHEIGHT, 0, 0))
                              : LineHeight(*Font());
    return rows * rowHeight + 2;
}

void TCustomComboBox::FitDropDown()
{
    if (DropsDown())
        SetWindowPos(Handle(), nullptr, 0, 0, Width(), Height() + DropDownHeight(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TCustomComboBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = L"COMBOBOX";
    params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
    switch (style_) {
    case TComboBoxStyle::csDropDown: params.Style |= CBS_DROPDOWN; break;
    case TComboBoxStyle::csSimple: params.Style |= CBS_SIMPLE; break;
    case TComboBoxStyle::csDropDownList: params.Style |= CBS_DROPDOWNLIST; break;
    }
    if (DropsDown())
        params.Height += DropDownHeight();
}

// The window gets the items, then the choice kept for it.
void TCustomComboBox::CreateWnd()
{
    TWinControl::CreateWnd();
    items_->MoveIntoWindow();
    SendMessageW(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    if (!Loading())
        ShowChoice();
}

void TCustomComboBox::ShowChoice()
{
    if (itemIndex_ >= 0)
        SetItemIndex(itemIndex_);
    else if (style_ == TComboBoxStyle::csDropDownList)
        SelectText(text_);
    else
        SetWindowTextW(Handle(), text_.c_str());
}

void TCustomComboBox::DestroyWnd()
{
    itemIndex_ = ItemIndex();
    items_->KeepFromWindow();
    TWinControl::DestroyWnd();
}

void TCustomComboBox::Loaded()
{
    TWinControl::Loaded();
    if (HandleAllocated())
        ShowChoice();
}

// A simple combo's list keeps to whole rows, so the window is often taller
// than its edit and list together, and the platform paints nothing in the
// rest: it would show whatever was on the screen there. It gets the
// parent's colour.
void TCustomComboBox::EraseBelowList(HDC dc)
{
    TSavedDC saved(dc);
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    const TBrushHandle brush(CreateSolidBrush(ColorToRGB(Parent() ? Parent()->Color() : clBtnFace)));
    FillRect(dc, &client, brush.Get());
}

void TCustomComboBox::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_ERASEBKGND:
        if (style_ != TComboBoxStyle::csSimple)
            break;
        EraseBelowList(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC: m.Result = CtlColor(reinterpret_cast<HDC>(m.WParam)); return;
    case CN_COMMAND:
        switch (HIWORD(m.WParam)) {
        case CBN_SELCHANGE: {
            // The edit shows the chosen item only after this notification;
            // the handlers read it now.
            const int index = ItemIndex();
            if (style_ != TComboBoxStyle::csDropDownList && index >= 0)
                SetWindowTextW(Handle(), items_->Get(index).c_str());
            OnSelect(this);
            OnChange(this);
            return;
        }
        case CBN_EDITCHANGE: OnChange(this); return;
        case CBN_DROPDOWN:
            FitDropDown();
            OnDropDown(this);
            return;
        case CBN_CLOSEUP: OnCloseUp(this); return;
        default: break;
        }
        break;
    default: break;
    }
    TWinControl::Dispatch(m);
}

} // namespace ui
