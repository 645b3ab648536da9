#include "ui/controls/Tabs.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/controls/CommonControls.h"

namespace ui {

// ---- TCustomTabControl

namespace {

const std::vector<std::string> TabStyleNames = {"tsTabs", "tsButtons", "tsFlatButtons"};
const std::vector<std::string> TabPositionNames = {"tpTop", "tpBottom", "tpLeft", "tpRight"};

} // namespace

const TClassInfo& TCustomTabControl::StaticClass()
{
    using C = TCustomTabControl;
    static const TClassInfo info = TClassBuilder<C>("TCustomTabControl", &TWinControl::StaticClass())
                                       .Enum("Style", TabStyleNames, &C::Style, &C::SetStyle)
                                       .Enum("TabPosition", TabPositionNames, &C::TabPosition, &C::SetTabPosition)
                                       .Bool("MultiLine", &C::MultiLine, &C::SetMultiLine)
                                       .Bool("HotTrack", &C::HotTrack, &C::SetHotTrack)
                                       .Event("OnChange", &C::OnChange)
                                       .Event("OnChanging", &C::OnChanging)
                                       .Done();
    return info;
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetColor(clBtnFace);
}

// Style, side and line bits change how the window lays its tabs out, which
// it does only when it is made.
void TCustomTabControl::SetStyle(TTabStyle style)
{
    style_ = style;
    RecreateWnd();
}

void TCustomTabControl::SetTabPosition(TTabPosition position)
{
    tabPosition_ = position;
    RecreateWnd();
}

void TCustomTabControl::SetMultiLine(bool on)
{
    multiLine_ = on;
    RecreateWnd();
}

void TCustomTabControl::SetHotTrack(bool on)
{
    hotTrack_ = on;
    RecreateWnd();
}

RECT TCustomTabControl::DisplayRect()
{
    RECT r{};
    GetClientRect(Handle(), &r);
    SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

int TCustomTabControl::IndexOfTabAt(int x, int y)
{
    TCHITTESTINFO hit{{x, y}, 0};
    return static_cast<int>(SendMessageW(Handle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

// Tabs on the left or right need several lines: the platform draws vertical
// tabs only in a multi-line control.
void TCustomTabControl::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_TAB_CLASSES);
    TWinControl::CreateParams(params);
    params.SystemClass = WC_TABCONTROLW;
    params.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    switch (style_) {
    case TTabStyle::tsTabs: break;
    case TTabStyle::tsButtons: params.Style |= TCS_BUTTONS; break;
    case TTabStyle::tsFlatButtons: params.Style |= TCS_BUTTONS | TCS_FLATBUTTONS; break;
    }
    switch (tabPosition_) {
    case TTabPosition::tpTop: break;
    case TTabPosition::tpBottom: params.Style |= TCS_BOTTOM; break;
    case TTabPosition::tpLeft: params.Style |= TCS_VERTICAL; break;
    case TTabPosition::tpRight: params.Style |= TCS_VERTICAL | TCS_RIGHT; break;
    }
    if (multiLine_ || tabPosition_ == TTabPosition::tpLeft || tabPosition_ == TTabPosition::tpRight)
        params.Style |= TCS_MULTILINE;
    if (hotTrack_)
        params.Style |= TCS_HOTTRACK;
}

void TCustomTabControl::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateTabs();
}

void TCustomTabControl::Loaded()
{
    TWinControl::Loaded();
    UpdateTabs();
}

void TCustomTabControl::UpdateTabs()
{
    if (!HandleAllocated() || Loading())
        return;
    HWND wnd = Handle();
    const std::vector<std::wstring> captions = TabCaptions();
    const int shown = static_cast<int>(SendMessageW(wnd, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < static_cast<int>(captions.size()); ++i) {
        std::wstring text = captions[static_cast<std::size_t>(i)];
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(wnd, i < shown ? TCM_SETITEMW : TCM_INSERTITEMW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
    for (int i = shown - 1; i >= static_cast<int>(captions.size()); --i)
        SendMessageW(wnd, TCM_DELETEITEM, static_cast<WPARAM>(i), 0);
    ShowChosenTab();
    TabAreaChanged();
}

void TCustomTabControl::ShowChosenTab()
{
    if (HandleAllocated())
        SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(ChosenTab()), 0);
}

bool TCustomTabControl::CanChange()
{
    bool allow = true;
    OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CN_NOTIFY:
        switch (reinterpret_cast<const NMHDR*>(m.LParam)->code) {
        case TCN_SELCHANGING: m.Result = CanChange() ? FALSE : TRUE; return;
        case TCN_SELCHANGE:
            TabChosen(static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0)));
            OnChange(this);
            return;
        default: break;
        }
        break;
    case WM_SIZE:
        TWinControl::Dispatch(m);
        TabAreaChanged();
        return;
    default: break;
    }
    TWinControl::Dispatch(m);
}

// ---- TTabControl

const TClassInfo& TTabControl::StaticClass()
{
    using C = TTabControl;
    static const TClassInfo info = TClassBuilder<C>("TTabControl", &TCustomTabControl::StaticClass())
                                       .Object("Tabs", &C::Tabs, &C::SetTabs)
                                       .Int("TabIndex", &C::TabIndex, &C::SetTabIndex)
                                       .Creatable()
                                       .Done();
    return info;
}

TTabControl::TTabControl(TComponent* owner)
    : TCustomTabControl(owner), tabs_(std::make_unique<TNotifyStringList>([this] { TabsChanged(); }))
{
}

TTabControl::~TTabControl() = default;

// A form may give TabIndex before Tabs: it is fitted to the tabs once read.
void TTabControl::SetTabIndex(int index)
{
    tabIndex_ = Loading() ? index : std::clamp(index, -1, tabs_->Count() - 1);
    ShowChosenTab();
}

void TTabControl::TabsChanged()
{
    if (!Loading())
        tabIndex_ = std::min(tabIndex_, tabs_->Count() - 1);
    UpdateTabs();
}

void TTabControl::TabChosen(int index)
{
    tabIndex_ = index;
}

void TTabControl::Loaded()
{
    tabIndex_ = std::clamp(tabIndex_, -1, tabs_->Count() - 1);
    TCustomTabControl::Loaded();
}

// ---- TTabSheet

const TClassInfo& TTabSheet::StaticClass()
{
    using S = TTabSheet;
    static const TClassInfo info = TClassBuilder<S>("TTabSheet", &TWinControl::StaticClass())
                                       .Int("PageIndex", &S::PageIndex, &S::SetPageIndex)
                                       .Creatable()
                                       .Done();
    return info;
}

// Hidden until its page control shows it.
TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner)
{
    SetVisible(false);
    SetColor(clBtnFace);
}

