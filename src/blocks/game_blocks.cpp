#include "blocks/game_blocks.h"

#include <algorithm>
#include <array>

#include "building/menu_format.h"
#include "building/payload_parts.h"
#include "building/working_folder.h"
#include "platform/file_error.h"
#include "platform/folder_lock.h"

namespace frondel {
namespace {

constexpr std::string_view kStandInTags[] = {"FRONDEL STAND-IN", "STAND-IN TEMPLATE"};

std::filesystem::path PathOf(const std::filesystem::path& working_root, const BlockFile& block) {
  return WorkingPath(working_root, block.relative_name);
}

std::optional<Bytes> ReadIfPresent(const std::filesystem::path& file) {
  if (!FileExists(file)) return std::nullopt;
  return ReadWholeFile(file);
}

// Writes `block` over `installed`, keeping a stand-in the first time one is replaced.
BlockChange Install(const std::filesystem::path& working_root, const BlockFile& file,
                    const std::optional<Bytes>& installed, ByteView block) {
  if (installed && std::ranges::equal(*installed, block)) return BlockChange::Unchanged;
  const auto path = PathOf(working_root, file);
  BlockChange change = BlockChange::Added;
  if (installed) {
    change = IsStandIn(*installed) ? BlockChange::ReplacedStandIn : BlockChange::ReplacedGame;
    const auto kept = KeptStandInPath(working_root, file);
    if (change == BlockChange::ReplacedStandIn && !FileExists(kept)) {
      WriteUserFile(kept, {*installed}, Replace::Never);
    }
  }
  WriteUserFile(path, {block}, Replace::Existing);
  return change;
}

}  // namespace

bool IsStandIn(ByteView block) {
  return std::ranges::any_of(kStandInTags, [&](std::string_view tag) {
    return block.size() >= tag.size() && std::equal(tag.begin(), tag.end(), block.begin());
  });
}

std::string_view DescribeProblem(BlocksProblem problem) {
  switch (problem) {
    case BlocksProblem::None:
      return "gives its blocks";
    case BlocksProblem::NotMenuFile:
      return "is not a menu texture file";
    case BlocksProblem::Damaged:
      return "is damaged or ends early";
    case BlocksProblem::LongerThanStored:
      return "holds more data than its header says, so its blocks cannot be trusted";
    case BlocksProblem::NoTemplate:
      return "ends before a place template begins (byte 4,194,481)";
    case BlocksProblem::StandIns:
      return "was built with frondel's stand-in blocks, not the game's";
  }
  return {};
}

std::string_view ChangeWords(BlockChange change) {
  switch (change) {
    case BlockChange::Unchanged:
      return "already the same";
    case BlockChange::Added:
      return "added";
    case BlockChange::ReplacedStandIn:
      return "replaced the stand-in";
    case BlockChange::ReplacedGame:
      return "replaced the game's block taken before";
  }
  return {};
}

MenuBlocks BlocksOfMenuBytes(const StreamCodec& codec, ByteView file) {
  return BlocksOfPayload(UnpackMenuBytes(codec, file));
}

MenuBlocks BlocksOfPayload(const Uncompressed& unpacked) {
  switch (unpacked.status) {
    case UncompressStatus::Complete:
      break;
    case UncompressStatus::CutAtStoredLength:
      return {BlocksProblem::LongerThanStored, {}, {}};
    case UncompressStatus::Damaged:
      return {BlocksProblem::Damaged, {}, {}};
    default:
      return {BlocksProblem::NotMenuFile, {}, {}};
  }
  const ByteView head = HeadBlockOf(unpacked.bytes);
  const ByteView place_template = TemplateOf(unpacked.bytes);
  if (place_template.empty()) return {BlocksProblem::NoTemplate, {}, {}};
  if (IsStandIn(head) || IsStandIn(place_template)) return {BlocksProblem::StandIns, {}, {}};
  return {BlocksProblem::None, Bytes(head.begin(), head.end()),
          Bytes(place_template.begin(), place_template.end())};
}

BlockFile HeadBlockFile() { return {RelativeName(WorkFile::HeadBlock), nullptr}; }

BlockFile TemplateFile(const MenuPlace& place) { return {place.template_file, &place}; }

std::vector<BlockFile> BlockFiles() {
  std::vector<BlockFile> files{HeadBlockFile()};
  for (const MenuPlace& place : MenuPlaces()) files.push_back(TemplateFile(place));
  return files;
}

std::string BlockName(const BlockFile& block) {
  return std::filesystem::path(block.relative_name).filename().string();
}

std::string BlockLabel(const BlockFile& block) {
  return block.place ? std::string(block.place->list_text) : std::string("Head Block");
}

std::filesystem::path KeptStandInPath(const std::filesystem::path& working_root,
                                      const BlockFile& block) {
  std::filesystem::path kept = PathOf(working_root, block);
  kept += ".standin";
  return kept;
}

bool WouldReplaceGameHead(const std::filesystem::path& working_root, ByteView head) {
  const std::optional<Bytes> installed = ReadIfPresent(PathOf(working_root, HeadBlockFile()));
  return installed && !IsStandIn(*installed) && !std::ranges::equal(*installed, head);
}

bool UsesStandIns(const std::filesystem::path& working_root, const MenuPlace& place) {
  return std::ranges::any_of(
      std::array{HeadBlockFile(), TemplateFile(place)}, [&](const BlockFile& file) {
        std::array<std::uint8_t, 32> start{};
        const std::size_t got = ReadFileAt(PathOf(working_root, file), 0, start);
        return IsStandIn(ByteView(start).first(got));
      });
}

TakeOutcome TakeBlocks(const std::filesystem::path& working_root, const MenuPlace& place,
                       const MenuBlocks& blocks, const BlockOrigin& origin,
                       bool replace_game_head) {
  // Under the lock from the first look to the record, so what the outcome says is what stays.
  const FolderLock lock(WorkingPath(working_root, WorkFile::ChangeLock));
  BlocksRecord record = ReadBlocksRecord(working_root);
  if (WouldReplaceGameHead(working_root, blocks.head) && !replace_game_head) {
    return {false, BlockChange::Unchanged, BlockChange::Unchanged};
  }
  TakeOutcome outcome{true, BlockChange::Unchanged, BlockChange::Unchanged};
  const std::pair<BlockFile, ByteView> parts[] = {{HeadBlockFile(), blocks.head},
                                                  {TemplateFile(place), blocks.place_template}};
  for (const auto& [file, block] : parts) {
    const BlockChange change =
        Install(working_root, file, ReadIfPresent(PathOf(working_root, file)), block);
    (file.place ? outcome.place_template : outcome.head) = change;
    // An unchanged block keeps the file it was first taken from.
    if (change != BlockChange::Unchanged || !record.origins.contains(BlockName(file))) {
      record.origins[BlockName(file)] = origin;
    }
  }
  WriteBlocksRecord(working_root, record);
  return outcome;
}

BlocksList ListBlocks(const std::filesystem::path& working_root) {
  BlocksList list;
  BlocksRecord record;
  try {
    record = ReadBlocksRecord(working_root);
  } catch (const FileError& error) {
    list.record_problem = error.reason();
  }
  list.damaged_record_lines = record.damaged_lines;
  for (const BlockFile& file : BlockFiles()) {
    BlockStatus status{file, BlockState::Missing, std::nullopt, {}};
    try {
      if (const std::optional<Bytes> block = ReadIfPresent(PathOf(working_root, file))) {
        status.state = IsStandIn(*block) ? BlockState::StandIn : BlockState::Game;
      }
    } catch (const FileError& error) {
      status.state = BlockState::Unreadable;
      status.reason = error.reason();
    }
    const auto origin = record.origins.find(BlockName(file));
    if (status.state == BlockState::Game && origin != record.origins.end()) {
      status.origin = origin->second;
    }
    list.blocks.push_back(std::move(status));
  }
  return list;
}

std::string DescribeState(const BlockStatus& status) {
  switch (status.state) {
    case BlockState::StandIn:
      return "stand-in";
    case BlockState::Game:
      if (!status.origin) return "the game's (from a file not on record)";
      return "the game's (from " + status.origin->file_name + ", " + status.origin->date + ")";
    case BlockState::Missing:
      return "missing";
    case BlockState::Unreadable:
      return "cannot be read: " + status.reason;
  }
  return {};
}

std::vector<BlockFile> RestoreStandIns(const std::filesystem::path& working_root,
                                       std::span<const BlockFile> which) {
  const FolderLock lock(WorkingPath(working_root, WorkFile::ChangeLock));
  BlocksRecord record = ReadBlocksRecord(working_root);
  std::vector<BlockFile> restored;
  for (const BlockFile& file : which) {
    const auto kept = KeptStandInPath(working_root, file);
    if (!FileExists(kept)) continue;
    MoveFile(kept, PathOf(working_root, file), Replace::Existing);
    record.origins.erase(BlockName(file));
    restored.push_back(file);
  }
  if (!restored.empty()) WriteBlocksRecord(working_root, record);
  return restored;
}

}  // namespace frondel
