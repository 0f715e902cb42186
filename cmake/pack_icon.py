"""Packs PNG images into one .ico file, which holds them as they are.

Usage: pack_icon.py OUTPUT.ico INPUT.png...
"""
import struct
import sys


def png_size(data, name):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit(f"{name}: not a PNG file")
    return struct.unpack(">II", data[16:24])


def main():
    output, inputs = sys.argv[1], sys.argv[2:]
    images = []
    for name in inputs:
        with open(name, "rb") as f:
            data = f.read()
        width, height = png_size(data, name)
        if width > 256 or height > 256:
            sys.exit(f"{name}: an icon image is 256x256 at most")
        images.append((width, height, data))
    offset = 6 + 16 * len(images)
    header = struct.pack("<HHH", 0, 1, len(images))
    entries = b""
    for width, height, data in images:
        # 256 is written as 0; colour count 0, 1 plane, 32 bits a pixel.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32,
                               len(data), offset)
        offset += len(data)
    with open(output, "wb") as f:
        f.write(header + entries + b"".join(data for _, _, data in images))


main()
