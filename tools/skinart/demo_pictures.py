"""The demo program's pictures: its 16 x 16 menu pictures (page, folder,
save, tile), the gallery's backdrop and its speed-button glyph strip.
"""

import vector as v
from pixels import Picture, side_by_side
from program_pictures import folder, outlined, picture_save


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
