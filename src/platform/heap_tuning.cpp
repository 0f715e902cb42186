#include "platform/heap_tuning.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace frondel {

void KeepWorkBuffersMapped() {
#ifdef __GLIBC__
  // Payloads are a few megabytes; serve them from the heap and keep up to 128 MiB of freed
  // heap instead of giving it back at once.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
}

}  // namespace frondel
