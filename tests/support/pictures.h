#pragma once

#include <FreeImage.h>

#include "platform/file_system.h"
#include "support/rgba.h"
#include "texture/free_image.h"

// Pictures of any kind, made and read back at test time with the image library.
namespace frondel::testing {

inline MFreeImage::Bitmap MakePicture(unsigned width, unsigned height, unsigned bits,
                                      const PixelAt& pixel) {
  MFreeImage::Bitmap picture(FreeImage_Allocate(static_cast<int>(width), static_cast<int>(height),
                                                static_cast<int>(bits), FI_RGBA_RED_MASK,
                                                FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK));
  for (unsigned y = 0; y < height; ++y) {
    BYTE* row = FreeImage_GetScanLine(picture.get(), static_cast<int>(height - 1 - y));
    for (unsigned x = 0; x < width; ++x) {
      const Rgba c = pixel(x, y);
      BYTE* p = row + x * (bits / 8);
      p[FI_RGBA_RED] = c.r;
      p[FI_RGBA_GREEN] = c.g;
      p[FI_RGBA_BLUE] = c.b;
      if (bits == 32) p[FI_RGBA_ALPHA] = c.a;
    }
  }
  return picture;
}

inline Bytes Encode(FREE_IMAGE_FORMAT format, FIBITMAP* picture) {
  const MFreeImage::Memory memory(FreeImage_OpenMemory(nullptr, 0));
  BYTE* data = nullptr;
  DWORD size = 0;
  if (!FreeImage_SaveToMemory(format, picture, memory.get(), 0) ||
      !FreeImage_AcquireMemory(memory.get(), &data, &size)) {
    return {};
  }
  return Bytes(data, data + size);
}

// Any picture decoded to 32 bits, so its pixels can be read with PixelOf.
inline MFreeImage::Bitmap Decode(ByteView file) {
  const MFreeImage::Memory memory(
      FreeImage_OpenMemory(const_cast<BYTE*>(file.data()), static_cast<DWORD>(file.size())));
  const MFreeImage::Bitmap picture(
      FreeImage_LoadFromMemory(FreeImage_GetFileTypeFromMemory(memory.get(), 0), memory.get(), 0));
  return MFreeImage::Bitmap(picture ? FreeImage_ConvertTo32Bits(picture.get()) : nullptr);
}

inline Rgba PixelOf(FIBITMAP* picture, unsigned x, unsigned y) {
  const BYTE* p =
      FreeImage_GetScanLine(picture, static_cast<int>(FreeImage_GetHeight(picture) - 1 - y)) +
      4 * x;
  return {p[FI_RGBA_RED], p[FI_RGBA_GREEN], p[FI_RGBA_BLUE], p[FI_RGBA_ALPHA]};
}

}  // namespace frondel::testing
