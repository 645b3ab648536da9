"""Buttons and the controls built like them: push buttons, check boxes,
radio buttons, group boxes, tool-bar buttons, and the combo box's edit
border, drop button, arrow glyphs (with the status bar's size grip).
"""

from boxes import BUTTON_STATES, SCROLL_STATES, box, embossed, frames, round_corners
from lightblue_palette import (ACCENT, ACCENT_DARK, BORDER, BORDER_DOWN, BORDER_HOT, BORDER_OFF,
                               BUTTON_FACE, EDIT_BORDERS, FACE_DOWN, FACE_HOT, FACE_OFF, FOCUS_RING,
                               INK, INK_HOT, INK_OFF, LOOKS, WHITE)
from pixels import KEY, Picture, mix, ramp


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
# Group boxes and tool-bar buttons
# ---------------------------------------------------------------------------

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


# ---------------------------------------------------------------------------
# Combo boxes: edit border, drop button, arrow glyphs and size grip
# ---------------------------------------------------------------------------


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
