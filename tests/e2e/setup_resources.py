#!/usr/bin/env python3
"""Checks the launcher's resources in a built setup.exe, read from the PE
resource directory: dialog template 102 field by field, icon group 140 with
a 32 x 32 and a 16 x 16 image of 16 colours, and the version record.

  setup_resources.py SETUP_EXE
Prints the first difference and exits 1, or prints a summary and exits 0.
"""
import struct
import sys

RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_VERSION = 3, 5, 14, 16

BUTTON, STATIC = ("ord", 0x80), ("ord", 0x82)
LINE_2 = ('2.  Click the "Install Software" button which will launch the Active Setup\n'
          '     Wizard to guide you through the installation process.\n')
LINE_1 = "1.  Read the Setup Instructions before attempting installation."
# (id, class, text, style, ex-style, help id, x, y, cx, cy), in tab order.
CONTROLS = [
    (1000, BUTTON, "&Install Software", 0x50010000, 0, 0, 17, 135, 235, 20),
    (1001, BUTTON, "&Setup Instructions", 0x50010000, 0, 0, 17, 160, 71, 20),
    (1004, BUTTON, "E&xit", 0x50010000, 0, 0, 181, 160, 71, 20),
    (-1, STATIC, LINE_2, 0x50020000, 0, 0, 20, 113, 230, 20),
    (-1, STATIC, LINE_1, 0x50020000, 0, 0, 20, 100, 230, 10),
    (-1, STATIC, "", 0x50801008, 0x200, 0, 12, 4, 245, 90),
    (1005, BUTTON, "&About Vantorin", 0x50010000, 0, 0, 95, 160, 79, 20),
]


def fail(message):
    print("setup_resources: " + message)
    sys.exit(1)


def resources(image):
    """{(type, name): bytes} of every resource, first language of each."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        fail("not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    magic = struct.unpack_from("<H", image, pe + 24)[0]
    directories = pe + 24 + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", image, directories + 2 * 8)[0]
    table = pe + 24 + optional_size
    for i in range(sections):
        _, vsize, va, rawsize, raw = struct.unpack_from("<8sIIII", image, table + 40 * i)
        if va <= rsrc_rva < va + max(vsize, rawsize):
            base = raw + rsrc_rva - va
            delta = raw - va
            break
    else:
        fail("no resource section")

    def entries(offset):
        named, ids = struct.unpack_from("<12xHH", image, base + offset)
        for k in range(named + ids):
            name, target = struct.unpack_from("<II", image, base + offset + 16 + 8 * k)
            yield (name if not name & 0x80000000 else None), target

    found = {}
    for rtype, t in entries(0):
        for name, n in entries(t & 0x7FFFFFFF):
            for _, l in entries(n & 0x7FFFFFFF):
                rva, size = struct.unpack_from("<II", image, base + (l & 0x7FFFFFFF))
                found.setdefault((rtype, name), image[rva + delta:rva + delta + size])
                break
    return found


def sz_or_ord(data, p):
    if data[p:p + 2] == b"\xff\xff":
        return ("ord", struct.unpack_from("<H", data, p + 2)[0]), p + 4
    end = p
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[p:end].decode("utf-16-le"), end + 2


def check_dialog(data):
    ver, sig, help_id, ex, style, count, x, y, cx, cy = struct.unpack_from("<HHIIIHhhhh", data, 0)
    if (ver, sig) != (1, 0xFFFF):
        fail("template 102 is not in the extended format")
    got = (help_id, hex(ex), hex(style), count, x, y, cx, cy)
    if got != (0, hex(0x00040200), hex(0x10C80840), 7, 0, 0, 269, 188):
        fail("dialog header %r" % (got,))
    p = 26
    menu, p = sz_or_ord(data, p)
    wclass, p = sz_or_ord(data, p)
    title, p = sz_or_ord(data, p)
    if (menu, wclass, title) != ("", "", ""):
        fail("menu, class, title %r" % ((menu, wclass, title),))
    point, weight, italic, charset = struct.unpack_from("<HHBB", data, p)
    face, p = sz_or_ord(data, p + 6)
    if (point, weight, italic, charset, face) != (8, 0, 0, 1, "MS Sans Serif"):
        fail("font %r" % ((point, weight, italic, charset, face),))
    for n, want in enumerate(CONTROLS, 1):
        p = (p + 3) & ~3
        help_id, ex, style, x, y, cx, cy, cid = struct.unpack_from("<IIIhhhhi", data, p)
        cclass, p = sz_or_ord(data, p + 24)
        text, p = sz_or_ord(data, p)
        extra = struct.unpack_from("<H", data, p)[0]
        p += 2 + extra
        got = (cid, cclass, text, style, ex, help_id, x, y, cx, cy)
        if got != want:
            fail("control %d is %r, expected %r" % (n, got, want))


def check_icons(found):
    group = found.get((RT_GROUP_ICON, 140))
    if group is None:
        fail("no icon group 140")
    _, kind, count = struct.unpack_from("<HHH", group, 0)
    sizes = []
    for k in range(count):
        w, h, colours, _, planes, bits, _, icon_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * k)
        if (RT_ICON, icon_id) not in found:
            fail("icon group 140 names a missing image %d" % icon_id)
        sizes.append((w, h, colours, bits))
    if sorted(sizes) != sorted([(32, 32, 16, 4), (16, 16, 16, 4)]):
        fail("icon group 140 holds %r" % sizes)


def check_version(data):
    text = data.decode("utf-16-le", "replace")
    fixed = data.find(struct.pack("<I", 0xFEEF04BD))
    ms, ls, pms, pls = struct.unpack_from("<IIII", data, fixed + 8)
    if (ms, ls, pms, pls) != (0x10000, 0x1, 0x10000, 0x1):
        fail("version numbers %x.%x %x.%x" % (ms, ls, pms, pls))
    for key, value in (("FileDescription", "Setup"), ("InternalName", "Setup"), ("OriginalFilename", "setup.exe"),
                       ("FileVersion", "1, 0, 0, 1"), ("ProductVersion", "1, 0, 0, 1")):
        at = text.find(key + "\0")
        if at < 0:
            fail("version record has no " + key)
        rest = text[at + len(key):].lstrip("\0")
        if rest.split("\0", 1)[0] != value:
            fail("version %s is %r" % (key, rest.split("\0", 1)[0]))


def main():
    image = open(sys.argv[1], "rb").read()
    found = resources(image)
    if (RT_DIALOG, 102) not in found:
        fail("no dialog template 102")
    check_dialog(found[(RT_DIALOG, 102)])
    check_icons(found)
    if (RT_VERSION, 1) not in found:
        fail("no version record")
    check_version(found[(RT_VERSION, 1)])
    print("setup_resources: %s: template 102, icon group 140 and the version record as laid out" % sys.argv[1])


main()
