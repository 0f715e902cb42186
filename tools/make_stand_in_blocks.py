#!/usr/bin/env python3
"""Writes the stand-in head block and place templates of data/temp/dataentery.

They are our own bytes, not the game's: deterministic, different for every place, tens of
KiB each and structured like real data (a tagged header, tables of records, runs of text),
so that builds compress and round-trip like real ones. Run from the repository root.
"""
import struct
from pathlib import Path

FOLDER = Path("data/temp/dataentery")
PLACES = ["EXDATA", "CLDATA", "CSLDATA", "BALDATA", "MLDATA", "COMDATA", "LCDATA",
          "ONLINEDATA", "TRANDATA", "EDITDATA", "GALDATA", "ECDATA", "SYSDATA"]


def head_block():
    tag = b"FRONDEL STAND-IN HEAD"
    return tag + bytes((i * 37 + 11) % 256 for i in range(48 - len(tag)))


def template(index, name):
    out = bytearray(b"STAND-IN TEMPLATE " + name.encode() + b"\0")
    records = 1200 + index * 150
    out += struct.pack("<II", index, records)
    for r in range(records):
        # A record: id, a position, a size and a colour, as screen layouts tend to have.
        out += struct.pack("<HhhHHI", r, (r * 13 + index * 7) % 1280 - 640,
                           (r * 29 + index) % 720 - 360, 16 + r % 64, 16 + (r * 3) % 48,
                           (0xFF000000 | (r * 2654435761 + index * 40503)) & 0xFFFFFFFF)
    for r in range(records // 4):
        out += f"{name.lower()}_item_{r:04d}\0".encode()
    return bytes(out)


def main():
    FOLDER.mkdir(parents=True, exist_ok=True)
    (FOLDER / "TOPDATA1").write_bytes(head_block())
    for index, name in enumerate(PLACES):
        (FOLDER / name).write_bytes(template(index, name))


if __name__ == "__main__":
    main()
