#pragma once

namespace frondel {

// Keeps the megabyte-sized work buffers of a build or an export in the heap after they are
// freed, so the next operation reuses them instead of faulting in fresh pages (which costs
// more than the file I/O on machines with slow page faults), and asks for 2 MiB pages for
// them where the kernel offers such pages. Call once at start, before any thread starts.
void KeepWorkBuffersMapped();

}  // namespace frondel
