#!/usr/bin/env python3
"""Generate a synthetic skin-package corpus for benchmarking the LZH decoder.

corpus.bin    : ~720 KB = INI-like text (~5 KB) + 33 uncompressed 24-bit BMPs
corpus4m.bin  : 4 MiB  = packages generated with different seeds/colour
                schemes/size jitter, concatenated and truncated to 4 MiB.

Pure Python, deterministic (seeded), no third-party modules.
Usage: python3 gen_corpus.py [outdir]   (default: the current directory)
"""
import os
import random
import struct
import sys

MAGENTA = (255, 0, 255)


def bmp_bytes(w, h, px):
    """px: list of rows (top to bottom), each a list of (r,g,b)."""
    row_len = (w * 3 + 3) & ~3
    pad = b"\0" * (row_len - w * 3)
    data = bytearray()
    for y in range(h - 1, -1, -1):          # BMP rows are stored bottom-up
        row = px[y]
        for (r, g, b) in row:
            data += bytes((b, g, r))        # BGR order
        data += pad
    size = 14 + 40 + len(data)
    hdr = struct.pack("<2sIHHI", b"BM", size, 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data),
                       2835, 2835, 0, 0)
    return hdr + info + bytes(data)


def clamp(v):
    return 0 if v < 0 else 255 if v > 255 else int(v)


def lerp(c1, c2, t):
    return tuple(clamp(a + (b - a) * t) for a, b in zip(c1, c2))


def shade(c, d):
    return tuple(clamp(x + d) for x in c)


