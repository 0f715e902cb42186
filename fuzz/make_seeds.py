#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets: menu texture files good and bad, payloads of the
lengths around the texture window, DDS textures, and small pictures of every kind that the
conversion takes, written by the image library itself (through ctypes). Run from this folder.

corpus/unpack/built_by_frondel is not made here: it is the file.bin of a build by frondel
itself (the stand-in Edit template and a 2,048-byte texture).
"""
import struct
import sys
import zlib
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tools"))
from free_image_files import BMP, JPEG, PNG, TIFF, FreeImage  # noqa: E402


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
    "stored_length_at_cap": menu_file(good, stored=64 << 20),
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


def pictures():
    """8x8 pictures in each kind and depth the conversion takes, with a gradient in every
    channel, alpha included where the depth has one. TGA is written apart (tga_seeds)."""
    library = FreeImage()

    def gradient(bits):
        for i in range(8 * 8):
            x, y = i % 8, i // 8
            for k, value in enumerate((x * 32, y * 32, (x + y) * 16, 255 - x * y * 4)):
                bits[4 * i + k] = value

    rgba = library.rgba(8, 8, gradient)
    rgb = library.rgb(rgba)
    grey = library.grey(rgba)
    rgb16 = library.rgb16(rgb)
    save = library.save
    made = {
        "png_rgba": save(PNG, rgba),
        "png_rgb": save(PNG, rgb),
        "png_grey": save(PNG, grey),
        "png_48bit": save(PNG, rgb16),
        "jpeg_rgb": save(JPEG, rgb),
        "jpeg_progressive": save(JPEG, rgb, 0x2000),
        "jpeg_grey": save(JPEG, grey),
        "bmp_rgba": save(BMP, rgba),
        "bmp_rgb": save(BMP, rgb),
        "bmp_grey_rle": save(BMP, grey, 1),
        "tiff_rgba_lzw": save(TIFF, rgba, 0x4000),
        "tiff_rgb": save(TIFF, rgb, 0x0800),
        "tiff_48bit": save(TIFF, rgb16),
    }
    library.unload_all()
    return made


def tga(image_type, bits, data, width=8, height=8, colour_map=b"", map_bits=0, descriptor=0):
    entries = len(colour_map) // max(map_bits // 8, 1) if colour_map else 0
    header = struct.pack("<BBBHHBHHHHBB", 0, 1 if colour_map else 0, image_type, 0, entries,
                         map_bits, 0, 0, width, height, bits, descriptor)
    return header + colour_map + data


def tga_seeds():
    """8x8 TGA files of every type the decoder takes: true colour, grey and colour-mapped, raw
    and run-length encoded, bottom or top row first."""
    bgra = bytes((i * 37 + k * 11) % 256 for i in range(64) for k in range(4))
    bgr = bytes(b for i, b in enumerate(bgra) if i % 4 != 3)
    palette = bytes((i * 16 + k * 40) % 256 for i in range(16) for k in range(3))
    runs = b"".join(bytes([0x83]) + bgra[i:i + 4] + bytes([0x03]) + bgra[i:i + 16]
                    for i in range(0, 64, 8))
    return {
        "tga_bgra": tga(2, 32, bgra, descriptor=0x28),
        "tga_bgr_bottom_first": tga(2, 24, bgr),
        "tga_rle_bgra": tga(10, 32, runs, descriptor=0x08),
        "tga_grey": tga(3, 8, bytes(range(0, 256, 4))),
        "tga_rle_grey": tga(11, 8, bytes([0xbf, 0x80])),
        "tga_555": tga(2, 16, bytes((i * 29) % 256 for i in range(128))),
        "tga_mapped": tga(1, 8, bytes(i % 16 for i in range(64)), colour_map=palette,
                          map_bits=24),
        "tga_rle_mapped": tga(9, 8, bytes([0xbf, 3, 0xbf, 9]), colour_map=palette, map_bits=24),
        "tga_cut": tga(2, 32, bgra)[:200],
        "tga_wide": tga(2, 32, bgra * 2, width=128, height=1),
    }


def raw_deflate(parts, flush, level=6, strategy=zlib.Z_DEFAULT_STRATEGY):
    packer = zlib.compressobj(level, zlib.DEFLATED, -15, 8, strategy)
    out = b"".join(packer.compress(part) + packer.flush(flush) for part in parts[:-1])
    return out + packer.compress(parts[-1]) + packer.flush(zlib.Z_FINISH)


text = b"".join(b"block %d of the walk, " % (i % 97) for i in range(600))
deflate = {
    "empty": raw_deflate([b""], zlib.Z_FINISH),
    "stored": raw_deflate([good[:700], good[700:]], zlib.Z_FULL_FLUSH, level=0),
    "fixed": raw_deflate([b"abcabcabd" * 4], zlib.Z_FINISH, strategy=zlib.Z_FIXED),
    "dynamic_blocks": raw_deflate([text[:5000], text[5000:9000], good], zlib.Z_BLOCK),
    "cut": raw_deflate([text], zlib.Z_FINISH)[:300],
}
deflate["damaged"] = deflate["dynamic_blocks"][:40] + b"\x5a" + deflate["dynamic_blocks"][41:]

convert = dict(preview)
convert.update(pictures())
convert.update(tga_seeds())
for folder, seeds in (("unpack", unpack), ("extract", extract), ("preview", preview),
                      ("convert", convert), ("deflate", deflate)):
    Path("corpus", folder).mkdir(parents=True, exist_ok=True)
    for name, data in seeds.items():
        Path("corpus", folder, name).write_bytes(data)
