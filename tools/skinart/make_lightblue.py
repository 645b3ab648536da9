#!/usr/bin/env python3
"""Draw the "lightblue" skin and the program's own pictures.

Writes, relative to the repository root (or --root):
  assets/skin/lightblue/*.bmp      the skin's pictures (24-bit, magenta key)
  assets/skin/lightblue/lightblue.ini   the skin description
  app/res/tessaly.ico               the program icon (16, 32, 48 px, alpha)
  app/res/{encrypt,decrypt,login,changepw,save}.bmp   32 x 32 button pictures
  tools/win/demo/res/menuglyphs.bmp   the demo program's 16 x 16 menu pictures
  tools/win/demo/res/backdrop.bmp, speedglyphs.bmp   the demo gallery's pictures
  assets/player/{en,di,cl}_mp*.bmp   the skinned media player's 11 x 9 glyphs

Everything is drawn from code with the standard library only, so the output
is the same byte for byte on every run. Edit this script, not the files.

Conventions of the skin pictures: frames of one element lie side by side
(the window frame pieces and the caption background stack theirs, active
look first); for button-like elements frame 1 is normal, 2 pressed,
3 disabled, 4 hot and 5 focused or default; magenta (255, 0, 255) is never
drawn, which is how rounded corners and glyph backgrounds are cut out.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True   # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from pixels import KEY, Picture, bmp_bytes, ico_bytes, mix, ramp, side_by_side, stacked  # noqa: E402
import vector as v  # noqa: E402

# ---------------------------------------------------------------------------
# Palette
# ---------------------------------------------------------------------------

WHITE = (255, 255, 255)
BUTTON_FACE = (236, 243, 250)      # window and dialog background
INK = (20, 50, 95)                 # text and glyphs
INK_HOT = (18, 80, 160)
INK_OFF = (152, 162, 174)          # disabled glyphs
ACCENT = (58, 132, 212)            # selection, progress, checked marks
ACCENT_DARK = (36, 96, 170)

BORDER = (122, 160, 204)
BORDER_HOT = (66, 136, 214)
BORDER_DOWN = (48, 98, 162)
BORDER_OFF = (188, 197, 208)
BORDER_FOCUS = (44, 104, 178)

FACE = [(255, 255, 255), (236, 244, 252), (214, 231, 249)]
FACE_HOT = [(255, 255, 255), (238, 247, 255), (198, 226, 254)]
FACE_DOWN = [(184, 211, 240), (204, 224, 246), (220, 234, 250)]
FACE_OFF = [(246, 247, 249), (236, 239, 243)]
FOCUS_RING = (160, 204, 244)

TRACK = [(218, 229, 241), (234, 241, 249), (242, 247, 252)]
SEPARATOR = (196, 212, 232)

# The window frame: outline, inner highlight, caption gloss, side body,
# the line that separates frame and client area, caption text.
FRAME_ACTIVE = {
    "outline": (58, 104, 160),
    "highlight": (244, 250, 255),
    "gloss_top": [(232, 244, 255), (210, 231, 251)],
    "gloss_bottom": [(190, 220, 247), (168, 206, 242)],
    "body": (168, 206, 242),
    "inner": (112, 154, 204),
    "text": (16, 46, 92),
}
FRAME_INACTIVE = {
    "outline": (138, 150, 166),
    "highlight": (252, 253, 254),
    "gloss_top": [(242, 245, 248), (230, 235, 240)],
    "gloss_bottom": [(222, 228, 235), (212, 219, 228)],
    "body": (212, 219, 228),
    "inner": (168, 178, 192),
    "text": (112, 124, 140),
}

# Window frame geometry, shared by the pictures and the description.
BORDER_SIDE = 5          # left and right border width
BORDER_BOTTOM = 5        # bottom border height
TITLE_HEIGHT = 27        # caption height (top border frame height)
TOP_END = 12             # fixed ends of the top border
SIDE_TOP_FIXED = 29      # fixed top part of the side borders
CORNER_RADIUS = 8.0      # rounding of the two top corners

TITLE_BUTTON = 21        # caption buttons are 21 x 21, six frames
SCROLL = 16              # scroll bar thickness (the system arrow size)

# ---------------------------------------------------------------------------
# Shared pixel-art helpers
# ---------------------------------------------------------------------------

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


# A state look for button-like elements: border, face stops, glyph ink.
LOOKS = {
    "normal": (BORDER, FACE, INK),
    "pressed": (BORDER_DOWN, FACE_DOWN, INK),
    "disabled": (BORDER_OFF, FACE_OFF, INK_OFF),
    "hot": (BORDER_HOT, FACE_HOT, INK_HOT),
    "focused": (BORDER_FOCUS, FACE, INK),
}
BUTTON_STATES = ["normal", "pressed", "disabled", "hot", "focused"]


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

# Frames 1-4 are what the title bar shows: normal, pressed, hot, and the
# look of a disabled button or of any button on an inactive window. Frames
# 5 and 6 give hot and pressed for the inactive look, so a six-frame strip
# never repeats itself.
CAPTION_LOOKS = [
    ((104, 146, 200), [(252, 254, 255), (226, 239, 252), (204, 227, 250)], INK, WHITE),
    ((52, 96, 156), [(176, 207, 240), (198, 222, 247), (214, 232, 251)], INK, (228, 239, 252)),
    ((64, 132, 212), [(255, 255, 255), (234, 245, 255), (192, 225, 255)], INK_HOT, WHITE),
    ((168, 178, 190), [(247, 248, 250), (229, 233, 238)], INK_OFF, (252, 252, 253)),
    ((150, 164, 182), [(255, 255, 255), (228, 234, 242)], (112, 124, 140), WHITE),
    ((128, 140, 158), [(212, 218, 226), (232, 236, 241)], (98, 110, 124), (240, 242, 245)),
]
CLOSE_HOT = ((168, 44, 38), [(250, 152, 142), (232, 98, 86), (206, 58, 48)], WHITE, (150, 36, 30))
CLOSE_DOWN = ((126, 30, 26), [(188, 52, 44), (210, 78, 68), (224, 102, 92)], WHITE, (112, 24, 20))


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


# ---------------------------------------------------------------------------
# Buttons, check boxes, radio buttons
# ---------------------------------------------------------------------------

def push_button():
    def paint(i):
        border, face, _ = LOOKS[BUTTON_STATES[i]]
        pic = Picture(16, 32)
        focused = BUTTON_STATES[i] == "focused"
        pressed = BUTTON_STATES[i] == "pressed"
        box(pic, 0, 0, 16, 32, border, face, radius=2,
            shine=None if pressed else WHITE,
            ring=FOCUS_RING if focused else None)
        if pressed:
            pic.fill(2, 1, 14, 2, mix(border, face[0], 0.55))
        return pic
    return frames(5, paint)


TICK = ["........#", ".......##", "#.....##.", "##...##..", ".##.##...", "..###....", "...#....."]


def check_box():
    """70 x 14: unchecked, checked, unchecked disabled, checked disabled
    (also shown for the third state), and the third state's own mark."""
    states = [("normal", None), ("normal", "tick"), ("disabled", None),
              ("disabled", "tick"), ("normal", "mixed")]

    def paint(i):
        state, mark = states[i]
        off = state == "disabled"
        border = BORDER_OFF if off else (110, 150, 198)
        pic = Picture(14, 14)
        box(pic, 0, 0, 14, 14, border, FACE_OFF if off else [WHITE, (238, 245, 252), (220, 234, 249)],
            radius=1)
        ink = INK_OFF if off else ACCENT_DARK
        if mark == "tick":
            embossed(pic, 2, 3, TICK, ink)
            pic.glyph(2, 4, TICK, {"#": ink})
        elif mark == "mixed":
            pic.fill(4, 4, 10, 10, ACCENT)
            pic.fill(4, 4, 10, 5, mix(ACCENT, WHITE, 0.35))
        return pic
    return frames(5, paint)


