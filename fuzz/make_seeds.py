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


def dds(width, height, pixel_format, data, mipmaps=1, magic=b"DDS "):
    flags = 0x1 | 0x2 | 0x4 | 0x1000 | (0x20000 if mipmaps > 1 else 0)
    header = struct.pack("<7I", 124, flags, height, width, 0, 0, mipmaps) + bytes(44)
    caps = struct.pack("<4I", 0x1000 | (0x400008 if mipmaps > 1 else 0), 0, 0, 0) + bytes(4)
    return magic + header + pixel_format + caps + data


def rgb_format(bits, masks):
    return struct.pack("<2I4s5I", 32, 0x40 | (0x1 if len(masks) == 4 else 0), b"\0" * 4, bits,
                       *(list(masks) + [0] * (4 - len(masks))))


def fourcc_format(code):
    return struct.pack("<2I4s5I", 32, 0x4, code, 0, 0, 0, 0, 0)


BGRA = rgb_format(32, (0xFF0000, 0xFF00, 0xFF, 0xFF000000))
RGBA = rgb_format(32, (0xFF, 0xFF00, 0xFF0000, 0xFF000000))
BGR = rgb_format(24, (0xFF0000, 0xFF00, 0xFF))
dxt1_block = struct.pack("<2HI", 0xF800, 0x001F, 0x55AA55AA)
dxt5_block = bytes([255, 0]) + bytes(6) + dxt1_block
preview = {
    "bgra_8x8": dds(8, 8, BGRA, bytes(range(256))),
    "rgba_8x8": dds(8, 8, RGBA, bytes(range(256))),
    "bgr_4x4": dds(4, 4, BGR, bytes(range(48))),
    "bgra_mipmaps": dds(4, 4, BGRA, bytes(64 + 16 + 4), mipmaps=3),
    "dxt1_8x8": dds(8, 8, fourcc_format(b"DXT1"), dxt1_block * 4),
    "dxt3_4x4": dds(4, 4, fourcc_format(b"DXT3"), bytes(8) + dxt1_block),
    "dxt5_4x4": dds(4, 4, fourcc_format(b"DXT5"), dxt5_block),
    "dx10": dds(4, 4, fourcc_format(b"DX10"), struct.pack("<5I", 28, 3, 0, 1, 0) + bytes(64)),
    "wrong_magic": dds(4, 4, BGRA, bytes(64), magic=b"XXXX"),
    "header_only": dds(4, 4, BGRA, b""),
    "short_pixels": dds(8, 8, BGRA, bytes(100)),
    "all_zero": bytes(4096),
}
for folder, seeds in (("unpack", unpack), ("extract", extract), ("preview", preview)):
    Path("corpus", folder).mkdir(parents=True, exist_ok=True)
    for name, data in seeds.items():
        Path("corpus", folder, name).write_bytes(data)
