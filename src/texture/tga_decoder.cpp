#include "texture/tga_decoder.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

#include "platform/little_endian.h"

// Static, so that a test may build its own copy with other kinds in it.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#include <stb/stb_image.h>

namespace frondel {
namespace {

// Header fields: the length of the text before the colour map, the colour map's presence,
// the image type, the colour map (first entry, entries, bits an entry), sides and bits.
constexpr std::size_t kIdLengthAt = 0;
constexpr std::size_t kHasColourMapAt = 1;
constexpr std::size_t kTypeAt = 2;
constexpr std::size_t kMapFirstAt = 3;
constexpr std::size_t kMapEntriesAt = 5;
constexpr std::size_t kMapBitsAt = 7;
constexpr std::size_t kWidthAt = 12;
constexpr std::size_t kHeightAt = 14;
constexpr std::size_t kBitsAt = 16;
constexpr std::size_t kHeaderBytes = 18;
constexpr std::uint8_t kRunLengthTypes = 8;  // added to the type of a run-length encoded file

// Whether the file holds every byte the decoder will read for its pixels. The decoder reads
// zeros past the end, so a cut file would otherwise come out with a black bottom. The bytes
// are counted as the decoder reads them: the colour map skips its first entry's value in bytes.
bool HoldsEveryPixel(ByteView file) {
  const std::uint64_t pixels = std::uint64_t{GetU16(file, kWidthAt)} * GetU16(file, kHeightAt);
  const std::uint64_t pixel_bytes = (file[kBitsAt] + 7u) / 8;
  std::uint64_t at = kHeaderBytes + file[kIdLengthAt];
  if (file[kHasColourMapAt] == 1) {
    at += GetU16(file, kMapFirstAt) +
          std::uint64_t{GetU16(file, kMapEntriesAt)} * ((file[kMapBitsAt] + 7u) / 8);
  }
  if (file[kTypeAt] < kRunLengthTypes) return at + pixels * pixel_bytes <= file.size();
  // Each packet: a count byte, then one pixel repeated or that many pixels as they are.
  for (std::uint64_t done = 0; done < pixels;) {
    if (at >= file.size()) return false;
    const std::uint8_t packet = file[at++];
    const std::uint64_t count = (packet & 0x7fu) + 1u;
    at += (packet & 0x80u) ? pixel_bytes : count * pixel_bytes;
    done += count;
  }
  return at <= file.size();
}

struct FreeStbImage {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

}  // namespace

DecodedPicture DecodeTga(ByteView file) {
  int width = 0, height = 0, channels = 0;
  const auto* data = reinterpret_cast<const stbi_uc*>(file.data());
  const int length = static_cast<int>(file.size());
  if (file.size() < kHeaderBytes || file.size() > std::size_t{kMaxFileLength} ||
      !stbi_info_from_memory(data, length, &width, &height, &channels)) {
    return {.status = ConversionStatus::Unreadable};
  }
  if (std::uint64_t(width) * std::uint64_t(height) > kMaxPicturePixels) {
    return {.status = ConversionStatus::TooLarge};
  }
  if (!HoldsEveryPixel(file)) return {.status = ConversionStatus::Unreadable};
  // Grey and colour without alpha come as R,G,B; the rest as R,G,B,A.
  const int wanted = channels == 1 || channels == 3 ? 3 : 4;
  const std::unique_ptr<stbi_uc, FreeStbImage> rgb(
      stbi_load_from_memory(data, length, &width, &height, &channels, wanted));
  if (!rgb) return {.status = ConversionStatus::Unreadable};

  DecodedPicture decoded{.status = ConversionStatus::Done};
  Picture& picture = decoded.picture;
  picture.width = static_cast<std::uint32_t>(width);
  picture.height = static_cast<std::uint32_t>(height);
  picture.channels = static_cast<std::uint32_t>(wanted);
  picture.Allocate();
  const std::span<std::uint8_t> pixels = picture.Pixels();
  std::copy_n(rgb.get(), pixels.size(), pixels.begin());
  for (std::size_t at = 0; at < pixels.size(); at += picture.channels) {
    std::swap(pixels[at], pixels[at + 2]);
  }
  return decoded;
}

}  // namespace frondel
