#!/usr/bin/env python3
"""Draws the sample CD's pictures and writes them as Windows bitmap files.

  cd/splash.bmp    the launcher's splash picture: 365 x 140 pixels, 8 bits per
                   pixel with its own colour table of 160 colours
  setup/setup.ico  the launcher's icon: 32 x 32 and 16 x 16, 16 colours each

Everything is drawn here from shapes and a small pixel font; the files are
written byte by byte. Run it from anywhere: python3 cd/make_pictures.py
The output is the same on every run, and the generated files are committed.
"""
import math
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# ---- a 5 x 9 pixel font: rows 0-6 stand on the baseline, 7-8 descend ----
FONT = {
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["###..", "#..#.", "#...#", "#...#", "#...#", "#..#.", "###.."],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "i": ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    "l": [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "n": [".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    "p": [".....", ".....", "####.", "#...#", "#...#", "#...#", "####.", "#....", "#...."],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    "s": [".....", ".....", ".####", "#....", ".###.", "....#", "####."],
    "t": [".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##."],
    "v": [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    " ": ["....."] * 7,
}


def text_pixels(text, scale, spacing=1):
    """Yields (x, y) of the set pixels of `text`, origin at its top left."""
    x0 = 0
    for ch in text:
        for row, bits in enumerate(FONT[ch]):
            for col, bit in enumerate(bits):
                if bit == "#":
                    for dy in range(scale):
                        for dx in range(scale):
                            yield x0 + col * scale + dx, row * scale + dy
        x0 += (5 + spacing) * scale


def text_width(text, scale, spacing=1):
    return len(text) * (5 + spacing) * scale - spacing * scale


# ---- bitmap files ----
def bmp_bytes(width, height, palette, rows):
    """An 8-bit bitmap file. palette: list of (r, g, b); rows: top row first,
    each a list of palette indices."""
    stride = (width + 3) & ~3
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    pixels = b"".join(bytes(row) + b"\0" * (stride - width) for row in reversed(rows))
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835,
                       len(palette), 0)
    return header + info + table + pixels


def splash():
    """The splash picture: a deep blue to teal sky, a disc rising on the
    right, a sheet of paper and the product's name."""
    width, height = 365, 140
    shades = 64
    palette = []
    base = []
    for i in range(shades):  # 0..63: the background, top left to bottom right
        t = i / (shades - 1)
        base.append((int(12 + 10 * t), int(28 + 102 * t), int(84 + 66 * t)))
    palette += base
    palette += [(min(255, r + 34), min(255, g + 34), min(255, b + 40)) for r, g, b in base]  # 64..127: the disc
    WHITE, PAPER_SHADE, LINE, SHADOW, TITLE, TITLE_SHADOW, SUBTITLE, ACCENT = range(128, 136)
    palette += [(255, 255, 255), (206, 214, 222), (150, 170, 190), (6, 16, 48),
                (255, 252, 240), (4, 12, 40), (180, 226, 232), (244, 164, 52)]
    # 136..159: the disc's rim, a soft light ring
    for i in range(24):
        t = i / 23
        palette.append((int(120 + 100 * t), int(190 + 50 * t), int(210 + 40 * t)))
    RIM = 136

    rows = []
    cx, cy = 318, 118
    for y in range(height):
        row = []
        for x in range(width):
            t = (x / (width - 1)) * 0.55 + (y / (height - 1)) * 0.45
            shade = min(shades - 1, int(t * shades))
            d = math.hypot(x - cx, y - cy)
            if 16 <= d < 92:
                shade += shades
                if 88 <= d:
                    shade = RIM + min(23, int((d - 88) * 6))
            row.append(shade)
        rows.append(row)

    def fill(x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(height, y1)):
            for x in range(max(0, x0), min(width, x1)):
                rows[y][x] = colour

    # A sheet of paper with a folded corner, its shadow and lines of text.
    px, py, pw, ph, fold = 26, 30, 52, 70, 14
    fill(px + 4, py + 4, px + pw + 4, py + ph + 4, SHADOW)
    for y in range(py, py + ph):
        for x in range(px, px + pw):
            dx, dy = x - (px + pw - fold), y - py
            if dx > dy:  # cut off: the fold's background shows
                continue
            rows[y][x] = PAPER_SHADE if (dx >= 0 and dy < fold) else WHITE
    for i, y in enumerate(range(py + 22, py + ph - 6, 7)):
        fill(px + 8, y, px + pw - (16 if i % 3 == 2 else 8), y + 2, LINE)
    fill(px + 8, py + 10, px + 26, py + 14, ACCENT)

    # The product's name with a shadow, and a line below it.
    title, scale = "Brevio Paper", 3
    tx, ty = 104, 38
    for x, y in text_pixels(title, scale):
        if 0 <= ty + y + 2 < height:
            rows[ty + y + 2][tx + x + 2] = TITLE_SHADOW
    for x, y in text_pixels(title, scale):
        rows[ty + y][tx + x] = TITLE
    fill(tx, ty + 32, tx + text_width(title, scale), ty + 34, ACCENT)
    for x, y in text_pixels("Installation CD", 2):
        rows[ty + 42 + y][tx + x] = SUBTITLE
    return bmp_bytes(width, height, palette, rows)


# ---- the icon ----
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
       (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def icon_image(size):
    """A 4-bit icon image: a silver disc behind a sheet of paper. Returns the
    image bytes as an icon file holds them (header, table, colour, mask)."""
    BLACK, NAVY, TEAL, SILVER, GRAY, CYAN, WHITE, YELLOW = 0, 4, 6, 7, 8, 14, 15, 11
    s = size / 32
    pixels = [[None] * size for _ in range(size)]  # None: transparent
    cx, cy, r = 20.5 * s, 13.5 * s, 12.5 * s
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - cx - 0.5 * s, y + 0.5 - cy - 0.5 * s)
            if d <= r:
                if d > r - 1.2 * s or d < 2.2 * s:
                    pixels[y][x] = GRAY if d > 1.2 * s else None
                elif d < 5 * s:
                    pixels[y][x] = SILVER
                else:
                    # a light arc across the upper right of the disc
                    angle = math.atan2(y + 0.5 - cy, x + 0.5 - cx)
                    arc = 7 * s <= d < 9.5 * s and -1.4 < angle < -0.2
                    pixels[y][x] = CYAN if arc else SILVER
    # The sheet: black outline, white inside, a folded corner, navy lines.
    x0, y0, x1, y1, fold = round(3 * s), round(8 * s), round(19 * s), round(30 * s), round(5 * s)
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            dx, dy = x - (x1 - fold), y - y0
            if dx > dy:
                continue
            edge = x in (x0, x1) or y in (y0, y1) or dx == dy
            if edge:
                pixels[y][x] = BLACK
            elif dx >= 0 and dy <= fold:
                pixels[y][x] = SILVER
            else:
                pixels[y][x] = WHITE
    step = max(2, round(3 * s))
    for i, y in enumerate(range(y0 + fold + step, y1 - 1, step)):
        for x in range(x0 + 2, x1 - (3 if i % 2 else 1)):
            pixels[y][x] = NAVY if size == 32 else TEAL
    pixels[y0 + 2][x0 + 2] = YELLOW

    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = b""
    mask = b""
    for row in reversed(pixels):
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, p in enumerate(row):
            value = p if p is not None else 0
            line[x // 2] |= value << (4 if x % 2 == 0 else 0)
            if p is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += bytes(line)
        mask += bytes(bits)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + table + xor + mask


def icon():
    images = [(32, icon_image(32)), (16, icon_image(16))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def main():
    targets = {
        os.path.join(ROOT, "cd", "splash.bmp"): splash(),
        os.path.join(ROOT, "setup", "setup.ico"): icon(),
    }
    for path, data in targets.items():
        with open(path, "wb") as f:
            f.write(data)
        print(f"{os.path.relpath(path, ROOT)}: {len(data)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
