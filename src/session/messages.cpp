#include "session/messages.h"

#include <array>

namespace frondel {
namespace {

struct MessageSpec {
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
    MessageSpec{Message::NothingToOpen, kCritical, "Error...", "Please Select File For Open"},
    MessageSpec{Message::NothingToSave, kCritical, "Error...", "Please Select Directory  For Save"},
    MessageSpec{Message::Saved, kInformation, "Save...", "File Saved Succesful"},
    MessageSpec{Message::Overwrite, kYesNo, "", "File Already Exists, Overwrite Existing File?"},
    MessageSpec{Message::SelectPlace, kInformation, "Data...", "Please Select A Data From List"},
    MessageSpec{Message::OpenDdsFirst, kInformation, "Data...", "Please Open A DDS File First"},
    MessageSpec{Message::OpenBinFirst, kInformation, "Data...", "Please Open A BIN File First"},
    MessageSpec{Message::NotAMenuFile, kCritical, "Error...",
                "The Selected File Is Not A Valid BIN File"},
    MessageSpec{Message::ConvertQuestion, kYesNo, "Convert...",
                "{}\r\nThe game's menu textures are 1024x1024 32-bit DDS files.\r\nConvert it to "
                "that layout?"},
    MessageSpec{Message::MustConvert, kInformation, "Convert...",
                "A picture must be converted to the game's layout before it can be used."},
    MessageSpec{Message::CannotConvert, kCritical, "Error...", "Could not convert \"{}\": {}."},
    MessageSpec{Message::BuiltWithStandIns, kInformation, "Data...",
                "Built With Stand-in Blocks For {}.\r\nThe Game Will Not Read This File: Take The "
                "Game's Own Blocks First (Blocks > Take Blocks From Opened File)."},
    MessageSpec{Message::TakeQuestion, kYesNo, "Blocks...",
                "Take The Game's Blocks For {} From \"{}\"?"},
    MessageSpec{Message::TakeQuestionHead, kYesNo, "Blocks...",
                "Take The Game's Blocks For {} From \"{}\"?\r\nThe Installed Head Block Is The "
                "Game's And This File's Differs: It Will Be Replaced For Every Place."},
    MessageSpec{Message::CannotTake, kCritical, "Error...",
                "Blocks Cannot Be Taken From \"{}\":\r\nThe file {}."},
    MessageSpec{Message::HeadChanged, kCritical, "Error...",
                "The Head Block Changed Meanwhile: Nothing Was Taken."},
    MessageSpec{Message::Taken, kInformation, "Blocks...",
                "Blocks Taken For {} From \"{}\".\r\nHead Block: {}\r\nTemplate: {}"},
    MessageSpec{Message::BlocksList, kInformation, "Blocks...", "{}"},
    MessageSpec{Message::NothingToRestore, kInformation, "Blocks...",
                "There Are No Replaced Stand-in Blocks To Restore."},
    MessageSpec{Message::RestoreQuestion, kYesNo, "Blocks...",
                "Put Back Every Stand-in Block That Was Replaced?\r\nThe Game's Blocks Taken For "
                "Them Will Be Removed."},
    MessageSpec{Message::Restored, kInformation, "Blocks...", "Stand-in Blocks Restored: {}."},
    MessageSpec{Message::Author, kInformation, "", "{}\r\nThank's To Peltiro For His Tutorial"},
    MessageSpec{Message::Failure, kCritical, "Error...", "{} Failed.\r\nCould not {}."},
    MessageSpec{Message::NoAnswer, kCritical, "Error...",
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

Answer Tell(Dialogs& dialogs, Message message, std::initializer_list<std::string_view> values) {
  const MessageSpec& spec = kMessages[static_cast<std::size_t>(message)];
  return dialogs.ShowBox(Fill(spec.text, values), spec.style, spec.title);
}

}  // namespace frondel
