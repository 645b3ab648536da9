"""Painters every skin picture family uses: rounded corners, bordered
boxes with a gradient face, embossed glyphs, and strips of frames.

They take their sizes and colours as arguments and know no skin's palette.
"""

from pixels import KEY, mix, side_by_side


# Rounded corners as seen at the top-left: K is cut out (key colour), b is
# border, i blends border and face so that the curve reads smooth.
CORNER_ART = {
    0: [],
    1: ["K", ".i"],
    2: ["KK", "Kb"],
    3: ["KKb", "Kbi", "bi"],
}


def round_corners(pic, x0, y0, x1, y1, radius, border, which="tl tr bl br", outside=KEY):
    for corner in which.split():
        for dy, line in enumerate(CORNER_ART[radius]):
            for dx, ch in enumerate(line):
                x = x1 - 1 - dx if corner[1] == "r" else x0 + dx
                y = y1 - 1 - dy if corner[0] == "b" else y0 + dy
                if ch == "K":
                    pic.set(x, y, outside)
                elif ch == "b":
                    pic.set(x, y, border)
                elif ch == "i":
                    pic.set(x, y, mix(pic.get(x, y), border, 0.5))


def box(pic, x0, y0, x1, y1, border, face, radius=2, across=False, corners="tl tr bl br",
        shine=None, ring=None, open_side=None):
    """A bordered, rounded face on [x0, x1) x [y0, y1).

    face: gradient stops, top to bottom (left to right when `across`);
    shine: colour of a one-pixel line under the top border;
    ring: colour of a one-pixel ring inside the border (focus look);
    open_side: 'bottom' leaves the bottom border off (tabs)."""
    if across:
        pic.hgradient(x0, y0, x1, y1, face)
    else:
        pic.vgradient(x0, y0, x1, y1, face)
    if ring:
        pic.frame(x0 + 1, y0 + 1, x1 - 1, y1 - 1, ring)
    if shine:
        pic.fill(x0 + 1, y0 + 1, x1 - 1, y0 + 2, shine)
    bottom = y1 + 1 if open_side == "bottom" else y1
    pic.frame(x0, y0, x1, bottom, border)
    round_corners(pic, x0, y0, x1, y1, radius, border, corners)


def embossed(pic, x, y, art, ink, shadow=None):
    """Glyph from text art ('#'), with an optional one-pixel light shadow
    below and to the right that keeps it crisp on a gradient."""
    if shadow:
        pic.glyph(x + 1, y + 1, art, {"#": shadow})
    pic.glyph(x, y, art, {"#": ink})


def per_frame(pic, count, change):
    """Apply a picture change to each of the strip's frames in place."""
    w = pic.width // count
    return side_by_side([change(pic.crop(i * w, 0, (i + 1) * w, pic.height)) for i in range(count)])


def frames(count, painter):
    """Side-by-side strip of `count` frames; painter(i) draws frame i+1."""
    return side_by_side([painter(i) for i in range(count)])


# Frame order of button strips, and of the four-frame strips of arrows,
# drop buttons and up-down faces.
BUTTON_STATES = ["normal", "pressed", "disabled", "hot", "focused"]
SCROLL_STATES = ["normal", "pressed", "disabled", "hot"]
