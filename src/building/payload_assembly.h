#pragma once

#include <filesystem>
#include <string_view>

#include "building/menu_places.h"
#include "codec/zlib_codec.h"
#include "platform/prompts.h"

namespace frondel {

// One block of a payload read whole. An empty file is refused ("the file is empty"): no
// block of a payload may be empty. Throws FileError.
Bytes ReadPayloadBlock(const std::filesystem::path& file);

// Joins the head block, the imported texture and the place's template into
// temp/dataimport/file.unzlib and packs it into temp/dataimport/file.bin. All three inputs
// are read before anything is written, so a missing or empty one leaves the files of an
// earlier build as they were. Throws FileError.
void BuildPlacePayload(const Zlib& codec, const std::filesystem::path& program_folder,
                       const MenuPlace& place);

// "Create File": builds for the place whose list text is `list_text` (empty when nothing
// is selected) and tells the user what is missing. Throws FileError.
void CreateMenuFile(const Zlib& codec, const std::filesystem::path& program_folder,
                    std::string_view list_text, Prompts& prompts);

}  // namespace frondel
