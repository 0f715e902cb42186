// Any bytes as a menu texture file the user opens, and as one whose blocks the user takes.
// Nothing may crash, leak or allocate without bound, whatever the bytes. Extraction has a
// target of its own.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "blocks/game_blocks.h"
#include "building/menu_format.h"
#include "building/payload_parts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace frondel;
  const StreamCodec codec;
  const Uncompressed result = UnpackMenuBytes(codec, ByteView(data, size));
  // Only a file shorter than a header is too short, and it gives nothing.
  const bool too_short = result.status == UncompressStatus::TooShort;
  if (too_short != (size < menu_file::kMinimumLength) || (too_short && !result.bytes.empty())) {
    __builtin_trap();
  }
  // Nothing unpacks past the cap; a stream passed on undecoded is no longer than the file.
  if (result.bytes.size() > std::max(kMaxUnpackedLength, size)) __builtin_trap();
  // A usable payload is never longer than its header says.
  const std::optional<MenuHeader> header = ReadMenuHeader(ByteView(data, size));
  if (IsMenuPayload(result.status) &&
      result.bytes.size() > static_cast<std::size_t>(header->payload_length)) {
    __builtin_trap();
  }
  // Blocks come only from a whole payload, a full head block and a template of the game's.
  const MenuBlocks blocks = BlocksOfMenuBytes(codec, ByteView(data, size));
  if (blocks.problem == BlocksProblem::None &&
      (result.status != UncompressStatus::Complete || blocks.head.size() != payload::kHeadLength ||
       blocks.place_template.empty() || IsStandIn(blocks.head))) {
    __builtin_trap();
  }
  return 0;
}
