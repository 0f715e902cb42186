#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "blocks/game_blocks.h"
#include "platform/file_error.h"
#include "platform/version.h"
#include "session/view.h"

namespace frondel {

// The window's title, also the first line of the Author box.
inline constexpr char kMainTitle[] = "Frondel  V" FRONDEL_VERSION " By Tavrin";
// The title of the boxes that have no title of their own: the program's name.
inline constexpr char kApplicationTitle[] = "Frondel";
// Shown in the preview box in place of a texture that cannot be shown.
inline constexpr char kNotPreviewableNote[] = "This Texture Cannot Be Previewed";

// The list of backups that "Restore Replaced File..." shows.
inline constexpr char kBackupsListTitle[] = "Restore Replaced File";
inline constexpr char kBackupsListLabel[] =
    "Choose The Replaced File To Put Back Where It Came From:";

// Every box the window shows. Their texts, styles and titles are one table (messages.cpp).
enum class Message {
  NothingToOpen,
  NothingToSave,
  Saved,
  Overwrite,
  SelectPlace,
  OpenDdsFirst,
  OpenBinFirst,
  NotAMenuFile,
  ConvertQuestion,  // {what the file is}
  MustConvert,
  CannotConvert,      // {file} {reason}
  BuiltWithStandIns,  // {place}
  TakeQuestion,       // {place} {file}
  TakeQuestionHead,   // {place} {file}: the game's head block would be replaced
  CannotTake,         // {file} {what is wrong with it}
  HeadChanged,
  Taken,       // {place} {file} {head block's change} {template's change}
  BlocksList,  // {one line a block}
  NothingToRestore,
  RestoreQuestion,
  Restored,  // {the blocks restored}
  NoBackups,
  RestoreBackupQuestion,  // {where it goes} {the backup's time}
  BackupRestored,         // {where it went} {the backup's time}
  Author,                 // {the window's title}
  Failure,                // {what was being done} {what failed}
  Trouble,                // {what was being done} {what went wrong, as a sentence}
  NoAnswer,
};

// The Blocks list box's text: one line a block, then what could not be read of the record.
std::string BlocksListWords(const BlocksList& list);

// Shows `message` with `values` put into its "{}" places in order, and gives the answer.
Answer Tell(Dialogs& dialogs, Message message, std::initializer_list<std::string_view> values = {});

// The words for an exception other than a FileError, as a sentence: plain ones for running
// out of memory, a Failure's own, and for anything else the exception's own as something that
// went wrong inside the program. Call only from a catch block.
std::string TroubleWords();

// Runs `operation`; a FileError it throws is told once in a critical box titled "Error..."
// that names `doing`, the file and the system's reason, any other exception (running out of
// memory included) in the same box with what went wrong, and the program goes on. Returns
// whether the operation ran to its end.
template <typename Operation>
bool RunReported(Dialogs& dialogs, std::string_view doing, Operation&& operation) {
  try {
    operation();
    return true;
  } catch (const FileError& error) {
    Tell(dialogs, Message::Failure, {doing, FailureWords(error, "\"")});
  } catch (...) {
    Tell(dialogs, Message::Trouble, {doing, TroubleWords()});
  }
  return false;
}

}  // namespace frondel
