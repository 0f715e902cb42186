#pragma once

#include <cstddef>

#include "platform/file_system.h"

namespace frondel {

// The unit of work of a deflate on several threads: the data is cut into pieces this long.
inline constexpr std::size_t kDeflatePieceLength = 512 * 1024;

// One per hardware thread, and at least one.
unsigned HardwareThreads();

// True when `length` bytes are worth deflating on `threads` threads: at least two whole pieces
// to share out. Less pays too little: joining walks each piece but the last, which costs about
// a sixth of deflating it.
bool PaysToSplit(std::size_t length, unsigned threads);

// Appends one ordinary zlib stream of `data` to `out`, its pieces deflated on up to `threads`
// threads at once and joined on byte edges, under one checksum. Throws std::bad_alloc when a
// library cannot get memory.
void AppendZlibInPieces(ByteView data, unsigned threads, Bytes& out,
                        std::size_t piece_length = kDeflatePieceLength);

}  // namespace frondel