TTabSheet::~TTabSheet()
{
    if (TPageControl* control = PageControl(); control && !control->Destroying())
        SetParent(nullptr);
}

TPageControl* TTabSheet::PageControl() const
{
    return dynamic_cast<TPageControl*>(Parent());
}

void TTabSheet::SetPageControl(TPageControl* control)
{
    SetParent(control);
}

int TTabSheet::PageIndex() const
{
    const TPageControl* control = PageControl();
    if (!control)
        return -1;
    const auto& pages = control->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index)
{
    if (TPageControl* control = PageControl())
        control->MovePage(*this, index);
}

void TTabSheet::SetParent(TWinControl* parent)
{
    TPageControl* before = PageControl();
    if (before && before != parent)
        before->RemovePage(*this);
    TWinControl::SetParent(parent);
    if (TPageControl* after = PageControl(); after && after != before)
        after->InsertPage(*this);
}

// The caption is the tab's text.
void TTabSheet::Dispatch(TMessage& m)
{
    TWinControl::Dispatch(m);
    if (m.Msg == CM_TEXTCHANGED)
        if (TPageControl* control = PageControl())
            control->UpdateTabs();
}

// ---- TPageControl

const TClassInfo& TPageControl::StaticClass()
{
    using C = TPageControl;
    static const TClassInfo info = TClassBuilder<C>("TPageControl", &TCustomTabControl::StaticClass())
                                       .Reference("ActivePage", &C::ActivePage, &C::SetActivePage)
                                       .Creatable()
                                       .Done();
    return info;
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

std::vector<std::wstring> TPageControl::TabCaptions() const
{
    std::vector<std::wstring> captions;
    for (const TTabSheet* page : pages_)
        captions.push_back(page->Caption());
    return captions;
}

// Only a page of this control can be shown; anything else is ignored.
void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->PageControl() != this)
        return;
    active_ = page;
    ShowActivePage();
}

