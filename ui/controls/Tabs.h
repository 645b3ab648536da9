// Tabs: the tab control (a row of tabs over one area), the page control
// (one tab sheet per tab, the chosen one shown) over the platform's tab
// control, and the older tab set, which draws its tabs itself along its top
// edge, hanging down from the area above it.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/controls/Controls.h"
#include "ui/core/NotifyStrings.h"

namespace ui {

enum class TTabStyle { tsTabs, tsButtons, tsFlatButtons };
enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

using TTabChangingEvent = TEvent<void(TObject* Sender, bool& AllowChange)>;

// The platform's tab control: tabs as tabs, buttons or flat buttons, on any
// side. A user's choice of tab asks OnChanging first (AllowChange false
// keeps the tab) and runs OnChange after.
class TCustomTabControl : public TWinControl {
    UI_CLASS(TCustomTabControl)
public:
    explicit TCustomTabControl(TComponent* owner);
    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle style);
    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition position);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool on);
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool on);
    // The area the tabs leave inside their frame, in client coordinates.
    RECT DisplayRect();
    // The tab at a client point, or -1.
    int IndexOfTabAt(int x, int y);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;
    void Loaded() override;
    // The tabs' texts and the chosen one, as the descendant keeps them.
    virtual std::vector<std::wstring> TabCaptions() const = 0;
    virtual int ChosenTab() const = 0;
    // The user chose tab index in the window.
    virtual void TabChosen(int index) = 0;
    // Gives the window the tabs and the chosen one as they are now.
    void UpdateTabs();
    void ShowChosenTab();
    // Runs OnChanging; false keeps the tab.
    bool CanChange();
    // Called after the window's size or tab layout changed.
    virtual void TabAreaChanged() {}

private:
    TTabStyle style_ = TTabStyle::tsTabs;
    TTabPosition tabPosition_ = TTabPosition::tpTop;
    bool multiLine_ = false;
    bool hotTrack_ = false;
};

// Tabs over one area that the program fills as the chosen tab asks.
class TTabControl : public TCustomTabControl {
    UI_CLASS(TTabControl)
public:
    explicit TTabControl(TComponent* owner);
    ~TTabControl() override;
    TStrings* Tabs() const { return tabs_.get(); }
    void SetTabs(TStrings* tabs) { tabs_->Assign(*tabs); }
    // The chosen tab, or -1; always a tab that exists once a form is read.
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index);

protected:
    std::vector<std::wstring> TabCaptions() const override { return tabs_->ToVector(); }
    int ChosenTab() const override { return tabIndex_; }
    void TabChosen(int index) override;
    void Loaded() override;

private:
    void TabsChanged();
    std::unique_ptr<TNotifyStringList> tabs_;
    int tabIndex_ = -1;
};

class TPageControl;

// One page of a page control: its Caption is its tab's text.
class TTabSheet : public TWinControl {
    UI_CLASS(TTabSheet)
public:
    explicit TTabSheet(TComponent* owner);
    // A sheet that goes leaves its page control, which shows another page.
    ~TTabSheet() override;
    TPageControl* PageControl() const;
    void SetPageControl(TPageControl* control);
    // The sheet's place among its page control's pages; -1 without one.
    int PageIndex() const;
    void SetPageIndex(int index);
    void SetParent(TWinControl* parent) override;

protected:
    void Dispatch(TMessage& m) override;
};

// A tab control whose tabs are its tab sheets, in their order; the active
// page is shown in the display area, the others hidden. Ctrl+Tab and
// Ctrl+Shift+Tab, while the focus is on the control or within it, go to the
// next and the previous page as a click on its tab would.
class TPageControl : public TCustomTabControl {
    UI_CLASS(TPageControl)
public:
    explicit TPageControl(TComponent* owner);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
    // The shown page (a reference: form files name it).
    TTabSheet* ActivePage() const { return active_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The next (or previous) page, round the ends, as the user would choose it.
    void SelectNextPage(bool forward);

protected:
    std::vector<std::wstring> TabCaptions() const override;
    int ChosenTab() const override { return ActivePageIndex(); }
    void TabChosen(int index) override;
    void TabAreaChanged() override;
    void Dispatch(TMessage& m) override;
    void Loaded() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet& page);
    void RemovePage(TTabSheet& page);
    void MovePage(TTabSheet& page, int index);
    void ShowActivePage();
    std::vector<TTabSheet*> pages_;
    TTabSheet* active_ = nullptr;
};

class TTabSet;

// The tab set's two arrows, shown when its tabs do not all fit.
class TTabScroller : public TWinControl {
    UI_CLASS(TTabScroller)
public:
    explicit TTabScroller(TTabSet& tabSet);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;

private:
    TTabSet& tabSet_;
};

using TTabChangeEvent = TEvent<void(TObject* Sender, int NewTab, bool& AllowChange)>;

// Tabs drawn along the top edge from StartMargin on, each as wide as its
// text and 9 pixels, the chosen one in SelectedColor; tabs that do not fit
// before EndMargin are reached with the scroller's arrows, which move
// FirstIndex. A click on a tab asks OnChange (AllowChange false keeps the
// tab), then runs OnClick.
class TTabSet : public TCustomControl {
    UI_CLASS(TTabSet)
public:
    explicit TTabSet(TComponent* owner);
    ~TTabSet() override;
    TStrings* Tabs() const { return tabs_.get(); }
    void SetTabs(TStrings* tabs) { tabs_->Assign(*tabs); }
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index);
    // The first tab shown.
    int FirstIndex() const { return firstIndex_; }
    void SetFirstIndex(int index);
    int StartMargin() const { return startMargin_; }
    void SetStartMargin(int margin);
    int EndMargin() const { return endMargin_; }
    void SetEndMargin(int margin);
    TColor SelectedColor() const { return selectedColor_; }
    void SetSelectedColor(TColor color);
    TColor UnselectedColor() const { return unselectedColor_; }
    void SetUnselectedColor(TColor color);
    TTabScroller* Scroller() const { return scroller_; }
    // Where each tab from FirstIndex on is drawn, as long as they fit.
    std::vector<RECT> VisibleTabs();
    // The tab at a client point, or -1.
    int IndexOfTabAt(int x, int y);

    TTabChangeEvent OnChange;

protected:
    void Paint() override;
    void Dispatch(TMessage& m) override;
    void Loaded() override;

private:
    friend class TTabScroller;
    static constexpr int TabPadding = 9;
    std::vector<RECT> TabsWithin(HDC dc, int right) const;
    void Layout();
    void PaintTab(const RECT& r, const std::wstring& text, bool chosen);
    void Choose(int index);
    std::unique_ptr<TNotifyStringList> tabs_;
    TTabScroller* scroller_;
    int tabIndex_ = -1;
    int firstIndex_ = 0;
    int startMargin_ = 5;
    int endMargin_ = 5;
    TColor selectedColor_ = clBtnFace;
    TColor unselectedColor_ = clWindow;
};

} // namespace ui
