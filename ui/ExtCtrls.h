// Panels and timers.
#pragma once

#include "ui/Controls.h"

namespace ui {

enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

// A container with bevelled edges and an optional centred caption.
class TPanel : public TCustomControl {
    UI_CLASS(TPanel)
public:
    explicit TPanel(TComponent* owner);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel bevel);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);

protected:
    void Paint() override;

private:
    TPanelBevel bevelOuter_ = TPanelBevel::bvRaised;
    TPanelBevel bevelInner_ = TPanelBevel::bvNone;
    int bevelWidth_ = 1;
};

// Raises OnTimer every Interval milliseconds while Enabled, through the
// message loop.
class TTimer : public TComponent {
    UI_CLASS(TTimer)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    TNotifyEvent OnTimer;

private:
    static LRESULT CALLBACK TimerWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Update();
    HWND window_ = nullptr;
    bool enabled_ = true;
    int interval_ = 1000;
};

} // namespace ui
