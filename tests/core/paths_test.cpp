// Program folders and user files as Windows names them: drive letters, backslashes, roots,
// names that no ANSI code page holds, and files that another program holds open.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "building/menu_format.h"
#include "building/picture_import.h"
#include "building/working_folder.h"
#include "platform/file_error.h"
#include "support/bytes.h"
#include "support/program_folder.h"
#include "support/whole_flow.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;
using testing::BuildAndExportAgain;
using testing::PatternBytes;
using testing::ProgramFolder;
using testing::SameBytes;
using testing::TempFolder;
using testing::WriteBytes;

#ifdef _WIN32
TEST(WorkingPath, WindowsFoldersGetOneBackslashBeforeTheRelativeName) {
  const struct {
    const wchar_t* folder;
    WorkFile file;
    const wchar_t* expected;
  } cases[] = {
      {L"C:\\", WorkFile::ImportTexture, L"C:\\temp\\dataimport\\texture.dds"},
      {L"C:\\Program Files\\frondel", WorkFile::HeadBlock,
       L"C:\\Program Files\\frondel\\temp\\dataentery\\TOPDATA1"},
      {L"D:\\games\\frondel\\", WorkFile::ExportPayload,
       L"D:\\games\\frondel\\temp\\dataexport\\file.unzlib"},
      {L"E:/mods/frondel", WorkFile::ExportTexture,
       L"E:\\mods\\frondel\\temp\\dataexport\\texture.dds"},
      {L"\\\\server\\share\\", WorkFile::ImportPacked,
       L"\\\\server\\share\\temp\\dataimport\\file.bin"},
  };
  for (const auto& c : cases) EXPECT_EQ(WorkingPath(c.folder, c.file).native(), c.expected);
}
#else
TEST(WorkingPath, PosixFoldersGetOneSlashBeforeTheRelativeName) {
  EXPECT_EQ(WorkingPath("/", WorkFile::ImportTexture).native(), "/temp/dataimport/texture.dds");
  EXPECT_EQ(WorkingPath("/opt/frondel/", WorkFile::HeadBlock).native(),
            "/opt/frondel/temp/dataentery/TOPDATA1");
}
#endif

// Every path must reach the system whole: on Windows as UTF-16, never through a narrow
// string in the ANSI code page, which has no Japanese in Western Europe and no ñ in Japan.
TEST(NonAnsiNames, AWholeBuildAndExport) {
  ProgramFolder folder(fs::temp_directory_path(), u8"frondel 日本語 ñ");
  TempFolder user(fs::temp_directory_path(), u8"ユーザー Ωμέγα");
  ASSERT_TRUE(folder.path().filename().u8string().starts_with(u8"frondel 日本語 ñ"));
  const Bytes texture = PatternBytes(payload::kTextureLength, 11);
  WriteBytes(user / u8"テクスチャ.dds", texture);

  EXPECT_TRUE(
      SameBytes(texture, BuildAndExportAgain(folder.path(), "Edit", user / u8"テクスチャ.dds",
                                             user / u8"メニュー.bin", user / u8"書き出し.dds")));
}

TEST(NonAnsiNames, AFailureNamesTheFolderInUtf8) {
  ProgramFolder folder(fs::temp_directory_path(), u8"frondel 日本語");
  fs::remove_all(folder / "temp" / "dataimport");
  try {
    CopyIntoImport(folder.path(), WorkingPath(folder.path(), WorkFile::HeadBlock));
    FAIL() << "expected a FileError";
  } catch (const FileError& e) {
    const std::string text = FailureWords(e, "\"");
    EXPECT_NE(text.find(reinterpret_cast<const char*>(u8"frondel 日本語")), std::string::npos)
        << text;
  }
}

#ifdef _WIN32
// Windows will not replace a file that another program has open, where POSIX would.
class FileHeldOpen : public ::testing::Test {
 protected:
  FileHeldOpen() {
    WriteBytes(held, theirs);
    holder = _wfopen(held.c_str(), L"rb");
  }
  ~FileHeldOpen() override { std::fclose(holder); }

  TempFolder dir;
  const fs::path held = dir / u8"menü.bin";
  const Bytes theirs = PatternBytes(300, 12);
  std::FILE* holder = nullptr;
};

TEST_F(FileHeldOpen, WritingOverItKeepsItWholeAndLeavesNoTemporary) {
  ASSERT_NE(holder, nullptr);
  try {
    WriteWholeFile(held, {PatternBytes(10, 13)});
    FAIL() << "expected a FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), held);
    EXPECT_FALSE(e.reason().empty());
  }
  EXPECT_TRUE(SameBytes(theirs, ReadWholeFile(held)));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(FileHeldOpen, MovingOverItKeepsBothFiles) {
  ASSERT_NE(holder, nullptr);
  const Bytes mine = PatternBytes(50, 14);
  WriteBytes(dir / "built.bin", mine);
  EXPECT_THROW(MoveFile(dir / "built.bin", held, Replace::Existing), FileError);
  EXPECT_TRUE(SameBytes(theirs, ReadWholeFile(held)));
  EXPECT_TRUE(SameBytes(mine, ReadWholeFile(dir / "built.bin")));
}
#endif

}  // namespace
}  // namespace frondel
