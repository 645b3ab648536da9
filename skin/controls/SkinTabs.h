// The tab skinners: tab controls and page controls drawn from the skin's
// Tabs element (its Image holds the tab faces, its Image2 the pane around
// the pages), tabs in button style from the Buttons element, and the older
// tab set, whose tabs hang down from its top edge.
//
// The tab faces are drawn for tabs at the top. Tabs on the other sides are
// painted from them turned to that side: at the bottom the faces are
// flipped; on the left and right the whole strip of tabs is painted lying
// down and then turned a quarter, so the text reads along the tabs. The
// native control keeps its mouse, keys and layout; the skinner paints.
//
// A page control whose Tag is 7777 and whose tabs are at the top has
// closable tabs: each shows a close mark, and a click on it asks the form
// with WM_SKINCLOSETAB (wParam the tab control's window, lParam the tab's
// index); the page is freed only when the form answers 0.
//
// The arrows that scroll overflowing tabs are an up-down child window of
// the control; they get an up-down skinner of their own, side by side.
//
// Tabs thinner than the skin's tab faces are laid out as thick as the faces
// (TCM_SETITEMSIZE) while the skin shows, so that a caption fits between a
// face's edges; the control gets its own thickness back when the skin goes.
#pragma once

#include <memory>
#include <vector>

#include "skin/controls/SkinControl.h"

namespace skin {

// The faces of the Tabs element, in strip order.
enum class TTabFace : int { Normal = 1, Selected = 2, Disabled = 3, Hot = 4, SelectedHot = 5 };
inline constexpr int TabFaceCount = 5;

// The face of a tab: a disabled control shows every tab disabled.
TTabFace TabFaceOf(bool selected, bool hot, bool enabled);

enum class TTabSide { Top, Bottom, Left, Right };

// The side a tab control's style puts its tabs on.
TTabSide TabSideOfStyle(DWORD style);

// The Tag that gives a page control closable tabs.
inline constexpr int ClosableTabsTag = 7777;

// Whether the skin has tab faces to paint with.
bool SkinHasTabFaces(const TSkinData& data);

// A tab control or a page control in tab style.
class TSkinTab : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour) override;
    void InitWindow(HWND window, TSkinData& skinData, TWinSkinForm& form) override;
    void RefreshSkin() override;
    // Gives the control its own tab thickness back.
    void RestoreControl() override;

    // Whether the tabs carry close marks.
    bool Closable() const;
    // Tab `index`'s close mark at the last paint, in window coordinates;
    // empty when it has none.
    RECT CloseMark(int index) const;
    // The tab under the mouse, -1 for none.
    int HotTab() const { return hotTab_; }

protected:
    bool BeforeMessage(ui::TMessage& m) override;
    void AfterMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;
    void SkinEnabledChanged() override;

    // The area the pages take, with the pane's frame around it and its
    // edge toward the tabs one pixel closer to them.
    RECT PaneRect(const RECT& rect) const;
    // Tab `index`'s rectangle in window coordinates; false when the control
    // cannot tell.
    bool TabRect(int index, RECT& r) const;
    int TabCount() const;
    int SelectedTab() const;
    std::wstring TabText(int index) const;
    int TabImage(int index) const;
    HIMAGELIST TabImages() const;
    // Draws the text (and image) of tab `index` centred in r.
    void DrawTabText(HDC dc, int index, const RECT& r, ui::TColor colour) const;

private:
    void PrepareTabImages();
    int RowThickness(int index) const;
    void FitTabsToFaces();
    void UnfitTabs();
    void SetTabThickness(int thickness);
    void PaintStrip(HDC dc, const RECT& rect, const RECT& pane);
    void PaintTab(HDC strip, int index, const RECT& window, const RECT& inStrip);
    void PaintPane(HDC dc, const RECT& pane) const;
    // The up-down that scrolls overflowing tabs, or null.
    HWND ScrollArrows() const;
    // Gives the scroll arrows, once the control has made them, a skinner
    // of their own: left and right arrows on the skin's up-down faces.
    void AdoptScrollArrows();
    void ExcludeScrollArrows(HDC dc) const;
    void DrawCloseMark(HDC dc, const RECT& mark, ui::TColor colour) const;
    // Asks the form about closing tab `index` and frees its page when the
    // form agrees.
    void CloseTab(int index);
    int CloseMarkAt(POINT point) const;
    void SetHotTab(int index);

    TTabSide side_ = TTabSide::Top;
    std::unique_ptr<ui::TBitmap> tabFaces_;
    std::unique_ptr<ui::TBitmap> paneFace_;
    std::vector<RECT> closeMarks_;
    int hotTab_ = -1;
    bool fitted_ = false;  // the tabs are laid out as thick as the skin's faces
};

// A tab control or page control in button or flat-button style: its tabs
// wear the Buttons element's faces (a flat button only while it is hot or
// chosen).
class TSkinTabBtn : public TSkinTab {
public:
    using TSkinTab::TSkinTab;

protected:
    void PaintControl(HDC dc, const RECT& rect) override;
};

// The older tab set: tabs hanging down from its top edge, the chosen one
// on the selected face; the tabs lie where the tab set itself places them.
class TSkinTab31 : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour) override;
    void RefreshSkin() override;

protected:
    bool BeforeMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    void PrepareTabImages();
    std::unique_ptr<ui::TBitmap> tabFaces_;
};

// A page control of another library that paints its own tabs from two
// pictures it publishes, "TabBackGround" and "TabBackGroundActive": with
// Kind KindTabPictures the skinner fills them with the skin's normal and
// selected tab faces (100 x 21 pixels), and empties them when it goes. The
// control keeps its own painting and messages.
class TSkinAdvPage : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    static constexpr int KindTabPictures = 4;
    int Kind = 0;

    void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour) override;
    void RestoreControl() override;
    void RefreshSkin() override;

private:
    void BuildTabPictures();
};

} // namespace skin
