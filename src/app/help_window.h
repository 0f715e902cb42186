#pragma once

#include <QWidget>
#include <filesystem>

#include "building/working_folder.h"
#include "session/view.h"

class QLabel;

namespace frondel {

// The help window: three tutorial pictures chosen with three buttons. It has no owner and is
// not modal; its title-bar close button unloads it, its "Close" button only hides it.
class Help : public QWidget {
  Q_OBJECT

 public:
  // Opens with an empty picture box. "Close" brings `main_window` forward.
  Help(std::filesystem::path working_root, Dialogs& dialogs, QWidget& main_window);

 private:
  // Reads the picture from the working root now; a failure leaves the box as it was.
  void ShowTutorial(WorkFile picture);
  void CloseClicked();

  const std::filesystem::path working_root_;
  Dialogs& dialogs_;
  QWidget& main_window_;
  QLabel* picture_ = nullptr;
};

}  // namespace frondel
