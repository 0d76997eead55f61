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


def logo(size=32):
    """The round logo: a white "T" on a blue disc; the corners stay clear so
    the animation frames drawn behind it show through."""
    c = Canvas(size)
    c.circle(0.5, 0.5, 0.36, vertical_gradient((60, 140, 230), (20, 60, 140)))
    c.rounded_rect(0.30, 0.30, 0.70, 0.40, 0.03, (255, 255, 255, 255))
    c.rounded_rect(0.45, 0.30, 0.55, 0.72, 0.03, (255, 255, 255, 255))
    return c.downsampled()


def logo_frame(step, size=32):
    """Frame `step` (1..4) of the animation: a ring of rays around the logo
    that grows by a quarter turn each step."""
    c = Canvas(size)
    colours = [(255, 204, 51, 255), (255, 153, 51, 255), (240, 90, 60, 255), (200, 60, 160, 255)]
    for quarter in range(step):
        start = 45 + 90 * quarter
        c.arc(0.5, 0.5, 0.43, 0.12, start - 40, start + 40, colours[quarter])
        angle = math.radians(start)
        c.circle(0.5 + 0.47 * math.cos(angle), 0.5 - 0.47 * math.sin(angle), 0.05, colours[quarter])
    return c.downsampled()


# A 5-by-7 pixel font with the letters the donate button needs.
GLYPHS = {
    "D": ["1110.", "1..1.", "1...1", "1...1", "1...1", "1..1.", "1110."],
    "o": [".....", ".....", ".111.", "1...1", "1...1", "1...1", ".111."],
    "n": [".....", ".....", "1.11.", "11..1", "1...1", "1...1", "1...1"],
    "a": [".....", ".....", ".111.", "....1", ".1111", "1...1", ".1111"],
    "t": [".1...", ".1...", "1111.", ".1...", ".1...", ".1..1", "..11."],
    "e": [".....", ".....", ".111.", "1...1", "11111", "1....", ".111."],
}


def donate_button(width=74, height=21):
    """A rounded yellow button with a dark blue "Donate" across it."""
    pixels = [[(0, 0, 0, 0)] * width for _ in range(height)]
    c = Canvas(max(width, height))
    # Draw the body on a square canvas, then keep the button's own rows.
    scale = max(width, height)
    c.rounded_rect(0.5 / scale, 0.5 / scale, (width - 0.5) / scale, (height - 0.5) / scale, 6 / scale,
                   vertical_gradient((255, 224, 120), (247, 176, 40)))
    body = c.downsampled()
    for y in range(height):
        for x in range(width):
            pixels[y][x] = body[y][x]
    text = "Donate"
    text_width = len(text) * 6 - 1
    left = (width - text_width) // 2
    top = (height - 7) // 2
    for index, letter in enumerate(text):
        for row, bits in enumerate(GLYPHS[letter]):
            for column, bit in enumerate(bits):
                if bit == "1":
                    pixels[top + row][left + index * 6 + column] = (20, 50, 110, 255)
    # Without an alpha channel the corners take the dialog's face colour.
    face = (240, 240, 240)
    flat = []
    for row in pixels:
        flat.append([tuple(round(ch * a / 255 + f * (255 - a) / 255) for ch, f in zip((r, g, b), face))
                     for r, g, b, a in row])
    return flat


def write_bmp(path, rows):
    """24-bit bottom-up BMP."""
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_ico(os.path.join(here, "tarvex.ico"), [program_icon(16), program_icon(32), program_icon(48)])
    write_ico(os.path.join(here, "logo.ico"), [logo()])
    for step in range(1, 5):
        write_ico(os.path.join(here, "logo_frame%d.ico" % step), [logo_frame(step)])
    write_bmp(os.path.join(here, "donate.bmp"), donate_button())


if __name__ == "__main__":
    main()
