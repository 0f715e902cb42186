#pragma once

#include <filesystem>
#include <string_view>

#include "building/dds_import.h"
#include "building/payload_assembly.h"
#include "building/save_built_file.h"
#include "export/dds_extraction.h"
#include "export/open_menu_file.h"
#include "export/save_exported_dds.h"
#include "platform/file_system.h"

namespace frondel::testing {

// The user's whole round: import `dds`, build for `place`, save to `bin`, open it again,
// export the texture and save it to `exported`. Gives the exported file's bytes.
inline Bytes BuildAndExportAgain(const std::filesystem::path& program_folder,
                                 std::string_view place, const std::filesystem::path& dds,
                                 const std::filesystem::path& bin,
                                 const std::filesystem::path& exported, Prompts& prompts) {
  const Zlib codec;
  ImportDds(program_folder, dds);
  CreateMenuFile(codec, program_folder, place, prompts);
  SaveBuiltFile(program_folder, bin, prompts);
  OpenMenuFile(codec, program_folder, bin, prompts);
  if (!ExtractDds(program_folder, prompts)) return {};
  SaveExportedDds(program_folder, exported, prompts);
  return ReadWholeFile(exported);
}

}  // namespace frondel::testing
