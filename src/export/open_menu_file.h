#pragma once

#include <filesystem>

#include "codec/stream_codec.h"

namespace frondel {

// A menu texture file as the export job opened it.
struct OpenedMenuFile {
  std::filesystem::path file;  // the file the user chose
  Uncompressed payload;        // what unpacking made of it
};

// Reads `chosen` once: copies it to temp/dataexport/file.bin and unpacks it into
// temp/dataexport/file.unzlib. A file that is no menu texture file (shorter than 16 bytes, a
// damaged stream, a stored length of zero or less) leaves no payload file behind, so no earlier
// file's payload can be taken for it. Throws FileError.
OpenedMenuFile OpenMenuFile(const StreamCodec& codec, const std::filesystem::path& working_root,
                            const std::filesystem::path& chosen);

}  // namespace frondel
