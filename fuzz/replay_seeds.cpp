// A fuzz target's entry point as a plain program: runs it once on every file of the folders
// (or the files) named, so that the test command replays the seed corpora, under the
// sanitizers too, without libFuzzer. A seed that trips a check stops the program.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> seeds;
  for (int i = 1; i < argc; ++i) {
    if (!fs::is_directory(argv[i])) {
      seeds.emplace_back(argv[i]);
      continue;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(argv[i])) {
      if (entry.is_regular_file()) seeds.push_back(entry.path());
    }
  }
  std::sort(seeds.begin(), seeds.end());
  for (const fs::path& seed : seeds) {
    // Named first, so that a seed that stops the program is known.
    std::printf("%s\n", seed.string().c_str());
    std::fflush(stdout);
    const frondel::Bytes bytes = frondel::ReadWholeFile(seed);
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::printf("%zu seeds run\n", seeds.size());
  // No seed at all is a corpus that was not found, not a pass.
  return seeds.empty() ? 1 : 0;
}
