#include "building/picture_import.h"

#include <utility>

#include "building/working_folder.h"
#include "codec/parallel_deflate.h"

namespace frondel {
namespace {

void Discard(const std::filesystem::path& working_root) {
  DeleteFileIfPresent(WorkingPath(working_root, WorkFile::ImportTexture));
  DeleteFileIfPresent(WorkingPath(working_root, WorkFile::ImportBitmap));
}

}  // namespace

ImportedFile CopyIntoImport(const std::filesystem::path& working_root,
                            const std::filesystem::path& chosen) {
  // Read once: the bytes are both the working copy and what the layout check looks at.
  Bytes copy = ReadWholeFile(chosen);
  WriteWholeFile(WorkingPath(working_root, WorkFile::ImportTexture), {copy});
  TextureLayout layout = DescribeTexture(copy);
  return {std::move(copy), std::move(layout)};
}

ImportOutcome FinishImport(const std::filesystem::path& working_root, ImportedFile imported,
                           bool convert) {
  if (imported.layout.is_game_layout) return {ImportStatus::Kept, {}, std::move(imported.bytes)};
  if (!convert) {
    if (imported.layout.kind == PictureKind::Dds) {
      return {ImportStatus::Kept, {}, std::move(imported.bytes)};
    }
    Discard(working_root);
    return {ImportStatus::Dropped};
  }
  // The window converts one picture at a time, on every core.
  Conversion converted = ConvertToGameTexture(imported.bytes, HardwareThreads());
  if (converted.status != ConversionStatus::Done) {
    Discard(working_root);
    return {ImportStatus::NotConverted, converted.status};
  }
  WriteWholeFile(WorkingPath(working_root, WorkFile::ImportTexture), {converted.bytes});
  return {ImportStatus::Converted, {}, std::move(converted.bytes)};
}

}  // namespace frondel
