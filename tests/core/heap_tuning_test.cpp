#include "platform/heap_tuning.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

namespace frondel {
namespace {

// Whether the mapping that holds `address` is marked for 2 MiB pages ("hg" in its VmFlags).
[[maybe_unused]] bool MarkedForHugePages(const void* address) {
  const auto at = reinterpret_cast<std::uintptr_t>(address);
  std::ifstream smaps("/proc/self/smaps");
  bool inside = false;
  for (std::string line; std::getline(smaps, line);) {
    std::uintptr_t begin = 0, end = 0;
    char dash = 0;
    if (std::istringstream(line) >> std::hex >> begin >> dash >> end && dash == '-') {
      inside = begin <= at && at < end;
    } else if (inside && line.starts_with("VmFlags:")) {
      return (line + " ").find(" hg ") != std::string::npos;
    }
  }
  return false;
}

// A worker thread's buffer comes from the heap tuned at start, in its part marked for 2 MiB
// pages. Run in a fresh process, as the programs tune the heap before any thread starts.
TEST(KeepWorkBuffersMapped, AWorkersBufferIsInTheHeapMarkedForHugePages) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || !defined(__GLIBC__)
  GTEST_SKIP() << "the heap here is not glibc's";
#else
  std::string modes;
  std::getline(std::ifstream("/sys/kernel/mm/transparent_hugepage/enabled"), modes);
  if (modes.empty() || modes.find("[never]") != std::string::npos) {
    GTEST_SKIP() << "this kernel offers no 2 MiB pages";
  }
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        KeepWorkBuffersMapped();
        std::unique_ptr<std::uint8_t[]> buffer;
        std::thread([&] { buffer.reset(new std::uint8_t[8 << 20]); }).join();
        std::exit(MarkedForHugePages(buffer.get() + (4 << 20)) ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
#endif
}

}  // namespace
}  // namespace frondel
