#pragma once

#include <filesystem>
#include <string_view>

#include "building/payload_assembly.h"
#include "building/picture_import.h"
#include "building/save_built_file.h"
#include "export/dds_extraction.h"
#include "export/open_menu_file.h"
#include "export/save_exported_texture.h"
#include "platform/file_system.h"

namespace frondel::testing {

// The user's whole round in the core: import `dds`, build for `place`, save to `bin`, open it
// again, export the texture and save it to `exported`. Gives the exported file's bytes.
inline Bytes BuildAndExportAgain(const std::filesystem::path& working_root, std::string_view place,
                                 const std::filesystem::path& dds, const std::filesystem::path& bin,
                                 const std::filesystem::path& exported) {
  const StreamCodec codec;
  CopyIntoImport(working_root, dds);
  CreateMenuFile(codec, working_root, FindMenuPlace(place));
  SaveBuiltFile(working_root, bin, Replace::Never);
  OpenMenuFile(codec, working_root, bin);
  if (!ExtractDds(working_root)) return {};
  SaveExportedTexture(working_root, exported, Replace::Never);
  return ReadWholeFile(exported);
}

}  // namespace frondel::testing
