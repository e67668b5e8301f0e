#!/usr/bin/env python3
"""Prints what a shell link (.lnk) file points at, one field a line:

    target=<the LinkInfo's local base path and common path suffix>
    workdir=<the working directory string>
    args=<the command-line arguments string>

A field the link does not carry is printed empty. The layout read here is the
shell link binary format: a 76-byte header with the link flags, then the
optional item ID list, the optional LinkInfo structure, and the optional
counted strings (name, relative path, working directory, arguments, icon
location), in that order.

Usage: progman_lnk.py FILE.lnk
"""
import struct
import sys

HAS_ID_LIST = 0x01
HAS_LINK_INFO = 0x02
HAS_NAME = 0x04
HAS_RELATIVE_PATH = 0x08
HAS_WORKING_DIR = 0x10
HAS_ARGUMENTS = 0x20
HAS_ICON_LOCATION = 0x40
IS_UNICODE = 0x80

LOCAL_BASE_PATH = 0x01  # LinkInfo flag: VolumeID and LocalBasePath present


def c_string(data, offset, wide=False):
    if wide:
        end = offset
        while data[end:end + 2] != b"\0\0":
            end += 2
        return data[offset:end].decode("utf-16-le")
    end = data.index(b"\0", offset)
    return data[offset:end].decode("latin-1")


def parse(data):
    header_size, = struct.unpack_from("<I", data, 0)
    if header_size != 0x4C:
        raise ValueError("not a shell link: header size %#x" % header_size)
    flags, = struct.unpack_from("<I", data, 0x14)
    offset = header_size

    if flags & HAS_ID_LIST:
        id_list_size, = struct.unpack_from("<H", data, offset)
        offset += 2 + id_list_size

    target = ""
    if flags & HAS_LINK_INFO:
        info = offset
        (info_size, info_header_size, info_flags, _volume_offset, base_offset, _network_offset,
         suffix_offset) = struct.unpack_from("<7I", data, info)
        if info_flags & LOCAL_BASE_PATH:
            if info_header_size >= 0x24:
                base_wide, suffix_wide = struct.unpack_from("<2I", data, info + 0x1C)
                target = c_string(data, info + base_wide, True) + c_string(data, info + suffix_wide, True)
            else:
                target = c_string(data, info + base_offset) + c_string(data, info + suffix_offset)
        offset += info_size

    strings = {}
    for flag, name in ((HAS_NAME, "name"), (HAS_RELATIVE_PATH, "relative"), (HAS_WORKING_DIR, "workdir"),
                       (HAS_ARGUMENTS, "args"), (HAS_ICON_LOCATION, "icon")):
        if not flags & flag:
            continue
        count, = struct.unpack_from("<H", data, offset)
        offset += 2
        if flags & IS_UNICODE:
            strings[name] = data[offset:offset + 2 * count].decode("utf-16-le")
            offset += 2 * count
        else:
            strings[name] = data[offset:offset + count].decode("latin-1")
            offset += count
    # Some writers count a terminating NUL in the string's length.
    return {"target": target, "workdir": strings.get("workdir", "").rstrip("\0"),
            "args": strings.get("args", "").rstrip("\0")}


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    with open(sys.argv[1], "rb") as f:
        fields = parse(f.read())
    for key in ("target", "workdir", "args"):
        print("%s=%s" % (key, fields[key]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