RADIO_RING = ["....#####....", "..##.....##..", ".#.........#.", ".#.........#.",
              "#...........#", "#...........#", "#...........#", "#...........#",
              "#...........#", ".#.........#.", ".#.........#.", "..##.....##..",
              "....#####...."]
RADIO_SOFT = ["...+.....+...", "..+.......+..", ".+.........+.", "+...........+"]
RADIO_DOT = [".###.", "#####", "#####", "#####", ".###."]


def radio_button():
    """65 x 14 (13-pixel frames): unchecked, checked, unchecked disabled,
    checked disabled, and a hot unchecked look."""
    states = [("normal", False), ("normal", True), ("disabled", False), ("disabled", True), ("hot", False)]

    def paint(i):
        state, dot = states[i]
        border = {"normal": (110, 150, 198), "disabled": BORDER_OFF, "hot": BORDER_HOT}[state]
        face = FACE_OFF if state == "disabled" else [WHITE, (238, 245, 252), (218, 233, 249)]
        pic = Picture(13, 14)
        for y, line in enumerate(RADIO_RING):
            xs = [x for x, ch in enumerate(line) if ch == "#"]
            left, right = (min(xs), max(xs)) if y in (0, 12) else (xs[0], xs[-1])
            pic.fill(left, y, right + 1, y + 1, ramp(face, y / 12))
        pic.glyph(0, 0, RADIO_RING, {"#": border})
        # Half-tone pixels outside the staircase soften the circle on the
        # button-face background it is drawn on.
        soft = mix(border, BUTTON_FACE, 0.55)
        for y, line in enumerate(RADIO_SOFT):
            for x, ch in enumerate(line):
                if ch == "+":
                    for yy in (y, 12 - y):
                        if pic.get(x, yy) == KEY:
                            pic.set(x, yy, soft)
        if dot:
            ink = INK_OFF if state == "disabled" else ACCENT
            pic.glyph(4, 4, RADIO_DOT, {"#": ink})
            pic.set(5, 5, mix(ink, WHITE, 0.5))
        return pic
    return frames(5, paint)


# ---------------------------------------------------------------------------
# Menus
# ---------------------------------------------------------------------------

def menu_bar():
    out = []
    for p, stops in ((FRAME_ACTIVE, [(250, 252, 255), (238, 245, 252), (226, 237, 249)]),
                     (FRAME_INACTIVE, [(250, 251, 252), (236, 239, 243)])):
        pic = Picture(16, 20)
        pic.vgradient(0, 0, 16, 19, stops)
        pic.fill(0, 19, 16, 20, mix(p["inner"], WHITE, 0.45))
        out.append(pic)
    return stacked(out)


def menu_item():
    """20 x 20 frames: normal (see-through), separator, disabled
    (see-through), selected, selected but disabled."""
    def paint(i):
        pic = Picture(20, 20)
        if i == 1:
            pic.fill(3, 15, 17, 16, SEPARATOR)
            pic.fill(3, 16, 17, 17, WHITE)
        elif i == 3:
            box(pic, 1, 1, 19, 19, ACCENT_DARK, [(120, 182, 242), (88, 156, 230), (66, 138, 220)],
                radius=2, shine=(150, 200, 246))
        elif i == 4:
            box(pic, 1, 1, 19, 19, BORDER_OFF, [(240, 243, 246), (226, 231, 237)], radius=2)
        return pic
    return frames(5, paint)


def menu_background():
    pic = Picture(24, 24)
    pic.fill(0, 0, 24, 24, (250, 252, 255))
    pic.frame(0, 0, 24, 24, BORDER)
    pic.frame(1, 1, 23, 23, WHITE)
    return pic


# ---------------------------------------------------------------------------
# Scroll bars
# ---------------------------------------------------------------------------

ARROW_UP = ["...#...", "..###..", ".#####.", "#######"]
ARROW_LEFT = ["...#", "..##", ".###", "####", ".###", "..##", "...#"]
SCROLL_STATES = ["normal", "pressed", "disabled", "hot"]


def arrow_box(look, across, art, x, y):
    border, face, ink = look
    pic = Picture(SCROLL, SCROLL)
    box(pic, 0, 0, SCROLL, SCROLL, mix(border, WHITE, 0.2), face, radius=2, across=across)
    embossed(pic, x, y, art, ink, None if look[0] == BORDER_OFF else mix(face[0], WHITE, 0.5))
    return pic


def grip(colour):
    """Three ridges for a horizontal bar's thumb (transparent around)."""
    pic = Picture(SCROLL, SCROLL)
    for x in (5, 7, 9):
        pic.fill(x, 5, x + 1, 11, colour)
        pic.fill(x + 1, 5, x + 2, 11, WHITE)
    return pic


def scroll_bar():
    """23 frames: left, right, up, down arrows (normal, pressed, disabled,
    hot each); horizontal and vertical thumb grips (normal, pressed, hot);
    the corner square."""
    parts = []
    arrows = [(ARROW_LEFT, False, False), ([l[::-1] for l in ARROW_LEFT], False, False),
              (ARROW_UP, True, True), (ARROW_UP[::-1], True, True)]
    for art, across, upright in arrows:
        x, y = ((4, 6) if upright else (6, 4))
        for state in SCROLL_STATES:
            parts.append(arrow_box(LOOKS[state], across, art, x, y))
    ridges = [(120, 160, 210), BORDER_DOWN, BORDER_HOT]
    parts += [grip(c) for c in ridges]
    parts += [grip(c).transposed() for c in ridges]
    corner = Picture(SCROLL, SCROLL)
    corner.fill(0, 0, SCROLL, SCROLL, BUTTON_FACE)
    parts.append(corner)
    return side_by_side(parts)


def scroll_track(vertical):
    """Four 16 x 16 frames: normal, pressed page, disabled, hot."""
    tracks = [TRACK, [mix(c, BORDER, 0.25) for c in TRACK], [(240, 242, 245)] * 2,
              [mix(c, WHITE, 0.3) for c in TRACK]]

    def paint(i):
        pic = Picture(SCROLL, SCROLL)
        pic.vgradient(0, 0, SCROLL, SCROLL, tracks[i] + tracks[i][::-1][1:])
        pic.fill(0, 0, SCROLL, 1, mix(tracks[i][0], BORDER, 0.4))
        pic.fill(0, SCROLL - 1, SCROLL, SCROLL, mix(tracks[i][0], BORDER, 0.25))
        return pic.transposed() if vertical else pic
    return frames(4, paint)


