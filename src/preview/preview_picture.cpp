#include <algorithm>
#include <utility>

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

Preview ReadyPreview(PreviewPicture with_alpha) {
  Preview preview{PreviewStatus::Ready, std::move(with_alpha), {}};
  Bytes& pixels = preview.picture.pixels;
  bool opaque = true;
  for (std::size_t at = 3; at < pixels.size() && opaque; at += 4) opaque = pixels[at] == 255;
  if (opaque) return preview;
  preview.alpha.resize(pixels.size() / 4);
  for (std::size_t at = 3, pixel = 0; at < pixels.size(); at += 4, ++pixel) {
    preview.alpha[pixel] = pixels[at];
    pixels[at] = 255;
  }
  return preview;
}

std::optional<PreviewPicture> PictureOf(ByteView file) {
  const DecodedPicture decoded = DecodePicture(file);
  if (decoded.status != ConversionStatus::Done) return std::nullopt;
  return OpaqueCopy(decoded.picture);
}

}  // namespace frondel
