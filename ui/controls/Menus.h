// Menus: items with captions, shortcut keys and states, arranged in trees;
// main menus (a form's menu bar) and popup menus, each built into a platform
// menu that follows every change of its items.
//
// Every item has a command identifier unique in the process, so that the
// WM_COMMAND, WM_MEASUREITEM and WM_DRAWITEM messages of any framework
// window reach the item they are about (DispatchMenuMessage).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/controls/Controls.h"

namespace ui {

class TMenu;
class TImageList;

// A key with its shift state as one number: the virtual key in the low byte,
// scShift, scCtrl and scAlt above it; 0 for none. Form files store the number.
using TShortCut = int;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(WORD key, TShortCut shift);
// "Ctrl+S", "Shift+F5", "Ctrl+Alt+Del", as menus show them; empty for 0.
std::wstring ShortCutToText(TShortCut shortCut);
// The shortcut of a key-down message with the keys now held down.
TShortCut ShortCutOfKey(WPARAM key);

using TMenuMeasureItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected)>;

// One menu item. Its sub-items form the drop-down it opens and are freed
// with it. In form files items nest in their menu and in each other.
class TMenuItem : public TComponent {
    UI_CLASS(TMenuItem)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    // The text; '&' marks the accelerator letter, "-" makes a separator.
    std::wstring Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    bool IsLine() const { return caption_ == L"-"; }
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    bool Visible() const { return visible_; }
    void SetVisible(bool on);
    // Checking a radio item unchecks the other radio items of its group
    // (same GroupIndex, same parent).
    bool Checked() const { return checked_; }
    void SetChecked(bool on);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool on);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    // The default item of its drop-down (shown bold); setting one clears
    // the others.
    bool Default() const { return default_; }
    void SetDefault(bool on);
    // The picture of the item in its menu's Images; -1 for none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    std::wstring Hint() const { return hint_; }
    void SetHint(const std::wstring& hint) { hint_ = hint; }

    // The identifier WM_COMMAND carries for the item.
    UINT Command() const { return command_; }
    // The platform menu of the sub-items, made when first asked for.
    HMENU Handle();

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(index); }
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    void Add(TMenuItem* item) { Insert(Count(), item); }
    void Insert(int index, TMenuItem* item);
    // Takes the item out of the sub-items without freeing it.
    void Remove(TMenuItem* item);
    // Frees every sub-item.
    void Clear();
    // The menu the item belongs to, or null.
    TMenu* GetParentMenu() const;

    // Runs OnClick.
    virtual void Click();
    // The size of an owner-drawn item: measured from its text and picture,
    // then OnMeasureItem may change it.
    virtual void MeasureItem(TCanvas* canvas, int& width, int& height);
    // Paints an owner-drawn item: OnDrawItem when assigned, else the plain
    // look of a menu item.
    virtual void DrawItem(TCanvas* canvas, const RECT& rect, bool selected);

    void SetParentComponent(TComponent* parent) override;

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

private:
    friend class TMenu;
    friend class TMainMenu;
    // The platform menu entry of a sub-item, put at position.
    void InsertEntry(HMENU menu, UINT position);
    // Rebuilds the entries of the handle from the sub-items.
    void RebuildHandle();
    // Something of the item changed: its parent's entries (and, when the
    // sub-items changed, its own) are rebuilt and its menu is told.
    void Changed(bool subItems);
    void DrawPlain(TCanvas* canvas, const RECT& rect, bool selected);
    // A property setter: stores value and shows the change when it differs.
    template <class T>
    void Update(T& field, const T& value);
    std::wstring EntryText() const;
    TImageList* Images() const;

    std::wstring caption_;
    TShortCut shortCut_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    bool default_ = false;
    int imageIndex_ = -1;
    std::wstring hint_;
    UINT command_;
    HMENU handle_ = nullptr;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on a menu's root item only
};

