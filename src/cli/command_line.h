#pragma once

#include <CLI/CLI.hpp>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "cli/batch.h"
#include "codec/stream_codec.h"
#include "platform/file_system.h"

// What the subcommands of frondel-cli share: exit statuses, naming outputs, writing them, and
// the failures of an input.
namespace frondel::cli {

enum ExitStatus : int {
  kDone = 0,    // every input was done
  kFailed = 1,  // at least one input failed; the others were done
  kUsage = 2,   // the command line was wrong; nothing was done
};

// A path from UTF-8 text, so that any character survives on every platform.
std::filesystem::path PathFromUtf8(std::string_view text);

// Checks a --place value: a place's list text or template file name, any case. An unknown
// one is a usage error whose words list the thirteen places.
CLI::Validator PlaceValidator();

// What became of a menu file's stream in words ("cut at the stored length") and as a JSON
// value ("cut_at_stored_length").
std::string_view StatusText(UncompressStatus status);
std::string_view StatusKey(UncompressStatus status);

// The payload of a menu file, refused unless its stream unpacked completely.
Bytes UnpackComplete(const StreamCodec& codec, const std::filesystem::path& menu_file);

// Where each input's output goes. One input: `out` itself. Several: `out` must be an
// existing folder, and each output is named after its input with `extension`. Throws
// CLI::ValidationError otherwise.
std::vector<std::filesystem::path> OutputsFor(const std::vector<std::string>& inputs,
                                              const std::string& out, std::string_view extension);

// Writes each input's output under a temporary name renamed into place. Refuses an existing
// file unless forced, when it is kept in backups/ of the working folder first; and the output of an
// input that an earlier input of the run also names, which would lose that one's output.
class OutputWriter {
 public:
  OutputWriter(std::vector<std::filesystem::path> outputs, bool force)
      : outputs_(std::move(outputs)), force_(force) {}
  const std::filesystem::path& OutputOf(const BatchInput& input) const {
    return outputs_[input.index];
  }
  // InputEnd::Stopped, with nothing left of the write, when the batch is stopped before the
  // output is renamed into place.
  InputEnd Write(const BatchInput& input, ByteView bytes) const;

 private:
  std::vector<std::filesystem::path> outputs_;
  bool force_;
};

// The texture to pack from the picture `input`: one in the game's layout as it is, any other
// converted to that layout with a line for standard error in `lines` saying from what. With
// `as_is`, a DDS as it is and nothing else. Throws Failure for a picture that cannot be
// taken. A picture is stretched on up to `threads` threads.
Bytes TextureToPack(const std::string& input, bool as_is, InputLines& lines, unsigned threads);
inline constexpr const char* kAsIsHelp =
    "Pack a DDS texture as it is, without converting it to the game's layout";

// "-v": tells what was done, on standard output.
void PrintIfVerbose(bool verbose, const BatchInput& input, const std::string& line);

}  // namespace frondel::cli
