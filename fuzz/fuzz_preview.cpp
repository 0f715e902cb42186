// Any bytes as the texture of a job: the header check, the image library's decoding of what
// passes it, the bitmap written and the picture for the box, with its transparency too.
#include <cstddef>
#include <cstdint>

#include "building/working_folder.h"
#include "platform/file_system.h"
#include "preview/preview.h"
#include "preview/transparency.h"
#include "scratch_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace frondel;
  const auto& folder = fuzz::ScratchProgramFolder("preview");
  const Preview preview = MakePreview(folder, Job::Import, ByteView(data, size));
  if (preview.status == PreviewStatus::Ready) {
    const PreviewPicture& picture = preview.picture;
    if (picture.pixels.size() != std::size_t{picture.width} * picture.height * 4) __builtin_trap();
    if (!preview.alpha.empty() && preview.alpha.size() != picture.pixels.size() / 4) {
      __builtin_trap();
    }
    // A box smaller and one larger than most textures.
    for (const std::uint32_t side : {7u, 300u}) {
      if (WithTransparency(preview, side, side + 1).pixels.empty()) __builtin_trap();
    }
  } else if (FileExists(WorkingPath(folder, WorkFile::ImportBitmap))) {
    __builtin_trap();  // no picture may stand for a texture that cannot be shown
  }
  return 0;
}
