// Controls over the platform's common controls: status bar, progress bar,
// track bar, up-down, header control, tool bar with its buttons, and cool
// bar. Each
// keeps its state in the control and gives it to its window whenever the
// window is made, so the control survives a remade window.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/controls/Controls.h"
#include "ui/controls/DropDownRow.h"

namespace ui {

class TImageList;
class TMainMenu;
class TMenuItem;
class TPopupMenu;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// ---- status bar

enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum class TStatusPanelStyle { psText, psOwnerDraw };

class TStatusPanel : public TCollectionItem {
    UI_CLASS(TStatusPanel)
public:
    using TCollectionItem::TCollectionItem;
    std::wstring Text() const { return text_; }
    void SetText(const std::wstring& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel bevel);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle style);

private:
    std::wstring text_;
    int width_ = 50;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TStatusPanelBevel bevel_ = TStatusPanelBevel::pbLowered;
    TStatusPanelStyle style_ = TStatusPanelStyle::psText;
};

using TStatusPanels = TOwnedCollection<TStatusPanel>;
class TCustomStatusBar;
using TDrawPanelEvent = TEvent<void(TCustomStatusBar* StatusBar, TStatusPanel* Panel, const RECT& Rect)>;

// A bar of panels at the bottom of a form (the last panel takes the rest of
// the width), or one simple panel showing SimpleText while SimplePanel is on.
// SizeGrip shows the sizing grip in the bottom-right corner. Owner-drawn
// panels are drawn by OnDrawPanel on Canvas().
class TCustomStatusBar : public TWinControl {
    UI_CLASS(TCustomStatusBar)
public:
    explicit TCustomStatusBar(TComponent* owner);
    ~TCustomStatusBar() override;
    TStatusPanels* Panels() const { return panels_.get(); }
    void SetPanels(TStatusPanels* panels);
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool on);
    std::wstring SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::wstring& text);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool on);
    TCanvas* Canvas() { return ControlCanvas(); }
    // The rectangle of panel index in the window, from the window itself.
    bool PanelRect(int index, RECT& rect);

    TDrawPanelEvent OnDrawPanel;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;

private:
    void UpdatePanels();
    std::unique_ptr<TStatusPanels> panels_;
    bool simplePanel_ = false;
    std::wstring simpleText_;
    bool sizeGrip_ = true;
};

class TStatusBar : public TCustomStatusBar {
    UI_CLASS(TStatusBar)
public:
    using TCustomStatusBar::TCustomStatusBar;
};

// ---- progress bar and track bar

enum class TProgressBarOrientation { pbHorizontal, pbVertical };

// Shows Position within Min..Max as a filled part, growing right (or up).
class TProgressBar : public TWinControl {
    UI_CLASS(TProgressBar)
public:
    explicit TProgressBar(TComponent* owner);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    // Always within Min..Max.
    int Position() const { return position_; }
    void SetPosition(int value);
    int Step() const { return step_; }
    void SetStep(int value) { step_ = value; }
    TProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TProgressBarOrientation orientation);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool on);
    void StepIt() { SetPosition(position_ + step_); }
    void StepBy(int delta) { SetPosition(position_ + delta); }

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Loaded() override;

private:
    void SendRange();
    int min_ = 0, max_ = 100, position_ = 0, step_ = 10;
    TProgressBarOrientation orientation_ = TProgressBarOrientation::pbHorizontal;
    bool smooth_ = false;
};

enum class TTrackBarOrientation { trHorizontal, trVertical };
enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum class TTickStyle { tsNone, tsAuto, tsManual };

// A thumb moved along a channel by mouse or keys; Position within Min..Max.
// OnChange runs whenever the user or the program moves it.
class TTrackBar : public TWinControl {
    UI_CLASS(TTrackBar)
public:
    explicit TTrackBar(TComponent* owner);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    int Frequency() const { return frequency_; }
    void SetFrequency(int value);
    int LineSize() const { return lineSize_; }
    void SetLineSize(int value);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation orientation);
    TTickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TTickMark marks);
    TTickStyle TickStyle() const { return tickStyle_; }
    void SetTickStyle(TTickStyle style);

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;
    void Loaded() override;