int TPageControl::ActivePageIndex() const
{
    return active_ ? active_->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index)
{
    SetActivePage(index >= 0 && index < PageCount() ? Pages(index) : nullptr);
}

void TPageControl::SelectNextPage(bool forward)
{
    if (pages_.empty() || !CanChange())
        return;
    const int count = PageCount();
    const int from = ActivePageIndex();
    SetActivePageIndex(from < 0 ? 0 : (from + (forward ? 1 : count - 1)) % count);
    OnChange(this);
}

void TPageControl::TabChosen(int index)
{
    SetActivePageIndex(index);
}

// The active page fills the display area; the others hide. A page that
// held the focus hands it to the control before it hides.
void TPageControl::ShowActivePage()
{
    ShowChosenTab();
    for (TTabSheet* page : pages_)
        if (page != active_) {
            if (page->HandleAllocated() && IsChild(page->WindowHandle(), GetFocus()) && HandleAllocated())
                SetFocus();
            page->SetVisible(false);
        }
    if (active_) {
        TabAreaChanged();
        active_->SetVisible(true);
        active_->BringToFront();
    }
}

void TPageControl::TabAreaChanged()
{
    if (!active_ || !HandleAllocated())
        return;
    const RECT area = DisplayRect();
    active_->SetBounds(area.left, area.top, std::max<int>(area.right - area.left, 0),
                       std::max<int>(area.bottom - area.top, 0));
}

// Without a stored active page the first page shows.
void TPageControl::Loaded()
{
    if (!active_ && !pages_.empty())
        active_ = pages_.front();
    TCustomTabControl::Loaded();
    ShowActivePage();
}

void TPageControl::InsertPage(TTabSheet& page)
{
    pages_.push_back(&page);
    UpdateTabs();
    if (!active_ && !Loading())
        SetActivePage(&page);
}

// The page after the one that goes (or before it, when it was the last)
// becomes the active one.
void TPageControl::RemovePage(TTabSheet& page)
{
    const auto at = std::find(pages_.begin(), pages_.end(), &page);
    if (at == pages_.end())
        return;
    const auto index = at - pages_.begin();
    pages_.erase(at);
    if (active_ == &page)
        active_ = pages_.empty() ? nullptr : pages_[std::min<std::size_t>(static_cast<std::size_t>(index), pages_.size() - 1)];
    UpdateTabs();
    ShowActivePage();
}

void TPageControl::MovePage(TTabSheet& page, int index)
{
    const auto at = std::find(pages_.begin(), pages_.end(), &page);
    if (at == pages_.end())
        return;
    pages_.erase(at);
    const auto to = static_cast<std::size_t>(std::clamp(index, 0, PageCount()));
    pages_.insert(pages_.begin() + static_cast<std::ptrdiff_t>(to), &page);
    UpdateTabs();
}

