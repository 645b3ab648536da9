// Pictures the skin engine carries itself, drawn in code: the track-bar
// channels used when a skin has none, and the glyphs of the skinned menus.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "ui/Graphics.h"

namespace skin {

// A sunken channel, 16 x 8 pixels ("TRACK") or 8 x 16 ("TRACKVERT"), with a
// 3-pixel border on every side so that it stretches to any length.
std::unique_ptr<ui::TBitmap> MakeTrackPicture(bool vertical);

// The menu glyphs side by side, 16 x 16 each, black on white (white is
// their transparent colour), in the order of TMenuGlyph.
enum TMenuGlyph { mgRestore, mgMaximize, mgMinimize, mgClose, MenuGlyphCount };
std::unique_ptr<ui::TBitmap> MakeMenuGlyphStrip();

// The menu glyphs as a platform image list (masked, white transparent), as
// the skinned system and popup menus draw them.
class TMenuGlyphs {
public:
    TMenuGlyphs();
    ~TMenuGlyphs();
    TMenuGlyphs(const TMenuGlyphs&) = delete;
    TMenuGlyphs& operator=(const TMenuGlyphs&) = delete;

    HIMAGELIST Handle() const { return list_; }
    int Count() const;
    // Draws glyph `index` with its top-left corner at (x, y), white left out.
    void Draw(HDC dc, int index, int x, int y) const;

private:
    HIMAGELIST list_ = nullptr;
};

} // namespace skin
