#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "blocks/blocks_record.h"
#include "building/menu_places.h"
#include "codec/stream_codec.h"
#include "platform/file_system.h"

namespace frondel {

// True for the stand-ins we ship, known by the tags they begin with, whatever their file is
// called. The game's blocks are everything else.
bool IsStandIn(ByteView block);

// Why a menu texture file gives no blocks to take.
enum class BlocksProblem {
  None,
  NotMenuFile,       // shorter than a header, or its stream is no stream at all
  Damaged,           // the stream is damaged or ends early
  LongerThanStored,  // the stream holds more than the length stored in front of it
  NoTemplate,        // the payload ends before a template begins
  StandIns,          // the file was built with stand-in blocks
};

// The reason in words, as "the file ..." completes it: "is damaged or ends early".
std::string_view DescribeProblem(BlocksProblem problem);

// A menu texture file's head block and template, when the whole payload decoded.
struct MenuBlocks {
  BlocksProblem problem = BlocksProblem::None;
  Bytes head;
  Bytes place_template;
};

MenuBlocks BlocksOfMenuBytes(const StreamCodec& codec, ByteView file);
// The same for a menu texture file already unpacked.
MenuBlocks BlocksOfPayload(const Uncompressed& unpacked);

// A block file of temp/dataentery: the head block, or the template of `place`.
struct BlockFile {
  std::string_view relative_name;
  const MenuPlace* place;  // null for the head block
};

BlockFile HeadBlockFile();
BlockFile TemplateFile(const MenuPlace& place);
// The head block, then the thirteen templates in the order of the list.
std::vector<BlockFile> BlockFiles();
// The file's own name, TOPDATA1 or EXDATA: the key of the record.
std::string BlockName(const BlockFile& block);
// "Head Block", or the place's list text.
std::string BlockLabel(const BlockFile& block);
// Where a replaced stand-in is kept: the block file's name + ".standin".
std::filesystem::path KeptStandInPath(const std::filesystem::path& working_root,
                                      const BlockFile& block);

// True when the installed head block is the game's and `head` differs from it: the head block
// is common to every place, so replacing it needs the user's word. Throws FileError.
bool WouldReplaceGameHead(const std::filesystem::path& working_root, ByteView head);

// True when the head block or `place`'s template installed is a stand-in: a file built with
// them is not read by the game. Throws FileError.
bool UsesStandIns(const std::filesystem::path& working_root, const MenuPlace& place);

enum class BlockChange { Unchanged, Added, ReplacedStandIn, ReplacedGame };

// What became of a block, in lower case: "replaced the stand-in".
std::string_view ChangeWords(BlockChange change);

struct TakeOutcome {
  bool taken;  // false: the game's head block would have been replaced; nothing was written
  BlockChange head;
  BlockChange place_template;
};

// Installs the head block and the template of `blocks` (problem None) for `place`, each under
// a temporary name renamed into place. A stand-in replaced for the first time is kept beside
// its file. The record names `origin` for both. A game's head block that differs is replaced
// only with `replace_game_head`. The record is read before anything is written, so an
// unreadable one stops the take untouched. All of it is done under the working folder's lock
// (WorkFile::ChangeLock), which seeding holds too. Throws FileError.
TakeOutcome TakeBlocks(const std::filesystem::path& working_root, const MenuPlace& place,
                       const MenuBlocks& blocks, const BlockOrigin& origin, bool replace_game_head);

enum class BlockState { StandIn, Game, Missing, Unreadable };

struct BlockStatus {
  BlockFile file;
  BlockState state;
  std::optional<BlockOrigin> origin;  // from the record, for the game's blocks
  std::string reason;                 // why an Unreadable block could not be read
};

// What is installed, block by block, as far as it can be told: no failure stops it.
struct BlocksList {
  std::vector<BlockStatus> blocks;
  std::string record_problem;  // why the record could not be read, or empty
  int damaged_record_lines = 0;
};

BlocksList ListBlocks(const std::filesystem::path& working_root);

// "stand-in", "the game's (from <file>, <date>)", "missing" or "cannot be read: <reason>".
std::string DescribeState(const BlockStatus& status);

// Puts the kept stand-ins of `which` back, by renaming, and drops their lines from the record.
// Returns the blocks restored, in the order given. Under the working folder's lock. Throws
// FileError.
std::vector<BlockFile> RestoreStandIns(const std::filesystem::path& working_root,
                                       std::span<const BlockFile> which);

}  // namespace frondel
