#include "session/messages.h"

#include <array>
#include <cctype>
#include <exception>
#include <new>

namespace frondel {
namespace {

struct MessageRow {
  Message message;
  BoxStyle style;
  std::string_view title;  // empty: the application's title
  std::string_view text;   // "{}" stands for a value
};

constexpr auto kCritical = BoxStyle::Critical;
constexpr auto kInformation = BoxStyle::Information;
constexpr auto kYesNo = BoxStyle::YesNoInformation;

// In Message order.
constexpr std::array kMessages{
    MessageRow{Message::NothingToOpen, kCritical, "Error...", "Please Select File For Open"},
    MessageRow{Message::NothingToSave, kCritical, "Error...", "Please Select Directory  For Save"},
    MessageRow{Message::Saved, kInformation, "Save...", "File Saved Succesful"},
    MessageRow{Message::Overwrite, kYesNo, kApplicationTitle,
               "File Already Exists, Overwrite Existing File?"},
    MessageRow{Message::SelectPlace, kInformation, "Data...", "Please Select A Data From List"},
    MessageRow{Message::OpenDdsFirst, kInformation, "Data...", "Please Open A DDS File First"},
    MessageRow{Message::OpenBinFirst, kInformation, "Data...", "Please Open A BIN File First"},
    MessageRow{Message::NotAMenuFile, kCritical, "Error...",
               "The Selected File Is Not A Valid BIN File"},
    MessageRow{Message::ConvertQuestion, kYesNo, "Convert...",
               "{}\r\nThe game's menu textures are 1024x1024 32-bit DDS files.\r\nConvert it to "
               "that layout?"},
    MessageRow{Message::MustConvert, kInformation, "Convert...",
               "A picture must be converted to the game's layout before it can be used."},
    MessageRow{Message::CannotConvert, kCritical, "Error...", "Could not convert \"{}\": {}."},
    MessageRow{Message::BuiltWithStandIns, kInformation, "Data...",
               "Built With Stand-in Blocks For {}.\r\nThe Game Will Not Read This File: Take The "
               "Game's Own Blocks First (Blocks > Take Blocks From Opened File)."},
    MessageRow{Message::TakeQuestion, kYesNo, "Blocks...",
               "Take The Game's Blocks For {} From \"{}\"?"},
    MessageRow{Message::TakeQuestionHead, kYesNo, "Blocks...",
               "Take The Game's Blocks For {} From \"{}\"?\r\nThe Installed Head Block Is The "
               "Game's And This File's Differs: It Will Be Replaced For Every Place."},
    MessageRow{Message::CannotTake, kCritical, "Error...",
               "Blocks Cannot Be Taken From \"{}\":\r\nThe file {}."},
    MessageRow{Message::HeadChanged, kCritical, "Error...",
               "The Head Block Changed Meanwhile: Nothing Was Taken."},
    MessageRow{Message::Taken, kInformation, "Blocks...",
               "Blocks Taken For {} From \"{}\".\r\nHead Block: {}\r\nTemplate: {}"},
    MessageRow{Message::BlocksList, kInformation, "Blocks...", "{}"},
    MessageRow{Message::NothingToRestore, kInformation, "Blocks...",
               "There Are No Replaced Stand-in Blocks To Restore."},
    MessageRow{Message::RestoreQuestion, kYesNo, "Blocks...",
               "Put Back Every Stand-in Block That Was Replaced?\r\nThe Game's Blocks Taken For "
               "Them Will Be Removed."},
    MessageRow{Message::Restored, kInformation, "Blocks...", "Stand-in Blocks Restored: {}."},
    MessageRow{Message::NoBackups, kInformation, "Backups...",
               "There Are No Replaced Files To Restore."},
    MessageRow{Message::RestoreBackupQuestion, kYesNo, "Backups...",
               "\"{}\" Exists.\r\nReplace It With The File Replaced On {}? What Is There Now "
               "Will Be Kept As A Backup Too."},
    MessageRow{Message::BackupRestored, kInformation, "Backups...",
               "\"{}\" Restored As It Was Before {}."},
    MessageRow{Message::Author, kInformation, kApplicationTitle,
               "{}\r\nThank's To Peltiro For His Tutorial"},
    MessageRow{Message::Failure, kCritical, "Error...", "{} Failed.\r\nCould not {}."},
    MessageRow{Message::Trouble, kCritical, "Error...", "{} Failed.\r\n{}."},
    MessageRow{Message::NoAnswer, kCritical, "Error...",
               "Frondel is already running from this folder, but it does not answer. Close it "
               "and try again."},
};

constexpr bool InMessageOrder() {
  for (std::size_t i = 0; i < kMessages.size(); ++i) {
    if (kMessages[i].message != static_cast<Message>(i)) return false;
  }
  return kMessages.size() == static_cast<std::size_t>(Message::NoAnswer) + 1;
}
static_assert(InMessageOrder());

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string text;
  auto next = values.begin();
  for (std::size_t at = 0; at < pattern.size();) {
    const std::size_t place = pattern.find("{}", at);
    text += pattern.substr(at, place - at);
    if (place == std::string_view::npos) break;
    if (next != values.end()) text += *next++;
    at = place + 2;
  }
  return text;
}

}  // namespace

std::string BlocksListWords(const BlocksList& list) {
  std::string text;
  for (const BlockStatus& status : list.blocks) {
    if (!text.empty()) text += "\r\n";
    text += BlockLabel(status.file) + ": " + DescribeState(status);
  }
  if (!list.record_problem.empty()) {
    text +=
        "\r\nThe Record Of Where The Blocks Came From Cannot Be Read: " + list.record_problem + ".";
  }
  if (list.damaged_record_lines > 0) {
    text += "\r\n" + std::to_string(list.damaged_record_lines) +
            " Line(s) Of The Record Could Not Be Read.";
  }
  return text;
}

std::string TroubleWords() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return "There is not enough memory";
  } catch (const Failure& e) {
    // The program's own words, which read on after a name: here they start a sentence.
    std::string words = e.what();
    if (!words.empty())
      words[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(words[0])));
    return words;
  } catch (const std::exception& e) {
    return std::string("Something went wrong inside the program: ") + e.what();
  } catch (...) {
    return "Something went wrong inside the program";
  }
}

Answer Tell(Dialogs& dialogs, Message message, std::initializer_list<std::string_view> values) {
  const MessageRow& row = kMessages[static_cast<std::size_t>(message)];
  return dialogs.ShowBox(Fill(row.text, values), row.style, row.title);
}

}  // namespace frondel
