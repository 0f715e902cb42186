#pragma once

#include <filesystem>

#include "platform/file_system.h"
#include "texture/conversion.h"
#include "texture/texture_layout.h"

namespace frondel {

// A chosen file, read once, and what its headers say it is.
struct ImportedFile {
  Bytes bytes;
  TextureLayout layout;
};

// Reads `chosen` and copies it, unexamined, to temp/dataimport/texture.dds, replacing an
// earlier import. Throws FileError.
ImportedFile CopyIntoImport(const std::filesystem::path& working_root,
                            const std::filesystem::path& chosen);

enum class ImportStatus {
  Kept,          // the working copy is the texture to build with, as chosen
  Converted,     // the working copy was replaced by the picture in the game's layout
  Dropped,       // not a DDS and not converted: no working copy and no preview bitmap left
  NotConverted,  // the conversion refused the picture (see `refusal`): nothing left either
};

struct ImportOutcome {
  ImportStatus status;
  ConversionStatus refusal = ConversionStatus::Done;
  Bytes texture{};  // the working copy's bytes, for Kept and Converted
};

// Finishes an import: a texture in the game's layout is kept whatever `convert` says. Any
// other file is converted when `convert` (the working copy replaced whole; the chosen file
// never changes), kept as it is when it is a DDS, and otherwise dropped. Throws FileError.
ImportOutcome FinishImport(const std::filesystem::path& working_root, ImportedFile imported,
                           bool convert);

}  // namespace frondel
