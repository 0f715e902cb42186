#include "building/menu_format.h"

#include <array>
#include <span>

#include "building/working_folder.h"
#include "platform/file_system.h"
#include "platform/little_endian.h"

namespace frondel {

void PackPayload(const Zlib& codec, const std::filesystem::path& program_folder,
                 ByteView payload_bytes) {
  const Bytes stream = codec.CompressStream(payload_bytes);
  std::array<std::uint8_t, menu_file::kStreamOffset> header{};
  PutInt16(header, 0, menu_file::kHeadWord);
  header[2] = menu_file::kHeadByte;
  std::copy(std::begin(menu_file::kMagic), std::end(menu_file::kMagic), header.begin() + 3);
  PutInt32(header, menu_file::kPackedLengthOffset, static_cast<std::int32_t>(stream.size()));
  WriteWholeFile(WorkingPath(program_folder, WorkFile::ImportPacked), {header, stream});
}

void PackPayload(const Zlib& codec, const std::filesystem::path& program_folder) {
  PackPayload(codec, program_folder,
              ReadWholeFile(WorkingPath(program_folder, WorkFile::ImportPayload)));
}

UncompressStatus UnpackMenuFile(const Zlib& codec, const std::filesystem::path& program_folder) {
  const auto packed = WorkingPath(program_folder, WorkFile::ExportPacked);
  const auto unpacked = WorkingPath(program_folder, WorkFile::ExportPayload);
  const Bytes file = ReadWholeFile(packed);
  if (file.size() < menu_file::kMinimumLength) {
    DeleteFileIfPresent(unpacked);
    return UncompressStatus::TooShort;
  }
  const Uncompressed result =
      codec.UncompressStream(std::span(file).subspan(menu_file::kStreamOffset));
  if (!IsMenuPayload(result.status)) {
    DeleteFileIfPresent(unpacked);
    return result.status;
  }
  WriteWholeFile(unpacked, {result.bytes});
  return result.status;
}

bool IsMenuPayload(UncompressStatus status) {
  return status == UncompressStatus::Complete || status == UncompressStatus::CutAtStoredLength;
}

}  // namespace frondel
