#include "session/presenter.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "backups/backup_store.h"
#include "blocks/game_blocks.h"
#include "building/menu_format.h"
#include "building/payload_assembly.h"
#include "building/picture_import.h"
#include "building/save_built_file.h"
#include "codec/parallel_deflate.h"
#include "export/dds_extraction.h"
#include "export/save_exported_texture.h"
#include "preview/transparency.h"
#include "session/file_handlers.h"
#include "session/messages.h"

namespace frondel {
namespace {

// The maker's web site, opened by Credits > Visit > Orvane.
constexpr std::string_view kWebSite = "https://example.org/frondel";

// Whether a save goes ahead: to a new file, over the existing one, or not at all.
enum class SaveAnswer { NewFile, ReplaceFile, Declined };

// Asks before a save replaces an existing file; declined unless the user answers Yes.
SaveAnswer AskToReplace(Dialogs& dialogs, const std::filesystem::path& target) {
  if (!FileExists(target)) return SaveAnswer::NewFile;
  if (Tell(dialogs, Message::Overwrite) != Answer::Yes) return SaveAnswer::Declined;
  return SaveAnswer::ReplaceFile;
}

// How the save's move may treat its target.
Replace ReplaceFor(SaveAnswer answer) {
  return answer == SaveAnswer::ReplaceFile ? Replace::Existing : Replace::Never;
}

// "replaced the stand-in" as the window writes it: "Replaced The Stand-in".
std::string TitleCase(std::string_view words) {
  std::string text(words);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((i == 0 || text[i - 1] == ' ') && text[i] >= 'a' && text[i] <= 'z') text[i] -= 'a' - 'A';
  }
  return text;
}

// The chosen path into its handler's box.
std::optional<std::filesystem::path> ChooseInto(View& view, FileHandler handler) {
  std::optional<std::filesystem::path> chosen = ChooseFile(view, handler);
  if (chosen) view.ShowPath(SettingsOf(handler).text_box, *chosen);
  return chosen;
}

}  // namespace

Presenter::Presenter(std::filesystem::path working_root, View& view, CommandStarter start_command)
    : working_root_(std::move(working_root)),
      view_(view),
      start_command_(std::move(start_command)),
      codec_(HardwareThreads()) {}

void Presenter::Start() {
  std::vector<std::string_view> texts;
  for (const MenuPlace& place : MenuPlaces()) texts.push_back(place.list_text);
  view_.ShowPlaces(texts, selected_place_);
}

void Presenter::Run(UserCommand command) {
  switch (command) {
    case UserCommand::ImportPicture:
      return ImportClicked();
    case UserCommand::CreateFile:
      return CreateFileClicked();
    case UserCommand::SaveBuiltFile:
      return SaveBuiltClicked();
    case UserCommand::OpenMenuFile:
      return OpenClicked();
    case UserCommand::ExportDds:
      return ExportClicked();
    case UserCommand::SaveExportedTexture:
      return SaveExportedClicked();
    case UserCommand::Author:
      return AuthorClicked();
    case UserCommand::Visit:
      return VisitClicked();
    case UserCommand::TakeBlocks:
      return TakeBlocksClicked();
    case UserCommand::ShowBlocks:
      return ShowBlocksClicked();
    case UserCommand::RestoreBlocks:
      return RestoreBlocksClicked();
    case UserCommand::ShowTransparency:
      return ShowTransparency(!transparency_shown_);
    case UserCommand::RestoreBackup:
      return RestoreBackupClicked();
    case UserCommand::None:
    case UserCommand::Exit:
    case UserCommand::Help:
      return;
  }
}

void Presenter::ImportClicked() {
  const auto chosen = ChooseFile(view_, FileHandler::ImportPicture);
  if (chosen) ImportGiven(*chosen);
}

void Presenter::ImportGiven(const std::filesystem::path& file) {
  view_.ShowPath(SettingsOf(FileHandler::ImportPicture).text_box, file);
  std::optional<ImportedFile> imported;
  if (!RunReported(view_, "Import DDS", [&] { imported = CopyIntoImport(working_root_, file); })) {
    return;
  }
  bool convert = false;
  if (!imported->layout.is_game_layout) {
    convert = Tell(view_, Message::ConvertQuestion, {imported->layout.description}) == Answer::Yes;
  }
  std::optional<ImportOutcome> outcome;
  if (!RunReported(view_, "Import DDS",
                   [&] { outcome = FinishImport(working_root_, std::move(*imported), convert); })) {
    return;
  }
  switch (outcome->status) {
    case ImportStatus::Kept:
    case ImportStatus::Converted:
      ShowPreview(Job::Import, outcome->texture);
      return;
    case ImportStatus::Dropped:
      Tell(view_, Message::MustConvert);
      break;
    case ImportStatus::NotConverted:
      Tell(view_, Message::CannotConvert, {PathText(file), RefusalReason(outcome->refusal)});
      break;
  }
  ShowNotPreviewable();
}

