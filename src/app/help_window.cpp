#include "app/help_window.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <utility>

#include "app/control_table.h"
#include "app/picture_file.h"
#include "app/program_icon.h"
#include "session/messages.h"

namespace frondel {

Help::Help(std::filesystem::path working_root, Dialogs& dialogs, QWidget& main_window)
    : QWidget(nullptr),
      working_root_(std::move(working_root)),
      dialogs_(dialogs),
      main_window_(main_window) {
  setObjectName(QStringLiteral("Help"));
  setWindowTitle(QString::fromUtf8(kHelpTitle));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setWindowIcon(ProgramIcon());
  // The title-bar close button unloads the window and its picture.
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kHelpClient.width, kHelpClient.height);
  PlaceControls(this, HelpControls());
  picture_ = ControlNamed<QLabel>(this, "Image1");
  for (const auto& [button, picture] : HelpTutorials()) {
    connect(ControlNamed<QPushButton>(this, button), &QPushButton::clicked, this,
            [this, picture] { ShowTutorial(picture); });
  }
  connect(ControlNamed<QPushButton>(this, "PushButton4"), &QPushButton::clicked, this,
          &Help::CloseClicked);
  ChainFocus(this, HelpFocusOrder());
  CentreOnScreen(this);
}

void Help::ShowTutorial(WorkFile picture) {
  RunReported(dialogs_, "Show Tutorial", [&] {
    picture_->setPixmap(QPixmap::fromImage(LoadPicture(WorkingPath(working_root_, picture))));
  });
}

void Help::CloseClicked() {
  hide();
  // Shown again too in case the main window was closed while this one stayed open.
  main_window_.show();
  main_window_.raise();
  main_window_.activateWindow();
}

}  // namespace frondel
