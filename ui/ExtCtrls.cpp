#include "ui/ExtCtrls.h"

#include "ui/ErrorGuard.h"

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
