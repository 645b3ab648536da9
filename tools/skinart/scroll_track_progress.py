"""Scroll bars (arrows, grips, tracks, thumbs), track bar thumbs, the
progress bar and the up-down control's faces and arrows.
"""

from boxes import SCROLL_STATES, box, embossed, frames
from lightblue_palette import (ACCENT_DARK, BORDER, BORDER_DOWN, BORDER_FOCUS, BORDER_HOT, BORDER_OFF,
                               BUTTON_FACE, FACE, FACE_HOT, FACE_OFF, FOCUS_RING, INK, INK_HOT, INK_OFF,
                               LOOKS, PROGRESS_FILL, SCROLL, TRACK, WHITE)
from pixels import KEY, Picture, mix, ramp, side_by_side


# ---------------------------------------------------------------------------
# Scroll bars
# ---------------------------------------------------------------------------

ARROW_UP = ["...#...", "..###..", ".#####.", "#######"]
ARROW_LEFT = ["...#", "..##", ".###", "####", ".###", "..##", "...#"]


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
# Progress bar
# ---------------------------------------------------------------------------

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
