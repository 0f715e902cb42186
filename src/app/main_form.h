#pragma once

#include <QMainWindow>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "building/file_choice.h"
#include "building/working_folder.h"
#include "codec/zlib_codec.h"
#include "platform/program.h"
#include "platform/prompts.h"

class QLabel;
class QListWidget;

namespace frondel {

class Help;

inline constexpr char kMainTitle[] = "Frondel  V2.0.0 By Tavrin";

// The main window: the build and export jobs' buttons, the menu places, the chosen paths and
// the preview. Each click chooses a file if it needs one and calls the core.
class MainForm : public QMainWindow {
  Q_OBJECT

 public:
  using CommandStarter = std::function<void(const Command&)>;

  // `program_folder` holds the working folder; `start_command` starts the web-site command.
  MainForm(std::filesystem::path program_folder, Prompts& prompts, CommandStarter start_command,
           QWidget* parent = nullptr);
  ~MainForm() override;

  // A file given from outside the window (the command line, another start of the program): a
  // name ending in ".bin" is opened in the export job, any other file imported in the build
  // job, as if it had been chosen in that job's dialog.
  void OpenGiven(const std::filesystem::path& file);

 private:
  void ImportDdsClicked();
  void CreateFileClicked();
  void SaveBinClicked();
  void OpenBinClicked();
  void ExportDdsClicked();
  void SaveDdsClicked();
  void ExitClicked();
  // Opens the one help window, or brings it forward as it was left.
  void HelpClicked();
  void AuthorClicked();
  void VisitClicked();
  void TakeBlocksClicked();
  void ShowBlocksClicked();
  void RestoreBlocksClicked();

  void BuildControls();
  void BuildMenus();
  // The handler's file choice; the chosen path goes into its text box before any file is
  // touched.
  std::optional<std::filesystem::path> ChooseInto(FileHandler handler);
  void ShowChosen(FileHandler handler, const std::filesystem::path& chosen);
  // The import and the opening of a chosen file, whether from the dialog, a drop or outside.
  void ImportChosen(const std::filesystem::path& chosen);
  void OpenChosen(const std::filesystem::path& chosen);
  // Converts the job's texture and shows it in the preview box, or the note that it cannot
  // be shown. A bitmap that cannot be loaded leaves the box as it was.
  void ShowPreview(Job job);
  // List1's selected text, empty when nothing is selected.
  std::string SelectedPlace() const;

  const std::filesystem::path program_folder_;
  Prompts& prompts_;
  const CommandStarter start_command_;
  Zlib codec_;
  QListWidget* places_ = nullptr;
  QLabel* preview_ = nullptr;
  QPointer<Help> help_;
  // The menu file the export job last opened, whose copy the Blocks menu takes blocks from.
  std::filesystem::path opened_menu_file_;
};

}  // namespace frondel
