// Any bytes as the texture.dds of a job: the header check, the image library's decoding of
// what passes it, and the bitmap loaded back for the box.
#include <cstddef>
#include <cstdint>

#include "building/working_folder.h"
#include "platform/file_system.h"
#include "preview/preview_conversion.h"
#include "preview/preview_display.h"
#include "scratch_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace frondel;
  const auto& folder = fuzz::ScratchProgramFolder("preview");
  WriteWholeFile(WorkingPath(folder, WorkFile::ImportTexture), {ByteView(data, size)});
  if (ConvertPreview(folder, Job::Import) == PreviewResult::Ready) {
    if (PreviewPicture(folder, Job::Import).size() != kPreviewBoxSize) __builtin_trap();
  } else if (FileExists(WorkingPath(folder, WorkFile::ImportBitmap))) {
    __builtin_trap();  // no picture may stand for a texture that cannot be shown
  }
  return 0;
}
