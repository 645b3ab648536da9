// How the skin draws one menu item: the items of the skinned menu bar's
// drop-downs, of the skinned system menu and of a form's popup menus. Each
// item is composed off-screen over the background of the popup window it
// sits in (or the menu colour), then copied once.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/controls/Menus.h"

namespace skin {

class TSkinData;

// The width the skinned look adds to an item's own measure: the menu item
// picture's left margin and a gap; more room for the glyph column when the
// item's menu has no pictures.
struct TMeasureExtra {
    int Gap;          // always added
    int NoImageList;  // added when the item's menu has no image list
};
inline constexpr TMeasureExtra MenuBarItemExtra{10, 25};
inline constexpr TMeasureExtra PopupItemExtra{12, 23};

// The item's own measure (without its OnMeasureItem) widened for the skin.
void MeasureSkinMenuItem(const TSkinData& data, ui::TMenuItem& item, ui::TCanvas& canvas, int& width, int& height,
                         TMeasureExtra extra);

// The size of an entry that has no framework item (a window-list entry of an
// MDI frame, an item of a bare window's menu), measured from its text.
SIZE MeasureEntryText(const TSkinData& data, HDC dc, const std::wstring& text);

// Draws `item` into rect of canvas. background: the picture of the whole
// popup window the item sits in and the item's offset in it, or null. With
// the skin's MenuItem picture the item takes its normal face (frame 1) or its
// selected face (frame 4); a separator is frame 2. Without that picture the
// item is drawn flat in the skin's menu colours.
struct TItemBackground {
    ui::TBitmap* Picture = nullptr;
    POINT Offset{};  // where the item's rect starts in the picture
};
void DrawSkinMenuItem(const TSkinData& data, ui::TMenuItem& item, ui::TCanvas& canvas, const RECT& rect,
                      bool selected, const TItemBackground& background);

// One entry of a platform menu as it is: type, state, identifier, drop-down
// and its text (up to 79 characters, as the skin shows menu texts).
struct TMenuEntry {
    UINT Type = 0;
    UINT State = 0;
    UINT Command = 0;
    HMENU Submenu = nullptr;
    std::wstring Text;
};
// The entry of the menu by command, or by position; false when there is none.
bool ReadMenuEntry(HMENU menu, UINT item, bool byPosition, TMenuEntry& entry);

// An entry of the menu (by command, or by position) made into a framework
// item for drawing (caption, enabled, checked): for entries that have no
// framework item.
std::unique_ptr<ui::TMenuItem> TemporaryItem(HMENU menu, UINT item, bool byPosition);

} // namespace skin
