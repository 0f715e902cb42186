#include <algorithm>

#include "preview/preview.h"
#include "texture/picture.h"

namespace frondel {

PreviewPicture OpaqueCopy(const Picture& decoded) {
  PreviewPicture picture{decoded.width, decoded.height, {}};
  picture.pixels.resize(std::size_t{decoded.width} * decoded.height * 4);
  CopyAsBgra(decoded, picture.pixels);
  for (std::size_t alpha = 3; alpha < picture.pixels.size(); alpha += 4) {
    picture.pixels[alpha] = 255;
  }
  return picture;
}

std::optional<PreviewPicture> PictureOf(ByteView file) {
  const DecodedPicture decoded = DecodePicture(file);
  if (decoded.status != ConversionStatus::Done) return std::nullopt;
  return OpaqueCopy(decoded.picture);
}

}  // namespace frondel
