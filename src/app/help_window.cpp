#include "app/help_window.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <utility>

#include "app/control_table.h"
#include "app/program_icon.h"
#include "platform/failure_report.h"
#include "platform/picture_file.h"

namespace frondel {
namespace {

constexpr QSize kClientSize{974, 628};

constexpr ControlSpec kControls[] = {
    {ControlKind::Picture, "Image1", "", nullptr, {0, 0, 761, 625}},
    {ControlKind::Frame, "GroupBox1", "Tutorial Selection", nullptr, {768, 16, 201, 153}},
    {ControlKind::Button, "PushButton1", "Tuto1", "GroupBox1", {8, 24, 185, 33}},
    {ControlKind::Button, "PushButton2", "Tuto2", "GroupBox1", {8, 64, 185, 33}},
    {ControlKind::Button, "PushButton3", "Tuto3", "GroupBox1", {8, 104, 185, 33}},
    {ControlKind::Button, "PushButton4", "Close", nullptr, {768, 584, 201, 33}},
};

constexpr std::pair<const char*, WorkFile> kTutorials[] = {
    {"PushButton1", WorkFile::Tutorial1},
    {"PushButton2", WorkFile::Tutorial2},
    {"PushButton3", WorkFile::Tutorial3},
};

constexpr const char* kFocusOrder[] = {"PushButton1", "PushButton2", "PushButton3", "PushButton4"};

}  // namespace

Help::Help(std::filesystem::path program_folder, Prompts& prompts, QWidget& main_window)
    : QWidget(nullptr),
      program_folder_(std::move(program_folder)),
      prompts_(prompts),
      main_window_(main_window) {
  setObjectName(QStringLiteral("Help"));
  setWindowTitle(QString::fromUtf8(kHelpTitle));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setWindowIcon(ProgramIcon());
  // The title-bar close button unloads the window and its picture.
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kClientSize);
  PlaceControls(this, kControls);
  picture_ = ControlNamed<QLabel>(this, "Image1");
  for (const auto& [button, picture] : kTutorials) {
    connect(ControlNamed<QPushButton>(this, button), &QPushButton::clicked, this,
            [this, picture] { ShowTutorial(picture); });
  }
  connect(ControlNamed<QPushButton>(this, "PushButton4"), &QPushButton::clicked, this,
          &Help::CloseClicked);
  ChainFocus(this, kFocusOrder);
  CentreOnScreen(this);
}

void Help::ShowTutorial(WorkFile picture) {
  RunReported(prompts_, "Show Tutorial", [&] {
    picture_->setPixmap(QPixmap::fromImage(LoadPicture(WorkingPath(program_folder_, picture))));
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
