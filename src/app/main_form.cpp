#include "app/main_form.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <utility>

#include "app/control_table.h"
#include "app/file_drop.h"
#include "app/help_window.h"
#include "app/preview_display.h"
#include "app/program_icon.h"
#include "app/qt_text.h"
#include "session/messages.h"

namespace frondel {
namespace {

// Where the settings keep View > Show Transparency; on Windows the registry value
// ...\frondel\View\ShowTransparency, which the Win32 window keeps too.
const QString kShowTransparencyKey = QStringLiteral("View/ShowTransparency");

}  // namespace

MainForm::MainForm(std::filesystem::path working_root, Dialogs& dialogs, QSettings& settings,
                   Presenter::CommandStarter start_command, QWidget* parent)
    : QMainWindow(parent),
      WindowView(dialogs),
      working_root_(std::move(working_root)),
      settings_(settings),
      presenter_(working_root_, *this, std::move(start_command)) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QString::fromUtf8(kMainTitle));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setWindowIcon(ProgramIcon());
  UseControlFont(this);
  BuildControls();
  BuildMenus();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  CentreOnScreen(this);
  presenter_.Start();
  presenter_.ShowTransparency(settings_.value(kShowTransparencyKey, false).toBool());
}

// The help window has no owner, so the main window ends it.
MainForm::~MainForm() { delete help_; }

void MainForm::Run(UserCommand command) {
  if (command == UserCommand::Exit) {
    QCoreApplication::exit(0);
  } else if (command == UserCommand::Help) {
    if (!help_) help_ = new Help(working_root_, dialogs(), *this);
    BringForward(help_);
  } else {
    presenter_.Run(command);
    if (command == UserCommand::ShowTransparency) {
      settings_.setValue(kShowTransparencyKey, presenter_.TransparencyShown());
    }
  }
}

void MainForm::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(kMainClient.width, kMainClient.height);
  setCentralWidget(client);
  PlaceControls(client, MainControls());
  for (const ControlSpec& control : MainControls()) {
    if (control.command == UserCommand::None) continue;
    connect(ControlNamed<QPushButton>(client, control.name), &QPushButton::clicked, this,
            [this, command = control.command] { Run(command); });
  }

  preview_ = client->findChild<QLabel*>(QStringLiteral("TextureShown"));
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setWordWrap(true);
  places_ = client->findChild<QListWidget*>(QStringLiteral("List1"));
  // A current item without a selection (as after the list took the focus) selects nothing.
  connect(places_, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> selected = places_->selectedItems();
    if (selected.isEmpty()) return presenter_.PlaceSelected(std::nullopt);
    presenter_.PlaceSelected(static_cast<std::size_t>(places_->row(selected.front())));
  });

  // A file dropped on a job's frame, or on the preview, is taken as its dialog's choice.
  for (const DropSpec& target : MainDropTargets()) {
    TakeFileDrops(ControlNamed(client, target.control),
                  [this, command = target.command](const std::filesystem::path& file) {
                    presenter_.DroppedFor(command, file);
                  });
  }

  ChainFocus(client, MainFocusOrder());
  ControlNamed(client, MainFocusOrder().front())->setFocus();
}

void MainForm::BuildMenus() {
  for (const MenuSpec& row : MainMenus()) {
    const QString name = QString::fromUtf8(row.name);
    const QString caption = QString::fromUtf8(row.caption);
    QMenu* parent =
        row.parent ? menuBar()->findChild<QMenu*>(QString::fromUtf8(row.parent)) : nullptr;
    if (row.command != UserCommand::None) {
      QAction* item = parent->addAction(caption);
      item->setObjectName(name);
      item->setCheckable(row.checkable);
      connect(item, &QAction::triggered, this, [this, command = row.command] { Run(command); });
    } else {
      QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
      menu->setObjectName(name);
      menu->menuAction()->setObjectName(name);
    }
  }
}

void MainForm::ShowPath(int text_box, const std::filesystem::path& path) {
  findChild<QLineEdit*>(QStringLiteral("Text%1").arg(text_box))->setText(ToQString(path));
}

void MainForm::ShowPlaces(std::span<const std::string_view> places,
                          std::optional<std::size_t> selected) {
  places_->clear();
  for (std::string_view place : places) places_->addItem(TextToQString(place));
  if (selected) places_->setCurrentRow(static_cast<int>(*selected));
}

void MainForm::ShowPicture(const PreviewPicture& picture) {
  preview_->setPixmap(QPixmap::fromImage(PreviewImage(picture)));
}

void MainForm::ShowNote(std::string_view note) { preview_->setText(TextToQString(note)); }

PixelSize MainForm::PreviewBoxSize() const {
  return {static_cast<std::uint32_t>(kPreviewBoxSize.width()),
          static_cast<std::uint32_t>(kPreviewBoxSize.height())};
}

void MainForm::ShowChecked(UserCommand item, bool checked) {
  for (const MenuSpec& row : MainMenus()) {
    if (row.command == item) findChild<QAction*>(QString::fromUtf8(row.name))->setChecked(checked);
  }
}

}  // namespace frondel