void Presenter::PlaceSelected(std::optional<std::size_t> index) {
  selected_place_ = index && *index < MenuPlaces().size() ? index : std::nullopt;
}

const MenuPlace* Presenter::SelectedPlace() const {
  return selected_place_ ? &MenuPlaces()[*selected_place_] : nullptr;
}

void Presenter::CreateFileClicked() {
  const MenuPlace* place = SelectedPlace();
  RunReported(view_, "Create File", [&] {
    switch (CreateMenuFile(codec_, working_root_, place)) {
      case CreateStatus::NoPlace:
        Tell(view_, Message::SelectPlace);
        break;
      case CreateStatus::NoTexture:
        Tell(view_, Message::OpenDdsFirst);
        break;
      case CreateStatus::Built:
        if (UsesStandIns(working_root_, *place)) {
          Tell(view_, Message::BuiltWithStandIns, {place->list_text});
        }
        break;
    }
  });
}

void Presenter::SaveBuiltClicked() {
  const auto chosen = ChooseInto(view_, FileHandler::SaveBuiltFile);
  if (!chosen) return;
  RunReported(view_, "Save File", [&] {
    const SaveAnswer answer = AskToReplace(view_, *chosen);
    if (answer == SaveAnswer::Declined) return;
    SaveBuiltFile(working_root_, *chosen, ReplaceFor(answer));
    Tell(view_, Message::Saved);
  });
}

void Presenter::OpenClicked() {
  const auto chosen = ChooseFile(view_, FileHandler::OpenMenuFile);
  if (chosen) OpenGiven(*chosen);
}

void Presenter::OpenGiven(const std::filesystem::path& file) {
  view_.ShowPath(SettingsOf(FileHandler::OpenMenuFile).text_box, file);
  RunReported(view_, "Open BIN File", [&] {
    opened_ = OpenMenuFile(codec_, working_root_, file);
    if (!IsMenuPayload(opened_->payload.status)) Tell(view_, Message::NotAMenuFile);
  });
}

void Presenter::DroppedFor(UserCommand command, const std::filesystem::path& file) {
  if (command == UserCommand::OpenMenuFile) {
    OpenGiven(file);
  } else {
    ImportGiven(file);
  }
}

void Presenter::FileGiven(const std::filesystem::path& file) {
  if (HasExtension(file, ".bin")) {
    OpenGiven(file);
  } else {
    ImportGiven(file);
  }
}

// Export DDS asks the working folder, not opened_, whether a menu file is open: Open leaves the
// file's payload there and it stays across runs, so a file opened in an earlier run is still
// exported. Take Blocks asks opened_, since the blocks record names the file they came from,
// which only this run knows.
void Presenter::ExportClicked() {
  std::optional<Bytes> texture;
  if (!RunReported(view_, "Export DDS", [&] { texture = ExtractDds(working_root_); })) return;
  if (!texture) {
    Tell(view_, Message::OpenBinFirst);
    return;
  }
  ShowPreview(Job::Export, *texture);
}

void Presenter::ShowPreview(Job job, ByteView texture) {
  RunReported(view_, "Preview", [&] {
    Preview preview = MakePreview(working_root_, job, texture);
    if (preview.status != PreviewStatus::Ready) return ShowNotPreviewable();
    shown_ = std::move(preview);
    DrawPreview();
  });
}

void Presenter::ShowNotPreviewable() {
  shown_.reset();
  view_.ShowNote(kNotPreviewableNote);
}

void Presenter::DrawPreview() {
  if (!transparency_shown_) return view_.ShowPicture(shown_->picture);
  const PixelSize box = view_.PreviewBoxSize();
  view_.ShowPicture(WithTransparency(*shown_, box.width, box.height));
}

void Presenter::ShowTransparency(bool on) {
  transparency_shown_ = on;
  view_.ShowChecked(UserCommand::ShowTransparency, on);
  if (shown_) RunReported(view_, "Show Transparency", [&] { DrawPreview(); });
}

