#!/usr/bin/env python3
"""Compares the menu texture files that the Linux and the Windows frondel-cli built from the same
pictures: usage compare_payloads.py LINUX_FOLDER WINDOWS_FOLDER. The files are packed by
different deflaters, so their unpacked payloads are compared: byte for byte for lossless
pictures. JPEG and block-compressed DDS decoders round differently, so for those the blocks
around the texture must be the same and each texture pixel within TOLERANCE levels, its colour
weighed by its alpha (a colour under an alpha of 1 or 2 is invisible, and the resampler divides
it by that small weight). Exits with 1 when any pair differs more."""
import sys
import zlib
from pathlib import Path

TOLERANCE = 8
LOSSY = (".jpg", "dxt1.dds", "dxt5.dds")
TEXTURE_AT, TEXTURE_LENGTH, PIXELS_AT = 48, 4_194_432, 48 + 128


def payload(file):
    return zlib.decompress(file.read_bytes()[16:])  # after the fixed bytes and the two lengths


def largest_pixel_difference(a, b):
    most = 0
    for at in range(PIXELS_AT, TEXTURE_AT + TEXTURE_LENGTH, 4):
        alpha_a, alpha_b = a[at + 3], b[at + 3]
        most = max(most, abs(alpha_a - alpha_b))
        for k in range(3):
            most = max(most, abs(a[at + k] * alpha_a - b[at + k] * alpha_b) // 255)
    return most


failed = False
linux, windows = Path(sys.argv[1]), Path(sys.argv[2])
built = sorted(linux.glob("*.bin"))
if not built:
    sys.exit(f"no menu files in {linux}")
for file in built:
    a, b = payload(file), payload(windows / file.name)
    picture = file.name[:-len(".bin")]
    if a == b:
        print(f"same: {picture}")
        continue
    around_same = (len(a) == len(b) and a[:PIXELS_AT] == b[:PIXELS_AT] and
                   a[TEXTURE_AT + TEXTURE_LENGTH:] == b[TEXTURE_AT + TEXTURE_LENGTH:])
    most = largest_pixel_difference(a, b) if around_same and picture.endswith(LOSSY) else None
    good = most is not None and most <= TOLERANCE
    failed |= not good
    print(f"{'within' if good else 'DIFFERENT'}: {picture}" +
          (f" (largest difference {most} levels, {TOLERANCE} allowed)" if most is not None else ""))
sys.exit(1 if failed else 0)
