// Pictures the skin engine carries itself, drawn in code: the track-bar
// channels used when a skin has none, and the glyphs of the skinned menus.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "ui/graphics/Graphics.h"
#include "ui/graphics/ImgList.h"

namespace skin {

// A sunken channel, 16 x 8 pixels ("TRACK") or 8 x 16 ("TRACKVERT"), with a
// 3-pixel border on every side so that it stretches to any length.
std::unique_ptr<ui::TBitmap> MakeTrackPicture(bool vertical);

// The menu glyphs side by side, 16 x 16 each, black on white (white is
// their transparent colour), in the order of TMenuGlyph.
enum TMenuGlyph { mgRestore, mgMaximize, mgMinimize, mgClose, MenuGlyphCount };
std::unique_ptr<ui::TBitmap> MakeMenuGlyphStrip();

// The menu glyphs as an image list (masked, white transparent), as the
// skinned system and popup menus draw them and give them to their items.
class TMenuGlyphs : public ui::TImageList {
public:
    TMenuGlyphs();
    // Draws glyph `index` with its top-left corner at (x, y), white left out.
    void Draw(HDC dc, int index, int x, int y) const;
};

} // namespace skin
