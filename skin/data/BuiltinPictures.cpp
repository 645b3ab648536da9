#include "skin/data/BuiltinPictures.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace skin {

namespace {

void PutPixel(ui::TBitmap& bitmap, int x, int y, COLORREF rgb)
{
    std::uint8_t* p = bitmap.ScanLine(y) + x * bitmap.BytesPerPixel();
    p[0] = GetBValue(rgb);
    p[1] = GetGValue(rgb);
    p[2] = GetRValue(rgb);
}

// The glyphs as pixel art, '#' black, anything else white; 16 rows of 16.
using TGlyphArt = std::array<std::string_view, 16>;

constexpr TGlyphArt RestoreArt = {
    "................", "................", "................", ".....########...",
    ".....########...", ".....#......#...", "...########..#..", "...########..#..",
    "...#......#..#..", "...#......#..#..", "...#......####..", "...#......#.....",
    "...#......#.....", "...########.....", "................", "................",
};
constexpr TGlyphArt MaximizeArt = {
    "................", "................", "................", "...##########...",
    "...##########...", "...#........#...", "...#........#...", "...#........#...",
    "...#........#...", "...#........#...", "...#........#...", "...#........#...",
    "...##########...", "................", "................", "................",
};
constexpr TGlyphArt MinimizeArt = {
    "................", "................", "................", "................",
    "................", "................", "................", "................",
    "................", "................", "................", "....#######.....",
    "....#######.....", "................", "................", "................",
};
constexpr TGlyphArt CloseArt = {
    "................", "................", "................", "................",
    "....##....##....", ".....##..##.....", "......####......", ".......##.......",
    "......####......", ".....##..##.....", "....##....##....", "................",
    "................", "................", "................", "................",
};
constexpr std::array<const TGlyphArt*, MenuGlyphCount> GlyphArts = {&RestoreArt, &MaximizeArt, &MinimizeArt,
                                                                     &CloseArt};

constexpr int GlyphSize = 16;

} // namespace

std::unique_ptr<ui::TBitmap> MakeTrackPicture(bool vertical)
{
    // Neutral greys, light enough to sit in any skin's colours.
    constexpr COLORREF Shadow = RGB(160, 160, 160), Dark = RGB(120, 120, 120), Light = RGB(227, 227, 227),
                       Highlight = RGB(255, 255, 255), Groove = RGB(240, 240, 240);
    const int width = vertical ? 8 : 16;
    const int height = vertical ? 16 : 8;
    auto picture = std::make_unique<ui::TBitmap>(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            // Distance to the nearer of the top and left sides and of the
            // bottom and right sides picks the ring of the bevel.
            const int topLeft = std::min(x, y);
            const int bottomRight = std::min(width - 1 - x, height - 1 - y);
            COLORREF c = Groove;
            if (bottomRight == 0)
                c = Highlight;
            else if (topLeft == 0)
                c = Shadow;
            else if (bottomRight == 1)
                c = Light;
            else if (topLeft == 1)
                c = Dark;
            PutPixel(*picture, x, y, c);
        }
    return picture;
}

std::unique_ptr<ui::TBitmap> MakeMenuGlyphStrip()
{
    auto strip = std::make_unique<ui::TBitmap>(GlyphSize * MenuGlyphCount, GlyphSize);
    for (int glyph = 0; glyph < MenuGlyphCount; ++glyph)
        for (int y = 0; y < GlyphSize; ++y)
            for (int x = 0; x < GlyphSize; ++x)
                PutPixel(*strip, glyph * GlyphSize + x, y,
                         (*GlyphArts[glyph])[y][x] == '#' ? RGB(0, 0, 0) : RGB(255, 255, 255));
    return strip;
}

TMenuGlyphs::TMenuGlyphs() : TImageList(nullptr)
{
    SetWidth(GlyphSize);
    SetHeight(GlyphSize);
    AddMasked(*MakeMenuGlyphStrip(), ui::clWhite);
}

void TMenuGlyphs::Draw(HDC dc, int index, int x, int y) const
{
    ImageList_Draw(Handle(), index, dc, x, y, ILD_TRANSPARENT);
}

} // namespace skin
