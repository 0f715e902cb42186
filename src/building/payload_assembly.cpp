#include "building/payload_assembly.h"

#include "building/menu_format.h"
#include "building/payload_parts.h"
#include "building/working_folder.h"
#include "platform/file_error.h"
#include "platform/file_system.h"

namespace frondel {

Bytes ReadPayloadBlock(const std::filesystem::path& file) {
  Bytes block = ReadWholeFile(file);
  if (block.empty()) throw FileError("read", file, "the file is empty");
  return block;
}

BuiltMenuFile BuildMenuFile(const StreamCodec& codec, ByteView head, ByteView texture,
                            ByteView place_template) {
  BuiltMenuFile built{AssemblePayload(head, texture, place_template), {}};
  built.packed = PackMenuBytes(codec, built.payload);
  return built;
}

void BuildPlacePayload(const StreamCodec& codec, const std::filesystem::path& working_root,
                       const MenuPlace& place) {
  const auto payload_file = WorkingPath(working_root, WorkFile::ImportPayload);
  BuiltMenuFile built;
  {
    const Bytes head = ReadPayloadBlock(WorkingPath(working_root, WorkFile::HeadBlock));
    const Bytes texture = ReadPayloadBlock(WorkingPath(working_root, WorkFile::ImportTexture));
    const Bytes place_template = ReadPayloadBlock(WorkingPath(working_root, place.template_file));
    built = BuildMenuFile(codec, head, texture, place_template);
  }
  WriteWholeFile(payload_file, {built.payload});
  WriteWholeFile(WorkingPath(working_root, WorkFile::ImportPacked), {built.packed});
}

CreateStatus CreateMenuFile(const StreamCodec& codec, const std::filesystem::path& working_root,
                            const MenuPlace* place) {
  if (!place) return CreateStatus::NoPlace;
  if (!FileExists(WorkingPath(working_root, WorkFile::ImportTexture))) {
    return CreateStatus::NoTexture;
  }
  BuildPlacePayload(codec, working_root, *place);
  return CreateStatus::Built;
}

}  // namespace frondel
