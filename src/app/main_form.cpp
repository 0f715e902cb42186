#include "app/main_form.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <string>
#include <string_view>
#include <utility>

#include "app/control_table.h"
#include "app/file_drop.h"
#include "app/help_window.h"
#include "app/program_icon.h"
#include "blocks/block_commands.h"
#include "building/dds_import.h"
#include "building/menu_places.h"
#include "building/payload_assembly.h"
#include "building/save_built_file.h"
#include "export/dds_extraction.h"
#include "export/open_menu_file.h"
#include "export/save_exported_dds.h"
#include "platform/failure_report.h"
#include "platform/file_system.h"
#include "platform/qt_text.h"
#include "preview/preview_conversion.h"
#include "preview/preview_display.h"

namespace frondel {
namespace {

// The maker's web site, opened by Credits > Visit > Orvane.
constexpr std::string_view kWebSite = "https://example.org/frondel";
constexpr std::string_view kAuthorLine = "Thank's To Peltiro For His Tutorial";

using Click = void (MainForm::*)();

// A menu (no click) or a menu item, in menu-bar order; a null parent is the menu bar.
struct MenuSpec {
  const char* name;
  const char* caption;
  const char* parent;
  Click click;
};

}  // namespace

MainForm::MainForm(std::filesystem::path program_folder, Prompts& prompts,
                   CommandStarter start_command, QWidget* parent)
    : QMainWindow(parent),
      program_folder_(std::move(program_folder)),
      prompts_(prompts),
      start_command_(std::move(start_command)) {
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
}

// The help window has no owner, so the main window ends it.
MainForm::~MainForm() { delete help_; }

void MainForm::BuildControls() {
  const ControlSpec controls[] = {
      {ControlKind::Frame, "GroupBox1", "Work State", nullptr, {5, 8, 745, 433}},
      {ControlKind::Frame, "GroupBox3", "Import && Build New One", "GroupBox1", {8, 16, 457, 225}},
      {ControlKind::Label, "Label2", "DDS Directory:", "GroupBox3", {8, 28, 88, 16}},
      {ControlKind::Edit, "Text1", "", "GroupBox3", {104, 24, 257, 25}},
      {ControlKind::Button, "OpenDDS_Import", "Open File", "GroupBox3", {368, 24, 81, 25}},
      {ControlKind::Frame, "GroupBox5", "Select Place", "GroupBox3", {8, 56, 145, 161}},
      {ControlKind::List, "List1", "", "GroupBox5", {8, 16, 129, 108}},
      {ControlKind::Button, "CreateFile", "Create File", "GroupBox5", {8, 128, 129, 25}},
      {ControlKind::Frame, "GroupBox6", "Save", "GroupBox3", {160, 56, 289, 97}},
      {ControlKind::Edit, "Text2", "", "GroupBox6", {8, 24, 273, 25}},
      {ControlKind::Button, "SaveBIN", "SaveFile", "GroupBox6", {168, 56, 113, 25}},
      {ControlKind::Frame, "GroupBox4", "Open && Export DDS", "GroupBox1", {8, 248, 457, 177}},
      {ControlKind::Label, "Label3", "BIN Directory:", "GroupBox4", {8, 28, 82, 16}},
      {ControlKind::Edit, "Text3", "", "GroupBox4", {96, 24, 265, 25}},
      {ControlKind::Button, "Open_Bin_Export", "Open File", "GroupBox4", {368, 24, 81, 25}},
      {ControlKind::Button, "ExportDDS", "Export DDS", "GroupBox4", {8, 64, 441, 33}},
      {ControlKind::Frame, "GroupBox7", "Save", "GroupBox4", {8, 104, 441, 65}},
      {ControlKind::Label, "Label4", "DDS Directory:", "GroupBox7", {8, 28, 89, 16}},
      {ControlKind::Edit, "Text4", "", "GroupBox7", {104, 24, 249, 25}},
      {ControlKind::Button, "Save_DDS_Export", "Save DDS", "GroupBox7", {360, 24, 73, 25}},
      {ControlKind::Frame, "GroupBox2", "Texture", "GroupBox1", {472, 16, 265, 409}},
      {ControlKind::Picture, "TextureShown", "", "GroupBox2", {8, 16, 249, 385}},
  };
  const std::pair<const char*, Click> clicks[] = {
      {"OpenDDS_Import", &MainForm::ImportDdsClicked},
      {"CreateFile", &MainForm::CreateFileClicked},
      {"SaveBIN", &MainForm::SaveBinClicked},
      {"Open_Bin_Export", &MainForm::OpenBinClicked},
      {"ExportDDS", &MainForm::ExportDdsClicked},
      {"Save_DDS_Export", &MainForm::SaveDdsClicked},
  };
  // Keyboard focus order; the first takes the focus at start.
  const char* const focus_order[] = {
      "Text1", "OpenDDS_Import",  "List1",     "Text2", "SaveBIN",        "CreateFile",
      "Text3", "Open_Bin_Export", "ExportDDS", "Text4", "Save_DDS_Export"};

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(753, 451);
  setCentralWidget(client);
  PlaceControls(client, controls);
  for (const auto& [name, click] : clicks) {
    connect(ControlNamed<QPushButton>(client, name), &QPushButton::clicked, this, click);
  }

  preview_ = client->findChild<QLabel*>(QStringLiteral("TextureShown"));
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setWordWrap(true);
  places_ = client->findChild<QListWidget*>(QStringLiteral("List1"));
  for (const MenuPlace& place : MenuPlaces()) places_->addItem(TextToQString(place.list_text));

  // A file dropped on a job's frame, or on the preview, is taken as its dialog's choice.
  TakeFileDrops(ControlNamed(client, "GroupBox3"),
                [this](const auto& file) { ImportChosen(file); });
  TakeFileDrops(preview_, [this](const auto& file) { ImportChosen(file); });
  TakeFileDrops(ControlNamed(client, "GroupBox4"), [this](const auto& file) { OpenChosen(file); });

  ChainFocus(client, focus_order);
  ControlNamed(client, focus_order[0])->setFocus();
}

void MainForm::BuildMenus() {
  const MenuSpec menus[] = {
      {"mnufile", "File", nullptr, nullptr},
      {"mnunew", "Open DDS & Create New", "mnufile", &MainForm::ImportDdsClicked},
      {"mnuexport", "Open & Export DDS", "mnufile", &MainForm::OpenBinClicked},
      {"mnuexit", "Exit", "mnufile", &MainForm::ExitClicked},
      {"mnuhelp1", "Help", nullptr, nullptr},
      {"mnuhelp", "Help & Support Center", "mnuhelp1", &MainForm::HelpClicked},
      {"mnucredits", "Credits", nullptr, nullptr},
      {"mnuauthor", "Author", "mnucredits", &MainForm::AuthorClicked},
      {"mnuvisit", "Visit", "mnucredits", nullptr},
      {"mnuorvane", "Orvane", "mnuvisit", &MainForm::VisitClicked},
      {"mnublocks", "Blocks", nullptr, nullptr},
      {"mnutakeblocks", "Take Blocks From Opened File", "mnublocks", &MainForm::TakeBlocksClicked},
      {"mnushowblocks", "Show Blocks", "mnublocks", &MainForm::ShowBlocksClicked},
      {"mnurestoreblocks", "Restore Stand-in Blocks", "mnublocks", &MainForm::RestoreBlocksClicked},
  };
  for (const MenuSpec& row : menus) {
    const QString name = QString::fromUtf8(row.name);
    const QString caption = QString::fromUtf8(row.caption);
    QMenu* parent =
        row.parent ? menuBar()->findChild<QMenu*>(QString::fromUtf8(row.parent)) : nullptr;
    if (row.click) {
      QAction* item = parent->addAction(caption);
      item->setObjectName(name);
      connect(item, &QAction::triggered, this, row.click);
    } else {
      QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
      menu->setObjectName(name);
      menu->menuAction()->setObjectName(name);
    }
  }
}

std::optional<std::filesystem::path> MainForm::ChooseInto(FileHandler handler) {
  std::optional<std::filesystem::path> chosen = ChooseFile(prompts_, handler);
  if (chosen) ShowChosen(handler, *chosen);
  return chosen;
}

void MainForm::ShowChosen(FileHandler handler, const std::filesystem::path& chosen) {
  const QString box = QStringLiteral("Text%1").arg(SettingsOf(handler).text_box);
  findChild<QLineEdit*>(box)->setText(ToQString(chosen));
}

void MainForm::OpenGiven(const std::filesystem::path& file) {
  if (HasExtension(file, ".bin")) {
    OpenChosen(file);
  } else {
    ImportChosen(file);
  }
}

void MainForm::ImportDdsClicked() {
  const auto chosen = ChooseFile(prompts_, FileHandler::ImportDds);
  if (chosen) ImportChosen(*chosen);
}

void MainForm::ImportChosen(const std::filesystem::path& chosen) {
  ShowChosen(FileHandler::ImportDds, chosen);
  ImportResult imported = ImportResult::NotKept;
  if (!RunReported(prompts_, "Import DDS",
                   [&] { imported = ImportTexture(program_folder_, chosen, prompts_); })) {
    return;
  }
  if (imported == ImportResult::Kept) {
    ShowPreview(Job::Import);
  } else {
    preview_->setText(QString::fromUtf8(kNotPreviewableNote));
  }
}

std::string MainForm::SelectedPlace() const {
  const QList<QListWidgetItem*> selected = places_->selectedItems();
  return selected.isEmpty() ? std::string() : selected.front()->text().toStdString();
}

void MainForm::CreateFileClicked() {
  const std::string place = SelectedPlace();
  RunReported(prompts_, "Create File", [&] {
    if (CreateMenuFile(codec_, program_folder_, place, prompts_)) {
      TellOfStandIns(program_folder_, place, prompts_);
    }
  });
}

void MainForm::SaveBinClicked() {
  const auto chosen = ChooseInto(FileHandler::SaveBuiltFile);
  if (!chosen) return;
  RunReported(prompts_, "Save File", [&] { SaveBuiltFile(program_folder_, *chosen, prompts_); });
}

void MainForm::OpenBinClicked() {
  const auto chosen = ChooseFile(prompts_, FileHandler::OpenMenuFile);
  if (chosen) OpenChosen(*chosen);
}

void MainForm::OpenChosen(const std::filesystem::path& chosen) {
  ShowChosen(FileHandler::OpenMenuFile, chosen);
  if (RunReported(prompts_, "Open BIN File",
                  [&] { OpenMenuFile(codec_, program_folder_, chosen, prompts_); })) {
    opened_menu_file_ = chosen;
  }
}

void MainForm::ExportDdsClicked() {
  bool extracted = false;
  RunReported(prompts_, "Export DDS", [&] { extracted = ExtractDds(program_folder_, prompts_); });
  if (extracted) ShowPreview(Job::Export);
}

void MainForm::ShowPreview(Job job) {
  RunReported(prompts_, "Preview", [&] {
    if (ConvertPreview(program_folder_, job) == PreviewResult::NotPreviewable) {
      preview_->setText(QString::fromUtf8(kNotPreviewableNote));
      return;
    }
    preview_->setPixmap(QPixmap::fromImage(PreviewPicture(program_folder_, job)));
  });
}

void MainForm::SaveDdsClicked() {
  const auto chosen = ChooseInto(FileHandler::SaveExportedDds);
  if (!chosen) return;
  RunReported(prompts_, "Save DDS", [&] { SaveExportedDds(program_folder_, *chosen, prompts_); });
}

void MainForm::ExitClicked() { QCoreApplication::exit(0); }

void MainForm::HelpClicked() {
  if (!help_) help_ = new Help(program_folder_, prompts_, *this);
  BringForward(help_);
}

void MainForm::AuthorClicked() {
  prompts_.MessageBox(std::string(kMainTitle) + "\r\n" + std::string(kAuthorLine),
                      BoxStyle::Information);
}

void MainForm::VisitClicked() {
  RunReported(prompts_, "Visit Web Site", [&] { start_command_(OpenAddressCommand(kWebSite)); });
}

void MainForm::TakeBlocksClicked() {
  RunReported(prompts_, "Take Blocks", [&] {
    TakeBlocksFromOpenedFile(codec_, program_folder_, opened_menu_file_, SelectedPlace(), prompts_);
  });
}

void MainForm::ShowBlocksClicked() { ShowBlocks(program_folder_, prompts_); }

void MainForm::RestoreBlocksClicked() {
  RunReported(prompts_, "Restore Stand-in Blocks",
              [&] { RestoreStandInBlocks(program_folder_, prompts_); });
}

}  // namespace frondel
