#!/usr/bin/env python3
"""Writes Silver.color, the Silver preset's colours (alpha, red, green, blue) as listed in the
colour table the user sees, and Partial.color, a hand-made file that sets only two colours."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from write_key_value import key_value_file  # noqa: E402

SILVER = [
    ("Background", (255, 255, 255, 255)), ("Bumper Edge", (192, 12, 8, 28)),
    ("Bumper Fill", (48, 12, 8, 28)), ("Cell Edge", (192, 18, 12, 32)),
    ("Cell Fill", (48, 18, 12, 32)), ("Center of Gravity", (128, 255, 0, 32)),
    ("Far Field Transition Line", (128, 0, 0, 0)), ("Graph Lines", (255, 64, 66, 72)),
    ("Grid Lines", (24, 0, 0, 0)), ("Grid Lines at Zero", (96, 0, 0, 0)),
    ("Progress Left", (255, 224, 224, 224)), ("Progress Right", (255, 160, 160, 160)),
    ("Rigging Cable", (192, 24, 28, 32)), ("Scale Lines", (255, 0, 0, 0)),
    ("Seating Area", (192, 64, 32, 96)), ("Selected Item", (255, 0, 0, 32)),
    ("Sound Path Hit", (128, 0, 0, 0)), ("Sound Path Miss", (96, 16, 0, 0)),
    ("Text", (255, 0, 0, 0)),
]
PARTS = ("ALPHA", "RED", "GREEN", "BLUE")


def records(colours):
    return [("int", name.upper().replace(" ", "_") + "_" + part, str(value))
            for name, argb in colours for part, value in zip(PARTS, argb)]


if __name__ == "__main__":
    folder = os.path.dirname(os.path.abspath(__file__))
    header = "Quessel Polvane color presets file"
    with open(os.path.join(folder, "Silver.color"), "w", newline="") as f:
        f.write(key_value_file(header, records(SILVER)))
    with open(os.path.join(folder, "Partial.color"), "w", newline="") as f:
        f.write(key_value_file("", records([("Background", (255, 1, 2, 3)),
                                            ("Text", (128, 250, 251, 252))])))
