#pragma once

#include <cstddef>
#include <optional>

#include "platform/file_system.h"

namespace frondel {

// Where a raw deflate stream's blocks lie, in bits from its first byte's lowest bit.
struct DeflateBlocks {
  std::size_t final_block;  // the final block's first header bit, its final mark
  std::size_t end;          // just after the final block
};

// Walks the blocks of the raw deflate stream at the start of `stream`, decoding their codes to
// find where each ends but writing nothing out. Nothing when the stream is malformed or cut
// short; never reads past `stream`. With no output, it cannot tell a distance that reaches
// back before the stream's start: that alone it takes.
std::optional<DeflateBlocks> WalkDeflateBlocks(ByteView stream);

}  // namespace frondel
