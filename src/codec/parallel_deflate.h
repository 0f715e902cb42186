#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "platform/file_system.h"

namespace frondel {

// The shortest piece worth a thread of its own.
inline constexpr std::size_t kDeflatePieceLength = 512 * 1024;

// One per hardware thread, and at least one.
unsigned HardwareThreads();

// How `length` bytes are cut for `threads` threads: a piece for each thread, none shorter than
// kDeflatePieceLength, or one piece when that many do not fit. Joining walks every piece but
// the last, so the others are shorter by what their walk costs and the threads end together.
std::vector<std::size_t> PieceLengths(std::size_t length, unsigned threads);

// Appends one ordinary zlib stream of `data` to `out`, cut into pieces of `lengths` (which sum
// to its length; at least one, even for no data), deflated on up to `threads` threads at once
// and joined on byte edges under one checksum. The stream depends on the pieces, not on the
// threads. Throws std::bad_alloc when a library cannot get memory.
void AppendZlibInPieces(ByteView data, std::span<const std::size_t> lengths, unsigned threads,
                        Bytes& out);

}  // namespace frondel
