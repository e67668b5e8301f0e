#!/usr/bin/env python3
"""Pictures for the splash scenarios, and pixel comparisons of screenshots.

  splash_pixels.py make FILE WIDTH HEIGHT
      writes an 8-bit test picture with its own 256-colour table: a pattern
      whose every 5 x 5 block has a colour of its own, and everything beyond
      the top-left 365 x 140 pixels in colours that the inside never uses
  splash_pixels.py compare BMP SCREENSHOT X Y [LEFT TOP RIGHT BOTTOM]
      compares the picture's pixels LEFT..RIGHT-1, TOP..BOTTOM-1 (default: the
      top-left 365 x 140) with the screenshot's pixels at X+col, Y+row;
      prints the count of matching pixels and the first few differences;
      exit status 0 when all match; with SPLASH_ONLY=R,G,B in the
      environment only the picture's pixels of that colour are compared
  splash_pixels.py visible CLIENT_W CLIENT_H
      prints LEFT TOP RIGHT BOTTOM: the part of the picture that the sunken
      frame around it leaves visible, for a launcher window whose client area
      has this size
  splash_pixels.py realised BMP LOG
      reads a launcher log written with WINEDEBUG=trace+palette and prints how
      many times a palette whose first entries are exactly the picture's
      colour table, in its order, was realised into the display's palette
  splash_pixels.py colours SCREENSHOT X Y W H
      prints the number of distinct colours in that rectangle

Screenshots are any format ImageMagick reads; BMP files are 8 or 24 bits per
pixel, uncompressed.
"""
import os
import re
import struct
import subprocess
import sys

VISIBLE_W, VISIBLE_H = 365, 140


def read_bmp(path):
    """Returns (width, height, pixel(x, y) -> (r, g, b)), top row = y 0."""
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    size, width, height, _planes, bits, compression, _, _, _, used, _ = struct.unpack_from(
        "<IiiHHIIiiII", data, 14)
    if compression != 0 or bits not in (8, 24):
        raise SystemExit(f"{path}: only uncompressed 8- or 24-bit pictures")
    table = []
    if bits == 8:
        for i in range(used or 256):
            b, g, r, _ = struct.unpack_from("<BBBB", data, 14 + size + 4 * i)
            table.append((r, g, b))
    stride = ((width * bits + 31) // 32) * 4
    bottom_up = height > 0
    height = abs(height)

    def pixel(x, y):
        row = height - 1 - y if bottom_up else y
        at = offset + row * stride
        if bits == 8:
            return table[data[at + x]]
        b, g, r = data[at + 3 * x:at + 3 * x + 3]
        return (r, g, b)

    return width, height, pixel


def read_screenshot(path):
    """Returns (width, height, rgb bytes) through ImageMagick's PPM output."""
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                         stdout=subprocess.PIPE).stdout
    fields = []
    at = 0
    while len(fields) < 4:  # P6 width height maxval, separated by blanks
        while ppm[at:at + 1].isspace():
            at += 1
        start = at
        while not ppm[at:at + 1].isspace():
            at += 1
        fields.append(ppm[start:at])
    at += 1
    width, height = int(fields[1]), int(fields[2])
    return width, height, ppm[at:]


