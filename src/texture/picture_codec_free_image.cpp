// The Linux back end: FreeImage decodes and writes PNG.
#include <cstdio>

#include "texture/dds_header_check.h"
#include "texture/free_image.h"
#include "texture/picture_codec.h"

// Pixels are copied out as the library holds them, so its bytes must be B,G,R,A.
static_assert(FREEIMAGE_COLORORDER == FREEIMAGE_COLORORDER_BGR);

namespace frondel {
namespace {

using MFreeImage::Bitmap;

FREE_IMAGE_FORMAT FormatOf(PictureKind kind) {
  switch (kind) {
    case PictureKind::Dds:
      return FIF_DDS;
    case PictureKind::Png:
      return FIF_PNG;
    case PictureKind::Jpeg:
      return FIF_JPEG;
    case PictureKind::Bmp:
      return FIF_BMP;
    case PictureKind::Tiff:
      return FIF_TIFF;
    default:
      return FIF_UNKNOWN;
  }
}

// 16-bit grey keeps its top byte, as 16-bit colour does in the library's own conversion and as
// the other back ends do; the library's standard conversion would stretch its range instead.
Bitmap GreyTo32Bits(FIBITMAP* grey) {
  const unsigned width = FreeImage_GetWidth(grey);
  const unsigned height = FreeImage_GetHeight(grey);
  Bitmap out(FreeImage_Allocate(static_cast<int>(width), static_cast<int>(height), 32));
  if (!out) return out;
  for (unsigned y = 0; y < height; ++y) {
    const auto* from = reinterpret_cast<const WORD*>(FreeImage_GetScanLine(grey, int(y)));
    BYTE* to = FreeImage_GetScanLine(out.get(), int(y));
    for (unsigned x = 0; x < width; ++x, to += 4) {
      const auto level = static_cast<BYTE>(from[x] >> 8);
      to[FI_RGBA_RED] = to[FI_RGBA_GREEN] = to[FI_RGBA_BLUE] = level;
      to[FI_RGBA_ALPHA] = 0xff;
    }
  }
  return out;
}

Bitmap To32Bits(Bitmap picture) {
  const FREE_IMAGE_TYPE type = FreeImage_GetImageType(picture.get());
  if (type == FIT_BITMAP && FreeImage_GetBPP(picture.get()) == 32) return picture;
  if (type == FIT_UINT16) return GreyTo32Bits(picture.get());
  if (type != FIT_BITMAP && type != FIT_RGBA16) {
    picture = Bitmap(FreeImage_ConvertToStandardType(picture.get(), TRUE));
    if (!picture) return picture;
  }
  return Bitmap(FreeImage_ConvertTo32Bits(picture.get()));
}

}  // namespace

DecodedPicture DecodeWithPlatform(ByteView file, PictureKind kind) {
  const FREE_IMAGE_FORMAT format = FormatOf(kind);
  // The library reads the stream only; it takes no const pointer.
  const MFreeImage::Memory memory(
      FreeImage_OpenMemory(const_cast<BYTE*>(file.data()), static_cast<DWORD>(file.size())));
  if (!memory || FreeImage_GetFileTypeFromMemory(memory.get(), 0) != format) {
    return {.status = ConversionStatus::Unreadable};
  }
  // A gamma note in a PNG would otherwise change every colour.
  const int flags = format == FIF_PNG ? PNG_IGNOREGAMMA : format == FIF_JPEG ? JPEG_ACCURATE : 0;
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
  Bitmap loaded(FreeImage_LoadFromMemory(format, memory.get(), flags));
  if (!loaded || !FreeImage_HasPixels(loaded.get())) {
    return {.status = ConversionStatus::Unreadable};
  }
  // True colour without alpha stays 3 bytes a pixel, 16-bit colour keeping its top bytes, as
  // it does on the way to 4; everything else becomes 4.
  const FREE_IMAGE_TYPE type = FreeImage_GetImageType(loaded.get());
  const bool bgr =
      (type == FIT_BITMAP && FreeImage_GetBPP(loaded.get()) == 24) || type == FIT_RGB16;
  const Bitmap bitmap = type == FIT_RGB16 ? Bitmap(FreeImage_ConvertTo24Bits(loaded.get()))
                        : bgr             ? std::move(loaded)
                                          : To32Bits(std::move(loaded));
  if (!bitmap) return {.status = ConversionStatus::Unreadable};
  // Freed before the copy below, which can then reuse its pages.
  loaded.reset();
  // The library copies a DDS's bytes as they are, whatever its masks say.
  if (kind == PictureKind::Dds && CheckDdsHeader(file) == DdsVerdict::SwapRedBlue) {
    MFreeImage::SwapRedAndBlue(bitmap.get());
  }

  DecodedPicture decoded{.status = ConversionStatus::Done};
  Picture& picture = decoded.picture;
  picture.width = FreeImage_GetWidth(bitmap.get());
  picture.height = FreeImage_GetHeight(bitmap.get());
  picture.channels = bgr ? 3 : 4;
  const std::size_t row_bytes = std::size_t{picture.width} * picture.channels;
  // Appended row by row, so the pixels are written once. The library keeps the bottom row first.
  picture.bytes.reserve(Picture::kRoomBefore + row_bytes * picture.height);
  picture.bytes.resize(Picture::kRoomBefore);
  for (std::uint32_t row = picture.height; row-- > 0;) {
    const BYTE* from = FreeImage_GetScanLine(bitmap.get(), static_cast<int>(row));
    picture.bytes.insert(picture.bytes.end(), from, from + row_bytes);
  }
  return decoded;
}

std::optional<Bytes> EncodeWithPlatform(const Picture& picture, EncodedKind kind) {
  Bytes bgra(std::size_t{picture.width} * picture.height * 4);
  CopyAsBgra(picture, bgra);
  // The library reads the rows top first when told so.
  const Bitmap bitmap(FreeImage_ConvertFromRawBits(
      bgra.data(), static_cast<int>(picture.width), static_cast<int>(picture.height),
      static_cast<int>(picture.width * 4), 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK,
      FI_RGBA_BLUE_MASK, TRUE));
  const MFreeImage::Memory memory(FreeImage_OpenMemory(nullptr, 0));
  BYTE* data = nullptr;
  DWORD size = 0;
  if (!bitmap || !memory ||
      !FreeImage_SaveToMemory(kind == EncodedKind::Png ? FIF_PNG : FIF_BMP, bitmap.get(),
                              memory.get(), 0) ||
      !FreeImage_AcquireMemory(memory.get(), &data, &size)) {
    return std::nullopt;
  }
  return Bytes(data, data + size);
}

}  // namespace frondel
