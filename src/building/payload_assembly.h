#pragma once

#include <filesystem>

#include "building/menu_places.h"
#include "codec/stream_codec.h"

namespace frondel {

// One block of a payload read whole. An empty file is refused ("the file is empty"): no
// block of a payload may be empty. Throws FileError.
Bytes ReadPayloadBlock(const std::filesystem::path& file);

// A menu texture file built: its payload and the payload packed.
struct BuiltMenuFile {
  Bytes payload;
  Bytes packed;
};

// The head block, the texture and the place's template joined and packed: the one way every
// front end builds a menu file. Throws Failure when the payload would reach 2 GiB.
BuiltMenuFile BuildMenuFile(const StreamCodec& codec, ByteView head, ByteView texture,
                            ByteView place_template);

// Joins the head block, the imported texture and the place's template into
// temp/dataimport/file.unzlib and packs it into temp/dataimport/file.bin. All three inputs
// are read before anything is written, so a missing or empty one leaves the files of an
// earlier build as they were. Throws FileError, or Failure for a payload of 2 GiB.
void BuildPlacePayload(const StreamCodec& codec, const std::filesystem::path& working_root,
                       const MenuPlace& place);

enum class CreateStatus {
  Built,      // temp/dataimport/file.bin holds the new menu texture file
  NoPlace,    // no place was given: nothing read or written
  NoTexture,  // nothing was imported: nothing read or written
};

// "Create File" for `place` (null when none is selected). Throws FileError.
CreateStatus CreateMenuFile(const StreamCodec& codec, const std::filesystem::path& working_root,
                            const MenuPlace* place);

}  // namespace frondel
