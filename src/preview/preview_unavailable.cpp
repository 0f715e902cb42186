#include "preview/preview.h"

namespace frondel {

// A build without a decoder for textures: every texture gets the note instead of a picture.

bool CanPreview() { return false; }

Preview MakePreview(const std::filesystem::path& program_folder, Job job, ByteView) {
  DeleteFileIfPresent(WorkingPath(program_folder, BitmapOf(job)));
  return {};
}

}  // namespace frondel