def scroll_thumb(vertical):
    """Three 16 x 16 frames: normal, pressed, hot."""
    thumb_looks = [((120, 160, 210), [(252, 254, 255), (226, 240, 253), (200, 224, 248)]),
                   (BORDER_DOWN, [(176, 206, 240), (192, 218, 246), (208, 228, 250)]),
                   (BORDER_HOT, [(255, 255, 255), (232, 245, 255), (190, 222, 254)])]

    def paint(i):
        border, face = thumb_looks[i]
        pic = Picture(SCROLL, SCROLL)
        box(pic, 0, 0, SCROLL, SCROLL, border, face, radius=2, shine=WHITE)
        return pic.transposed() if vertical else pic
    return frames(3, paint)


# ---------------------------------------------------------------------------
# Progress, group box, tabs, status bar, tool bars, header
# ---------------------------------------------------------------------------

PROGRESS_FILL = [(170, 214, 252), (126, 190, 246), (78, 152, 232), (96, 170, 240)]


def progress():
    """Two 16 x 18 frames: the trough and the filled part."""
    trough = Picture(16, 18)
    box(trough, 0, 0, 16, 18, (150, 180, 214), [(222, 231, 241), (240, 245, 250), (248, 251, 253)], radius=2)
    trough.fill(2, 1, 14, 2, (208, 220, 234))
    fill = Picture(16, 18)
    box(fill, 0, 0, 16, 18, ACCENT_DARK, PROGRESS_FILL, radius=2, shine=(196, 228, 254))
    return side_by_side([trough, fill])


def progress_chunk():
    """One 10 x 12 block with a see-through gap on its right."""
    pic = Picture(10, 12)
    box(pic, 0, 0, 8, 12, ACCENT_DARK, PROGRESS_FILL, radius=1, shine=(196, 228, 254))
    return pic


def group_box_edge():
    def paint(i):
        edge = BORDER if i == 0 else BORDER_OFF
        pic = Picture(16, 16)
        pic.frame(0, 0, 16, 16, edge)
        pic.frame(1, 1, 15, 15, WHITE)
        pic.fill(2, 2, 14, 14, KEY)
        round_corners(pic, 0, 0, 16, 16, 2, edge)
        return pic
    return frames(2, paint)


def group_box_label():
    pic = Picture(24, 18)
    box(pic, 0, 0, 24, 18, BORDER, [WHITE, (236, 244, 252), (224, 236, 250)], radius=3, shine=WHITE)
    return pic


def tabs():
    """Five 16 x 22 tab faces, open at the bottom: normal, selected,
    disabled, hot, selected and hot."""
    tab_looks = [
        (BORDER, [(246, 250, 254), (230, 240, 251), (220, 233, 248)], None),
        ((112, 154, 204), [WHITE, (248, 251, 255), BUTTON_FACE], ACCENT),
        (BORDER_OFF, FACE_OFF, None),
        (BORDER_HOT, [WHITE, (240, 248, 255), (214, 234, 254)], None),
        ((112, 154, 204), [WHITE, (250, 253, 255), BUTTON_FACE], (88, 164, 236)),
    ]

    def paint(i):
        border, face, accent = tab_looks[i]
        pic = Picture(16, 22)
        box(pic, 0, 0, 16, 22, border, face, radius=3, corners="tl tr", open_side="bottom",
            shine=None if accent else WHITE)
        if accent:
            pic.fill(2, 1, 14, 3, accent)
            pic.fill(1, 2, 2, 3, mix(accent, border, 0.5))
            pic.fill(14, 2, 15, 3, mix(accent, border, 0.5))
        return pic
    return frames(5, paint)


def tab_pane():
    pic = Picture(16, 16)
    pic.fill(0, 0, 16, 16, BUTTON_FACE)
    pic.frame(0, 0, 16, 16, (112, 154, 204))
    pic.fill(1, 1, 15, 2, WHITE)
    pic.fill(1, 1, 2, 15, WHITE)
    return pic


def status_edges():
    """Three 12 x 12 panel faces: lowered, raised, flat."""
    def paint(i):
        pic = Picture(12, 12)
        pic.fill(0, 0, 12, 12, BUTTON_FACE)
        if i < 2:
            dark, light = (162, 188, 218), WHITE
            if i == 1:
                dark, light = light, dark
            pic.fill(0, 0, 12, 1, dark)
            pic.fill(0, 0, 1, 12, dark)
            pic.fill(0, 11, 12, 12, light)
            pic.fill(11, 0, 12, 12, light)
            if i == 0:
                pic.fill(1, 1, 11, 11, (242, 247, 252))
        return pic
    return frames(3, paint)


def tool_buttons():
    """Five 16 x 22 flat tool-button faces: normal and disabled let the bar
    show through; pressed, hot and latched have a face."""
    def paint(i):
        pic = Picture(16, 22)
        if i == 1:
            box(pic, 0, 0, 16, 22, BORDER_DOWN, FACE_DOWN, radius=2)
        elif i == 3:
            box(pic, 0, 0, 16, 22, (120, 170, 225), FACE_HOT, radius=2, shine=WHITE)
        elif i == 4:
            box(pic, 0, 0, 16, 22, BORDER_DOWN, [(208, 226, 246), (222, 236, 251)], radius=2)
            pic.fill(2, 1, 14, 2, (188, 210, 236))
        return pic
    return frames(5, paint)


def header_bar():
    """Five 16 x 20 header faces: normal, hot, pressed, disabled, sorted."""
    faces = [[WHITE, (240, 246, 252), (226, 236, 248)],
             [WHITE, (236, 246, 255), (212, 232, 252)],
             [(208, 225, 244), (222, 235, 250), (232, 242, 252)],
             FACE_OFF,
             [(246, 250, 255), (232, 242, 252), (220, 234, 250)]]

    def paint(i):
        pic = Picture(16, 20)
        pic.vgradient(0, 0, 16, 20, faces[i])
        pic.fill(14, 3, 15, 17, SEPARATOR)
        pic.fill(15, 3, 16, 17, WHITE)
        pic.fill(0, 19, 16, 20, (170, 194, 222))
        if i == 1:
            pic.fill(0, 17, 16, 19, (110, 172, 236))
        elif i == 4:
            pic.fill(0, 18, 16, 19, ACCENT)
        return pic
    return frames(5, paint)


# ---------------------------------------------------------------------------
# Combo boxes: edit border, drop button, arrow glyphs and size grip
# ---------------------------------------------------------------------------

EDIT_BORDERS = [BORDER, BORDER_FOCUS, BORDER_OFF, BORDER_HOT]


def sunk_edge():
    """Four 10 x 21 edit borders: normal, pressed, disabled, hot."""
    def paint(i):
        pic = Picture(10, 21)
        pic.fill(0, 0, 10, 21, (246, 247, 249) if i == 2 else WHITE)
        pic.frame(0, 0, 10, 21, EDIT_BORDERS[i])
        round_corners(pic, 0, 0, 10, 21, 1, EDIT_BORDERS[i])
        return pic
    return frames(4, paint)


