#!/usr/bin/env python3
"""The work of `frondel-cli build` and `frondel-cli export` done with Python's own zlib, as
the yardstick for the console program's whole-process times.

    cli_bench.py build HEAD TEXTURE TEMPLATE OUT.bin
    cli_bench.py export MENU.bin OUT.dds
"""
import struct
import sys
import zlib

TEXTURE_OFFSET = 48
TEXTURE_LENGTH = 4194432


def read(path):
    with open(path, "rb") as f:
        return f.read()


def build(head, texture, template, out):
    payload = read(head) + read(texture) + read(template)
    stream = zlib.compress(payload)
    with open(out, "wb") as f:
        f.write(b"\x00\x01\x01WESYS" + struct.pack("<ii", 4 + len(stream), len(payload)))
        f.write(stream)


def export(menu, out):
    data = read(menu)
    (length,) = struct.unpack_from("<i", data, 12)
    payload = zlib.decompressobj().decompress(data[16:], length)
    texture = payload[TEXTURE_OFFSET:TEXTURE_OFFSET + TEXTURE_LENGTH]
    with open(out, "wb") as f:
        f.write(texture + bytes(TEXTURE_LENGTH - len(texture)))


if __name__ == "__main__":
    {"build": build, "export": export}[sys.argv[1]](*sys.argv[2:])
