// Makes the help window's three tutorial pictures from the real main window: it runs the build
// and the export job through the window's buttons with scripted file choices, grabs the window,
// and draws numbered callouts around the controls (found by name) and short captions.
// Run offscreen: QT_QPA_PLATFORM=offscreen make_tutorials OUTPUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QLinearGradient>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QTextStream>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "app/main_form.h"
#include "building/menu_format.h"
#include "building/payload_parts.h"
#include "building/working_folder.h"
#include "platform/file_system.h"
#include "support/dds_samples.h"
#include "support/scripted_dialogs.h"

namespace frondel {
namespace {

namespace fs = std::filesystem;

constexpr QSize kCanvas{761, 625};  // the help window's picture box: shown unscaled
const QColor kInk{0x1d, 0x24, 0x2b};
const QColor kBand{0x17, 0x59, 0x3a};
const QColor kMark{0xe0, 0x4f, 0x0f};
const QColor kPaper{0xf6, 0xf4, 0xee};

QFont Font(int pixels, bool bold = false, bool fixed = false) {
  QFont font(fixed ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// The caption as the platform shows it: "&&" is one "&".
QString Shown(QString caption) {
  return caption.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

QString ButtonText(const MainForm& form, const char* name) {
  return Shown(form.findChild<QPushButton*>(QString::fromUtf8(name))->text());
}

// A 1024x1024 32-bit menu texture of our own: the kind of picture a user would import.
Bytes MenuTexture() {
  QImage art(1024, 1024, QImage::Format_ARGB32);
  QPainter p(&art);
  QLinearGradient sky(0, 0, 0, 1024);
  sky.setColorAt(0, QColor(0x0b, 0x2e, 0x5a));
  sky.setColorAt(1, QColor(0x06, 0x12, 0x24));
  p.fillRect(art.rect(), sky);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(QRect(112, 560, 800, 380), QColor(0x2e, 0x8b, 0x57));
  p.setPen(QPen(Qt::white, 8));
  p.drawRect(QRect(132, 580, 760, 340));
  p.drawLine(512, 580, 512, 920);
  p.drawEllipse(QPoint(512, 750), 70, 70);
  p.setFont(Font(120, true));
  p.drawText(QRect(0, 90, 1024, 180), Qt::AlignCenter, QStringLiteral("MY MENU"));
  p.setFont(Font(54, true));
  const char* const entries[] = {"PLAY", "TEAMS", "OPTIONS"};
  for (int i = 0; i < 3; ++i) {
    const QRect bar(262, 290 + i * 86, 500, 66);
    p.setBrush(i == 0 ? QColor(0xf2, 0xb1, 0x34) : QColor(255, 255, 255, 60));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(bar, 18, 18);
    p.setPen(i == 0 ? kInk : Qt::white);
    p.drawText(bar, Qt::AlignCenter, QString::fromUtf8(entries[i]));
  }
  p.end();
  Bytes dds;
  testing::dds_sample::AppendHeader(dds, testing::DdsKind::Bgra32, 1024, 1024, 1);
  for (int y = 0; y < art.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint8_t*>(art.constScanLine(y));
    dds.insert(dds.end(), row, row + art.bytesPerLine());  // B, G, R, A in memory
  }
  return dds;
}

// A program folder with the shipped temp/ tree, a folder for the user's files, and the
// window's scripted file choices.
// A scratch folder of a fixed name, so that the paths the pictures show are the same on every
// run and the pictures come out byte for byte the same.
struct Scratch {
  explicit Scratch(fs::path where) : path(std::move(where)) {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  fs::path operator/(const fs::path& name) const { return path / name; }
  const fs::path path;
};

struct Session {
  Session() {
    fs::create_directories(program);
    fs::copy(fs::path(FRONDEL_DATA_DIR) / "temp", program / "temp", fs::copy_options::recursive);
    fs::create_directories(program / "temp" / "dataimport");
    fs::create_directories(program / "temp" / "dataexport");
    fs::create_directories(user);
  }

  Scratch root{fs::temp_directory_path() / "frondel-tutorials"};
  const fs::path program = root / "frondel";
  const fs::path user = root / "Documents" / "Game Menus";
  testing::ScriptedDialogs dialogs;
  // The View menu's choices, kept apart from the user's own.
  QSettings settings{QString::fromStdString((root / "settings.ini").string()),
                     QSettings::IniFormat};
};

void Click(MainForm& form, const char* button) {
  form.findChild<QPushButton*>(QString::fromUtf8(button))->click();
}

// Every box must be the one the step expects, or the picture would show a failed job.
void Expect(const testing::ScriptedDialogs& dialogs, std::size_t boxes) {
  if (dialogs.boxes.size() == boxes) return;
  for (const auto& box : dialogs.boxes) std::fprintf(stderr, "box: %s\n", box.text.c_str());
  qFatal("the job did not run as the tutorial says");
}

// One numbered step: the controls outlined together, the corner of the outline where its
// number sits, and its caption.
struct Step {
  std::vector<const char*> controls;
  Qt::Corner badge;
  QString caption;
};

QRect PlaceIn(const QWidget& window, const char* name) {
  const QWidget* control = window.findChild<QWidget*>(QString::fromUtf8(name));
  if (!control) qFatal("no control %s", name);
  return QRect(control->mapTo(&window, QPoint(0, 0)), control->size());
}

void Badge(QPainter& p, QPoint centre, int number) {
  p.setPen(QPen(Qt::white, 2));
  p.setBrush(kMark);
  p.drawEllipse(centre, 12, 12);
  p.setFont(Font(14, true));
  p.drawText(QRect(centre - QPoint(12, 12), QSize(24, 24)), Qt::AlignCenter,
             QString::number(number));
}

QPoint CornerOf(const QRect& r, Qt::Corner corner) {
  switch (corner) {
    case Qt::TopLeftCorner:
      return r.topLeft();
    case Qt::TopRightCorner:
      return r.topRight();
    case Qt::BottomLeftCorner:
      return r.bottomLeft();
    case Qt::BottomRightCorner:
      return r.bottomRight();
  }
  return r.center();
}

// Outlines each step's controls on the grab of `window` drawn at `at`, with its number.
void MarkSteps(QPainter& p, const QWidget& window, QPoint at, const std::vector<Step>& steps) {
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (steps[i].controls.empty()) continue;  // a menu: its caller draws it open
    QRect outline;
    for (const char* name : steps[i].controls) outline |= PlaceIn(window, name);
    outline = outline.translated(at).adjusted(-3, -3, 3, 3);
    p.setPen(QPen(kMark, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(outline, 4, 4);
    Badge(p, CornerOf(outline, steps[i].badge), static_cast<int>(i) + 1);
  }
}

void Heading(QPainter& p, const QString& text) {
  p.fillRect(QRect(0, 0, kCanvas.width(), 30), kBand);
  p.setPen(Qt::white);
  p.setFont(Font(17, true));
  p.drawText(QRect(12, 0, kCanvas.width() - 24, 30), Qt::AlignVCenter, text);
}

// The captions below the window, numbered like the callouts, in two columns; a last odd
// cell holds the note.
void Captions(QPainter& p, int top, const std::vector<Step>& steps, const QString& note) {
  const int column = (kCanvas.width() - 24) / 2;
  const int row_height = (kCanvas.height() - top - 4) / 2;
  for (std::size_t i = 0; i <= steps.size(); ++i) {
    const QRect cell(12 + static_cast<int>(i % 2) * column,
                     top + static_cast<int>(i / 2) * row_height, column - 8, row_height);
    if (i == steps.size()) {
      if (note.isEmpty()) break;
      p.setPen(kBand);
      p.setFont(Font(13, false));
      p.drawText(cell.adjusted(6, 2, 0, 0), Qt::TextWordWrap, note);
      break;
    }
    Badge(p, cell.topLeft() + QPoint(12, 13), static_cast<int>(i) + 1);
    p.setPen(kInk);
    p.setFont(Font(13));
    p.drawText(cell.adjusted(30, 3, 0, 0), Qt::TextWordWrap, steps[i].caption);
  }
}

QImage Canvas() {
  QImage canvas(kCanvas, QImage::Format_RGB32);
  canvas.fill(kPaper);
  return canvas;
}

// A job's picture: the heading, the window as the job left it with its steps marked, and the
// captions.
QImage JobPicture(MainForm& form, const QString& heading, const std::vector<Step>& steps,
                  const QString& note) {
  QImage canvas = Canvas();
  QPainter p(&canvas);
  p.setRenderHint(QPainter::Antialiasing);
  Heading(p, heading);
  const QPixmap window = form.grab();
  const QPoint at((kCanvas.width() - window.width()) / 2, 36);
  p.drawPixmap(at, window);
  p.setPen(QPen(kInk, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(at, window.size()).adjusted(-1, -1, 0, 0));
  MarkSteps(p, form, at, steps);
  Captions(p, at.y() + window.height() + 10, steps, note);
  return canvas;
}

QImage BuildTutorial(Session& s, const fs::path& built) {
  MainForm form(s.program, s.dialogs, s.settings, [](const Command&) {});
  form.show();
  const fs::path texture = s.user / "my exhibition menu.dds";
  WriteWholeFile(texture, {MenuTexture()});
  s.dialogs.WillChoose(texture);
  Click(form, "OpenDDS_Import");
  auto* places = form.findChild<QListWidget*>(QStringLiteral("List1"));
  places->setCurrentRow(0);
  Click(form, "CreateFile");
  s.dialogs.WillChoose(built);
  Click(form, "SaveBIN");
  Expect(s.dialogs, 1);  // "File Saved Succesful"
  const QString place = places->currentItem()->text();
  const std::vector<Step> steps = {
      {{"Text1", "OpenDDS_Import"},
       Qt::TopRightCorner,
       QStringLiteral("%1: choose your texture (.dds). Its path shows in the box, its "
                      "preview in \"Texture\".")
           .arg(ButtonText(form, "OpenDDS_Import"))},
      {{"List1"},
       Qt::TopRightCorner,
       QStringLiteral("Select Place: click the menu screen the texture is for, here "
                      "\"%1\".")
           .arg(place)},
      {{"CreateFile"},
       Qt::BottomRightCorner,
       QStringLiteral("%1: builds the menu file for that place in the working folder.")
           .arg(ButtonText(form, "CreateFile"))},
      {{"Text2", "SaveBIN"},
       Qt::TopRightCorner,
       QStringLiteral("%1: choose where the menu file (.bin) goes. \"File Saved "
                      "Succesful\" tells you it is there.")
           .arg(ButtonText(form, "SaveBIN"))},
  };
  return JobPicture(form, QStringLiteral("Tutorial 1: build a menu file from your texture"), steps,
                    {});
}

QImage ExportTutorial(Session& s, const fs::path& built) {
  MainForm form(s.program, s.dialogs, s.settings, [](const Command&) {});
  form.show();
  s.dialogs.WillChoose(built);
  Click(form, "Open_Bin_Export");
  Click(form, "ExportDDS");
  s.dialogs.WillChoose(s.user / "exhibition menu texture.dds");
  Click(form, "Save_DDS_Export");
  Expect(s.dialogs, 2);  // one "File Saved Succesful" for each job
  const std::vector<Step> steps = {
      {{"Text3", "Open_Bin_Export"},
       Qt::TopRightCorner,
       QStringLiteral("%1: choose a menu file (.bin), the game's or your own. It is unpacked "
                      "in the working folder.")
           .arg(ButtonText(form, "Open_Bin_Export"))},
      {{"ExportDDS"},
       Qt::TopRightCorner,
       QStringLiteral("%1: takes the texture out of it and shows its preview.")
           .arg(ButtonText(form, "ExportDDS"))},
      {{"Text4", "Save_DDS_Export"},
       Qt::TopRightCorner,
       QStringLiteral("%1: choose where the texture (.dds) goes.")
           .arg(ButtonText(form, "Save_DDS_Export"))},
  };
  return JobPicture(form, QStringLiteral("Tutorial 2: take the texture out of a menu file"), steps,
                    QStringLiteral("Edit the texture in any image editor that saves DDS, then "
                                   "build it back in as in Tutorial 1."));
}

// A menu file of the game for the Exhibition place, as a user has one: a head block and a
// template that are not our stand-ins (made here, of our own bytes) around a texture.
Bytes GameMenuFile() {
  Bytes head(payload::kHeadLength), place_template(24'000);
  std::uint32_t x = 20'240'601;
  for (Bytes* block : {&head, &place_template}) {
    for (std::uint8_t& byte : *block)
      byte = static_cast<std::uint8_t>((x = x * 1664525u + 1013904223u) >> 24);
  }
  Bytes payload = head;
  const Bytes texture = MenuTexture();
  payload.insert(payload.end(), texture.begin(), texture.end());
  payload.insert(payload.end(), place_template.begin(), place_template.end());
  return PackMenuBytes(StreamCodec(), payload);
}

// The menu bar's title of `menu`, in the window's coordinates.
QRect MenuTitleIn(QMainWindow& window, const char* menu) {
  QMenu* found = window.findChild<QMenu*>(QString::fromUtf8(menu));
  if (!found) qFatal("no menu %s", menu);
  const QRect title = window.menuBar()->actionGeometry(found->menuAction());
  return title.translated(window.menuBar()->mapTo(&window, QPoint(0, 0)));
}

QImage BlocksTutorial(Session& s) {
  MainForm form(s.program, s.dialogs, s.settings, [](const Command&) {});
  form.show();
  const fs::path game = s.user / "from my game" / "menu exhibition.bin";
  fs::create_directories(game.parent_path());
  WriteWholeFile(game, {GameMenuFile()});
  s.dialogs.WillChoose(game);
  Click(form, "Open_Bin_Export");
  auto* places = form.findChild<QListWidget*>(QStringLiteral("List1"));
  places->setCurrentRow(0);
  s.dialogs.WillAnswer(Answer::Yes);
  form.findChild<QAction*>(QStringLiteral("mnutakeblocks"))->trigger();
  Expect(s.dialogs, 2);  // the question, then what was taken
  const QString place = places->currentItem()->text();
  auto* blocks = form.findChild<QMenu*>(QStringLiteral("mnublocks"));
  const std::vector<Step> steps = {
      {{"Text3", "Open_Bin_Export"},
       Qt::TopRightCorner,
       QStringLiteral("%1: choose one of your game's own menu files (.bin) for a place.")
           .arg(ButtonText(form, "Open_Bin_Export"))},
      {{"List1"},
       Qt::TopRightCorner,
       QStringLiteral("Select Place: click the place that file is for, here \"%1\".").arg(place)},
      {{},
       Qt::TopRightCorner,
       QStringLiteral("%1 > %2: answer Yes. frondel keeps the file's blocks for that place.")
           .arg(Shown(blocks->title()), Shown(blocks->actions().at(0)->text()))},
  };
  QImage canvas = JobPicture(
      form, QStringLiteral("Tutorial 3: use your game's own blocks"), steps,
      QStringLiteral("%1 > %2 lists the places that still have stand-ins. A file built with a "
                     "stand-in is not read by the game: Create File says so.")
          .arg(Shown(blocks->title()), Shown(blocks->actions().at(1)->text())));
  // The Blocks menu, open below its title, as the user sees it at step 3.
  QPainter p(&canvas);
  p.setRenderHint(QPainter::Antialiasing);
  const QPoint at((kCanvas.width() - form.width()) / 2, 36);
  const QRect title = MenuTitleIn(form, "mnublocks").translated(at);
  blocks->adjustSize();
  const QPixmap menu = blocks->grab();
  p.drawPixmap(title.bottomLeft(), menu);
  p.setPen(QPen(kInk, 1));
  p.drawRect(QRect(title.bottomLeft(), menu.size()).adjusted(0, 0, -1, -1));
  const QRect outline = title.united(QRect(title.bottomLeft(), menu.size())).adjusted(-3, -3, 3, 3);
  p.setPen(QPen(kMark, 3));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(outline, 4, 4);
  Badge(p, outline.topRight(), 3);
  return canvas;
}

QString FileName(std::string_view relative_name) {
  return QString::fromStdString(fs::path(relative_name).filename().string());
}

void Save(const QImage& picture, const QDir& folder, WorkFile file) {
  const QString path = folder.filePath(FileName(RelativeName(file)));
  if (!picture.save(path, "JPG", 92)) qFatal("cannot write %s", qPrintable(path));
  QTextStream(stdout) << "wrote " << path << "\n";
}

}  // namespace
}  // namespace frondel

int main(int argc, char* argv[]) {
  using namespace frondel;
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_tutorials OUTPUT_FOLDER\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  Session session;
  const fs::path built = session.user / "my exhibition menu.bin";
  // The game's blocks first, so that the build of Tutorial 1 is one the game reads.
  Save(BlocksTutorial(session), out, WorkFile::Tutorial3);
  session.dialogs.boxes.clear();
  Save(BuildTutorial(session, built), out, WorkFile::Tutorial1);
  Save(ExportTutorial(session, built), out, WorkFile::Tutorial2);
  return 0;
}
