"""The window frame: the four border pieces, the caption plate behind the
window text, the caption buttons and a maximised MDI child's buttons.
"""

from boxes import box, embossed
from lightblue_palette import (BORDER_BOTTOM, BORDER_SIDE, BUTTON_FACE, CAPTION_LOOKS, CLOSE_DOWN,
                               CLOSE_HOT, CORNER_RADIUS, FRAME_ACTIVE, FRAME_INACTIVE, SIDE_TOP_FIXED,
                               TITLE_BUTTON, TITLE_HEIGHT, TOP_END, WHITE)
from pixels import Picture, mix, ramp, side_by_side, stacked


# ---------------------------------------------------------------------------
# Window frame: one mock window, cut into the four border pieces
# ---------------------------------------------------------------------------

def frame_mock(p):
    """A small whole window frame in palette p; the border pieces are cut
    from it so that they meet without seams."""
    w = BORDER_SIDE * 2 + TOP_END * 2 + 8
    h = SIDE_TOP_FIXED + 8 + BORDER_BOTTOM
    r = CORNER_RADIUS

    def inside(x, y):
        """Outside only in the two rounded top corners."""
        if y + 0.5 >= r:
            return True
        cx = r if x + 0.5 < r else w - r if x + 0.5 > w - r else None
        return cx is None or (x + 0.5 - cx) ** 2 + (y + 0.5 - r) ** 2 <= r * r

    # Distance (in four-neighbour steps) from the outside or the picture
    # edge: ring 0 is the outline, ring 1 the highlight, and so on.
    dist = {}
    frontier = []
    for y in range(h):
        for x in range(w):
            if not inside(x, y):
                continue
            edge = x in (0, w - 1) or y in (0, h - 1) or any(
                not inside(nx, ny) for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)))
            if edge:
                dist[(x, y)] = 0
                frontier.append((x, y))
    while frontier:
        nxt = []
        for x, y in frontier:
            for n in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                if 0 <= n[0] < w and 0 <= n[1] < h and inside(*n) and n not in dist:
                    dist[n] = dist[(x, y)] + 1
                    nxt.append(n)
        frontier = nxt

    def caption(y):
        half = (TITLE_HEIGHT - 3) // 2
        if y < 2 + half:
            return ramp(p["gloss_top"], (y - 2) / (half - 1))
        return ramp(p["gloss_bottom"], (y - 2 - half) / (TITLE_HEIGHT - 4 - half))

    pic = Picture(w, h)
    for (x, y), d in dist.items():
        if d == 0:
            c = p["outline"]
        elif d == 1:
            c = p["highlight"]
        elif y < TITLE_HEIGHT - 1:
            c = caption(y)
        elif y == TITLE_HEIGHT - 1 and d >= BORDER_SIDE - 1:
            c = p["inner"]
        elif d < BORDER_SIDE - 1:
            c = p["body"]
        elif d == BORDER_SIDE - 1:
            c = p["inner"]
        else:
            c = BUTTON_FACE   # client area, never part of a piece
        pic.set(x, y, c)
    return pic


def frame_pieces():
    """The four border pictures, each with the active and inactive frame."""
    mocks = [frame_mock(FRAME_ACTIVE), frame_mock(FRAME_INACTIVE)]
    w, h = mocks[0].width, mocks[0].height
    s, b = BORDER_SIDE, BORDER_BOTTOM
    mid = s + TOP_END
    return {
        "frameleft.bmp": side_by_side([m.crop(0, 0, s, h) for m in mocks]),
        "frameright.bmp": side_by_side([m.crop(w - s, 0, w, h) for m in mocks]),
        "frametop.bmp": stacked([m.crop(s, 0, w - s, TITLE_HEIGHT) for m in mocks]),
        "framebottom.bmp": stacked([m.crop(mid, h - b, mid + 8, h) for m in mocks]),
    }


def caption_plate():
    """Caption background behind the window text: a borderless glow that
    lightens the caption gradient towards its middle and fades out at both
    ends, one frame per activity, stacked."""
    out = []
    width, end = 20, 8
    top, bottom = 4, TITLE_HEIGHT - 5
    for p in (FRAME_ACTIVE, FRAME_INACTIVE):
        mock = frame_mock(p)
        pic = Picture(width, TITLE_HEIGHT)
        for y in range(top, bottom):
            across = 1 - abs((y + 0.5 - (top + bottom) / 2) / ((bottom - top) / 2)) ** 2
            under = mock.get(BORDER_SIDE + TOP_END + 2, y)
            for x in range(width):
                along = min(1.0, (min(x, width - 1 - x) + 0.5) / end)
                pic.set(x, y, mix(under, WHITE, 0.6 * across * along ** 0.7))
        out.append(pic)
    return stacked(out)


# ---------------------------------------------------------------------------
# Caption buttons: 21 x 21, six frames
# ---------------------------------------------------------------------------

CLOSE = ["##.....##", "###...###", ".###.###.", "..#####..", "...###...",
         "..#####..", ".###.###.", "###...###", "##.....##"]
MAXIMIZE = ["#########", "#########", "#.......#", "#.......#", "#.......#",
            "#.......#", "#.......#", "#.......#", "#########"]
RESTORE = ["..#######", "..#######", "..#.....#", "#######.#", "#######.#",
           "#.....###", "#.....#..", "#.....#..", "#######.."]
MINIMIZE = [".........", ".........", ".........", ".........", ".........",
            ".........", "#########", "#########", "........."]


def caption_button(glyph, red=False, size=TITLE_BUTTON, states=range(6), radius=3, at=6):
    """A caption button's strip: one frame per look in `states` (indices of
    CAPTION_LOOKS; the close button is red when pressed and hot)."""
    def paint(i):
        look = CAPTION_LOOKS[i]
        if red and i == 1:
            look = CLOSE_DOWN
        elif red and i == 2:
            look = CLOSE_HOT
        border, face, ink, shadow = look
        pic = Picture(size, size)
        box(pic, 0, 0, size, size, border, face, radius=radius, shine=mix(face[0], WHITE, 0.6))
        embossed(pic, at, at, glyph, ink, shadow)
        return pic
    return side_by_side([paint(i) for i in states])


MDI_BUTTON = 16  # the buttons of a maximised MDI child on the menu bar


def mdi_controls():
    """Minimise, restore and close of a maximised MDI child, side by side,
    four frames each: normal, pressed, hot, and hot again (the bar's hot look)."""
    return side_by_side([caption_button(glyph, red, MDI_BUTTON, (0, 1, 2, 2), radius=2, at=3)
                         for glyph, red in ((MINIMIZE, False), (RESTORE, False), (CLOSE, True))])
