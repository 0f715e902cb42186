#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/file_system.h"
#include "platform/little_endian.h"
#include "support/bytes.h"

// DDS textures written at test time, field by field, with a known colour in each quadrant.
namespace frondel::testing {

struct Colour {
  std::uint8_t r, g, b;
  bool operator==(const Colour&) const = default;
};

inline constexpr Colour kRed{255, 0, 0};
inline constexpr Colour kGreen{0, 255, 0};
inline constexpr Colour kYellow{255, 255, 0};
inline constexpr Colour kBlue{0, 0, 255};
inline constexpr Colour kMagenta{255, 0, 255};

// Four different corners: a picture turned over, mirrored or with red and blue swapped
// shows the wrong colour in at least one of them.
inline Colour QuadrantColour(std::uint32_t x, std::uint32_t y, std::uint32_t width,
                             std::uint32_t height) {
  const bool right = x >= width / 2;
  const bool bottom = y >= height / 2;
  if (!bottom) return right ? kGreen : kRed;
  return right ? kBlue : kYellow;
}

enum class DdsKind { Bgra32, Rgba32, Bgrx32, Bgr24, Rgb24, Dxt1, Dxt3, Dxt5 };

using frondel::PutU32;

namespace dds_sample {

inline void AppendU32(Bytes& out, std::uint32_t value) {
  out.resize(out.size() + 4);
  PutU32(out, out.size() - 4, value);
}

inline bool IsBlockKind(DdsKind kind) {
  return kind == DdsKind::Dxt1 || kind == DdsKind::Dxt3 || kind == DdsKind::Dxt5;
}

inline std::uint32_t BytesPerPixel(DdsKind kind) {
  return kind == DdsKind::Bgr24 || kind == DdsKind::Rgb24 ? 3 : 4;
}

inline std::uint32_t BlockBytes(DdsKind kind) { return kind == DdsKind::Dxt1 ? 8 : 16; }

inline std::uint32_t LevelBytes(DdsKind kind, std::uint32_t width, std::uint32_t height) {
  if (IsBlockKind(kind)) return ((width + 3) / 4) * ((height + 3) / 4) * BlockBytes(kind);
  return width * height * BytesPerPixel(kind);
}

inline void AppendPixel(Bytes& out, DdsKind kind, Colour c) {
  constexpr std::uint8_t kAlpha = 128;  // the preview must come out opaque all the same
  switch (kind) {
    case DdsKind::Bgra32:
      out.insert(out.end(), {c.b, c.g, c.r, kAlpha});
      break;
    case DdsKind::Rgba32:
      out.insert(out.end(), {c.r, c.g, c.b, kAlpha});
      break;
    case DdsKind::Bgrx32:
      out.insert(out.end(), {c.b, c.g, c.r, 0x55});
      break;
    case DdsKind::Bgr24:
      out.insert(out.end(), {c.b, c.g, c.r});
      break;
    case DdsKind::Rgb24:
      out.insert(out.end(), {c.r, c.g, c.b});
      break;
    default:
      break;
  }
}

// One 4x4 block of a single colour: both end colours the same in 5:6:5, every index 0.
inline void AppendBlock(Bytes& out, DdsKind kind, Colour c) {
  if (kind == DdsKind::Dxt3) out.insert(out.end(), 8, 0x88);
  if (kind == DdsKind::Dxt5) out.insert(out.end(), {128, 0, 0, 0, 0, 0, 0, 0});
  const auto rgb565 = static_cast<std::uint16_t>((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3);
  out.insert(out.end(), {std::uint8_t(rgb565), std::uint8_t(rgb565 >> 8), 0, 0, 0, 0, 0, 0});
}

struct PixelFormat {
  std::uint32_t flags, code, bits, red, green, blue, alpha;
};

// Flags 0x40 uncompressed, 0x1 with alpha, 0x4 block-compressed with a code.
inline PixelFormat PixelFormatOf(DdsKind kind) {
  switch (kind) {
    case DdsKind::Bgra32:
      return {0x41, 0, 32, 0xff0000, 0xff00, 0xff, 0xff000000};
    case DdsKind::Rgba32:
      return {0x41, 0, 32, 0xff, 0xff00, 0xff0000, 0xff000000};
    case DdsKind::Bgrx32:
      return {0x40, 0, 32, 0xff0000, 0xff00, 0xff, 0};
    case DdsKind::Bgr24:
      return {0x40, 0, 24, 0xff0000, 0xff00, 0xff, 0};
    case DdsKind::Rgb24:
      return {0x40, 0, 24, 0xff, 0xff00, 0xff0000, 0};
    case DdsKind::Dxt1:
      return {0x4, 0x31545844, 0, 0, 0, 0, 0};  // "DXT1"
    case DdsKind::Dxt3:
      return {0x4, 0x33545844, 0, 0, 0, 0, 0};
    case DdsKind::Dxt5:
      return {0x4, 0x35545844, 0, 0, 0, 0, 0};
  }
  return {};
}

inline void AppendHeader(Bytes& out, DdsKind kind, std::uint32_t width, std::uint32_t height,
                         std::uint32_t mip_levels) {
  const bool blocks = IsBlockKind(kind);
  const bool mips = mip_levels > 1;
  out.insert(out.end(), {'D', 'D', 'S', ' '});
  AppendU32(out, 124);
  // caps, height, width, pixel format; pitch or linear size; mip count
  AppendU32(out, 0x1 | 0x2 | 0x4 | 0x1000 | (blocks ? 0x80000 : 0x8) | (mips ? 0x20000 : 0));
  AppendU32(out, height);
  AppendU32(out, width);
  AppendU32(out, blocks ? LevelBytes(kind, width, height) : width * BytesPerPixel(kind));
  AppendU32(out, 0);  // depth
  AppendU32(out, mip_levels);
  out.insert(out.end(), 11 * 4, 0);

  const PixelFormat f = PixelFormatOf(kind);
  for (std::uint32_t field : {32u, f.flags, f.code, f.bits, f.red, f.green, f.blue, f.alpha}) {
    AppendU32(out, field);
  }
  AppendU32(out, 0x1000 | (mips ? 0x400008 : 0));  // texture; complex, mipmap
  out.insert(out.end(), 4 * 4, 0);
}

}  // namespace dds_sample

// The top level holds the four quadrant colours; every smaller mip level is magenta, so a
// decoder that shows another level than the top is caught. Block kinds need sides that are
// multiples of 8, so that each quadrant is whole blocks.
inline Bytes MakeDds(DdsKind kind, std::uint32_t width, std::uint32_t height,
                     std::uint32_t mip_levels = 1) {
  using namespace dds_sample;
  Bytes out;
  std::uint64_t total = 128;
  for (std::uint32_t level = 0; level < mip_levels; ++level) {
    total += LevelBytes(kind, std::max(1u, width >> level), std::max(1u, height >> level));
  }
  out.reserve(total);
  AppendHeader(out, kind, width, height, mip_levels);
  for (std::uint32_t level = 0; level < mip_levels; ++level) {
    const std::uint32_t w = std::max(1u, width >> level);
    const std::uint32_t h = std::max(1u, height >> level);
    const auto colour = [&](std::uint32_t x, std::uint32_t y) {
      return level == 0 ? QuadrantColour(x, y, w, h) : kMagenta;
    };
    if (IsBlockKind(kind)) {
      for (std::uint32_t y = 0; y < h; y += 4) {
        for (std::uint32_t x = 0; x < w; x += 4) AppendBlock(out, kind, colour(x, y));
      }
    } else {
      for (std::uint32_t y = 0; y < h; ++y) {
        for (std::uint32_t x = 0; x < w; ++x) AppendPixel(out, kind, colour(x, y));
      }
    }
  }
  return out;
}

// A texture in the game's layout with pattern bytes for pixels: taken without conversion.
inline Bytes GameTexture(std::uint32_t seed) {
  static const Bytes header = [] {
    Bytes texture = MakeDds(DdsKind::Bgra32, 1024, 1024);
    texture.resize(128);
    return texture;
  }();
  return Join({header, PatternBytes(1024 * 1024 * 4, seed)});
}

}  // namespace frondel::testing