// A tree of items under an invisible root item, built into a platform menu.
class TMenu : public TComponent {
    UI_CLASS(TMenu)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The root item: its sub-items are the menu's items.
    TMenuItem* Items() const { return items_.get(); }
    HMENU Handle() { return items_->Handle(); }
    // Items drawn by the program (WM_MEASUREITEM / WM_DRAWITEM) instead of
    // the platform.
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool on);
    // The pictures of the items (their ImageIndex); a reference.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    TBiDiMode BiDiMode() const { return bidi_; }
    void SetBiDiMode(TBiDiMode mode);
    // Whether the menu reads right to left: its own BiDiMode, or the mode of
    // the form that owns it while ParentBiDiMode is on. Painters of the menu
    // (the skin engine) lay it out from the right; the platform's entries
    // stay as they are, since Wine draws right-ordered entries empty.
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool on);
    bool IsRightToLeft() const;

    enum class TFindKind { fkCommand, fkHandle, fkShortCut };
    // The item with that command, drop-down handle or shortcut (visible and
    // enabled, with its parents), or null.
    TMenuItem* FindItem(UINT_PTR value, TFindKind kind) const;
    // Runs the item with that shortcut; false when there is none.
    bool IsShortCut(TShortCut shortCut) const;

    void Notification(TComponent* component, TOperation operation) override;

protected:
    // Called after the items or their states changed.
    virtual void MenuChanged() {}
    // A main menu makes a menu bar, a popup menu a drop-down.
    virtual HMENU NewHandle() const = 0;

private:
    friend class TMenuItem;
    void RebuildAll();

    std::unique_ptr<TMenuItem> items_;
    bool ownerDraw_ = false;
    TImageList* images_ = nullptr;
    TBiDiMode bidi_ = TBiDiMode::bdLeftToRight;
    bool parentBiDiMode_ = true;
};

// A form's menu bar (the form's Menu). A change of its items is shown at
// once and the form gets CM_MENUCHANGED.
class TMainMenu : public TMenu {
    UI_CLASS(TMainMenu)
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;
    // The window the menu bar is shown in, set by the form.
    TWinControl* Window() const { return window_; }
    void SetWindow(TWinControl* window);
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void MenuChanged() override;
    HMENU NewHandle() const override { return CreateMenu(); }

private:
    // Takes the bar out of the window, which would destroy it with itself.
    void LeaveWindow();

    TWinControl* window_ = nullptr;
};

enum class TPopupAlignment { paLeft, paRight, paCenter };

// A menu opened at a point: by code (Popup), or by a right click or the
// context-menu key on a control whose PopupMenu it is.
class TPopupMenu : public TMenu {
    UI_CLASS(TPopupMenu)
public:
    explicit TPopupMenu(TComponent* owner);

    // Opens the menu with its top-left (right, centre) corner at the screen
    // point and returns once it closes; the chosen item's OnClick runs
    // before that.
    virtual void Popup(int x, int y);
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment alignment) { alignment_ = alignment; }
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool on) { autoPopup_ = on; }
    // The control the menu was last opened for, and where.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* component) { popupComponent_ = component; }
    POINT PopupPoint() const { return popupPoint_; }

    TNotifyEvent OnPopup;

protected:
    HMENU NewHandle() const override { return CreatePopupMenu(); }

private:
    // The framework window that receives the menu's messages while it is open.
    HWND OwnerWindow() const;

    TPopupAlignment alignment_ = TPopupAlignment::paLeft;
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
    POINT popupPoint_{};
};

// The item with that command identifier anywhere in the process, or null.
TMenuItem* FindMenuItem(UINT command);

// Handles a menu's WM_COMMAND (lParam 0, high word of wParam 0),
// WM_MEASUREITEM or WM_DRAWITEM (ODT_MENU) for a framework item; false for
// anything else. Forms call it for the menus they show.
bool DispatchMenuMessage(TMessage& m);

// Registers the menu classes with the form reader.
void RegisterMenuClasses();

} // namespace ui