def make(path, width, height):
    """The test pattern described above."""
    table = []
    for i in range(224):  # inside: 224 colours, spread over the cube
        table.append(((i * 37) % 256, (i * 91 + 40) % 256, (i * 53 + 90) % 256))
    for i in range(32):  # outside: pure magenta and yellow tones only
        table.append((255, 0, 128 + i * 4) if i % 2 == 0 else (255, 255, i * 4))
    stride = (width + 3) & ~3
    rows = []
    for y in range(height):
        row = bytearray(stride)
        for x in range(width):
            if x < VISIBLE_W and y < VISIBLE_H:
                row[x] = ((x // 5) * 7 + (y // 5) * 13) % 224
            else:
                row[x] = 224 + ((x // 5) + (y // 5)) % 32
        rows.append(bytes(row))
    pixels = b"".join(reversed(rows))
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in table)
    start = 14 + 40 + len(colours)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", start + len(pixels), 0, 0, start))
        f.write(struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0))
        f.write(colours + pixels)


def compare(bmp, shot, x0, y0, box):
    only = tuple(int(v) for v in os.environ["SPLASH_ONLY"].split(",")) if os.environ.get("SPLASH_ONLY") else None
    _w, _h, pixel = read_bmp(bmp)
    sw, sh, rgb = read_screenshot(shot)
    left, top, right, bottom = box
    matched = 0
    wrong = []
    for row in range(top, bottom):
        for col in range(left, right):
            sx, sy = x0 + col, y0 + row
            if not (0 <= sx < sw and 0 <= sy < sh):
                wrong.append((col, row, pixel(col, row), None))
                continue
            at = 3 * (sy * sw + sx)
            got = tuple(rgb[at:at + 3])
            if only and pixel(col, row) != only:
                continue
            if got == pixel(col, row):
                matched += 1
            else:
                wrong.append((col, row, pixel(col, row), got))
    total = matched + len(wrong)
    print(f"{matched} of {total} pixels match")
    for col, row, want, got in wrong[:8]:
        print(f"  picture {col},{row}: want {want}, screen {got}")
    return 0 if matched == total else 1


# The launcher's dialog is 269 by 188 dialog units; its frame control sits
# at 12, 4 and measures 245 by 90 units. Its border (1 pixel) and client edge
# (2 pixels) lie outside its client area, whose outermost pixels carry the
# gray frame line: the picture shows 4 pixels inside the frame's rectangle.
DIALOG_W, DIALOG_H = 269, 188
FRAME = (12, 4, 245, 90)
PICTURE_X, PICTURE_Y = 19, 10


def visible(client_w, client_h):
    # Base units from the client size (4 and 8 dialog units per base unit).
    bux = client_w * 4 / DIALOG_W
    buy = client_h * 8 / DIALOG_H
    x, y, w, h = FRAME
    def rounded(v):
        return int(v + 0.5)

    left = rounded(x * bux / 4)
    top = rounded(y * buy / 8)
    right = rounded((x + w) * bux / 4)
    bottom = rounded((y + h) * buy / 8)
    # One pixel more on every side: the base units are worked out backwards.
    box = (max(0, left + 5 - PICTURE_X), max(0, top + 5 - PICTURE_Y),
           min(VISIBLE_W, right - 5 - PICTURE_X), min(VISIBLE_H, bottom - 5 - PICTURE_Y))
    print(*box)
    return 0


def colour_table(path):
    data = open(path, "rb").read()
    size, = struct.unpack_from("<I", data, 14)
    bits, = struct.unpack_from("<H", data, 28)
    used, = struct.unpack_from("<I", data, 46)
    count = used or (1 << bits)
    return [struct.unpack_from("<BBBB", data, 14 + size + 4 * i)[2::-1] for i in range(count)]


def realised(bmp, log):
    """Counts the realisations (Wine's palette trace: one line per entry,
    "X11DRV_RealizePalette entry N RGB(rr,gg,bb) -> pixel P", from entry 0
    on) whose entries 0..n-1 are the picture's table."""
    table = colour_table(bmp)
    pattern = re.compile(r"X11DRV_RealizePalette entry (\d+) RGB\(([0-9a-f]+),([0-9a-f]+),([0-9a-f]+)\)")
    runs = []
    for line in open(log, errors="replace"):
        m = pattern.search(line)
        if not m:
            continue
        index = int(m.group(1))
        if index == 0:
            runs.append([])
        if runs and len(runs[-1]) == index:
            runs[-1].append(tuple(int(v, 16) for v in m.group(2, 3, 4)))
    matching = sum(1 for run in runs if run[:len(table)] == table)
    print(matching)
    return 0


def colours(shot, x0, y0, w, h):
    sw, _sh, rgb = read_screenshot(shot)
    seen = set()
    for y in range(y0, y0 + h):
        for x in range(x0, x0 + w):
            at = 3 * (y * sw + x)
            seen.add(bytes(rgb[at:at + 3]))
    print(len(seen))
    return 0


def main(argv):
    if len(argv) >= 5 and argv[1] == "make":
        make(argv[2], int(argv[3]), int(argv[4]))
        return 0
    if len(argv) in (6, 10) and argv[1] == "compare":
        box = tuple(int(v) for v in argv[6:10]) if len(argv) == 10 else (0, 0, VISIBLE_W, VISIBLE_H)
        return compare(argv[2], argv[3], int(argv[4]), int(argv[5]), box)
    if len(argv) == 4 and argv[1] == "visible":
        return visible(int(argv[2]), int(argv[3]))
    if len(argv) == 4 and argv[1] == "realised":
        return realised(argv[2], argv[3])
    if len(argv) == 7 and argv[1] == "colours":
        return colours(argv[2], *(int(v) for v in argv[3:7]))
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