def inside_rounded(x, y, x0, y0, x1, y1, rad):
    """Is pixel (x,y) inside the rounded rect [x0,x1) x [y0,y1)?"""
    if x < x0 or x >= x1 or y < y0 or y >= y1:
        return False
    cx = None
    if x < x0 + rad:
        cx = x0 + rad
    elif x >= x1 - rad:
        cx = x1 - rad
    cy = None
    if y < y0 + rad:
        cy = y0 + rad
    elif y >= y1 - rad:
        cy = y1 - rad
    if cx is None or cy is None:
        return True
    # corner circle centred at (cx, cy); test the pixel centre
    return (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= rad * rad


class Scheme:
    def __init__(self, rnd):
        base = (rnd.randint(40, 200), rnd.randint(40, 200), rnd.randint(60, 230))
        self.title_top = shade(base, 60)
        self.title_bot = shade(base, -30)
        self.face = (rnd.randint(200, 240),) * 3
        self.face = (self.face[0], self.face[1] - rnd.randint(0, 8),
                     self.face[2] - rnd.randint(0, 16))
        self.border = shade(base, -70)
        self.light = (255, 255, 255)
        self.shadow = shade(self.face, -90)
        self.text = (rnd.randint(0, 40),) * 3
        self.accent = (rnd.randint(150, 255), rnd.randint(80, 180), rnd.randint(0, 80))
        self.noise = rnd.choice((0, 1, 2, 3))


# ---------------------------------------------------------------- images

def img_window_frame(rnd, sc, w, h):
    """Window frame: title-bar gradient, border, flat face, rounded top corners."""
    title_h = max(6, min(h // 3, rnd.randint(18, 26)))
    rad = rnd.choice((4, 5, 6, 8))
    px = []
    for y in range(h):
        row = []
        for x in range(w):
            if not inside_rounded(x, y, 0, 0, w, h + rad, rad):
                row.append(MAGENTA)
                continue
            if x == 0 or x == w - 1 or y == 0 or y == h - 1:
                row.append(sc.border)
            elif x == 1 or y == 1:
                row.append(sc.light)
            elif y < title_h:
                c = lerp(sc.title_top, sc.title_bot, y / title_h)
                # slight horizontal sheen
                c = shade(c, int(12 * (1 - abs(2 * x / w - 1))))
                row.append(c)
            elif x < 4 or x >= w - 4 or y >= h - 4:
                row.append(lerp(sc.title_bot, sc.border, 0.3))
            else:
                row.append(sc.face)
        px.append(row)
    return px


def img_button_stripe(rnd, sc, w, h, frames):
    """4-6 button states side by side, rounded rects on magenta."""
    fw = w // frames
    rad = rnd.choice((3, 4, 5, 6))
    deltas = [0, 18, -20, 8, -35, 25][:frames]
    px = [[MAGENTA] * w for _ in range(h)]
    for f in range(frames):
        x0 = f * fw
        top = shade(sc.face, 25 + deltas[f])
        bot = shade(sc.face, -25 + deltas[f])
        if f == 2:                      # pressed: inverted gradient
            top, bot = bot, top
        if f == frames - 1 and frames >= 5:   # disabled: grey
            top, bot = (220, 220, 220), (190, 190, 190)
        for y in range(1, h - 1):
            c = lerp(top, bot, y / h)
            for x in range(x0 + 1, x0 + fw - 1):
                if inside_rounded(x, y, x0 + 1, 1, x0 + fw - 1, h - 1, rad):
                    edge = (not inside_rounded(x - 1, y, x0 + 1, 1, x0 + fw - 1, h - 1, rad)
                            or not inside_rounded(x + 1, y, x0 + 1, 1, x0 + fw - 1, h - 1, rad)
                            or y == 1 or y == h - 2)
                    if edge:
                        px[y][x] = sc.border if f != 1 else sc.accent
                    else:
                        px[y][x] = c
    return px


def img_gradient_bar(rnd, sc, w, h, vertical):
    """Scrollbar / progress / caption piece: plain gradient plus 1px borders."""
    c1 = rnd.choice((sc.title_top, sc.face, sc.accent))
    c2 = shade(c1, -rnd.randint(30, 80))
    px = []
    for y in range(h):
        row = []
        for x in range(w):
            t = (x / max(1, w - 1)) if vertical else (y / max(1, h - 1))
            c = lerp(c1, c2, t)
            if x == 0 or y == 0:
                c = sc.light
            elif x == w - 1 or y == h - 1:
                c = sc.shadow
            row.append(c)
        px.append(row)
    return px


def img_flat_panel(rnd, sc, w, h):
    """Flat colour areas with a grip/separator, some dither noise."""
    split = rnd.randint(h // 4, 3 * h // 4)
    px = []
    for y in range(h):
        row = []
        for x in range(w):
            if y == split or x == w // 2:
                c = sc.shadow
            elif y < split:
                c = sc.face
            else:
                c = shade(sc.face, -12)
            if sc.noise and (x * 7 + y * 13) % 5 == 0:
                c = shade(c, rnd.randint(-sc.noise, sc.noise))
            row.append(c)
        px.append(row)
    return px


def img_glyph_stripe(rnd, sc, w, h, frames):
    """Check box / radio / arrow glyphs: small frames on magenta."""
    fw = w // frames
    px = [[MAGENTA] * w for _ in range(h)]
    for f in range(frames):
        x0 = f * fw
        r = min(fw, h) / 2 - 1
        cx, cy = x0 + fw / 2, h / 2
        for y in range(h):
            for x in range(x0, x0 + fw):
                d2 = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
                if d2 <= r * r:
                    c = lerp(sc.light, sc.face, (y / h))
                    if d2 >= (r - 1.2) ** 2:
                        c = sc.border
                    elif f % 2 == 1 and d2 <= (r / 2.5) ** 2:
                        c = sc.text
                    px[y][x] = c
    return px


def img_texture(rnd, sc, w, h):
    """Background tile with noise (less compressible)."""
    px = []
    for y in range(h):
        row = []
        for x in range(w):
            c = shade(sc.face, ((x ^ y) & 7) - 4 + rnd.randint(-3, 3))
            row.append(c)
        px.append(row)
    return px


# sizes: (kind, w, h, frames) -- 33 images, sizes 12x30 .. 200x120
LAYOUT = [
    ("frame", 200, 120, 0), ("frame", 180, 110, 0), ("frame", 160, 100, 0),
    ("stripe", 200, 24, 5), ("stripe", 180, 23, 4), ("stripe", 192, 26, 6),
    ("stripe", 160, 22, 4), ("stripe", 200, 30, 5), ("stripe", 150, 21, 6),
    ("glyph", 78, 13, 6), ("glyph", 64, 16, 4), ("glyph", 90, 15, 6),
    ("glyph", 80, 16, 5),
    ("bar", 12, 30, 1), ("bar", 16, 48, 1), ("bar", 120, 18, 0),
    ("bar", 200, 22, 0), ("bar", 17, 100, 1), ("bar", 14, 64, 1),
    ("bar", 190, 28, 0), ("bar", 12, 120, 1),
    ("panel", 200, 120, 0), ("panel", 140, 90, 0), ("panel", 100, 60, 0),
    ("panel", 200, 80, 0),
    ("texture", 64, 64, 0), ("texture", 48, 48, 0),
    ("frame", 120, 90, 0), ("frame", 200, 100, 0), ("frame", 96, 72, 0),
    ("stripe", 120, 20, 4), ("panel", 160, 90, 0), ("frame", 140, 80, 0),
]


def make_image(rnd, sc, kind, w, h, frames):
    if kind == "frame":
        return img_window_frame(rnd, sc, w, h)
    if kind == "stripe":
        return img_button_stripe(rnd, sc, w, h, frames)
    if kind == "glyph":
        return img_glyph_stripe(rnd, sc, w, h, frames)
    if kind == "bar":
        return img_gradient_bar(rnd, sc, w, h, bool(frames))
    if kind == "panel":
        return img_flat_panel(rnd, sc, w, h)
    if kind == "texture":
        return img_texture(rnd, sc, w, h)
    raise ValueError(kind)


def make_ini(rnd, names, sizes):
    out = ["; skin description", "[Skin]", "Name=Synthetic %d" % rnd.randint(1, 999),
           "Author=generator", "Version=1.%d" % rnd.randint(0, 9), "Transparent=FF00FF", ""]
    for i, n in enumerate(names):
        sect = n.split(".")[0]
        out.append("[%s]" % sect)
        out.append("Bitmap=%s" % n)
        out.append("Size=%d,%d" % sizes[i])
        out.append("Frames=%d" % rnd.choice((1, 1, 4, 5, 6)))
        out.append("Margins=%d,%d,%d,%d" % tuple(rnd.randint(0, 8) for _ in range(4)))
        out.append("Stretch=%s" % rnd.choice(("Tile", "Stretch", "None")))
        out.append("FontColor=%06X" % rnd.randint(0, 0xFFFFFF))
        out.append("HotFontColor=%06X" % rnd.randint(0, 0xFFFFFF))
        out.append("Alpha=%d" % rnd.choice((255, 255, 200, 128)))
        out.append("")
    return ("\r\n".join(out) + "\r\n").encode("ascii")


def make_package(seed, jitter=False):
    rnd = random.Random(seed)
    sc = Scheme(rnd)
    blobs, names, sizes = [], [], []
    for i, (kind, w, h, frames) in enumerate(LAYOUT):
        if jitter:
            w = max(12, min(200, w + rnd.randint(-8, 8)))
            h = max(12, min(120, h + rnd.randint(-4, 4)))
        blobs.append(bmp_bytes(w, h, make_image(rnd, sc, kind, w, h, frames)))
        names.append("%s%02d.bmp" % (kind, i))
        sizes.append((w, h))
    ini = make_ini(rnd, names, sizes)
    return ini + b"".join(blobs), len(ini), len(blobs)


def main():
    outdir = sys.argv[1] if len(sys.argv) > 1 else "."
    data, ini_len, nbmp = make_package(1)
    with open(os.path.join(outdir, "corpus.bin"), "wb") as f:
        f.write(data)
    print("corpus.bin: %d bytes (%d BMPs, INI %d bytes)" % (len(data), nbmp, ini_len))

    target = 4 * 1024 * 1024
    big = bytearray()
    seed = 1
    while len(big) < target:
        pkg, _, _ = make_package(seed, jitter=(seed > 1))
        big += pkg
        seed += 1
    del big[target:]
    with open(os.path.join(outdir, "corpus4m.bin"), "wb") as f:
        f.write(big)
    print("corpus4m.bin: %d bytes (%d packages, seeds 1..%d)" % (len(big), seed - 1, seed - 1))


if __name__ == "__main__":
    main()