private:
    void ApplyRange();
    void MoveTo(int value);
    int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1, lineSize_ = 1, pageSize_ = 2;
    TTrackBarOrientation orientation_ = TTrackBarOrientation::trHorizontal;
    TTickMark tickMarks_ = TTickMark::tmBottomRight;
    TTickStyle tickStyle_ = TTickStyle::tsAuto;
};

enum class TUDOrientation { udVertical, udHorizontal };

// Two arrows that step Position by Increment within Min..Max (round with
// Wrap). With an Associate (an edit), the arrows sit at its right side and
// its text shows the position. OnChange runs on every step.
class TUpDown : public TWinControl {
    UI_CLASS(TUpDown)
public:
    explicit TUpDown(TComponent* owner);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int value);
    bool Wrap() const { return wrap_; }
    void SetWrap(bool on);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation orientation);
    // The windowed control the arrows serve (a reference).
    TWinControl* Associate() const { return associate_; }
    void SetAssociate(TWinControl* control);
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;
    void Loaded() override;

private:
    void ApplyRange();
    int min_ = 0, max_ = 100, position_ = 0, increment_ = 1;
    bool wrap_ = false;
    TUDOrientation orientation_ = TUDOrientation::udVertical;
    TWinControl* associate_ = nullptr;
};

// ---- header control

class THeaderSection : public TCollectionItem {
    UI_CLASS(THeaderSection)
public:
    using TCollectionItem::TCollectionItem;
    std::wstring Text() const { return text_; }
    void SetText(const std::wstring& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    // Set by the header when the user drags the section's edge.
    void TakeWidth(int width) { width_ = width; }

private:
    std::wstring text_;
    int width_ = 50;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    int imageIndex_ = -1;
};

using THeaderSections = TOwnedCollection<THeaderSection>;
class THeaderControl;
using TSectionNotifyEvent = TEvent<void(THeaderControl* HeaderControl, THeaderSection* Section)>;

// Column captions side by side; the user clicks a section or drags its right
// edge to resize it.
class THeaderControl : public TWinControl {
    UI_CLASS(THeaderControl)
public:
    explicit THeaderControl(TComponent* owner);
    ~THeaderControl() override;
    THeaderSections* Sections() const { return sections_.get(); }
    void SetSections(THeaderSections* sections);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    void Notification(TComponent* component, TOperation operation) override;

    TSectionNotifyEvent OnSectionClick;
    TSectionNotifyEvent OnSectionResize;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;

private:
    void UpdateSections();
    void Notify(const NMHEADERW& header);
    std::unique_ptr<THeaderSections> sections_;
    TImageList* images_ = nullptr;
};

// ---- tool bar

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolBar;

// One button of a tool bar (its parent), drawn and operated by the bar's
// window. A check button stays Down until clicked again; check buttons with
// Grouped set between separators form a group of which one is down. A
// drop-down button opens DropdownMenu from its arrow.
class TToolButton : public TControl {
    UI_CLASS(TToolButton)
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle style);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool Down() const { return down_; }
    void SetDown(bool down);
    bool Grouped() const { return grouped_; }
    void SetGrouped(bool on);
    TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* menu);
    TMenuItem* MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem* item);
    void Notification(TComponent* component, TOperation operation) override;
    void SetParent(TWinControl* parent) override;
    // A click as if the user had clicked the button.
    void Click() override;

protected:
    void Dispatch(TMessage& m) override;

private:
    friend class TToolBar;
    TToolBar* Bar() const;
    void BarChanged();
    TToolButtonStyle style_ = TToolButtonStyle::tbsButton;
    int imageIndex_ = -1;
    bool down_ = false;
    bool grouped_ = false;
    TPopupMenu* dropdownMenu_ = nullptr;
    TMenuItem* menuItem_ = nullptr;
};

// The states a tool-bar button is drawn in (a set: bit n for member n).
enum TCustomDrawStateBit { cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot,
                           cdsMarked, cdsIndeterminate };
using TCustomDrawState = unsigned;
using TToolBarCustomDrawEvent = TEvent<void(TToolBar* Sender, const RECT& ARect, bool& DefaultDraw)>;
using TToolBarCustomDrawButtonEvent =
    TEvent<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw)>;

