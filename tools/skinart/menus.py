"""Menus: the menu bar behind a window's menu, the items (separator and
selection looks) and the background of a drop-down menu.
"""

from boxes import box, frames
from lightblue_palette import ACCENT_DARK, BORDER, BORDER_OFF, FRAME_ACTIVE, FRAME_INACTIVE, SEPARATOR, WHITE
from pixels import Picture, mix, stacked


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
