#pragma once

#include <cstdint>
#include <optional>

#include "building/payload_parts.h"
#include "codec/stream_codec.h"

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
inline constexpr std::size_t kFixedLength = 8;  // head word, head byte and magic
inline constexpr std::size_t kPackedLengthOffset = 8;
inline constexpr std::size_t kStreamOffset = 12;  // where the length-prefixed stream starts
inline constexpr std::size_t kPayloadLengthOffset = kStreamOffset;
inline constexpr std::size_t kMinimumLength = 16;  // header and payload length field
}  // namespace menu_file

// The header's fields as they stand, for describing a file; unpacking never looks at them.
struct MenuHeader {
  bool fixed_bytes_match;  // 00 01 01 "WESYS"
  std::int32_t packed_length;
  std::int32_t payload_length;
};

// Nothing when the file is shorter than a header.
std::optional<MenuHeader> ReadMenuHeader(ByteView file);

// The whole menu texture file for a payload: header, then the payload's stream.
Bytes PackMenuBytes(const StreamCodec& codec, ByteView payload_bytes);

// The payload inside a menu texture file and what became of its stream. A file shorter than
// a header is TooShort with no bytes; otherwise as the codec decodes the stream at offset 12.
Uncompressed UnpackMenuBytes(const StreamCodec& codec, ByteView file);

// True for the outcomes of unpacking that give a usable payload.
bool IsMenuPayload(UncompressStatus status);

}  // namespace frondel
