// The drawing primitives every skin painter composes its pictures from:
// the face of one state of a skin element at any size (nine-slice, middle
// stretched or tiled), drawing with magenta 0xFF00FF as the transparent key,
// painting a parent's picture under a control, text that may be wide, and
// the optional platform entry points the engine uses only where present.
//
// Nine-slice drawing (BuildElementBitmap) knows nothing about where a
// picture came from; it takes a bitmap and margins. Faces are composed
// off-screen at the target size and copied to the target in one step.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "skin/draw/SkinObjects.h"
#include "ui/graphics/Graphics.h"

namespace ui {
class TControl;
}

namespace skin {

// ---- Process-wide switches ----

// True on the NT family: window text is drawn with the wide calls; otherwise
// through the ANSI calls after conversion. Set when the program starts.
extern bool WideApis;
// The code page of every ANSI/wide conversion of the skin engine (0: the
// system ANSI code page).
extern UINT ConversionCodePage;

// ---- Optional platform entry points ----

// The user32 entry points the engine uses only when the running system has
// them, looked up by name on first use; absent ones stay nullptr. Tests may
// clear one to see the engine do without it.
struct TOptionalEntryPoints {
    BOOL(WINAPI* GetScrollBarInfo)(HWND, LONG, PSCROLLBARINFO) = nullptr;
    BOOL(WINAPI* TrackMouseEvent)(LPTRACKMOUSEEVENT) = nullptr;
    BOOL(WINAPI* GetComboBoxInfo)(HWND, PCOMBOBOXINFO) = nullptr;
};
TOptionalEntryPoints& OptionalEntryPoints();

// GetScrollBarInfo when present; false when it is absent (scroll bars are
// then not skinned). Sets info's cbSize itself.
bool OptionalGetScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info);
// GetComboBoxInfo when present; false when it is absent. Sets cbSize itself.
bool OptionalGetComboBoxInfo(HWND window, COMBOBOXINFO& info);
// Asks for a WM_MOUSELEAVE when the mouse leaves `window`; nothing when
// TrackMouseEvent is absent.
void TrackMouseLeave(HWND window);

// ---- Element faces ----

// The face of frame `frameIndex` (from 1) of `image` at the size of `rect`.
// The frames lie side by side, or stacked top to bottom when `vertical`.
// Corners keep their size, edges are stretched along their length, the
// middle is stretched or, with `tile`, repeated from its top-left corner;
// the right and bottom pieces are drawn last, so they stay intact over the
// last tiles. Every piece is scaled by StretchPiece: a face smaller than
// its picture keeps its margins whole and averages its middle. A target
// narrower than LeftWidth + RightWidth gets no left and right pieces (the
// whole frame width is scaled); likewise for the height.
// A frameCount below 1 is taken as 1 and frameIndex is kept within
// 1..frameCount. An empty image or rect gives a black face of rect's size.
std::unique_ptr<ui::TBitmap> BuildElementBitmap(const RECT& rect, ui::TBitmap& image, const TElementMargins& edges,
                                                bool vertical, bool tile, int frameCount, int frameIndex);

// Copies the `source` piece of `image` onto the `dest` piece of `target` at
// dest's size: enlarged or copied as StretchBlt does (the nearest pixel, so
// the key colour stays exact), and, where dest is narrower or lower than
// the source, shrunk by averaging (ScalePiece): no row or column of a glyph
// is dropped.
void StretchPiece(ui::TBitmap& target, const RECT& dest, ui::TBitmap& image, const RECT& source);

// Draws the `source` piece of `image` again and again onto `dc` from
// dest's top-left corner until dest is covered; the last tiles are not cut
// at dest's right and bottom sides. Nothing for a source of no area.
void TileBitmap(HDC dc, const RECT& dest, ui::TBitmap& image, const RECT& source);

// Draws frame `frameIndex` of the element's image over `rect` with the
// element's margins and Tile flag, keyed with magenta when its Trans is
// non-zero. Nothing for an inverted rect or an element without image.
void DrawElement(HDC dc, const RECT& rect, int frameCount, int frameIndex, TDataSkinObject& element);

// The same for a picture of the element's kind that is not the element's
// own (a copy turned to a side, say), with the edges, tiling and keying given.
void DrawElementFrame(HDC dc, const RECT& rect, ui::TBitmap& image, const TElementMargins& edges, bool tile,
                      bool transparent, int frameCount, int frameIndex);

// Scales frame `frameIndex` of a horizontal strip over `rect` (StretchPiece),
// keyed with magenta when `transparent`, else copied. Nothing for an
// inverted rect.
void DrawFrameStretched(HDC dc, const RECT& rect, ui::TBitmap& image, int frameCount, int frameIndex,
                        bool transparent);

// Draws frame `frameIndex` of a horizontal strip unscaled, centred in
// `rect`, keyed with magenta when `transparent`. Nothing for an inverted rect.
void DrawFrameCentred(HDC dc, const RECT& rect, ui::TBitmap& image, bool transparent, int frameCount,
                      int frameIndex);

// Draws `bitmap` unscaled from its top-left corner at rect's top-left corner
// over rect's width and height, leaving the target unchanged where the
// bitmap holds exactly `keyColour`. Nothing for an inverted rect.
void TransparentBlit(HDC dc, const RECT& rect, ui::TBitmap& bitmap, ui::TColor keyColour);

// A keyed picture made ready for drawing again and again: the picture with
// its key colour turned black and a mask that is white there and black
// elsewhere, so that a draw is two plain copies (the mask ANDed, the picture
// ORed) instead of a mask made for every draw.
class TKeyedPicture {
public:
    // Takes `picture` (its pixels of exactly `keyColour` are left out).
    void Take(ui::TBitmap& picture, ui::TColor keyColour);
    // Draws it unscaled with its top-left corner at (x, y).
    void Draw(HDC dc, int x, int y);
    bool Empty() const { return picture_.Empty(); }
    void Clear();

private:
    ui::TBitmap picture_, mask_;
};

// Has the control's parent paint itself (WM_ERASEBKGND, then WM_PAINT, both
// with `dc` as wParam) under the control: the viewport is moved so the
// parent paints at its own coordinates and the output is clipped to the
// control's area. The dc's state is restored afterwards. Nothing without a
// parent.
void PaintParentBackground(ui::TControl& control, HDC dc);

// ---- Text ----

// ANSI bytes in ConversionCodePage to wide text.
std::wstring AnsiToWide(std::string_view text);
// Draws `text` with DrawTextW when WideApis, else converted to ANSI with
// DrawTextA; returns the call's result (the text's height).
int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT flags);

} // namespace skin
