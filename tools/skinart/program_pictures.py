"""The program's own pictures, anti-aliased with the vector renderer: the
icon and the 32 x 32 pictures on its buttons, and the folder, padlock, key,
pencil and check mark they are made of.
"""

import vector as v


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
