#pragma once

// MFreeImage: the binding to the image library, over the library's own header. The preview
// and the conversion to the game's layout reach the library through it.

#include <FreeImage.h>

#include <filesystem>
#include <memory>

namespace frondel::MFreeImage {

struct UnloadBitmap {
  void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};

// Owns one decoded image, so every way out of the step that loaded it releases it. An empty
// owner (the library yielded no image) is never passed to the library's release.
using Bitmap = std::unique_ptr<FIBITMAP, UnloadBitmap>;

struct CloseMemory {
  void operator()(FIMEMORY* memory) const { FreeImage_CloseMemory(memory); }
};

// Owns one of the library's memory streams.
using Memory = std::unique_ptr<FIMEMORY, CloseMemory>;

// For textures stored R,G,B(,A): the library copies their bytes as they are.
void SwapRedAndBlue(FIBITMAP* picture);

// File names reach the library in the system's own encoding, so a program folder with
// characters outside ASCII works like any other. True exactly when the library returns 1.
bool SaveImageFile(FREE_IMAGE_FORMAT format, FIBITMAP* bitmap,
                   const std::filesystem::path& file_name, int flags);

}  // namespace frondel::MFreeImage
