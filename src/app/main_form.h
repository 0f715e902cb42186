#pragma once

#include <QMainWindow>
#include <QPointer>
#include <filesystem>

#include "session/presenter.h"
#include "session/view.h"

class QLabel;
class QListWidget;
class QSettings;

namespace frondel {

class Help;

// The main window, the Qt View of the work flow: it draws the controls, passes each click to
// the presenter and shows what the presenter tells it. Its dialogs and boxes are `dialogs`'.
class MainForm : public QMainWindow, public WindowView {
  Q_OBJECT

 public:
  // `working_root` holds the working folder; `start_command` starts the web-site command;
  // `settings` keeps the View menu's choices between runs.
  MainForm(std::filesystem::path working_root, Dialogs& dialogs, QSettings& settings,
           Presenter::CommandStarter start_command, QWidget* parent = nullptr);
  ~MainForm() override;

  Presenter& presenter() { return presenter_; }

  void ShowPath(int text_box, const std::filesystem::path& path) override;
  void ShowPlaces(std::span<const std::string_view> places,
                  std::optional<std::size_t> selected) override;
  void ShowPicture(const PreviewPicture& picture) override;
  void ShowNote(std::string_view note) override;
  PixelSize PreviewBoxSize() const override;
  void ShowChecked(UserCommand item, bool checked) override;

 private:
  // Exit and Help are the window's own; the rest is the presenter's. Help opens the one help
  // window, or brings it forward as it was left.
  void Run(UserCommand command);
  void BuildControls();
  void BuildMenus();

  const std::filesystem::path working_root_;
  QSettings& settings_;
  Presenter presenter_;
  QListWidget* places_ = nullptr;
  QLabel* preview_ = nullptr;
  QPointer<Help> help_;
};

}  // namespace frondel
