#!/usr/bin/env python3
"""Writes the nine map bitmaps into src/resources/ as 24-bit BMP files.

The pictures are kept here as rows of colour letters, top row first:
W white FFFFFF, S silver C0C0C0, G grey 808080, K black 000000, P purple 800080.
Run it again after changing a picture; the BMP files are checked in.
"""
import os
import struct
import sys

COLOURS = {
    "W": (0xFF, 0xFF, 0xFF),
    "S": (0xC0, 0xC0, 0xC0),
    "G": (0x80, 0x80, 0x80),
    "K": (0x00, 0x00, 0x00),
    "P": (0x80, 0x00, 0x80),
}

# A room: a raised silver tile, white along the top and left edges, grey along the
# bottom and right edges.
ROOM = ["W" * 15 + "G"] + ["W" + "S" * 14 + "G"] * 14 + ["W" + "G" * 15]

UP = ["SSKKSS", "SKKKKS", "KKKKKK"]
DOWN = ["KKKKKK", "SKKKKS", "SSKKSS"]

PICTURES = {
    "ROOM_BMP2": ROOM,
    "DOOR_N": ["GSSSSW", "GSSSSW", "GSSSSW", "GWWWWW"],
    "DOOR_E": ["GGGG", "GSSS", "GSSS", "GSSS", "GSSS", "WWWW"],
    "DOOR_S": ["GGGGGW", "GSSSSW", "GSSSSW", "GSSSSW"],
    "DOOR_W": ["GGGG", "SSSW", "SSSW", "SSSW", "SSSW", "WWWW"],
    "DOOR_U": UP,
    "DOOR_D": DOWN,
    "DOOR_U_P": [row.replace("K", "P") for row in UP],
    "DOOR_D_P": [row.replace("K", "P") for row in DOWN],
}


def bmp_bytes(rows):
    width, height = len(rows[0]), len(rows)
    assert all(len(row) == width for row in rows)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # BMP rows run bottom-up
        line = bytearray()
        for letter in row:
            r, g, b = COLOURS[letter]
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return file_header + info_header + bytes(pixels)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src", "resources")
    for name, rows in PICTURES.items():
        with open(os.path.join(out_dir, name + ".bmp"), "wb") as out:
            out.write(bmp_bytes(rows))


if __name__ == "__main__":
    main()
