// ImgUtil: stateless operations that prepare skin pictures: mirroring,
// flipping and rotating bitmaps, replacing the key colour, greying, blending
// colours (system colours resolved), a saturation measure, and gradient
// fills drawn from a process-wide cache of gradient tables.
//
// The pixel operations work row by row on scan lines of 24-bit bitmaps;
// those that do not say otherwise convert a 32-bit bitmap to 24 bits first.
// Pictures are shrunk by averaging (ScalePiece), never by dropping rows.
#pragma once

#include <windows.h>

#include "skin/draw/ColourMath.h"
#include "ui/graphics/Graphics.h"

namespace skin {

// Every pixel becomes (R + G + B) / 3 in all three channels; 24-bit result.
void Greyscale(ui::TBitmap& bitmap);
// Every pixel of exactly red 255, green 0, blue 255 becomes `colour` (a
// system colour is resolved first); 24-bit result.
void ReplaceKeyColour(ui::TBitmap& bitmap, ui::TColor colour);
// Left-right mirror: pixel x of each row becomes pixel width - 1 - x.
void MirrorHorizontal(ui::TBitmap& bitmap);
// Top-bottom flip: row y becomes row height - 1 - y.
void FlipVertical(ui::TBitmap& bitmap);
// A quarter turn counter-clockwise: width and height swap, the old pixel
// (x, y) goes to (y, old width - 1 - x).
void RotateLeft(ui::TBitmap& bitmap);
// A quarter turn clockwise: width and height swap, the old pixel (x, y) goes
// to (old height - 1 - y, x).
void RotateRight(ui::TBitmap& bitmap);

// Copies the `from` piece of `source` into the `to` piece of `target` at
// to's size. Along an axis where `to` is shorter, each target pixel is the
// average of the source pixels it covers, each weighted by how much of it
// it covers (a box filter), so every source row and column shows in the
// result; along an axis where it is as long or longer, each target pixel
// takes the nearest source pixel, as a stretch does. Pixels of the key
// colour (red 255, green 0, blue 255) take no part in an average: a target
// pixel is the key only where the key covers more than three quarters of
// it, so a thin line drawn on a keyed ground is kept. Nothing when either
// piece is empty or not inside its bitmap.
void ScalePiece(const ui::TBitmap& source, const RECT& from, ui::TBitmap& target, const RECT& to);

// The icon drawn at cx x cy as a picture keyed on fuchsia (red 255, green
// 0, blue 255), resized to that. A pixel at least half opaque keeps the
// icon's own colour, unblended; the others become the key. An icon's
// half-transparent edge drawn straight onto the key colour would leave a
// pink fringe wherever the picture is later blitted without its key.
void DrawKeyedIcon(HICON icon, int cx, int cy, ui::TBitmap& into);

// MixRgb (skin/draw/ColourMath.h) of the two colours, system colours resolved.
ui::TColor MixColours(ui::TColor colour1, ui::TColor colour2, int weight);
// RgbSaturation of the colour, a system colour resolved first.
int Saturation(ui::TColor colour);

// Fills `rect` on `dc` with a gradient: colour1 at the top edge (vertical)
// or left edge, colour2 at the bottom or right edge, one line per pixel.
// Lines outside the device's clip box are skipped but keep their colours'
// positions; nothing is drawn when the rectangle is not visible or empty.
void GradientFill(HDC dc, const RECT& rect, ui::TColor colour1, bool vertical, ui::TColor colour2);

// The gradient tables GradientFill draws from, kept for the whole program.
TGradientCache& GradientCache();

} // namespace skin
