"""Tabs and the pane under them, list headers, and the status bar's
panel edges.
"""

from boxes import box, frames
from lightblue_palette import ACCENT, BORDER, BORDER_HOT, BORDER_OFF, BUTTON_FACE, FACE_OFF, SEPARATOR, WHITE
from pixels import Picture, mix


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
