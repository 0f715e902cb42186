// Any bytes as a menu texture file the user opens: copied in and unpacked. Nothing may crash,
// leak or allocate without bound, whatever the bytes. Extraction has a target of its own.
#include <cstddef>
#include <cstdint>

#include "building/menu_format.h"
#include "building/working_folder.h"
#include "scratch_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace frondel;
  const Zlib codec;
  const auto& folder = fuzz::ScratchProgramFolder("unpack");
  WriteWholeFile(WorkingPath(folder, WorkFile::ExportPacked), {ByteView(data, size)});
  const UncompressStatus status = UnpackMenuFile(codec, folder);
  if (IsMenuPayload(status) != FileExists(WorkingPath(folder, WorkFile::ExportPayload))) {
    __builtin_trap();  // a payload must exist exactly when the file was a menu texture file
  }
  return 0;
}
