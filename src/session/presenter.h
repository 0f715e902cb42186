#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "building/menu_places.h"
#include "codec/stream_codec.h"
#include "export/open_menu_file.h"
#include "platform/program.h"
#include "session/view.h"
#include "session/window_layout.h"

namespace frondel {

// The window's work flow, whatever draws the window: each click or menu item is one operation
// here, run to its end. It asks and tells through the View, calls the core with the answers
// and shows the results. It keeps nothing between operations but the list's selection, the
// menu file last opened, the preview shown and whether it shows the texture's transparency.
class Presenter {
 public:
  using CommandStarter = std::function<void(const Command&)>;

  // `working_root` holds the working folder; `start_command` starts the web-site command.
  Presenter(std::filesystem::path working_root, View& view, CommandStarter start_command);

  // Shows the place list with nothing selected.
  void Start();

  // The operation of a button or menu item. Exit and Help are the window's own: nothing here.
  void Run(UserCommand command);

  // "Open File" of the build job and File > Open DDS & Create New.
  void ImportClicked();
  // A place of the list selected, by its index, or none.
  void PlaceSelected(std::optional<std::size_t> index);
  void CreateFileClicked();
  void SaveBuiltClicked();
  // "Open File" of the export job and File > Open & Export DDS.
  void OpenClicked();
  void ExportClicked();
  void SaveExportedClicked();
  void AuthorClicked();
  void VisitClicked();
  void TakeBlocksClicked();
  void ShowBlocksClicked();
  void RestoreBlocksClicked();
  // View > Show Transparency: the preview over a checkerboard where the texture is
  // transparent, or as its colours alone. The window sets the remembered state at start and
  // remembers TransparencyShown() after the menu item.
  void ShowTransparency(bool on);
  bool TransparencyShown() const { return transparency_shown_; }
  // Backups > Restore Replaced File...
  void RestoreBackupClicked();

  // A file dropped on the build job's frame or the preview, as if chosen in its dialog.
  void ImportGiven(const std::filesystem::path& file);
  // A file dropped on the export job's frame, as if chosen in its dialog.
  void OpenGiven(const std::filesystem::path& file);
  // A file dropped on a control of MainDropTargets(), given to the job its row names.
  void DroppedFor(UserCommand command, const std::filesystem::path& file);
  // A file from outside the window (the command line, another start of the program): a name
  // ending in ".bin" is opened in the export job, any other file imported.
  void FileGiven(const std::filesystem::path& file);

 private:
  void ShowPreview(Job job, ByteView texture);
  void ShowNotPreviewable();
  // The preview last made, with or without its transparency.
  void DrawPreview();
  const MenuPlace* SelectedPlace() const;

  const std::filesystem::path working_root_;
  View& view_;
  const CommandStarter start_command_;
  StreamCodec codec_;
  std::optional<std::size_t> selected_place_;
  // The menu file the export job last opened, which the Blocks menu takes blocks from.
  std::optional<OpenedMenuFile> opened_;
  // The texture the box shows, kept to draw it again when the view changes.
  std::optional<Preview> shown_;
  bool transparency_shown_ = false;
};

}  // namespace frondel
