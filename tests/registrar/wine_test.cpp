#include "registrar/wine.h"

#include <gtest/gtest.h>

#include "platform/file_error.h"

namespace kestrup {
namespace {

TEST(WineDriveC, PrefixFromWineprefixElseDotWineInHome) {
  EXPECT_EQ(WineDriveC("/games/prefix", "/home/ana"), "/games/prefix/drive_c");
  EXPECT_EQ(WineDriveC(nullptr, "/home/ana"), "/home/ana/.wine/drive_c");
  EXPECT_EQ(WineDriveC("", "/home/ana"), "/home/ana/.wine/drive_c");
  EXPECT_THROW(WineDriveC(nullptr, nullptr), frondel::FileError);
  EXPECT_THROW(WineDriveC("", ""), frondel::FileError);
}

TEST(WinePath, DriveCPathsLandBelowDriveC) {
  EXPECT_EQ(WinePath("C:\\windows\\system32\\Controls.ocx", "/p/drive_c"),
            "/p/drive_c/windows/system32/Controls.ocx");
  EXPECT_EQ(WinePath("c:\\windows\\system32\\Mscomctl.ocx", "/p/drive_c"),
            "/p/drive_c/windows/system32/Mscomctl.ocx");
  EXPECT_THROW(WinePath("D:\\windows\\Controls.ocx", "/p/drive_c"), frondel::FileError);
  EXPECT_THROW(WinePath("windows\\Controls.ocx", "/p/drive_c"), frondel::FileError);
}

TEST(WineArguments, WineThenTheWordsOfTheCommandLine) {
  EXPECT_EQ(WineArguments("cmd.exe /RegSvr32 Controls.ocx"),
            (std::vector<std::string>{"wine", "cmd.exe", "/RegSvr32", "Controls.ocx"}));
  EXPECT_EQ(WineArguments("cmd.exe /RegSvr32 Mscomctl.ocx"),
            (std::vector<std::string>{"wine", "cmd.exe", "/RegSvr32", "Mscomctl.ocx"}));
}

}  // namespace
}  // namespace kestrup