void Presenter::SaveExportedClicked() {
  const auto chosen = ChooseInto(view_, FileHandler::SaveExportedTexture);
  if (!chosen) return;
  RunReported(view_, "Save DDS", [&] {
    const SaveAnswer answer = AskToReplace(view_, *chosen);
    if (answer == SaveAnswer::Declined) return;
    SaveExportedTexture(working_root_, *chosen, ReplaceFor(answer));
    if (answer == SaveAnswer::NewFile) Tell(view_, Message::Saved);
  });
}

void Presenter::AuthorClicked() { Tell(view_, Message::Author, {kMainTitle}); }

void Presenter::VisitClicked() {
  RunReported(view_, "Visit Web Site", [&] { start_command_(OpenAddressCommand(kWebSite)); });
}

void Presenter::TakeBlocksClicked() {
  RunReported(view_, "Take Blocks", [&] {
    if (!opened_) {
      Tell(view_, Message::OpenBinFirst);
      return;
    }
    const MenuPlace* place = SelectedPlace();
    if (!place) {
      Tell(view_, Message::SelectPlace);
      return;
    }
    const std::string name = PathText(opened_->file.filename());
    const MenuBlocks blocks = BlocksOfPayload(opened_->payload);
    if (blocks.problem != BlocksProblem::None) {
      Tell(view_, Message::CannotTake, {name, DescribeProblem(blocks.problem)});
      return;
    }
    const bool replaces_game_head = WouldReplaceGameHead(working_root_, blocks.head);
    const Message question = replaces_game_head ? Message::TakeQuestionHead : Message::TakeQuestion;
    if (Tell(view_, question, {place->list_text, name}) != Answer::Yes) return;
    const TakeOutcome outcome =
        TakeBlocks(working_root_, *place, blocks, {name, Today()}, replaces_game_head);
    if (!outcome.taken) {
      Tell(view_, Message::HeadChanged);
      return;
    }
    Tell(view_, Message::Taken,
         {place->list_text, name, TitleCase(ChangeWords(outcome.head)),
          TitleCase(ChangeWords(outcome.place_template))});
  });
}

void Presenter::ShowBlocksClicked() {
  RunReported(view_, "Show Blocks", [&] {
    Tell(view_, Message::BlocksList, {BlocksListWords(ListBlocks(working_root_))});
  });
}

void Presenter::RestoreBlocksClicked() {
  RunReported(view_, "Restore Stand-in Blocks", [&] {
    const std::vector<BlockFile> files = BlockFiles();
    if (std::ranges::none_of(files, [&](const BlockFile& file) {
          return FileExists(KeptStandInPath(working_root_, file));
        })) {
      Tell(view_, Message::NothingToRestore);
      return;
    }
    if (Tell(view_, Message::RestoreQuestion) != Answer::Yes) return;
    std::string restored;
    for (const BlockFile& file : RestoreStandIns(working_root_, files)) {
      restored += (restored.empty() ? "" : ", ") + BlockLabel(file);
    }
    Tell(view_, Message::Restored, {restored});
  });
}

void Presenter::RestoreBackupClicked() {
  RunReported(view_, "Restore Replaced File", [&] {
    const std::vector<Backup> backups = ListBackups(working_root_);
    if (backups.empty()) {
      Tell(view_, Message::NoBackups);
      return;
    }
    // The number makes each line unique, and is the one frondel-cli lists.
    std::vector<std::string> items;
    for (const Backup& backup : backups) {
      items.push_back(std::to_string(backup.id) + "   " + BackupTimeText(backup.time) + "   " +
                      PathText(backup.original));
    }
    const std::optional<std::size_t> chosen =
        view_.ChooseItem(kBackupsListTitle, kBackupsListLabel, items);
    if (!chosen || *chosen >= backups.size()) return;
    const Backup& backup = backups[*chosen];
    const std::string to = PathText(backup.original), time = BackupTimeText(backup.time);
    Replace replace = Replace::Never;
    if (FileExists(backup.original)) {
      if (Tell(view_, Message::RestoreBackupQuestion, {to, time}) != Answer::Yes) return;
      replace = Replace::Existing;
    }
    RestoreBackup(working_root_, backup, backup.original, replace);
    Tell(view_, Message::BackupRestored, {to, time});
  });
}

}  // namespace frondel