void TPageControl::Dispatch(TMessage& m)
{
    if (m.Msg == CM_DIALOGKEY && m.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && HandleAllocated()) {
        HWND focus = GetFocus();
        if (focus == Handle() || IsChild(Handle(), focus)) {
            SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
            m.Result = 1;
            return;
        }
    }
    TCustomTabControl::Dispatch(m);
}

// ---- TTabScroller

const TClassInfo& TTabScroller::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTabScroller>("TTabScroller", &TWinControl::StaticClass()).Done();
    return info;
}

TTabScroller::TTabScroller(TTabSet& tabSet) : TWinControl(&tabSet), tabSet_(tabSet)
{
    SetBounds(0, 0, 32, 16);
    SetVisible(false);
}

void TTabScroller::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_UPDOWN_CLASS);
    TWinControl::CreateParams(params);
    params.SystemClass = UPDOWN_CLASSW;
    params.Style |= UDS_HORZ;
}

// The arrows stand in the middle of a range, so that the right one counts
// up and neither is ever at an end.
void TTabScroller::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(Handle(), UDM_SETRANGE32, 0, 100);
    SendMessageW(Handle(), UDM_SETPOS32, 0, 50);
}

// An arrow moves the tab set's first tab; the arrows' own position stays, so
// both arrows stay live.
void TTabScroller::Dispatch(TMessage& m)
{
    if (m.Msg == CN_NOTIFY && reinterpret_cast<const NMHDR*>(m.LParam)->code == UDN_DELTAPOS) {
        const int delta = reinterpret_cast<const NMUPDOWN*>(m.LParam)->iDelta;
        tabSet_.SetFirstIndex(tabSet_.FirstIndex() + (delta > 0 ? 1 : -1));
        m.Result = TRUE;
        return;
    }
    TWinControl::Dispatch(m);
}

// ---- TTabSet

const TClassInfo& TTabSet::StaticClass()
{
    using S = TTabSet;
    static const TClassInfo info =
        TClassBuilder<S>("TTabSet", &TCustomControl::StaticClass())
            .Object("Tabs", &S::Tabs, &S::SetTabs)
            .Int("TabIndex", &S::TabIndex, &S::SetTabIndex)
            .Int("FirstIndex", &S::FirstIndex, &S::SetFirstIndex)
            .Int("StartMargin", &S::StartMargin, &S::SetStartMargin)
            .Int("EndMargin", &S::EndMargin, &S::SetEndMargin)
            .Int("SelectedColor", &S::SelectedColor, &S::SetSelectedColor, ColorIdents)
            .Int("UnselectedColor", &S::UnselectedColor, &S::SetUnselectedColor, ColorIdents)
            .Event("OnChange", &S::OnChange)
            .Creatable()
            .Done();
    return info;
}

// The scroller is the tab set's first owned component.
TTabSet::TTabSet(TComponent* owner)
    : TCustomControl(owner), tabs_(std::make_unique<TNotifyStringList>([this] {
          if (!Loading())
              SetTabIndex(tabIndex_);
          Layout();
      })),
      scroller_(new TTabScroller(*this))
{
    SetBounds(0, 0, 185, 21);
    SetColor(clBtnFace);
    scroller_->SetParent(this);
}

TTabSet::~TTabSet() = default;

void TTabSet::SetTabIndex(int index)
{
    tabIndex_ = Loading() ? index : std::clamp(index, -1, tabs_->Count() - 1);
    if (!Loading() && tabIndex_ >= 0 && tabIndex_ < firstIndex_)
        firstIndex_ = tabIndex_;
    Layout();
}

void TTabSet::SetFirstIndex(int index)
{
    firstIndex_ = Loading() ? index : std::clamp(index, 0, std::max(tabs_->Count() - 1, 0));
    Layout();
}

void TTabSet::SetStartMargin(int margin)
{
    startMargin_ = std::max(margin, 0);
    Layout();
}

void TTabSet::SetEndMargin(int margin)
{
    endMargin_ = std::max(margin, 0);
    Layout();
}

