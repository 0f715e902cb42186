// What a later start may hand over to the running program.
#include "session/hand_over.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "support/temp_folder.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;

TEST(HandOver, TakesOneFullPathOfAnExistingFileAndRefusesTheRest) {
  testing::TempFolder folder;
  const fs::path file = folder / u8"t\u00fc \u65e5.dds";
  WriteWholeFile(file, {Bytes{1, 2, 3}});
  EXPECT_TRUE(CanHandOver(file));
  const HandOverRequest taken = RequestToOpen(file);
  EXPECT_EQ(taken.status, HandOverRequest::Status::Taken);
  EXPECT_EQ(taken.file, file);
  const fs::path refused[] = {
      fs::path(), fs::path(file.native() + fs::path("\n").native() + file.native()),
      fs::path(file.native() + fs::path("\t").native()),
      folder / u8"t\u0085.dds",  // a C1 control
      "t.dds", folder / "none.dds", folder.path(),
      // Longer than any message taken, though it names the file.
      folder / fs::path(std::string(kLongestHandOver, '/')) / file.filename()};
  for (const fs::path& message : refused) {
    EXPECT_FALSE(CanHandOver(message)) << message;
    const HandOverRequest request = RequestToOpen(message);
    EXPECT_EQ(request.status, HandOverRequest::Status::Refused);
    EXPECT_EQ(request.file, std::nullopt);
  }
}

}  // namespace
}  // namespace frondel