def combo_button():
    """Four 18 x 21 drop buttons (normal, pressed, disabled, hot), inset one
    pixel inside the edit border that shows through around them."""
    def paint(i):
        border, face, _ = LOOKS[SCROLL_STATES[i]]
        pic = Picture(18, 21)
        box(pic, 1, 2, 16, 19, mix(border, WHITE, 0.15), face, radius=2,
            shine=None if i == 1 else WHITE)
        return pic
    return frames(4, paint)


ARROW_DOWN = ["#######", ".#####.", "..###..", "...#..."]
SIZE_GRIP = [(9, 9), (9, 6), (6, 9), (9, 3), (6, 6), (3, 9)]


def extra_images():
    """Five 12 x 12 frames: the combo arrow for normal, pressed, disabled
    and hot, then the status bar's size grip."""
    def paint(i):
        pic = Picture(12, 12)
        if i < 4:
            ink = [INK, INK, INK_OFF, INK_HOT][i]
            pic.glyph(2, 4, ARROW_DOWN, {"#": ink})
        else:
            for x, y in SIZE_GRIP:
                pic.fill(x, y, x + 2, y + 2, (150, 178, 212))
                pic.set(x + 1, y + 1, WHITE)
        return pic
    return frames(5, paint)


# ---------------------------------------------------------------------------
# Track bar thumbs and up-down arrows
# ---------------------------------------------------------------------------

POINTER = [".....#.....", "....#.#....", "...#...#...", "..#.....#..", ".#.......#.",
           "#.........#"]


def thumb(point=None):
    """Five 11 x 20 frames of a track bar thumb standing upright; `point`
    ('up' or 'down') makes that end a point. The engine shows frame 2 for
    every thumb, so pressed differs from normal only in its border."""
    thumb_looks = [(BORDER_FOCUS, FACE),
                   ((64, 118, 186), [(250, 253, 255), (222, 238, 253), (196, 224, 250)]),
                   (BORDER_OFF, FACE_OFF), (BORDER_HOT, FACE_HOT), (BORDER_FOCUS, FACE)]

    def paint(i):
        border, face = thumb_looks[i]
        pic = Picture(11, 20)
        top = len(POINTER) - 1 if point else 0
        box(pic, 0, top, 11, 20, border, face, radius=2, across=True,
            corners="bl br" if point else "tl tr bl br", ring=FOCUS_RING if i == 4 else None)
        if point:
            for y, line in enumerate(POINTER):
                xs = [x for x, ch in enumerate(line) if ch == "#"]
                pic.fill(xs[0], y, xs[-1] + 1, y + 1, KEY)
                for x in range(xs[0] + 1, xs[-1]):
                    pic.set(x, y, ramp(face, x / 10))
            pic.glyph(0, 0, POINTER, {"#": border})
            pic.fill(1, top, 10, top + 1, FOCUS_RING if i == 4 else ramp(face, 0.3))
        if point == "down":
            pic = pic.flipped_v()
        # Ridges go on last so that their light edge is always below.
        ridge = INK_OFF if i == 2 else border
        for y in (8, 10, 12) if point == "down" else (9, 11, 13):
            pic.fill(3, y, 8, y + 1, ridge)
            pic.fill(3, y + 1, 8, y + 2, WHITE)
        return pic
    return frames(5, paint)


def up_down(horizontal):
    """Eight small faces (first arrow normal, pressed, disabled, hot, then
    the second arrow) and the matching glyph strip. Faces are small on
    purpose: they are only ever stretched up, so no border line is lost."""
    def face(i):
        look = LOOKS[SCROLL_STATES[i % 4]]
        pic = Picture(8, 6)
        box(pic, 0, 0, 8, 6, look[0], look[1], radius=1)
        return pic.transposed() if horizontal else pic

    up = ["..#..", ".###.", "#####"]

    def glyph(i):
        ink = [INK, INK, INK_OFF, INK_HOT][i % 4]
        pic = Picture(5, 3)
        pic.glyph(0, 0, up if i < 4 else up[::-1], {"#": ink})
        return pic.transposed() if horizontal else pic
    return frames(8, face), frames(8, glyph)


# ---------------------------------------------------------------------------
# The skin description
# ---------------------------------------------------------------------------

def rgb(c):
    return "%d %d %d" % c


