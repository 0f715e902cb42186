#include "building/menu_format.h"

#include <algorithm>
#include <array>

#include "platform/little_endian.h"

namespace frondel {

std::optional<MenuHeader> ReadMenuHeader(ByteView file) {
  if (file.size() < menu_file::kMinimumLength) return std::nullopt;
  std::array<std::uint8_t, menu_file::kFixedLength> fixed{};
  PutInt16(fixed, 0, menu_file::kHeadWord);
  fixed[2] = menu_file::kHeadByte;
  std::copy(std::begin(menu_file::kMagic), std::end(menu_file::kMagic), fixed.begin() + 3);
  return MenuHeader{std::equal(fixed.begin(), fixed.end(), file.begin()),
                    GetInt32(file, menu_file::kPackedLengthOffset),
                    GetInt32(file, menu_file::kPayloadLengthOffset)};
}

Bytes PackMenuBytes(const StreamCodec& codec, ByteView payload_bytes) {
  Bytes file = codec.CompressStream(payload_bytes);
  const auto packed_length = static_cast<std::int32_t>(file.size());
  // The stream's buffer has room to spare, so the header goes in front without a second copy.
  file.insert(file.begin(), menu_file::kStreamOffset, 0);
  PutInt16(file, 0, menu_file::kHeadWord);
  file[2] = menu_file::kHeadByte;
  std::copy(std::begin(menu_file::kMagic), std::end(menu_file::kMagic), file.begin() + 3);
  PutInt32(file, menu_file::kPackedLengthOffset, packed_length);
  return file;
}

Uncompressed UnpackMenuBytes(const StreamCodec& codec, ByteView file) {
  if (file.size() < menu_file::kMinimumLength) return {{}, UncompressStatus::TooShort};
  return codec.UncompressStream(file.subspan(menu_file::kStreamOffset));
}

bool IsMenuPayload(UncompressStatus status) {
  return status == UncompressStatus::Complete || status == UncompressStatus::CutAtStoredLength;
}

}  // namespace frondel
