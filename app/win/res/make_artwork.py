#!/usr/bin/env python3
"""Draws Tarvex's artwork and writes it as Windows icon files.

The pictures are simple vector shapes rendered with 4x supersampling, so the
script needs nothing beyond the standard library. Run it after changing a
drawing; the .ico files it writes are committed beside it.

  python3 make_artwork.py      (writes into this folder)
"""

import math
import os
import struct

SUPERSAMPLE = 4


class Canvas:
    """An RGBA picture drawn in unit coordinates (0..1 across the picture)."""

    def __init__(self, size):
        self.size = size
        self.big = size * SUPERSAMPLE
        self.pixels = [[(0, 0, 0, 0)] * self.big for _ in range(self.big)]

    def fill(self, inside, colour):
        """Paints every sample whose centre satisfies inside(x, y) (unit coordinates)."""
        n = self.big
        for py in range(n):
            y = (py + 0.5) / n
            row = self.pixels[py]
            for px in range(n):
                x = (px + 0.5) / n
                if inside(x, y):
                    row[px] = blend(row[px], colour(x, y) if callable(colour) else colour)

    def rounded_rect(self, left, top, right, bottom, radius, colour):
        def inside(x, y):
            if not (left <= x <= right and top <= y <= bottom):
                return False
            cx = min(max(x, left + radius), right - radius)
            cy = min(max(y, top + radius), bottom - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
        self.fill(inside, colour)

    def circle(self, cx, cy, r, colour, inner=0.0):
        self.fill(lambda x, y: inner ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r ** 2, colour)

    def polygon(self, points, colour):
        def inside(x, y):
            result = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    result = not result
                j = i
            return result
        self.fill(inside, colour)

    def arc(self, cx, cy, r, width, start_deg, end_deg, colour):
        def inside(x, y):
            d = math.hypot(x - cx, y - cy)
            if abs(d - r) > width / 2:
                return False
            angle = math.degrees(math.atan2(cy - y, x - cx)) % 360
            return start_deg <= angle <= end_deg
        self.fill(inside, colour)

    def downsampled(self):
        """The picture at its real size: each pixel the average of its samples."""
        out = []
        s = SUPERSAMPLE
        for y in range(self.size):
            row = []
            for x in range(self.size):
                r = g = b = a = 0
                for sy in range(s):
                    for sx in range(s):
                        pr, pg, pb, pa = self.pixels[y * s + sy][x * s + sx]
                        r += pr * pa
                        g += pg * pa
                        b += pb * pa
                        a += pa
                count = s * s
                if a == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append((round(r / a), round(g / a), round(b / a), round(a / count)))
            out.append(row)
        return out


def blend(under, over):
    r, g, b, a = over
    if a >= 255:
        return over
    ur, ug, ub, ua = under
    fa = a / 255.0
    out_a = a + ua * (1 - fa)
    if out_a == 0:
        return (0, 0, 0, 0)
    mix = lambda o, u: round((o * a + u * ua * (1 - fa)) / out_a)
    return (mix(r, ur), mix(g, ug), mix(b, ub), round(out_a))


def vertical_gradient(top, bottom):
    def colour(x, y):
        return tuple(round(t + (b - t) * y) for t, b in zip(top, bottom)) + (255,)
    return colour


def write_ico(path, pictures):
    """pictures: list of downsampled RGBA rows; writes 32-bit DIB icon entries."""
    entries = []
    for rows in pictures:
        size = len(rows)
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        xor = bytearray()
        for row in reversed(rows):  # bottom-up
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(rows):
            bits = bytearray(mask_stride)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        entries.append((size, header + xor + mask))
    data = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    directory = b""
    images = b""
    for size, blob in entries:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        images += blob
    with open(path, "wb") as f:
        f.write(data + directory + images)


def program_icon(size):
    """A blue card with a shifting clock arrow above two subtitle lines."""
    c = Canvas(size)
    c.rounded_rect(0.03, 0.03, 0.97, 0.97, 0.18, vertical_gradient((40, 110, 200), (16, 52, 120)))
    c.arc(0.5, 0.36, 0.2, 0.09, 40, 320, (255, 204, 51, 255))
    c.polygon([(0.62, 0.12), (0.80, 0.20), (0.62, 0.30)], (255, 204, 51, 255))
    c.circle(0.5, 0.36, 0.045, (255, 204, 51, 255))
    c.rounded_rect(0.16, 0.66, 0.84, 0.75, 0.04, (255, 255, 255, 255))
    c.rounded_rect(0.28, 0.80, 0.72, 0.89, 0.04, (255, 255, 255, 235))
    return c.downsampled()


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_ico(os.path.join(here, "tarvex.ico"), [program_icon(16), program_icon(48)])


if __name__ == "__main__":
    main()
