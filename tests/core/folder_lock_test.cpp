#include "platform/folder_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/file_error.h"
#include "support/temp_folder.h"

namespace frondel {
namespace {

using testing::TempFolder;

TEST(FolderLock, SecondHolderWaitsForTheFirstAndAMissingFolderIsAnError) {
  TempFolder dir;
  std::atomic<bool> second_has_it{false};
  std::thread second;
  {
    FolderLock first(dir / "lock");
    second = std::thread([&] {
      FolderLock lock(dir / "lock");
      second_has_it = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(second_has_it);
  }
  second.join();
  EXPECT_TRUE(second_has_it);
  EXPECT_THROW(FolderLock(dir / "missing" / "lock"), FileError);
}

}  // namespace
}  // namespace frondel
