#include "blocks/blocks_record.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <sstream>
#include <string_view>
#include <vector>

#include "building/working_folder.h"
#include "platform/file_system.h"

namespace frondel {
namespace {

constexpr char kHeading[] = "# Where the game's blocks came from: block, menu file, date\n";

std::vector<std::string> Fields(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1) {
    fields.emplace_back(line.substr(start, tab - start));
  }
  fields.emplace_back(line.substr(start));
  return fields;
}

// A name with a tab or a line break in it would split its line.
std::string OneField(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
  return text;
}

}  // namespace

BlocksRecord ReadBlocksRecord(const std::filesystem::path& working_root) {
  const auto file = WorkingPath(working_root, WorkFile::BlocksRecord);
  BlocksRecord record;
  // Anything at the record's name that is not a readable file is a failure, not a missing record.
  std::error_code ec;
  if (!std::filesystem::exists(file, ec) && !ec) return record;
  const Bytes bytes = ReadWholeFile(file);
  std::istringstream lines(std::string(bytes.begin(), bytes.end()));
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    std::vector<std::string> fields = Fields(line);
    if (fields.size() != 3 || fields[0].empty() || fields[1].empty() || fields[2].empty()) {
      ++record.damaged_lines;
      continue;
    }
    record.origins[fields[0]] = {std::move(fields[1]), std::move(fields[2])};
  }
  return record;
}

void WriteBlocksRecord(const std::filesystem::path& working_root, const BlocksRecord& record) {
  std::string text = kHeading;
  for (const auto& [name, origin] : record.origins) {
    text +=
        OneField(name) + '\t' + OneField(origin.file_name) + '\t' + OneField(origin.date) + '\n';
  }
  const ByteView bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  WriteWholeFile(WorkingPath(working_root, WorkFile::BlocksRecord), {bytes});
}

std::string Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  std::array<char, 16> text{};
  return std::string(text.data(), std::strftime(text.data(), text.size(), "%Y-%m-%d", &local));
}

}  // namespace frondel
