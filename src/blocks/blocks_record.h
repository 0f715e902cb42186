#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace frondel {

// Where a block of the game's was taken from.
struct BlockOrigin {
  std::string file_name;  // the menu file's name, without its folder
  std::string date;       // YYYY-MM-DD
};

// temp/dataentery/blocks.txt: one line per block, "NAME<tab>FILE NAME<tab>DATE", keyed by the
// block's file name (TOPDATA1, EXDATA, ...). Lines that do not read so are counted, not kept.
struct BlocksRecord {
  std::map<std::string, BlockOrigin> origins;
  int damaged_lines = 0;
};

// A missing record is an empty one. Throws FileError when the record is there but cannot be
// read, so that no one rewrites it without knowing what it held.
BlocksRecord ReadBlocksRecord(const std::filesystem::path& working_root);

// Replaces the record whole; called with the working folder's lock held (TakeBlocks and
// RestoreStandIns take it). Throws FileError.
void WriteBlocksRecord(const std::filesystem::path& working_root, const BlocksRecord& record);

// Today's local date as YYYY-MM-DD.
std::string Today();

}  // namespace frondel
