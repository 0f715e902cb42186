#include "building/payload_assembly.h"

#include "building/menu_format.h"
#include "building/working_folder.h"
#include "platform/file_error.h"
#include "platform/file_system.h"

namespace frondel {
namespace {

Bytes ReadBlock(const std::filesystem::path& file) {
  Bytes block = ReadWholeFile(file);
  if (block.empty()) throw FileError("read", file, "the file is empty");
  return block;
}

}  // namespace

void BuildPlacePayload(const Zlib& codec, const std::filesystem::path& program_folder,
                       const MenuPlace& place) {
  const auto payload_file = WorkingPath(program_folder, WorkFile::ImportPayload);
  Bytes payload = ReadBlock(WorkingPath(program_folder, WorkFile::HeadBlock));
  {
    const Bytes texture = ReadBlock(WorkingPath(program_folder, WorkFile::ImportTexture));
    const Bytes place_template = ReadBlock(WorkingPath(program_folder, place.template_file));
    const auto total =
        static_cast<std::int64_t>(payload.size() + texture.size() + place_template.size());
    if (total > kMaxFileLength) {
      throw FileError("write", payload_file,
                      "the data would be 2 GiB or larger, more than the tool can handle");
    }
    payload.reserve(static_cast<std::size_t>(total));
    payload.insert(payload.end(), texture.begin(), texture.end());
    payload.insert(payload.end(), place_template.begin(), place_template.end());
  }
  WriteWholeFile(payload_file, {payload});
  PackPayload(codec, program_folder, payload);
}

void CreateMenuFile(const Zlib& codec, const std::filesystem::path& program_folder,
                    std::string_view list_text, Prompts& prompts) {
  if (const MenuPlace* place = FindMenuPlace(list_text)) {
    if (!FileExists(WorkingPath(program_folder, WorkFile::ImportTexture))) {
      prompts.MessageBox("Please Open A DDS File First", BoxStyle::Information, "Data...");
      return;
    }
    BuildPlacePayload(codec, program_folder, *place);
  }
  if (list_text.empty()) {
    prompts.MessageBox("Please Select A Data From List", BoxStyle::Information, "Data...");
  }
}

}  // namespace frondel
