#include "ui/controls/ExtCtrls.h"

#include <algorithm>

#include "ui/forms/ErrorGuard.h"

namespace ui {

// ---- TPanel

namespace {
const std::vector<std::string> BevelNames = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};

UINT EdgeOf(TPanelBevel bevel)
{
    return bevel == TPanelBevel::bvLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER;
}
} // namespace

const TClassInfo& TPanel::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TPanel>("TPanel", &TCustomControl::StaticClass())
                                       .Enum("BevelOuter", BevelNames, &TPanel::BevelOuter, &TPanel::SetBevelOuter)
                                       .Enum("BevelInner", BevelNames, &TPanel::BevelInner, &TPanel::SetBevelInner)
                                       .Int("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth)
                                       .Creatable()
                                       .Done();
    return info;
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TPanel::SetBevelOuter(TPanelBevel bevel)
{
    bevelOuter_ = bevel;
    Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel bevel)
{
    bevelInner_ = bevel;
    Invalidate();
}

void TPanel::SetBevelWidth(int width)
{
    bevelWidth_ = width;
    Invalidate();
}

void TPanel::Paint()
{
    TCanvas& c = *Canvas();
    RECT r = ClientRect();
    c.FillRect(r);
    for (TPanelBevel bevel : {bevelOuter_, bevelInner_}) {
        if (bevel == TPanelBevel::bvNone)
            continue;
        for (int i = 0; i < bevelWidth_; ++i)
            if (bevel == TPanelBevel::bvSpace)
                InflateRect(&r, -1, -1);
            else
                DrawEdge(c.Handle(), &r, EdgeOf(bevel), BF_RECT | BF_ADJUST);
    }
    const std::wstring text = Caption();
    if (text.empty())
        return;
    TSavedDC saved(c.Handle());
    saved.Select(Font()->Handle());
    SetBkMode(c.Handle(), TRANSPARENT);
    SetTextColor(c.Handle(), ColorToRGB(Font()->Color()));
    DrawTextW(c.Handle(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// ---- TRadioGroup

// The items of a radio group: every change remakes the group's buttons.
class TRadioGroupItems : public TStringList {
public:
    explicit TRadioGroupItems(TCustomRadioGroup& group) : group_(group) {}
    void Put(int index, const std::wstring& s) override
    {
        TStringList::Put(index, s);
        group_.ItemsChanged();
    }
    void Insert(int index, const std::wstring& s) override
    {
        TStringList::Insert(index, s);
        group_.ItemsChanged();
    }
    void Delete(int index) override
    {
        TStringList::Delete(index);
        group_.ItemsChanged();
    }
    void Clear() override
    {
        TStringList::Clear();
        group_.ItemsChanged();
    }

private:
    TCustomRadioGroup& group_;
};

const TClassInfo& TGroupButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TGroupButton>("TGroupButton", &TRadioButton::StaticClass()).Done();
    return info;
}

TGroupButton::TGroupButton(TCustomRadioGroup& group, int index) : TRadioButton(&group), group_(group), index_(index)
{
    SetParent(&group);
}

void TGroupButton::Click()
{
    group_.itemIndex_ = index_;
    TRadioButton::Click();
    group_.Click();
}

const TClassInfo& TCustomRadioGroup::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCustomRadioGroup>("TCustomRadioGroup", &TCustomGroupBox::StaticClass())
            .Object("Items", &TCustomRadioGroup::Items, &TCustomRadioGroup::SetItems)
            .Int("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex)
            .Int("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns)
            .Done();
    return info;
}

const TClassInfo& TRadioGroup::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TRadioGroup>("TRadioGroup", &TCustomRadioGroup::StaticClass()).Creatable().Done();
    return info;
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<TRadioGroupItems>(*this))
{
}

TCustomRadioGroup::~TCustomRadioGroup() = default;

TStrings* TCustomRadioGroup::Items() const
{
    return items_.get();
}

void TCustomRadioGroup::SetItems(TStrings* items)
{
    items_->Assign(*items);
}

void TCustomRadioGroup::SetItemIndex(int index)
{
    if (!Loading() && (index < -1 || index >= static_cast<int>(buttons_.size())))
        throw Exception("Radio group item index out of range: " + std::to_string(index));
    itemIndex_ = index;
    if (index >= 0 && index < static_cast<int>(buttons_.size()))
        buttons_[static_cast<std::size_t>(index)]->SetChecked(true);
    else
        for (TGroupButton* b : buttons_)
            b->SetChecked(false);
}

void TCustomRadioGroup::SetColumns(int columns)
{
    columns_ = std::clamp(columns, 1, 16);
    ArrangeButtons();
}

void TCustomRadioGroup::SetBounds(int left, int top, int width, int height)
{
    TCustomGroupBox::SetBounds(left, top, width, height);
    ArrangeButtons();
}

// The stored ItemIndex may come before the stored Items; it holds once both
// are read.
void TCustomRadioGroup::Loaded()
{
    TCustomGroupBox::Loaded();
    if (itemIndex_ >= static_cast<int>(buttons_.size()))
        itemIndex_ = -1;
    SetItemIndex(itemIndex_);
}

void TCustomRadioGroup::FontChanged()
{
    TCustomGroupBox::FontChanged();
    ArrangeButtons();
}

void TCustomRadioGroup::ItemsChanged()
{
    while (buttons_.size() > static_cast<std::size_t>(items_->Count())) {
        delete buttons_.back();
        buttons_.pop_back();
    }
    while (buttons_.size() < static_cast<std::size_t>(items_->Count()))
        buttons_.push_back(new TGroupButton(*this, static_cast<int>(buttons_.size())));
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetCaption(items_->Get(static_cast<int>(i)));
    if (itemIndex_ >= static_cast<int>(buttons_.size()) && !Loading())
        itemIndex_ = -1;
    ArrangeButtons();
}

// Columns of equal width below the caption, rows of equal height, filled
// top to bottom.
void TCustomRadioGroup::ArrangeButtons()
{
    if (buttons_.empty())
        return;
    const int count = static_cast<int>(buttons_.size());
    const int rows = (count + columns_ - 1) / columns_;
    const int top = CaptionHeight() + 2;
    const int columnWidth = std::max(0, (Width() - 16) / columns_);
    const int rowHeight = std::max(0, (Height() - top - 4) / rows);
    for (int i = 0; i < count; ++i)
        buttons_[static_cast<std::size_t>(i)]->SetBounds(8 + (i / rows) * columnWidth, top + (i % rows) * rowHeight,
                                                         columnWidth, rowHeight);
}

// ---- TImage

const TClassInfo& TImage::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TImage>("TImage", &TGraphicControl::StaticClass())
                                       .Object("Picture", &TImage::Picture, &TImage::SetPicture)
                                       .Bool("Stretch", &TImage::Stretch, &TImage::SetStretch)
                                       .Bool("Center", &TImage::Center, &TImage::SetCenter)
                                       .Creatable()
                                       .Done();
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TBitmap>())
{
    SetBounds(0, 0, 105, 105);
    picture_->OnChange = TNotifyEvent([this](TObject*) { Invalidate(); });
}

void TImage::SetPicture(TBitmap* picture)
{
    picture_->Assign(*picture);
    Invalidate();
}

void TImage::SetStretch(bool on)
{
    stretch_ = on;
    Invalidate();
}

void TImage::SetCenter(bool on)
{
    center_ = on;
    Invalidate();
}

void TImage::Paint()
{
    if (picture_->Empty())
        return;
    if (stretch_)
        return Canvas()->StretchDraw(ClientRect(), *picture_);
    const int x = center_ ? (Width() - picture_->Width()) / 2 : 0;
    const int y = center_ ? (Height() - picture_->Height()) / 2 : 0;
    Canvas()->Draw(x, y, *picture_);
}

// ---- TTimer

const TClassInfo& TTimer::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTimer>("TTimer", &TComponent::StaticClass())
                                       .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                                       .Int("Interval", &TTimer::Interval, &TTimer::SetInterval)
                                       .Event("OnTimer", &TTimer::OnTimer)
                                       .Creatable()
                                       .Done();
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    static const ATOM cls = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = TimerWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TTimerWindow";
        return RegisterClassExW(&wc);
    }();
    window_ = CreateWindowExW(0, MAKEINTATOM(cls), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TTimer::~TTimer()
{
    KillTimer(window_, 1);
    DestroyWindow(window_);
}

void TTimer::SetEnabled(bool on)
{
    enabled_ = on;
    Update();
}

void TTimer::SetInterval(int ms)
{
    interval_ = ms;
    Update();
}

void TTimer::Update()
{
    KillTimer(window_, 1);
    if (enabled_ && interval_ > 0)
        SetTimer(window_, 1, static_cast<UINT>(interval_), nullptr);
}

LRESULT CALLBACK TTimer::TimerWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_TIMER)
        return DefWindowProcW(wnd, msg, wParam, lParam);
    if (auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrW(wnd, GWLP_USERDATA)))
        CallGuarded([timer] { timer->OnTimer(timer); });
    return 0;
}

} // namespace ui
