#!/usr/bin/env python3
"""Writes Hall.venue: a metric venue with two seating areas, five cells of a flown array with
fixed pinning, two listening points and notes holding a line break and backslashes, written
key by key in the venue file's order, numbers with at least one decimal as the program writes
them."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from write_key_value import key_value_file  # noqa: E402

RECORDS = [
    ("str", "MEASUREMENT_UNITS", "Metric"),
    ("sng", "TEMPERATURE_CELSIUS", "18.5"),
    ("str", "USE_AGGREGATE_FREQUENCIES", "Yes"),
    ("int", "FREQUENCY_COUNT", "3"),
    ("sng", "FREQUENCY_1_HZ", "250.0"),
    ("sng", "FREQUENCY_2_HZ", "1000.0"),
    ("sng", "FREQUENCY_3_HZ", "4000.0"),
    ("sng", "EAR_HEIGHT", "1.2"),
    ("int", "SEATING_AREA_COUNT", "2"),
    ("str", "SEATING_AREA_1_NAME", "Floor"),
    ("sng", "SEATING_AREA_1_FRONT_X", "6.0"),
    ("sng", "SEATING_AREA_1_FRONT_Y", "0.0"),
    ("sng", "SEATING_AREA_1_BACK_X", "30.5"),
    ("sng", "SEATING_AREA_1_BACK_Y", "1.5"),
    ("str", "SEATING_AREA_2_NAME", "Balcony"),
    ("sng", "SEATING_AREA_2_FRONT_X", "24.0"),
    ("sng", "SEATING_AREA_2_FRONT_Y", "6.0"),
    ("sng", "SEATING_AREA_2_BACK_X", "36.0"),
    ("sng", "SEATING_AREA_2_BACK_Y", "11.25"),
    ("str", "LINE_ARRAY_TYPE", "TARVIC KV9"),
    ("str", "LINE_ARRAY_CONFIGURATION", "Flown"),
    ("str", "LINE_ARRAY_PINNING_STYLE", "Fixed"),
    ("sng", "BUMPER_LOCATION_X", "1.5"),
    ("sng", "BUMPER_LOCATION_Y", "12.0"),
    ("dbl", "BUMPER_ANGLE_DEGREES", "-2.5"),
    ("str", "BUMPER_RIGGING_STYLE", "Dual-point"),
    ("int", "BUMPER_RIGGING_FRONT_HOLE_INDEX", "3"),
    ("int", "BUMPER_RIGGING_BACK_HOLE_INDEX", "9"),
    ("int", "CELL_COUNT", "5"),
]
for i, (splay, attenuation) in enumerate(
        [("-1.6", "0.0"), ("3.3", "0.0"), ("5.0", "-1.5"), ("6.6", "-3.0"), ("8.3", "-6.0")], 1):
    RECORDS += [("str", f"CELL_{i}_TYPE", "KV9"), ("dbl", f"CELL_{i}_ANGLE_DEGREES", splay),
                ("sng", f"CELL_{i}_ATTENUATION", attenuation)]
RECORDS += [
    ("int", "LISTENING_POINT_COUNT", "2"),
    ("str", "LISTENING_POINT_1_NAME", "Mix position"),
    ("sng", "LISTENING_POINT_1_POSITION_X", "14.5"),
    ("int", "LISTENING_POINT_1_SEATING_AREA_INDEX", "1"),
    ("str", "LISTENING_POINT_2_NAME", "Balcony rail"),
    ("sng", "LISTENING_POINT_2_POSITION_X", "2.0"),
    ("int", "LISTENING_POINT_2_SEATING_AREA_INDEX", "2"),
    ("int", "LISTENING_POINT_REFERENCE_INDEX", "1"),
    # A line break is written as \r\n and a backslash doubled.
    ("str", "NOTES", r"Rigging checked 12 May.\r\nPath: C:\\shows\\hall"),
]

if __name__ == "__main__":
    folder = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(folder, "Hall.venue"), "w", newline="") as f:
        f.write(key_value_file("Quessel Polvane Venue file", RECORDS))
