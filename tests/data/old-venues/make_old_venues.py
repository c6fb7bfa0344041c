#!/usr/bin/env python3
"""Writes the old binary venue files of this folder from the format's field table alone.

Little-endian, no padding: a 13-byte signature whose last two characters give the version
("02", "01", anything else 0); version 0 then skips to byte 71; the units letter ("e"/"E"
English, any other Metric); versions 1 and 2 skip 12 bytes; bumper x and y (float32); the
area count (int16 in version 0, int32 otherwise); per area length, height, front x, front y
(float32); the cell count (as the area count); the bumper angle in radians (float32); per
cell the splay in degrees (float32) and one pinning letter.
"""
import struct
import sys


def old_venue(version, units, bumper, areas, angle, cells):
    signature = {2: b"SAMPLE VNU 02", 1: b"SAMPLE VNU 01", 0: b"SAMPLE VNU 00"}[version]
    out = bytearray(signature)
    if version == 0:
        out += b"\0" * (70 - len(out))
    out += units
    if version != 0:
        out += b"\0" * 12
    out += struct.pack("<2f", *bumper)
    count = "<h" if version == 0 else "<i"
    out += struct.pack(count, len(areas))
    for area in areas:
        out += struct.pack("<4f", *area)
    out += struct.pack(count, len(cells))
    out += struct.pack("<f", angle)
    for splay, letter in cells:
        out += struct.pack("<f", splay) + letter
    return bytes(out)


FILES = {
    "v2-english.vnu": old_venue(2, b"E", (1.5, 25.0), [(100, 15, 20, 5), (30, 6, 125, 22)], 0.1,
                                [(-1.6, b"h"), (8.3, b"x"), (6.6, b"h")]),
    "v1-metric.vnu": old_venue(1, b"m", (0.5, 8.0), [(20, 3, 4, 1)], -0.05,
                               [(0.0, b"x"), (1.6, b"X")]),
    "v0-english.vnu": old_venue(0, b"e", (3.0, 0.0), [(50, 10, 10, 2)], 0.0,
                                [(0.0, b"H"), (1.6, b"x")]),
}

if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    for name, data in FILES.items():
        with open(f"{folder}/{name}", "wb") as f:
            f.write(data)
