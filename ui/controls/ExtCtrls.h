// Panels, radio groups, images and timers.
#pragma once

#include "ui/controls/StdCtrls.h"

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

class TCustomRadioGroup;

// One button of a radio group, made by the group for one of its items.
class TGroupButton : public TRadioButton {
    UI_CLASS(TGroupButton)
public:
    TGroupButton(TCustomRadioGroup& group, int index);

protected:
    // A click chooses the button's item in the group.
    void Click() override;

private:
    TCustomRadioGroup& group_;
    int index_;
};

class TRadioGroupItems;

// A group box holding one radio button per item, laid out in Columns columns
// (top to bottom, then left to right). ItemIndex is the checked item (-1:
// none); a click on an item sets it and then runs OnClick.
class TCustomRadioGroup : public TCustomGroupBox {
    UI_CLASS(TCustomRadioGroup)
public:
    explicit TCustomRadioGroup(TComponent* owner);
    ~TCustomRadioGroup() override;
    TStrings* Items() const;
    void SetItems(TStrings* items);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    // The radio button of item index.
    TGroupButton* Buttons(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void Loaded() override;
    void FontChanged() override;

private:
    friend class TGroupButton;
    friend class TRadioGroupItems;
    void ItemsChanged();
    void ArrangeButtons();
    std::unique_ptr<TRadioGroupItems> items_;
    std::vector<TGroupButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
};

class TRadioGroup : public TCustomRadioGroup {
    UI_CLASS(TRadioGroup)
public:
    using TCustomRadioGroup::TCustomRadioGroup;
};

// A picture drawn on its parent's window: at the control's top-left corner,
// centred in it, or stretched over it.
class TImage : public TGraphicControl {
    UI_CLASS(TImage)
public:
    explicit TImage(TComponent* owner);
    TBitmap* Picture() const { return picture_.get(); }
    void SetPicture(TBitmap* picture);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);
    bool Center() const { return center_; }
    void SetCenter(bool on);

protected:
    void Paint() override;

private:
    std::unique_ptr<TBitmap> picture_;
    bool stretch_ = false;
    bool center_ = false;
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
