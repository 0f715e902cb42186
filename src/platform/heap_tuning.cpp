#include "platform/heap_tuning.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#ifdef __GLIBC__
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#endif

namespace frondel {

void KeepWorkBuffersMapped() {
#ifdef __GLIBC__
  // Payloads are a few megabytes; serve them from the heap and keep up to 128 MiB of freed
  // heap instead of giving it back at once. One heap for every thread, so that the workers'
  // buffers come from the part prepared below too.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
  mallopt(M_ARENA_MAX, 1);
  // A fresh 4 KiB page costs a fault on first touch, and on some virtual machines a fault
  // costs ten microseconds: the pictures of one PNG build would spend more in faults than in
  // decoding. So the heap is grown now by more than two builds use (address space; only the
  // parts' headers are written) and that part is marked for 2 MiB pages, a fault each. sbrk
  // bounds the part to the heap's own mapping.
  const auto top = [] { return reinterpret_cast<std::uintptr_t>(sbrk(0)); };
  const std::uintptr_t grown_from = top();
  std::array<void*, 4> parts{};
  for (void*& part : parts) part = std::malloc(24 << 20);
  constexpr std::uintptr_t kHugePage = 2 << 20;
  const std::uintptr_t begin = (grown_from + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t end = top() & ~(kHugePage - 1);
  // Only a hint: where the kernel has no such pages the heap works as before.
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
  for (void* part : parts) std::free(part);
#endif
}

}  // namespace frondel
