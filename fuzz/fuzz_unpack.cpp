// Any bytes as a menu texture file the user opens. Nothing may crash, leak or allocate without
// bound, whatever the bytes. Extraction has a target of its own.
#include <cstddef>
#include <cstdint>

#include "building/menu_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace frondel;
  const Zlib codec;
  const Uncompressed result = UnpackMenuBytes(codec, ByteView(data, size));
  // Only a file shorter than a header is too short, and it gives nothing.
  const bool too_short = result.status == UncompressStatus::TooShort;
  if (too_short != (size < menu_file::kMinimumLength) || (too_short && !result.bytes.empty())) {
    __builtin_trap();
  }
  // A usable payload is never longer than its header says.
  const std::optional<MenuHeader> header = ReadMenuHeader(ByteView(data, size));
  if (IsMenuPayload(result.status) &&
      result.bytes.size() > static_cast<std::size_t>(header->payload_length)) {
    __builtin_trap();
  }
  return 0;
}