// A bar of tool buttons (its child controls, in order). OnCustomDraw may
// paint the bar's background on Canvas() before the buttons, and
// OnCustomDrawButton each button's face; leaving DefaultDraw set lets the bar
// draw the rest (images and captions, and without a handler the face).
class TToolBar : public TWinControl, private TDropDownRow {
    UI_CLASS(TToolBar)
public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;
    bool Flat() const { return flat_; }
    void SetFlat(bool on);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool on);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int width);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int height);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    // A main menu shown on the bar: one button per top-level item, made by
    // the bar and owned by it, whose press drops that item's sub-items.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // Opens the drop-down of a button showing a menu item (the item alone
    // is clicked when it has no sub-items); the pointer or the arrow keys
    // may move on to the neighbouring buttons' drop-downs meanwhile.
    void TrackMenu(TToolButton* button);
    void Notification(TComponent* component, TOperation operation) override;
    TCanvas* Canvas() { return ControlCanvas(); }
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TToolButton* Buttons(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

    TToolBarCustomDrawEvent OnCustomDraw;
    TToolBarCustomDrawButtonEvent OnCustomDrawButton;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& m) override;
    void Dispatch(TMessage& m) override;
    void Loaded() override;

private:
    friend class TToolButton;
    // Gives the window the buttons as they are now.
    void RebuildButtons();
    // The buttons' bounds follow where the window placed them.
    void PlaceButtons();
    TToolButton* ButtonOfCommand(WPARAM id) const;
    // The command of the button in the window; 0 when it has none.
    WPARAM CommandOf(const TToolButton& button) const;
    LRESULT CustomDraw(NMTBCUSTOMDRAW& draw);
    void DropDown(const NMTOOLBARW& notify);
    void ButtonClicked(TToolButton& button);
    // The buttons for Menu's top-level items, made again.
    void MakeMenuButtons();
    void FreeMenuButtons();
    // The place of the enabled button under a client point; -1 over none,
    // a separator, a disabled button or a disabled bar.
    int ButtonIndexAt(POINT client);
    // Drops the sub-items of the button's item below it, the button pressed
    // meanwhile; the command chosen. The bar may be gone when it returns.
    UINT DropMenu(TToolButton& button);
    // The buttons as a row of drop-downs (their menu items'), by place.
    int DropDownCount() const override;
    int DropDownButtonAt(POINT screen) override;
    bool OpensDropDown(int index) const override;
    HMENU DropDownMenu(int index) const override;
    bool DropDownRowRightToLeft() const override;
    std::vector<TToolButton*> buttons_;  // as the window has them; command = index + 1
    bool flat_ = true;
    bool showCaptions_ = false;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    TImageList* images_ = nullptr;
    TMainMenu* menu_ = nullptr;
    std::vector<TToolButton*> menuButtons_;  // made for menu_, owned by the bar
};

// ---- cool bar

class TCoolBand : public TCollectionItem {
    UI_CLASS(TCoolBand)
public:
    using TCollectionItem::TCollectionItem;
    // The windowed control the band holds (a reference; the cool bar drops
    // it when the control goes).
    TWinControl* Control() const { return control_; }
    void SetControl(TWinControl* control);
    std::wstring Text() const { return text_; }
    void SetText(const std::wstring& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int height);
    // Starts a new row.
    bool Break() const { return break_; }
    void SetBreak(bool on);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

private:
    friend class TCoolBar;
    TWinControl* control_ = nullptr;
    std::wstring text_;
    int width_ = 100;
    int minHeight_ = 25;
    bool break_ = true;
    TColor color_ = clBtnFace;
};

using TCoolBands = TOwnedCollection<TCoolBand>;

// Rows of bands, each holding a control (usually a tool bar) that the user
// may move and size by its gripper.
class TCoolBar : public TWinControl {
    UI_CLASS(TCoolBar)
public:
    explicit TCoolBar(TComponent* owner);
    ~TCoolBar() override;
    TCoolBands* Bands() const { return bands_.get(); }
    void SetBands(TCoolBands* bands);
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Loaded() override;

private:
    void UpdateBands();
    std::unique_ptr<TCoolBands> bands_;
};

// Sets or clears a style bit of a control's window, when it exists, and
// repaints it.
void ApplyStyle(TWinControl& control, DWORD bit, bool on);

// Registers the common-control window classes of the given ICC_ kinds once.
void InitCommonControlClasses(DWORD kinds);

} // namespace ui
