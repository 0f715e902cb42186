#include "win32/tutorial_picture.h"

#include "platform/file_error.h"

namespace frondel {

PreviewPicture ReadTutorialPicture(const std::filesystem::path& file) {
  std::optional<PreviewPicture> picture = PictureOf(ReadWholeFile(file));
  if (!picture) throw FileError("read", file, "the picture cannot be decoded");
  return std::move(*picture);
}

}  // namespace frondel
