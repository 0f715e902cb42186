#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets: menu texture files good and bad, and payloads
of the lengths around the texture window. Run from this folder.

corpus/unpack/built_by_frondel is not made here: it is the file.bin of a build by frondel
itself (the stand-in Edit template and a 2,048-byte texture).
"""
import struct
import zlib
from pathlib import Path


def menu_file(payload, stored=None, packed=None, tail=b""):
    stream = zlib.compress(payload)
    body = struct.pack("<i", len(payload) if stored is None else stored) + stream
    size = len(body) if packed is None else packed
    return struct.pack("<hB", 256, 1) + b"WESYS" + struct.pack("<i", size) + body + tail


def payload(texture_length, seed):
    head = bytes((i * 5 + seed) % 256 for i in range(48))
    dds = b"DDS " + struct.pack("<I", 124) + bytes((i * 7 + seed) % 253 for i in range(texture_length - 8))
    return head + dds + bytes((i * 3) % 256 for i in range(300))


good = payload(1000, 1)
unpack = {
    "good": menu_file(good),
    "trailing_junk": menu_file(good, tail=b"\xff" * 40),
    "stored_length_short": menu_file(good, stored=100),
    "stored_length_zero": menu_file(good, stored=0),
    "stored_length_negative": menu_file(good, stored=-1),
    "stored_length_forged": menu_file(good, stored=0x7FFFFFFF),
    "packed_length_wrong": menu_file(good, packed=3),
    "truncated_stream": menu_file(good)[:60],
    "damaged_stream": menu_file(good)[:40] + b"\x00" * 20 + menu_file(good)[60:],
    "fifteen_bytes": menu_file(good)[:15],
    "header_only": menu_file(good)[:16],
    "not_a_menu_file": b"DDS " + bytes(200),
    "empty_payload": menu_file(b""),
}
extract = {
    "short": good[:30],
    "head_only": good[:48],
    "small_texture": good,
}
for folder, seeds in (("unpack", unpack), ("extract", extract)):
    Path("corpus", folder).mkdir(parents=True, exist_ok=True)
    for name, data in seeds.items():
        Path("corpus", folder, name).write_bytes(data)
