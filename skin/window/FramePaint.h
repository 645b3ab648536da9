// The skinned frame of a window: border sizes taken from the skin, the faces
// of the four borders, the title bar with its caption text and the window
// icon, and the window region that cuts the key colour out of the borders.
//
// Everything here is in window coordinates (origin at the window's top-left
// corner). The functions take the skin data and plain values, so they draw
// into bitmaps without a window; the skin form controller's frame members
// (ComputeFrameGeometry, PaintFrame, UpdateRegion, ...) are built on them.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "ui/graphics/Graphics.h"

namespace skin {

// The four borders of the frame. The top border carries the title bar.
enum class TBorderPiece { Left = 1, Right, Top, Bottom };

// The sizes of a skinned frame in pixels: one frame of each border picture.
struct TFrameGeometry {
    int LeftWidth = 0;
    int TitleHeight = 0;
    int RightWidth = 0;
    int BottomHeight = 0;
    friend bool operator==(const TFrameGeometry&, const TFrameGeometry&) = default;
};

// The frame sizes the skin's border pictures give. A frame count below 1 is
// taken as 1; a border without picture has no size.
TFrameGeometry FrameGeometryOf(const TSkinData& data);

// The record of a border piece.
TDataSkinBorder& BorderOf(const TSkinData& data, TBorderPiece piece);

// The frame of a border picture a window shows: 1 while active or when the
// picture has a single frame, else 2 (the inactive look).
int BorderFrame(const TDataSkinBorder& border, bool active);

// The face of a border piece at width x height: the border's frame for the
// active or inactive look, its fixed ends kept and its middle stretched
// (the border's Stretch key is 1) or tiled. The side borders hold their
// frames side by side, the top and bottom borders stacked.
std::unique_ptr<ui::TBitmap> BuildBorderFace(const TSkinData& data, TBorderPiece piece, int width, int height,
                                             bool active);

// What a composed title bar shows besides the skin: the window's size and
// look, its text, the application's icon and what the caption buttons show.
struct TTitleState {
    int Width = 0;
    int Height = 0;
    bool Active = false;
    bool Minimized = false;
    bool RightToLeft = false;
    bool PopupStyle = false;
    std::wstring Text;
    HICON Icon = nullptr;
    std::vector<std::pair<bool, bool>> Buttons;  // visible and enabled, one per caption button
    bool operator==(const TTitleState&) const = default;
};

// What the frame painting of one window keeps between paints: the border
// faces of the last size and look, the window icon scaled to its place, and
// what the title bar composed last shows. A repaint of an unchanged frame
// then only copies pictures.
class TFramePaintCache {
public:
    // Whether the title bar composed last shows `state`, so that it can be
    // copied again as it is.
    bool ShowsTitle(const TTitleState& state) const { return title_ && *title_ == state; }
    // The title bar was composed for `state`.
    void TitleComposed(TTitleState state) { title_ = std::move(state); }
    // The face of a border piece (BuildBorderFace), built again only when
    // the size or the look changed since it was last asked for.
    ui::TBitmap& BorderFace(const TSkinData& data, TBorderPiece piece, int width, int height, bool active);
    // A copy of `icon` scaled to size x size from its best picture; made again
    // only for another icon or size. Null for a null icon.
    HICON ScaledIcon(HICON icon, int size);
    // Forgets everything: the skin changed.
    void Clear();

private:
    struct TFace {
        int Width = -1;
        int Height = -1;
        bool Active = false;
        std::unique_ptr<ui::TBitmap> Picture;
    };
    std::array<TFace, 4> faces_;
    HICON iconSource_ = nullptr;
    int iconSize_ = 0;
    ui::TIcon scaledIcon_;
    std::optional<TTitleState> title_;
};

// ---- Title bar ----

// What the caption text's place depends on besides the skin.
struct TTitleTextLayout {
    bool Active = true;
    bool RightToLeft = false;   // a right-to-left form: text on the right
    bool PopupStyle = false;    // WS_POPUP: the text stops before the right buttons
    bool DialogBorder = false;  // dialogs show no icon: left text moves left by its width
    int IconWidth = GetSystemMetrics(SM_CXSMICON);  // the window icon's width in the title
    int RightReserve = 0;       // room kept for the right-aligned caption buttons shown
    // Room the skin's right-aligned buttons take when all show, the buttons
    // its TextRightClip is made for; 0: the clip is taken as it is.
    int SkinRightReserve = 0;
};

// The caption text as the title bar shows it: one blank before, two after.
std::wstring DecoratedTitle(const std::wstring& windowText);

// Draws `text` in `font` on `dc` inside `title` (a rectangle of the title
// bar), over the skin's text background picture when it has one, placed by
// the skin's alignment and shifts and cut with an ellipsis where it would
// reach the caption buttons: TextRightClip pixels before the title's end
// when the window shows all the skin's right-aligned buttons, and closer to
// it by the room of those it does not show. Returns the rectangle given to the text with
// its background (where caption buttons aligned to the text go).
RECT DrawTitleText(HDC dc, const RECT& title, const std::wstring& text, HFONT font, const TSkinData& data,
                   const TTitleTextLayout& layout);

// The ends of a strip that DrawStripTiled keeps unscaled.
struct TStripEnds {
    int Left = 0;
    int Right = 0;
};

// Draws frame `frame` (from 1) of `image` across `rect` as a one-row strip:
// the left and right ends stretched to rect's height, the middle of the
// frame repeated between them, each copy stretched to the height. The frames
// are stacked or side by side; keyed with magenta when `transparent`.
// Nothing for an inverted rect or an empty image.
void DrawStripTiled(HDC dc, const RECT& rect, ui::TBitmap& image, bool framesStacked, bool transparent,
                    int frameCount, int frame, TStripEnds ends);

// ---- Window region ----

// The allowed difference from the key colour, per channel, upwards.
struct TKeyTolerance {
    int Red = 0;
    int Green = 0;
    int Blue = 0;
};

// The region of the pixels of `bitmap` that are not the key colour (within
// the tolerance), moved by (x, y): one rectangle per run of opaque pixels of
// a row, handed to the system in batches.
ui::TRegionHandle RegionFromBitmap(const ui::TBitmap& bitmap, int x, int y, ui::TColor key,
                                   TKeyTolerance tolerance);

// Whether the skin cuts the key colour out of any border.
bool HasTransparentBorder(const TSkinData& data);

// The region of a width x height window with the skinned frame: the client
// part and each border, the key colour cut out of the borders the skin marks
// transparent, in the active or inactive look. Without any transparent
// border, the whole rectangle.
ui::TRegionHandle BuildFrameRegion(const TSkinData& data, const TFrameGeometry& frame, int width, int height,
                                   bool active);

// ---- Window icon ----

// The icon a window answers to WM_GETICON: the small one, else the big one;
// null when it has none.
HICON WindowIcon(HWND window);

// The small icon of `window` drawn on magenta into a small-icon-sized
// bitmap; all magenta when the window has none.
std::unique_ptr<ui::TBitmap> WindowIconBitmap(HWND window);

// Draws `icon` at size x size at rect's top-left corner; nothing when it is
// null.
void DrawWindowIcon(HDC dc, const RECT& rect, HICON icon, int size);

} // namespace skin
