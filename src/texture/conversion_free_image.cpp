#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/little_endian.h"
#include "texture/conversion.h"
#include "texture/dds_format.h"
#include "texture/dds_header_check.h"
#include "texture/free_image.h"
#include "texture/texture_layout.h"

// Pixels are written out as the library holds them, so its bytes must be B,G,R,A.
static_assert(FREEIMAGE_COLORORDER == FREEIMAGE_COLORORDER_BGR);

namespace frondel {
namespace {

using MFreeImage::Bitmap;

struct Decoded {
  ConversionStatus status;
  Bitmap picture{};
  bool opaque = false;  // the file stores no alpha, whatever the library fills in
};

// Not TGA: the library's TGA decoder crashes on some damaged files.
bool IsTaken(FREE_IMAGE_FORMAT format) {
  return format == FIF_DDS || format == FIF_PNG || format == FIF_JPEG || format == FIF_BMP ||
         format == FIF_TIFF;
}

Decoded Decode(ByteView file) {
  if (file.empty()) return {.status = ConversionStatus::UnknownKind};
  // The library reads the stream only; it takes no const pointer.
  const MFreeImage::Memory memory(
      FreeImage_OpenMemory(const_cast<BYTE*>(file.data()), static_cast<DWORD>(file.size())));
  if (!memory) return {.status = ConversionStatus::Unreadable};
  const FREE_IMAGE_FORMAT format = FreeImage_GetFileTypeFromMemory(memory.get(), 0);
  if (!IsTaken(format)) return {.status = ConversionStatus::UnknownKind};

  // The library decodes whatever it is told is a DDS without checking it.
  DdsVerdict verdict = DdsVerdict::AsIs;
  bool opaque = false;
  if (format == FIF_DDS) {
    verdict = CheckDdsHeader(file);
    if (verdict == DdsVerdict::NotPreviewable) return {.status = ConversionStatus::Unreadable};
    opaque = (GetU32(file, dds::kPixelFormatFlagsAt) & dds::kPixelRgb) != 0 &&
             GetU32(file, dds::kAlphaMaskAt) == 0;
  }
  // A gamma note in a PNG would otherwise change every colour.
  const int flags = format == FIF_PNG ? PNG_IGNOREGAMMA : 0;
  // A few bytes can claim a picture of gigabytes; its size is read before its pixels.
  if (FreeImage_FIFSupportsNoPixels(format)) {
    const Bitmap header(FreeImage_LoadFromMemory(format, memory.get(), flags | FIF_LOAD_NOPIXELS));
    if (!header) return {.status = ConversionStatus::Unreadable};
    if (std::uint64_t{FreeImage_GetWidth(header.get())} * FreeImage_GetHeight(header.get()) >
        kMaxPicturePixels) {
      return {.status = ConversionStatus::TooLarge};
    }
    FreeImage_SeekMemory(memory.get(), 0, SEEK_SET);
  }
  Bitmap picture(FreeImage_LoadFromMemory(format, memory.get(), flags));
  if (!picture || !FreeImage_HasPixels(picture.get()))
    return {.status = ConversionStatus::Unreadable};
  if (verdict == DdsVerdict::SwapRedBlue) MFreeImage::SwapRedAndBlue(picture.get());
  return {.status = ConversionStatus::Done, .picture = std::move(picture), .opaque = opaque};
}

bool IsTrueColour(FIBITMAP* picture) {
  const unsigned bits = FreeImage_GetBPP(picture);
  return FreeImage_GetImageType(picture) == FIT_BITMAP && (bits == 24 || bits == 32);
}

Bitmap To32Bits(Bitmap picture) {
  if (!picture || (IsTrueColour(picture.get()) && FreeImage_GetBPP(picture.get()) == 32)) {
    return picture;
  }
  const FREE_IMAGE_TYPE type = FreeImage_GetImageType(picture.get());
  if (type != FIT_BITMAP && type != FIT_RGB16 && type != FIT_RGBA16) {
    picture = Bitmap(FreeImage_ConvertToStandardType(picture.get(), TRUE));
    if (!picture) return picture;
  }
  return Bitmap(FreeImage_ConvertTo32Bits(picture.get()));
}

void MakeOpaque(FIBITMAP* picture) {
  const unsigned width = FreeImage_GetWidth(picture);
  for (unsigned y = 0; y < FreeImage_GetHeight(picture); ++y) {
    BYTE* row = FreeImage_GetScanLine(picture, static_cast<int>(y));
    for (unsigned x = 0; x < width; ++x) row[4 * x + FI_RGBA_ALPHA] = 0xff;
  }
}

}  // namespace

bool CanConvertPictures() { return true; }

Conversion ConvertToGameTexture(ByteView picture) {
  if (DescribeTexture(picture).is_game_layout) {
    return {.status = ConversionStatus::Done,
            .bytes = Bytes(picture.begin(), picture.end()),
            .from_width = kGameSide,
            .from_height = kGameSide};
  }
  Decoded decoded = Decode(picture);
  if (decoded.status != ConversionStatus::Done) return {.status = decoded.status};
  Conversion result{.status = ConversionStatus::Done};
  result.from_width = FreeImage_GetWidth(decoded.picture.get());
  result.from_height = FreeImage_GetHeight(decoded.picture.get());
  result.scaled = result.from_width != kGameSide || result.from_height != kGameSide;

  Bitmap texture = std::move(decoded.picture);
  // True colour is scaled before it gets its alpha: a quarter less to filter.
  if (result.scaled && IsTrueColour(texture.get())) {
    texture = Bitmap(FreeImage_Rescale(texture.get(), kGameSide, kGameSide, FILTER_BICUBIC));
  }
  texture = To32Bits(std::move(texture));
  if (texture && FreeImage_GetWidth(texture.get()) != kGameSide) {
    texture = Bitmap(FreeImage_Rescale(texture.get(), kGameSide, kGameSide, FILTER_BICUBIC));
  }
  if (!texture || !IsTrueColour(texture.get()) || FreeImage_GetBPP(texture.get()) != 32 ||
      FreeImage_GetWidth(texture.get()) != kGameSide ||
      FreeImage_GetHeight(texture.get()) != kGameSide) {
    return {.status = ConversionStatus::Unreadable};
  }
  if (decoded.opaque) MakeOpaque(texture.get());

  result.bytes = GameTextureHeader();
  result.bytes.resize(kGameTextureBytes);
  // The library keeps the bottom row first.
  for (std::uint32_t row = 0; row < kGameSide; ++row) {
    const BYTE* from = FreeImage_GetScanLine(texture.get(), static_cast<int>(kGameSide - 1 - row));
    std::memcpy(result.bytes.data() + dds::kPixelDataOffset + row * kGameRowBytes, from,
                kGameRowBytes);
  }
  return result;
}

Conversion EncodePng(ByteView picture) {
  Decoded decoded = Decode(picture);
  if (decoded.status != ConversionStatus::Done) return {.status = decoded.status};
  Conversion result{.status = ConversionStatus::Done};
  result.from_width = FreeImage_GetWidth(decoded.picture.get());
  result.from_height = FreeImage_GetHeight(decoded.picture.get());
  const Bitmap rgba = To32Bits(std::move(decoded.picture));
  if (!rgba) return {.status = ConversionStatus::Unreadable};
  if (decoded.opaque) MakeOpaque(rgba.get());

  const MFreeImage::Memory memory(FreeImage_OpenMemory(nullptr, 0));
  BYTE* data = nullptr;
  DWORD size = 0;
  if (!memory || !FreeImage_SaveToMemory(FIF_PNG, rgba.get(), memory.get(), PNG_DEFAULT) ||
      !FreeImage_AcquireMemory(memory.get(), &data, &size)) {
    return {.status = ConversionStatus::Unreadable};
  }
  result.bytes.assign(data, data + size);
  return result;
}

}  // namespace frondel
