#pragma once

#include <cstdint>
#include <filesystem>

#include "codec/zlib_codec.h"

namespace frondel {

// A menu texture file: a 12-byte header, then the codec's length-prefixed stream of the
// menu payload.
//   0  2  head word, signed 16-bit, 256 (bytes 00 01)
//   2  1  head byte, 1
//   3  5  "WESYS"
//   8  4  packed length: the bytes after this field (payload length field + stream)
//  12  4  payload length
//  16  m  zlib stream
// Reading takes the header on trust: only the stream from offset 12 on is used.
namespace menu_file {
inline constexpr std::int16_t kHeadWord = 256;
inline constexpr std::uint8_t kHeadByte = 1;
inline constexpr char kMagic[5] = {'W', 'E', 'S', 'Y', 'S'};
inline constexpr std::size_t kPackedLengthOffset = 8;
inline constexpr std::size_t kStreamOffset = 12;   // where the length-prefixed stream starts
inline constexpr std::size_t kMinimumLength = 16;  // header and payload length field
}  // namespace menu_file

// The menu payload: head block, texture, place template, joined. The texture is taken to
// start after a 48-byte head block and to be a 1024x1024 32-bit DDS with its header.
namespace payload {
inline constexpr std::size_t kTextureOffset = 48;
inline constexpr std::size_t kTextureLength = 4'194'432;
}  // namespace payload

// Packs `payload_bytes` into temp/dataimport/file.bin.
void PackPayload(const Zlib& codec, const std::filesystem::path& program_folder,
                 ByteView payload_bytes);
// Packs the payload file temp/dataimport/file.unzlib into temp/dataimport/file.bin.
void PackPayload(const Zlib& codec, const std::filesystem::path& program_folder);

// Unpacks temp/dataexport/file.bin into temp/dataexport/file.unzlib. A file that is no menu
// texture file (shorter than 16 bytes, a damaged stream, a stored length of zero or less)
// leaves no payload behind, so no earlier file's payload can be taken for it.
// Throws FileError when a file cannot be read or written.
UncompressStatus UnpackMenuFile(const Zlib& codec, const std::filesystem::path& program_folder);

// True for the outcomes of unpacking that give a usable payload.
bool IsMenuPayload(UncompressStatus status);

}  // namespace frondel
