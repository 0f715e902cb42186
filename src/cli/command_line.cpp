#include "cli/command_line.h"

#include <algorithm>

#include "backups/backup_store.h"
#include "building/menu_format.h"
#include "building/menu_places.h"
#include "building/payload_assembly.h"
#include "cli/working_root.h"
#include "platform/file_error.h"
#include "texture/conversion.h"
#include "texture/texture_layout.h"

namespace frondel::cli {

namespace fs = std::filesystem;

fs::path PathFromUtf8(std::string_view text) {
  return fs::path(std::u8string(text.begin(), text.end()));
}

namespace {

struct StatusWords {
  UncompressStatus status;
  std::string_view key, text;
};

constexpr StatusWords kStatusWords[] = {
    {UncompressStatus::Complete, "complete", "complete"},
    {UncompressStatus::CutAtStoredLength, "cut_at_stored_length", "cut at the stored length"},
    {UncompressStatus::Damaged, "damaged", "damaged"},
    {UncompressStatus::NotDecoded, "not_decoded", "not decoded (stored length zero or less)"},
    {UncompressStatus::TooLarge, "too_large", "not decoded (stored length above 64 MiB)"},
    {UncompressStatus::TooShort, "too_short", "too short"},
};
static_assert(kMaxUnpackedLength == std::size_t{64} << 20, "the words above name the cap");

const StatusWords& WordsOf(UncompressStatus status) {
  for (const StatusWords& words : kStatusWords) {
    if (words.status == status) return words;
  }
  return kStatusWords[std::size(kStatusWords) - 1];
}

}  // namespace

CLI::Validator PlaceValidator() {
  return CLI::Validator(
      [](std::string& name) {
        if (FindMenuPlaceByName(name)) return std::string();
        std::string names;
        for (const MenuPlace& place : MenuPlaces()) {
          if (!names.empty()) names += ", ";
          names += std::string(place.list_text) + " (" + std::string(TemplateName(place)) + ")";
        }
        return "unknown place \"" + name + "\"; the places are: " + names;
      },
      "PLACE");
}

std::string_view StatusText(UncompressStatus status) { return WordsOf(status).text; }
std::string_view StatusKey(UncompressStatus status) { return WordsOf(status).key; }

Bytes UnpackComplete(const StreamCodec& codec, const fs::path& menu_file) {
  Uncompressed unpacked = UnpackMenuBytes(codec, ReadWholeFile(menu_file));
  if (unpacked.status != UncompressStatus::Complete) {
    throw Failure("not a complete menu texture file: its stream is " +
                  std::string(StatusText(unpacked.status)));
  }
  return std::move(unpacked.bytes);
}

std::vector<fs::path> OutputsFor(const std::vector<std::string>& inputs, const std::string& out,
                                 std::string_view extension) {
  const fs::path out_path = PathFromUtf8(out);
  if (inputs.size() == 1) return {out_path};
  std::error_code ec;
  if (!fs::is_directory(out_path, ec)) {
    throw CLI::ValidationError("--output",
                               "with several inputs OUT must be an existing folder: " + out);
  }
  std::vector<fs::path> outputs;
  for (const std::string& input : inputs) {
    outputs.push_back(out_path / PathFromUtf8(input).filename().replace_extension(extension));
  }
  return outputs;
}

InputEnd OutputWriter::Write(const BatchInput& input, ByteView bytes) const {
  const fs::path& file = outputs_[input.index];
  const auto earlier = outputs_.begin() + static_cast<std::ptrdiff_t>(input.index);
  if (std::find(outputs_.begin(), earlier, file) != earlier) {
    throw Failure(PathText(file) + " is the output of an earlier input of this run");
  }
  std::error_code ec;
  if (fs::is_directory(file, ec)) throw Failure(PathText(file) + " is a folder");
  if (!force_ && fs::exists(file, ec)) {
    throw Failure(PathText(file) + " exists; use --force to replace it");
  }
  if (force_) KeepReplacedFile(WorkingRootInUse(), file, bytes);
  const bool written =
      WriteUserFile(file, {bytes}, force_ ? Replace::Existing : Replace::Never, input.stop);
  return written ? InputEnd::Done : InputEnd::Stopped;
}

Bytes TextureToPack(const std::string& input, bool as_is, InputLines& lines, unsigned threads) {
  // Read as the window's Create File reads it, so a texture packed as it is gives its payload.
  Bytes file = ReadPayloadBlock(PathFromUtf8(input));
  const TextureLayout layout = DescribeTexture(file);
  if (layout.is_game_layout) return file;
  if (as_is) {
    if (layout.kind != PictureKind::Dds) {
      throw Failure("--as-is packs only a DDS texture, and " + input + " is " + layout.description);
    }
    return file;
  }
  Conversion converted = ConvertToGameTexture(file, threads);
  if (converted.status != ConversionStatus::Done) {
    throw Failure("could not convert " + input + " (" + layout.description +
                  "): " + std::string(RefusalReason(converted.status)));
  }
  lines.Err("frondel-cli: " + input + ": converted from " + layout.description +
            " to the game's layout" + (converted.scaled ? ", stretched to 1024x1024" : "") + "\n");
  return std::move(converted.bytes);
}

void PrintIfVerbose(bool verbose, const BatchInput& input, const std::string& line) {
  if (verbose) input.lines.Out(line + "\n");
}

}  // namespace frondel::cli
