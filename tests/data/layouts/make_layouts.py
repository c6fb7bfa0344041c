#!/usr/bin/env python3
"""Writes Normal.layout and Maximised.layout: the main window (twips) and, for each tool
window in the order of their keys, whether it is open and, when it is, its place."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from write_key_value import key_value_file  # noqa: E402

WINDOWS = ["ARRAY_CONFIGURATION", "ARRAY_PICTURE", "BUMPER_CONFIGURATION", "CALCULATIONS",
           "CELL_CONFIGURATIONS", "FREQUENCY_RESPONSE_OPTIONS", "INTER-FREQUENCY_EVENNESS_GRAPH",
           "LISTENING_POINTS", "NOTES", "RIGGING_DETAILS", "SEATING_AREAS", "VENUE"]
# Open windows: left and top, and width and height for those the user can size.
OPEN = {"ARRAY_CONFIGURATION": (100, 200), "VENUE": (300, 400, 9000, 6000)}
PLACE = ("LEFT", "TOP", "WIDTH", "HEIGHT")


def layout(main_window):
    records = [("str", "MAIN_WINDOW_MAXIMIZED", "No" if main_window else "Yes")]
    records += [("int", "MAIN_WINDOW_" + key, str(v)) for key, v in zip(PLACE, main_window)]
    for window in WINDOWS:
        place = OPEN.get(window, ())
        records.append(("str", f"{window}_WINDOW_LOADED", "Yes" if place else "No"))
        records += [("int", f"{window}_WINDOW_{key}", str(v)) for key, v in zip(PLACE, place)]
    return key_value_file("Quessel Polvane window layout file", records)


if __name__ == "__main__":
    folder = os.path.dirname(os.path.abspath(__file__))
    for name, main_window in (("Normal", (600, 900, 12000, 9000)), ("Maximised", ())):
        with open(os.path.join(folder, name + ".layout"), "w", newline="") as f:
            f.write(layout(main_window))
