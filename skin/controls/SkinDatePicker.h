// Date pickers with a drop-down calendar in the skin: the picker's border is
// the edits' flat one (with one white ring), and the native calendar button
// is covered by an arrow button of the skin's ComboxArrow picture, a child
// window of the picker. A click on the arrow is handed to the picker at the
// same place, so the picker opens its own calendar.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/controls/SkinEdits.h"

namespace skin {

class TArrowButton {
public:
    TArrowButton(TSkinControl& skinner, HWND picker);
    ~TArrowButton();
    TArrowButton(const TArrowButton&) = delete;
    TArrowButton& operator=(const TArrowButton&) = delete;

    // Over the picker's own button: the picker's right end, or its left end
    // when its scroll bar side is the left.
    void Place();
    void Repaint();
    HWND Handle() const { return window_; }
    TArrowState State() const;

private:
    template <class T>
    friend LRESULT CALLBACK OwnWindowProc(HWND, UINT, WPARAM, LPARAM);
    void Created(HWND window) { window_ = window; }
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void WindowGone() { window_ = nullptr; }  // the picker went first
    void Paint();
    void Pressed(POINT client, WPARAM keys);

    TSkinControl& skinner_;
    HWND picker_;
    HWND window_ = nullptr;
    int arrowWidth_;
    bool hot_ = false;
};

class TSkinDateTime : public TSkinEdit {
public:
    explicit TSkinDateTime(ui::TComponent* owner);
    ~TSkinDateTime() override;
    void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour) override;
    void RestoreControl() override;
    const TArrowButton* Arrow() const { return arrow_.get(); }

protected:
    void AfterMessage(ui::TMessage& m) override;

private:
    std::unique_ptr<TArrowButton> arrow_;
    bool addedClipChildren_ = false;
};

} // namespace skin
