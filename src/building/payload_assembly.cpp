#include "building/payload_assembly.h"

#include <stdexcept>

#include "building/menu_format.h"
#include "building/working_folder.h"
#include "platform/file_error.h"
#include "platform/file_system.h"

namespace frondel {

Bytes ReadPayloadBlock(const std::filesystem::path& file) {
  Bytes block = ReadWholeFile(file);
  if (block.empty()) throw FileError("read", file, "the file is empty");
  return block;
}

void BuildPlacePayload(const Zlib& codec, const std::filesystem::path& program_folder,
                       const MenuPlace& place) {
  const auto payload_file = WorkingPath(program_folder, WorkFile::ImportPayload);
  Bytes payload_bytes;
  {
    const Bytes head = ReadPayloadBlock(WorkingPath(program_folder, WorkFile::HeadBlock));
    const Bytes texture = ReadPayloadBlock(WorkingPath(program_folder, WorkFile::ImportTexture));
    const Bytes place_template = ReadPayloadBlock(WorkingPath(program_folder, place.template_file));
    try {
      payload_bytes = AssemblePayload(head, texture, place_template);
    } catch (const std::length_error& e) {
      throw FileError("write", payload_file, e.what());
    }
  }
  WriteWholeFile(payload_file, {payload_bytes});
  PackPayload(codec, program_folder, payload_bytes);
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
