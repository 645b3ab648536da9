"""Pixel canvases and the two file formats the skin art is stored in.

`Picture` is a plain RGB canvas for crisp pixel work: rectangles, lines,
gradients, glyphs typed as text, key-colour cut-outs. `RGBAImage` holds the
straight-alpha result of the vector renderer for icons. Both are written
with nothing but `struct`: 24-bit BMP for pictures, a multi-size ICO with
32-bit colour, alpha and an AND mask for the program icon.
"""

import struct

KEY = (255, 0, 255)  # the transparent colour of every skin picture


def mix(a, b, t):
    """Colour a moved towards b by the fraction t (0 keeps a, 1 gives b)."""
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def ramp(stops, t):
    """Colour at t in [0, 1] along evenly spaced colour stops."""
    if len(stops) == 1:
        return stops[0]
    t = min(max(t, 0.0), 1.0) * (len(stops) - 1)
    i = min(int(t), len(stops) - 2)
    return mix(stops[i], stops[i + 1], t - i)


class Picture:
    """An RGB canvas, row-major, origin at the top-left corner."""

    def __init__(self, width, height, fill=KEY):
        self.width = width
        self.height = height
        self.rows = [[fill] * width for _ in range(height)]

    def get(self, x, y):
        return self.rows[y][x]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fill the half-open rectangle [x0, x1) x [y0, y1)."""
        for y in range(max(y0, 0), min(y1, self.height)):
            row = self.rows[y]
            for x in range(max(x0, 0), min(x1, self.width)):
                row[x] = colour

    def vgradient(self, x0, y0, x1, y1, stops):
        """Top-to-bottom gradient through the colour stops."""
        span = max(y1 - y0 - 1, 1)
        for y in range(y0, y1):
            self.fill(x0, y, x1, y + 1, ramp(stops, (y - y0) / span))

    def hgradient(self, x0, y0, x1, y1, stops):
        """Left-to-right gradient through the colour stops."""
        span = max(x1 - x0 - 1, 1)
        for x in range(x0, x1):
            self.fill(x, y0, x + 1, y1, ramp(stops, (x - x0) / span))

    def frame(self, x0, y0, x1, y1, colour):
        """One-pixel outline of the half-open rectangle."""
        self.fill(x0, y0, x1, y0 + 1, colour)
        self.fill(x0, y1 - 1, x1, y1, colour)
        self.fill(x0, y0, x0 + 1, y1, colour)
        self.fill(x1 - 1, y0, x1, y1, colour)

    def glyph(self, x, y, art, colours):
        """Stamp text art: each character found in `colours` sets a pixel,
        every other character (conventionally '.') leaves it alone."""
        for dy, line in enumerate(art):
            for dx, ch in enumerate(line):
                if ch in colours:
                    self.set(x + dx, y + dy, colours[ch])

    def blit(self, other, x, y, keyed=False):
        """Copy another picture here; keyed copies skip its key pixels."""
        for sy in range(other.height):
            for sx in range(other.width):
                c = other.rows[sy][sx]
                if not (keyed and c == KEY):
                    self.set(x + sx, y + sy, c)

    def crop(self, x0, y0, x1, y1):
        part = Picture(x1 - x0, y1 - y0)
        part.rows = [row[x0:x1] for row in self.rows[y0:y1]]
        return part

    def transposed(self):
        """Mirror across the main diagonal: turns a horizontal design into
        the matching vertical one (rows become columns)."""
        out = Picture(self.height, self.width)
        out.rows = [list(col) for col in zip(*self.rows)]
        return out

    def flipped_h(self):
        out = Picture(self.width, self.height)
        out.rows = [row[::-1] for row in self.rows]
        return out

    def flipped_v(self):
        out = Picture(self.width, self.height)
        out.rows = [list(row) for row in self.rows[::-1]]
        return out

    def colours(self):
        return {c for row in self.rows for c in row}


def side_by_side(frames):
    """Join equal-height frames left to right into one strip."""
    height = frames[0].height
    assert all(f.height == height for f in frames), "frames differ in height"
    out = Picture(sum(f.width for f in frames), height)
    x = 0
    for f in frames:
        out.blit(f, x, 0)
        x += f.width
    return out


def stacked(frames):
    """Join equal-width frames top to bottom into one strip."""
    width = frames[0].width
    assert all(f.width == width for f in frames), "frames differ in width"
    out = Picture(width, sum(f.height for f in frames))
    y = 0
    for f in frames:
        out.blit(f, 0, y)
        y += f.height
    return out


def bmp_bytes(picture):
    """A 24-bit bottom-up BMP file with a BITMAPINFOHEADER."""
    stride = (picture.width * 3 + 3) & ~3
    pad = b"\0" * (stride - picture.width * 3)
    body = bytearray()
    for row in reversed(picture.rows):
        for r, g, b in row:
            body += bytes((b, g, r))
        body += pad
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(body), 0, 0, header_size)
    info = struct.pack("<IiiHHIIiiII", 40, picture.width, picture.height, 1, 24, 0,
                       len(body), 2835, 2835, 0, 0)
    return file_header + info + bytes(body)


class RGBAImage:
    """Straight (non-premultiplied) RGBA pixels with alpha in 0..255."""

    def __init__(self, width, height, pixels):
        self.width = width
        self.height = height
        self.pixels = pixels  # rows of (r, g, b, a)

    def flattened(self, background, key=KEY, threshold=96):
        """An RGB picture for a keyed bitmap: pixels at least `threshold`
        opaque are blended over `background` (the colour the picture will
        sit on), the rest become the key colour."""
        out = Picture(self.width, self.height, key)
        for y, row in enumerate(self.pixels):
            for x, (r, g, b, a) in enumerate(row):
                if a >= threshold:
                    c = mix(background, (r, g, b), a / 255)
                    out.set(x, y, c if c != key else (254, 0, 255))
        return out


def ico_bytes(images):
    """An icon file holding one 32-bit image per size (alpha in the colour
    data, plus the 1-bit AND mask that older readers use)."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for img in images:
        w, h = img.width, img.height
        colour = bytearray()
        for row in reversed(img.pixels):
            for r, g, b, a in row:
                colour += bytes((b, g, r, a))
        mask_stride = ((w + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(img.pixels):
            bits = bytearray(mask_stride)
            for x, (_, _, _, a) in enumerate(row):
                if a < 128:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0,
                           len(colour) + len(mask), 0, 0, 0, 0)
        blob = info + bytes(colour) + bytes(mask)
        entries.append(struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32,
                                   len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)
