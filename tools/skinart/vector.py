"""A small anti-aliased vector renderer for the icon and button pictures.

Shapes are point predicates with a bounding box, in the drawing's own unit
grid; `Canvas` samples each pixel on an N x N grid and composites the
covered fraction with straight "over" blending. Slow but exact enough for
pictures of at most 48 x 48 pixels, and fully deterministic.
"""

import math

from pixels import RGBAImage


class Shape:
    """Base of all shapes: `box` is (x0, y0, x1, y1) in units."""

    box = (0.0, 0.0, 0.0, 0.0)

    def inside(self, x, y):
        raise NotImplementedError

    def __or__(self, other):
        return Union(self, other)

    def __sub__(self, other):
        return Difference(self, other)


class Polygon(Shape):
    def __init__(self, *points):
        self.points = points
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.box = (min(xs), min(ys), max(xs), max(ys))

    def inside(self, x, y):
        hit = False
        pts = self.points
        j = len(pts) - 1
        for i in range(len(pts)):
            (xi, yi), (xj, yj) = pts[i], pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r2 = cx, cy, r * r
        self.box = (cx - r, cy - r, cx + r, cy + r)

    def inside(self, x, y):
        return (x - self.cx) ** 2 + (y - self.cy) ** 2 <= self.r2


class RoundRect(Shape):
    def __init__(self, x0, y0, x1, y1, r=0.0):
        self.box = (x0, y0, x1, y1)
        self.r = min(r, (x1 - x0) / 2, (y1 - y0) / 2)

    def inside(self, x, y):
        x0, y0, x1, y1 = self.box
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        r = self.r
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r


class Stroke(Shape):
    """A thick line with round ends through the given points."""

    def __init__(self, width, *points):
        self.h = width / 2
        self.segments = list(zip(points, points[1:]))
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.box = (min(xs) - self.h, min(ys) - self.h, max(xs) + self.h, max(ys) + self.h)

    def inside(self, x, y):
        for (ax, ay), (bx, by) in self.segments:
            vx, vy = bx - ax, by - ay
            length2 = vx * vx + vy * vy
            t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / length2))
            px, py = ax + t * vx - x, ay + t * vy - y
            if px * px + py * py <= self.h * self.h:
                return True
        return False


class Arc(Shape):
    """A band of the given width along a circle, between two angles in
    degrees (0 = right, 90 = down, measured clockwise on screen)."""

    def __init__(self, cx, cy, r, width, start, end):
        self.cx, self.cy, self.r, self.h = cx, cy, r, width / 2
        self.start, self.end = start % 360, end % 360
        reach = r + self.h
        self.box = (cx - reach, cy - reach, cx + reach, cy + reach)

    def inside(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        if abs(math.hypot(dx, dy) - self.r) > self.h:
            return False
        a = math.degrees(math.atan2(dy, dx)) % 360
        if self.start <= self.end:
            return self.start <= a <= self.end
        return a >= self.start or a <= self.end


class Union(Shape):
    def __init__(self, *shapes):
        self.shapes = shapes
        self.box = (min(s.box[0] for s in shapes), min(s.box[1] for s in shapes),
                    max(s.box[2] for s in shapes), max(s.box[3] for s in shapes))

    def inside(self, x, y):
        return any(s.inside(x, y) for s in self.shapes)


class Difference(Shape):
    def __init__(self, keep, cut):
        self.keep, self.cut = keep, cut
        self.box = keep.box

    def inside(self, x, y):
        return self.keep.inside(x, y) and not self.cut.inside(x, y)


def vertical(y0, y1, *stops):
    """A paint that runs through colour stops from unit row y0 to y1."""
    from pixels import ramp

    def paint(_x, y):
        return ramp(stops, (y - y0) / (y1 - y0))
    return paint


class Canvas:
    """An RGBA drawing surface of `size` pixels showing `units` units."""

    def __init__(self, size, units, samples=6):
        self.size = size
        self.scale = units / size
        self.samples = samples
        self.rgb = [[(0.0, 0.0, 0.0)] * size for _ in range(size)]
        self.alpha = [[0.0] * size for _ in range(size)]

    def _coverage(self, shape):
        """Yield (x, y, covered fraction, centre in units) per touched pixel."""
        x0, y0, x1, y1 = shape.box
        s = self.scale
        n = self.samples
        for py in range(max(int(y0 / s) - 1, 0), min(int(y1 / s) + 2, self.size)):
            for px in range(max(int(x0 / s) - 1, 0), min(int(x1 / s) + 2, self.size)):
                hits = 0
                for j in range(n):
                    uy = (py + (j + 0.5) / n) * s
                    for i in range(n):
                        if shape.inside((px + (i + 0.5) / n) * s, uy):
                            hits += 1
                if hits:
                    yield px, py, hits / (n * n), ((px + 0.5) * s, (py + 0.5) * s)

    def paint(self, shape, colour, opacity=1.0):
        """Composite the shape over the canvas in a colour or a paint
        function of the unit position."""
        for x, y, cover, (ux, uy) in self._coverage(shape):
            c = colour(ux, uy) if callable(colour) else colour
            a = cover * opacity
            old_a = self.alpha[y][x]
            new_a = a + old_a * (1 - a)
            old = self.rgb[y][x]
            self.rgb[y][x] = tuple((c[k] * a + old[k] * old_a * (1 - a)) / new_a for k in range(3))
            self.alpha[y][x] = new_a

    def erase(self, shape):
        """Make the shape's area transparent again."""
        for x, y, cover, _ in self._coverage(shape):
            self.alpha[y][x] *= 1 - cover

    def image(self):
        rows = []
        for y in range(self.size):
            row = []
            for x in range(self.size):
                a = self.alpha[y][x]
                r, g, b = self.rgb[y][x]
                row.append((int(round(r)), int(round(g)), int(round(b)), int(round(a * 255))))
            rows.append(row)
        return RGBAImage(self.size, self.size, rows)
