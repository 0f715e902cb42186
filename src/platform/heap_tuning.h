#pragma once

namespace frondel {

// Keeps the megabyte-sized work buffers of a build or an export in the heap after they are
// freed, so the next operation reuses them instead of faulting in fresh pages (which costs
// more than the file I/O on machines with slow page faults). Call once at start.
void KeepWorkBuffersMapped();

}  // namespace frondel