void TTabSet::SetSelectedColor(TColor color)
{
    selectedColor_ = color;
    Invalidate();
}

void TTabSet::SetUnselectedColor(TColor color)
{
    unselectedColor_ = color;
    Invalidate();
}

void TTabSet::Loaded()
{
    TCustomControl::Loaded();
    SetFirstIndex(firstIndex_);
    SetTabIndex(tabIndex_);
}

std::vector<RECT> TTabSet::TabsWithin(HDC dc, int right) const
{
    TSavedDC saved(dc);
    saved.Select(Font()->Handle());
    std::vector<RECT> tabs;
    int x = startMargin_;
    for (int i = firstIndex_; i < tabs_->Count(); ++i) {
        const std::wstring text = tabs_->Get(i);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        const int width = size.cx + TabPadding;
        if (x + width > right)
            break;
        tabs.push_back({x, 0, x + width, Height()});
        x += width;
    }
    return tabs;
}

std::vector<RECT> TTabSet::VisibleTabs()
{
    const TWindowDC dc = TWindowDC::Client(Handle());
    const int right = Width() - endMargin_ - (scroller_->Visible() ? scroller_->Width() : 0);
    return TabsWithin(dc.Get(), right);
}

int TTabSet::IndexOfTabAt(int x, int y)
{
    const std::vector<RECT> tabs = VisibleTabs();
    for (std::size_t i = 0; i < tabs.size(); ++i)
        if (PtInRect(&tabs[i], {x, y}))
            return firstIndex_ + static_cast<int>(i);
    return -1;
}

// The arrows show while any tab is out of sight, at the right end.
void TTabSet::Layout()
{
    if (Loading() || !HandleAllocated())
        return;
    const TWindowDC dc = TWindowDC::Client(Handle());
    const int fitting = static_cast<int>(TabsWithin(dc.Get(), Width() - endMargin_).size());
    const bool scroll = firstIndex_ > 0 || firstIndex_ + fitting < tabs_->Count();
    const int arrowHeight = std::min(Height() - 2, 18);
    scroller_->SetBounds(Width() - scroller_->Width(), (Height() - arrowHeight) / 2, scroller_->Width(),
                         arrowHeight);
    scroller_->SetVisible(scroll);
    Invalidate();
}

void TTabSet::PaintTab(const RECT& r, const std::wstring& text, bool chosen)
{
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(chosen ? selectedColor_ : unselectedColor_);
    canvas.Pen()->SetColor(clBtnShadow);
    const POINT shape[] = {{r.left, 0}, {r.left + 3, r.bottom - 3}, {r.right - 3, r.bottom - 3}, {r.right, 0}};
    canvas.Polygon(shape, 4);
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    RECT textRect{r.left, 0, r.right, r.bottom - 3};
    canvas.DrawFormattedText(text, textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// The area above is continued by a line along the top edge that the chosen
// tab breaks: it belongs to that area.
void TTabSet::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.FillRect(ClientRect());
    canvas.Pen()->SetColor(clBtnShadow);
    canvas.MoveTo(0, 0);
    canvas.LineTo(Width(), 0);
    const std::vector<RECT> tabs = VisibleTabs();
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        const int index = firstIndex_ + static_cast<int>(i);
        PaintTab(tabs[i], tabs_->Get(index), index == tabIndex_);
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    }
}

void TTabSet::Choose(int index)
{
    if (index != tabIndex_) {
        bool allow = true;
        OnChange(this, index, allow);
        if (!allow)
            return;
        SetTabIndex(index);
    }
    Click();
}

void TTabSet::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
        if (const int index = IndexOfTabAt(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)); index >= 0)
            Choose(index);
        break;
    case WM_SIZE:
        TCustomControl::Dispatch(m);
        Layout();
        return;
    default: break;
    }
    TCustomControl::Dispatch(m);
}

} // namespace ui