def description():
    """Sections and keys of lightblue.ini, in file order."""
    a, i = FRAME_ACTIVE["text"], FRAME_INACTIVE["text"]
    border = {}
    for name in ("Left", "Right"):
        border.update({name: "frame%s.bmp" % name.lower(), name + "Frame": 2,
                       name + "TopHeight": SIDE_TOP_FIXED, name + "BotHeight": BORDER_BOTTOM,
                       name + "Stretch": 1, name + "Trans": 1})
    border.update({"Top": "frametop.bmp", "TopFrame": 2, "TopTopHeight": TOP_END,
                   "TopBotHeight": TOP_END, "TopStretch": 1, "TopTrans": 1,
                   "Bottom": "framebottom.bmp", "BottomFrame": 2, "BottomTopHeight": 0,
                   "BottomBotHeight": 0, "BottomStretch": 1, "BottomTrans": 0})
    personality = dict(border)
    personality.update({
        "TextBack": "textback.bmp", "TextShift": 22, "TextShiftVert": 0, "TextRightClip": 75,
        "TextAlignment": 0, "TXTBackleft": 8, "TXTBackRight": 8,
        "ActiveTextR": a[0], "ActiveTextG": a[1], "ActiveTextB": a[2],
        "InActiveTextR": i[0], "InActiveTextG": i[1], "InActiveTextB": i[2],
        "menuBar": "menubar.bmp", "TileMenu": 1, "TileLeftMenu": 1, "TileRightMenu": 1,
    })
    colours = {
        "WindowText": rgb(INK), "ButtonFace": rgb(BUTTON_FACE), "Scrollbar": rgb((226, 236, 246)),
        "HilightText": rgb(WHITE), "Hilight": rgb(ACCENT), "Menubar": rgb(BUTTON_FACE),
        "Menu": rgb((250, 252, 255)), "MenuText": rgb(INK), "ButtonText": rgb(INK),
        "ButtonHilight": rgb(WHITE), "Buttonlight": rgb((244, 248, 253)),
        "ButtonShadow": rgb((138, 166, 200)), "ButtonDkShadow": rgb((64, 96, 140)),
        "MenuBarText": rgb(INK), "TitleTextActive": rgb(a), "TitleTextNoActive": rgb(i),
    }
    text = {"NormalColour2": rgb(INK), "MouseOverColour2": rgb(INK_HOT), "PressedColour2": rgb(INK)}

    def element(image, margins=(0, 0, 0, 0), trans=1, tile=0, **extra):
        keys = {"Image": image, "LeftWidth": margins[0], "TopHeight": margins[1],
                "RightWidth": margins[2], "BottomHeight": margins[3], "Trans": trans, "Tile": tile}
        keys.update(extra)
        return keys

    def caption(action, x, y, visibility, visibility1, image=None):
        keys = {"Action": action, "Align": 1 if action != 3 else 0, "Xcoord": x, "Ycoord": y,
                "Visibility": visibility, "Visibility1": visibility1}
        if image:
            keys["ButtonImage"] = image
        return keys

    top = (TITLE_HEIGHT - TITLE_BUTTON) // 2
    sections = [
        ("TitlebarSkin", {"SkinName": "lightblue"}),
        ("Personality", personality),
        ("Fonts", {"FontHeight": 14}),
        ("Colours", colours),
        ("Colour0", {"color": rgb(ACCENT)}),
        ("Colour1", {"color": rgb(FRAME_ACTIVE["body"])}),
        ("Colour2", {"color": rgb(BUTTON_FACE)}),
        ("Colour3", {"color": rgb(FRAME_ACTIVE["outline"])}),
        ("Colour4", {"color": rgb(INK)}),
        ("Customcolors", {"Color%d" % n: rgb(c) for n, c in enumerate(
            [ACCENT, ACCENT_DARK, FRAME_ACTIVE["body"], BUTTON_FACE, INK, BORDER, BORDER_HOT,
             SEPARATOR, (250, 252, 255), WHITE])}),
        # Caption buttons, right-aligned at 28, 51 and 74 pixels from the
        # window's right edge. Maximize shows while the window is not
        # maximized, restore while it is; both only on windows that have a
        # minimize or maximize box. Button4 is the window icon.
        ("Button0", caption(0, 28, top, 0, 0, "closebutton.bmp")),
        ("Button1", caption(1, 51, top, 2, 6, "maxbutton.bmp")),
        ("Button2", caption(1, 51, top, 1, 6, "restorebutton.bmp")),
        ("Button3", caption(2, 74, top, 6, 0, "minbutton.bmp")),
        ("Button4", caption(3, 8, (TITLE_HEIGHT - 16 + 1) // 2, 0, 0)),
        ("MDICONTROLS", {"Image": "mdicontrols.bmp"}),
        ("Buttons", dict({"Bitmap": "button.bmp", "CheckButton": "checkbox.bmp",
                          "RadioButton": "radio.bmp", "LeftWidth": 3, "TopHeight": 3,
                          "RightWidth": 3, "BottomHeight": 3, "Trans": 1, "Tile": 0}, **text)),
        ("Progress", {"Bitmap": "progress.bmp", "Style": 0, "LeftWidth": 3, "TopHeight": 3,
                      "RightWidth": 3, "BottomHeight": 3, "Trans": 1, "Tile": 0}),
        ("Progress.Chunk", element("progresschunk.bmp", trans=1, tile=1, Frame=1)),
        ("GroupBoxEdge", element("groupboxedge.bmp", (4, 4, 4, 4))),
        ("GroupBox", element("groupbox.bmp", (6, 0, 6, 0), BackgroundAlignment=0,
                             BackgroundLeftShift=0, BackgroundRightShift=0, **text)),
        ("Tabs", dict(element("tabs.bmp", (4, 4, 4, 2), Border="tabpane.bmp", Style=0), **text)),
        ("StatusBarEdges", element("statusbar.bmp", (2, 2, 2, 2), trans=0, NormalColour2=rgb(INK))),
        ("Tab.Pane", element("tabpane.bmp", (4, 4, 4, 4), trans=0)),
        ("ToolBars", dict(element("toolbars.bmp", (3, 3, 3, 3)), **text)),
        ("ComboButton", element("combobutton.bmp", (3, 3, 3, 3), Style=0)),
        ("SunkEdge", element("sunkedge.bmp", (2, 2, 2, 2))),
        ("ExtraImages", element("extraimages.bmp")),
        ("Headerbar", dict(element("headerbar.bmp", (2, 2, 2, 2), trans=0, Frame=5), **text)),
        ("MenuItem", element("menuitem.bmp", (3, 3, 3, 3))),
        ("MenuBackground", element("menuback.bmp", (3, 3, 3, 3), trans=0)),
        ("Scrollbar", element("scrollbar.bmp")),
        ("HorzScroll", element("hscroll.bmp", trans=0)),
        ("VertScroll", element("vscroll.bmp", trans=0)),
        ("HorzScrollThumb", element("hscrollthumb.bmp", (4, 3, 4, 3), FrameCount=3)),
        ("VertScrollThumb", element("vscrollthumb.bmp", (3, 4, 3, 4), FrameCount=3)),
    ]
    for name, margins in (("ThumbHorz", (3, 3, 3, 3)), ("ThumbVert", (3, 3, 3, 3)),
                          ("ThumbLeft", (6, 3, 3, 3)), ("ThumbRight", (3, 3, 6, 3)),
                          ("ThumbUp", (3, 6, 3, 3)), ("ThumbDown", (3, 3, 3, 6))):
        sections.append(("Trackbar." + name, element("track%s.bmp" % name.lower(), margins)))
    for name in ("Horz", "Vert"):
        sections.append(("UpDown." + name, element("updown%s.bmp" % name[0].lower(),
                                                   GlyphImage="updown%sglyph.bmp" % name[0].lower())))
    return sections


INI_HEADER = """\
; lightblue: the skin built into Tessaly.
; Generated by tools/skinart/make_lightblue.py from the same numbers that
; draw the pictures; change the script and run it again instead of editing
; this file. Colours are red, green and blue; pictures use magenta
; (255 0 255) as their transparent colour.
"""


def ini_text(sections):
    lines = [INI_HEADER]
    for name, keys in sections:
        lines.append("[%s]" % name)
        lines += ["%s=%s" % (k, val) for k, val in keys.items()]
        lines.append("")
    return "\r\n".join("\n".join(lines).split("\n"))


# ---------------------------------------------------------------------------
# All skin pictures
# ---------------------------------------------------------------------------

def skin_pictures():
    pics = frame_pieces()
    pics["textback.bmp"] = caption_plate()
    pics["closebutton.bmp"] = caption_button(CLOSE, red=True)
    pics["maxbutton.bmp"] = caption_button(MAXIMIZE)
    pics["restorebutton.bmp"] = caption_button(RESTORE)
    pics["minbutton.bmp"] = caption_button(MINIMIZE)
    pics["mdicontrols.bmp"] = mdi_controls()
    pics["button.bmp"] = push_button()
    pics["checkbox.bmp"] = check_box()
    pics["radio.bmp"] = radio_button()
    pics["menubar.bmp"] = menu_bar()
    pics["menuitem.bmp"] = menu_item()
    pics["menuback.bmp"] = menu_background()
    pics["scrollbar.bmp"] = scroll_bar()
    pics["hscroll.bmp"] = scroll_track(False)
    pics["vscroll.bmp"] = scroll_track(True)
    pics["hscrollthumb.bmp"] = scroll_thumb(False)
    pics["vscrollthumb.bmp"] = scroll_thumb(True)
    pics["progress.bmp"] = progress()
    pics["progresschunk.bmp"] = progress_chunk()
    pics["groupboxedge.bmp"] = group_box_edge()
    pics["groupbox.bmp"] = group_box_label()
    pics["tabs.bmp"] = tabs()
    pics["tabpane.bmp"] = tab_pane()
    pics["statusbar.bmp"] = status_edges()
    pics["toolbars.bmp"] = tool_buttons()
    pics["headerbar.bmp"] = header_bar()
    pics["sunkedge.bmp"] = sunk_edge()
    pics["combobutton.bmp"] = combo_button()
    pics["extraimages.bmp"] = extra_images()
    upright, pointed = thumb(), thumb("up")
    lying = per_frame(pointed, 5, Picture.transposed)
    pics["trackthumbhorz.bmp"] = upright
    pics["trackthumbvert.bmp"] = per_frame(upright, 5, Picture.transposed)
    pics["trackthumbup.bmp"] = pointed
    pics["trackthumbdown.bmp"] = thumb("down")
    pics["trackthumbleft.bmp"] = lying
    pics["trackthumbright.bmp"] = per_frame(lying, 5, Picture.flipped_h)
    for name in ("h", "v"):
        faces, glyphs = up_down(name == "h")
        pics["updown%s.bmp" % name] = faces
        pics["updown%sglyph.bmp" % name] = glyphs
    return pics


# ---------------------------------------------------------------------------
# The program's own pictures: icon and button pictures (anti-aliased)
# ---------------------------------------------------------------------------

FOLDER_EDGE = (176, 120, 28)
FOLDER_BACK = [(244, 200, 96), (232, 172, 58)]
FOLDER_FRONT = [(255, 230, 146), (250, 206, 98), (238, 180, 62)]
LOCK_EDGE = (30, 70, 128)
KEY_EDGE = (146, 98, 18)
KEY_GOLD = [(255, 232, 140), (244, 196, 70), (220, 156, 36)]


def outlined(canvas, outer, inner, edge, fill):
    """Paint a shape's outline colour, then its fill inset one pixel."""
    canvas.paint(outer, edge)
    canvas.paint(inner, fill)


def folder(c, x0, y0, x1, y1, px):
    """A manila folder: tab top left, back panel, lighter front panel."""
    def snap(u):
        return round(u / px) * px
    x0, y0, x1, y1 = snap(x0), snap(y0), snap(x1), snap(y1)
    tab_w = snap((x1 - x0) * 0.42)
    back = v.RoundRect(x0, y0 + 3 * px, x1, y1, 2 * px) | v.RoundRect(x0, y0, x0 + tab_w, y0 + 6 * px, 2 * px)
    inner = v.RoundRect(x0 + px, y0 + 4 * px, x1 - px, y1 - px, px) | \
        v.RoundRect(x0 + px, y0 + px, x0 + tab_w - px, y0 + 6 * px, px)
    outlined(c, back, inner, FOLDER_EDGE, v.vertical(y0, y1, *FOLDER_BACK))
    front_top = snap(y0 + (y1 - y0) * 0.3)
    outlined(c, v.RoundRect(x0, front_top, x1, y1, 2 * px),
             v.RoundRect(x0 + px, front_top + px, x1 - px, y1 - px, px),
             FOLDER_EDGE, v.vertical(front_top, y1, *FOLDER_FRONT))


def padlock(c, cx, top, open_shackle, body_colours):
    """A padlock whose body spans 12 x 9 units under a shackle."""
    left, right = cx - 6, cx + 6
    body_top = top + 7.5
    shift = 3.5 if open_shackle else 0.0
    arc_y = top + 4 - shift
    legs_left = [(cx - 3.6, arc_y), (cx - 3.6, body_top + 1 - (shift + 1.5 if open_shackle else 0))]
    legs_right = [(cx + 3.6, arc_y), (cx + 3.6, body_top + 1)]
    for width, colour in ((3.4, (58, 68, 84)), (1.6, (196, 206, 218))):
        c.paint(v.Arc(cx, arc_y, 3.6, width, 180, 360), colour)
        c.paint(v.Stroke(width, *legs_left), colour)
        c.paint(v.Stroke(width, *legs_right), colour)
    outlined(c, v.RoundRect(left, body_top, right, body_top + 9.5, 1.8),
             v.RoundRect(left + 1, body_top + 1, right - 1, body_top + 8.5, 1.0),
             body_colours[0], v.vertical(body_top, body_top + 9.5, *body_colours[1:]))
    c.paint(v.Circle(cx, body_top + 3.6, 1.3), (16, 36, 66))
    c.paint(v.Polygon((cx - 0.6, body_top + 4), (cx + 0.6, body_top + 4),
                      (cx + 0.9, body_top + 6.8), (cx - 0.9, body_top + 6.8)), (16, 36, 66))


BLUE_LOCK = [LOCK_EDGE, (140, 194, 246), (78, 142, 218), (44, 104, 186)]
GREEN_LOCK = [(30, 100, 44), (150, 222, 150), (82, 178, 92), (50, 144, 64)]


def key(c, bow, tip, bow_r, width):
    """A golden key from its bow centre to its blade tip."""
    (bx, by), (tx, ty) = bow, tip
    length = ((tx - bx) ** 2 + (ty - by) ** 2) ** 0.5
    ux, uy = (tx - bx) / length, (ty - by) / length
    nx, ny = uy, -ux     # teeth stand off to this side

    def at(t, n=0.0):
        return (bx + ux * t + nx * n, by + uy * t + ny * n)

    teeth = [(length - 1.2, length - 1.2), (length - 5.0, length - 4.6)]
    for grow, colour in ((1.0, KEY_EDGE), (0.0, v.vertical(by - bow_r, ty, *KEY_GOLD))):
        shapes = [v.Circle(bx, by, bow_r + grow - 1.0),
                  v.Stroke(width + 2 * grow - 2.0, at(bow_r - 1), at(length))]
        shapes += [v.Stroke(width * 0.9 + 2 * grow - 2.0, at(t0), at(t1, -width * 1.1)) for t0, t1 in teeth]
        c.paint(v.Union(*shapes), colour)
    hole = (bx - ux * bow_r * 0.2, by - uy * bow_r * 0.2)
    c.paint(v.Circle(hole[0], hole[1], bow_r * 0.42 + 1.0), KEY_EDGE)
    c.erase(v.Circle(hole[0], hole[1], bow_r * 0.42))
    c.paint(v.Arc(bx, by, bow_r - 2.2, 1.1, 200, 260), (255, 246, 204))


def pencil(c, back, tip, width):
    """A yellow pencil from its eraser end to its graphite tip."""
    (bx, by), (tx, ty) = back, tip
    length = ((tx - bx) ** 2 + (ty - by) ** 2) ** 0.5
    ux, uy = (tx - bx) / length, (ty - by) / length
    nx, ny = -uy, ux
    h = width / 2

    def quad(t0, t1, w0, w1):
        return v.Polygon((bx + ux * t0 + nx * w0, by + uy * t0 + ny * w0),
                         (bx + ux * t1 + nx * w1, by + uy * t1 + ny * w1),
                         (bx + ux * t1 - nx * w1, by + uy * t1 - ny * w1),
                         (bx + ux * t0 - nx * w0, by + uy * t0 - ny * w0))

    wood = length - 6.0
    edge = (98, 62, 18)
    shoulder = wood - 1
    c.paint(quad(-1, length + 0.8, h + 1, h + 1) - quad(wood + 1, length + 2, 0, 0), edge)
    c.paint(v.Polygon((bx + ux * shoulder + nx * (h + 1), by + uy * shoulder + ny * (h + 1)),
                      (tx + ux * 1.2, ty + uy * 1.2),
                      (bx + ux * shoulder - nx * (h + 1), by + uy * shoulder - ny * (h + 1))), edge)
    c.paint(quad(0, 3, h, h), (236, 132, 146))                       # eraser
    c.paint(quad(3, 4.5, h, h), (170, 180, 194))                     # ferrule
    c.paint(quad(4.5, wood, h, h), (250, 196, 58))                  # body
    c.paint(quad(4.5, wood, h * 0.35, h * 0.35), (255, 222, 120))   # facet
    c.paint(quad(wood, length - 2.2, h, h * 0.4), (244, 214, 160))  # bare wood
    c.paint(quad(length - 2.2, length, h * 0.4, 0.05), (60, 60, 66))  # graphite


def check_mark(c, points, width):
    c.paint(v.Stroke(width + 2.2, *points), (28, 108, 44))
    c.paint(v.Stroke(width, *points), (86, 196, 96))


def picture_encrypt():
    c = v.Canvas(32, 32)
    folder(c, 2, 5, 27, 26, 1)
    padlock(c, 23, 16, False, BLUE_LOCK)
    return c


def picture_decrypt():
    c = v.Canvas(32, 32)
    folder(c, 2, 5, 27, 26, 1)
    padlock(c, 23, 16, True, GREEN_LOCK)
    return c


def picture_login():
    c = v.Canvas(32, 32)
    key(c, (10.5, 10.5), (28.5, 28.5), 7.5, 4.4)
    return c


def picture_change_password():
    c = v.Canvas(32, 32)
    key(c, (8.5, 8.5), (22, 22), 6.0, 3.8)
    pencil(c, (29.5, 10.5), (13.5, 29.5), 5.2)
    return c


def picture_save(size=32):
    c = v.Canvas(size, 32)
    disk = [(28, 64, 118), (104, 160, 226), (62, 118, 196), (42, 94, 170)]
    outlined(c, v.RoundRect(3, 3, 27, 27, 2.4), v.RoundRect(4, 4, 26, 26, 1.6), disk[0],
             v.vertical(3, 27, *disk[1:]))
    outlined(c, v.RoundRect(9, 3, 21, 12, 0.8), v.RoundRect(10, 4, 20, 11, 0.4), (98, 112, 130),
             v.vertical(3, 12, (232, 238, 244), (184, 196, 210)))
    c.paint(v.RoundRect(16, 5, 18.5, 10, 0.4), (70, 84, 102))
    outlined(c, v.RoundRect(7, 15, 23, 27, 1.0), v.RoundRect(8, 16, 22, 26.2, 0.6), (178, 190, 206),
             (250, 251, 253))
    for y in (19, 22):
        c.paint(v.RoundRect(10, y, 20, y + 1, 0.3), (184, 198, 216))
    check_mark(c, [(16.5, 23), (21, 27.5), (29.5, 17)], 2.8)
    return c


def picture_page(size=32):
    """A sheet of paper with a folded corner and three lines of text."""
    c = v.Canvas(size, 32)
    px = 32 / size
    edge = (96, 110, 130)
    outlined(c, v.Polygon((5, 1), (20, 1), (27, 8), (27, 31), (5, 31)),
             v.Polygon((5 + px, 1 + px), (20 - px / 2, 1 + px), (27 - px, 8 + px / 2), (27 - px, 31 - px),
                       (5 + px, 31 - px)),
             edge, v.vertical(1, 31, (255, 255, 255), (222, 232, 244)))
    c.paint(v.Polygon((19, 1), (27, 9), (19, 9)), edge)
    for y in (14, 19, 24):
        c.paint(v.RoundRect(9, y, 23, y + px, 0.3), (120, 146, 184))
    return c


def picture_folder(size=32):
    c = v.Canvas(size, 32)
    folder(c, 1, 4, 31, 28, 32 / size)
    return c


def picture_tile(size=32):
    """Four small windows side by side, two rows."""
    c = v.Canvas(size, 32)
    px = 32 / size
    for x0, y0 in ((1, 3), (17, 3), (1, 18), (17, 18)):
        outlined(c, v.RoundRect(x0, y0, x0 + 14, y0 + 12, px), v.RoundRect(x0 + px, y0 + 4, x0 + 14 - px, y0 + 12 - px, 0),
                 (36, 80, 136), (250, 252, 255))
    return c


# The demo program's menu pictures, in the order its menus index them.
MENU_PICTURES = [picture_page, picture_folder, picture_save, picture_tile]
MENU_UNDERLAY = (240, 240, 240)


def gallery_backdrop():
    """The picture the gallery's Tag 5555 controls stand on: a diagonal
    blue-to-amber gradient with lighter stripes, 200 x 80."""
    pic = Picture(200, 80)
    for y in range(pic.height):
        for x in range(pic.width):
            t = (x + y) / 280
            colour = (int(40 + 200 * t), int(90 + 90 * t), int(200 - 150 * t))
            if ((x - y) // 10) % 2 == 0:
                colour = tuple(min(255, ch + 18) for ch in colour)
            pic.set(x, y, colour)
    return pic


def gallery_glyphs():
    """A speed-button glyph strip: an up arrow in four 16 x 16 frames (up,
    disabled, pressed, down) on the key colour."""
    strip = []
    for colour in ((0, 120, 0), (128, 128, 128), (0, 70, 160), (180, 60, 0)):
        pic = Picture(16, 16)
        for y in range(16):
            for x in range(16):
                if (4 <= y <= 12 and abs(x - 8) <= (y - 4) // 2) or (y > 12 and 6 <= x <= 10):
                    pic.set(x, y, colour)
        strip.append(pic)
    return side_by_side(strip)


# The media player's button glyphs, 11 x 9 on olive (128, 128, 0), the key
# colour the skin engine draws them with: play, pause, stop, next, previous,
# step, back, record, eject.
PLAYER_KEY = (128, 128, 0)
PLAYER_GLYPHS = [
    ("mpplay", (30, 140, 50), ["..##.......", "..####.....", "..######...", "..#######..", "..########.",
                                "..#######..", "..######...", "..####.....", "..##......."]),
    ("mppause", (196, 132, 20), ["..###.###..", "..###.###..", "..###.###..", "..###.###..", "..###.###..",
                                  "..###.###..", "..###.###..", "..###.###..", "..###.###.."]),
    ("mpstop", (150, 36, 36), [".........", "..#######..", "..#######..", "..#######..", "..#######..",
                                "..#######..", "..#######..", "..#######..", "..........."]),
    ("mpnext", (36, 96, 170), ["#.....##...", "##....##...", "###...##...", "####..##...", "#####.##...",
                                "####..##...", "###...##...", "##....##...", "#.....##..."]),
    ("mpprev", (36, 96, 170), ["...##.....#", "...##....##", "...##...###", "...##..####", "...##.#####",
                                "...##..####", "...##...###", "...##....##", "...##.....#"]),
    ("mpstep", (36, 96, 170), ["#....#.....", "##...##....", "###..###...", "####.####..", "##########.",
                                "####.####..", "###..###...", "##...##....", "#....#....."]),
    ("mpback", (36, 96, 170), [".....#....#", "....##...##", "...###..###", "..####.####", ".##########",
                                "..####.####", "...###..###", "....##...##", ".....#....#"]),
    ("mprecord", (210, 40, 40), ["...#####...", "..#######..", ".#########.", ".#########.", ".#########.",
                                  ".#########.", ".#########.", "..#######..", "...#####..."]),
    ("mpeject", (36, 96, 170), [".....#.....", "....###....", "...#####...", "..#######..", ".#########.",
                                 "...........", ".#########.", ".#########.", "..........."]),
]
PLAYER_LOOKS = [("en", INK), ("di", INK_OFF), ("cl", None)]


def player_glyph(rows, ink):
    pic = Picture(11, 9, PLAYER_KEY)
    for y, row in enumerate(rows):
        for x, cell in enumerate(row.ljust(11, ".")):
            if cell == "#":
                pic.set(x, y, ink)
    return pic


def player_glyphs():
    """File name -> picture of every player glyph in its three looks:
    enabled (ink), disabled (grey ink) and coloured."""
    return {"%s_%s.bmp" % (prefix, name): player_glyph(rows, ink or colour)
            for name, colour, rows in PLAYER_GLYPHS for prefix, ink in PLAYER_LOOKS}


BUTTON_PICTURES = {
    "encrypt.bmp": picture_encrypt,
    "decrypt.bmp": picture_decrypt,
    "login.bmp": picture_login,
    "changepw.bmp": picture_change_password,
    "save.bmp": picture_save,
}

# Button pictures sit on the push-button face; their key-colour background
# is taken from the bottom-left pixel and not drawn.
PICTURE_UNDERLAY = (236, 244, 252)


def icon_image(size):
    """The program icon: a folder that has slipped into a light-blue bin,
    drawn in a 48-unit grid; outlines stay one pixel thick at every size."""
    c = v.Canvas(size, 48, samples=8 if size < 32 else 6)
    px = 48 / size
    folder(c, 6, 3, 42, 33, px)
    bin_edge = (36, 80, 136)
    body = v.Polygon((9, 19), (39, 19), (36, 45), (12, 45))
    inner = v.Polygon((9 + px * 1.1, 19), (39 - px * 1.1, 19),
                      (36 - px * 1.05, 45 - px), (12 + px * 1.05, 45 - px))
    outlined(c, body, inner, bin_edge, v.vertical(20, 45, (182, 220, 250), (132, 186, 240), (88, 146, 216)))
    ribs = [(17, 18), (24, 24), (31, 30)] if size >= 32 else [(19.5, 20), (28.5, 28)]
    for top_x, bottom_x in ribs:
        c.paint(v.Stroke(max(px, 1.6), (top_x, 25), (bottom_x, 40.5)), (58, 114, 184))
        c.paint(v.Stroke(max(px * 0.8, 1.0), (top_x + px, 25), (bottom_x + px, 40.5)), (196, 226, 252), 0.8)
    rim = 21 if size >= 32 else 24     # at 16 px the rim needs a row of fill
    outlined(c, v.RoundRect(6, 15, 42, rim, 2.5 * px ** 0.5),
             v.RoundRect(6 + px, 15 + px, 42 - px, rim - px, 1.5),
             bin_edge, v.vertical(15, rim, (236, 246, 255), (170, 208, 244)))
    return c.image()


# ---------------------------------------------------------------------------
# Checks and output
# ---------------------------------------------------------------------------

def check(pics, sections):
    """Guard the facts other parts of the program rely on."""
    by_section = dict(sections)
    assert by_section["Personality"]["TopFrame"] == 2
    assert (by_section["Personality"]["TopTopHeight"], by_section["Personality"]["TopBotHeight"]) == (12, 12)
    assert (by_section["Personality"]["LeftTopHeight"], by_section["Personality"]["LeftBotHeight"]) == (29, 5)
    assert "frame" not in {k.lower() for s in ("Button0", "Button1", "Button2", "Button3", "Button4")
                           for k in by_section[s]}
    assert by_section["Button0"]["Action"] == 0 and by_section["Button4"]["Action"] == 3
    assert (pics["closebutton.bmp"].width, pics["closebutton.bmp"].height) == (126, 21)
    assert (pics["radio.bmp"].width, pics["radio.bmp"].height) == (65, 14)
    assert (pics["checkbox.bmp"].width, pics["checkbox.bmp"].height) == (70, 14)
    assert pics["frametop.bmp"].height == 2 * TITLE_HEIGHT
    assert pics["frameleft.bmp"].height == SIDE_TOP_FIXED + 8 + BORDER_BOTTOM
    files = {val for _, keys in sections for val in keys.values()
             if isinstance(val, str) and val.endswith(".bmp")}
    assert files == set(pics), "pictures and description disagree: %s" % (files ^ set(pics))
    assert all(name == name.lower() for name in files)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--root", default=os.path.normpath(os.path.join(here, "..", "..")),
                        help="repository root to write into (default: this checkout)")
    args = parser.parse_args()

    skin_dir = os.path.join(args.root, "assets", "skin", "lightblue")
    res_dir = os.path.join(args.root, "app", "res")
    demo_dir = os.path.join(args.root, "tools", "win", "demo", "res")
    player_dir = os.path.join(args.root, "assets", "player")
    pics = skin_pictures()
    sections = description()
    check(pics, sections)
    for name, pic in sorted(pics.items()):
        write(os.path.join(skin_dir, name), bmp_bytes(pic))
    write(os.path.join(skin_dir, "lightblue.ini"), ini_text(sections).encode("ascii"))
    for name, draw in BUTTON_PICTURES.items():
        flat = draw().image().flattened(PICTURE_UNDERLAY)
        assert flat.get(0, 31) == KEY
        write(os.path.join(res_dir, name), bmp_bytes(flat))
    write(os.path.join(res_dir, "tessaly.ico"), ico_bytes([icon_image(s) for s in (16, 32, 48)]))
    glyphs = side_by_side([draw(16).image().flattened(MENU_UNDERLAY) for draw in MENU_PICTURES])
    write(os.path.join(demo_dir, "menuglyphs.bmp"), bmp_bytes(glyphs))
    write(os.path.join(demo_dir, "backdrop.bmp"), bmp_bytes(gallery_backdrop()))
    write(os.path.join(demo_dir, "speedglyphs.bmp"), bmp_bytes(gallery_glyphs()))
    for name, pic in sorted(player_glyphs().items()):
        write(os.path.join(player_dir, name), bmp_bytes(pic))
    print("%d skin pictures and lightblue.ini in %s" % (len(pics), skin_dir))
    print("%d button pictures and tessaly.ico in %s" % (len(BUTTON_PICTURES), res_dir))
    print("%d menu pictures in %s" % (len(MENU_PICTURES), demo_dir))


if __name__ == "__main__":
    main()
