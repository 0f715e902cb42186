#pragma once

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QStringList>
#include <QTest>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_form.h"
#include "app/qt_text.h"
#include "building/menu_places.h"
#include "building/working_folder.h"
#include "platform/file_system.h"
#include "platform/program.h"
#include "support/bytes.h"
#include "support/dds_samples.h"
#include "support/scripted_dialogs.h"
#include "support/small_program.h"

namespace frondel::testing {

// The boxes shown, as "title | style | text", so a failed comparison shows the words.
inline QStringList Seen(const std::vector<ScriptedDialogs::Box>& boxes) {
  QStringList seen;
  for (const auto& box : boxes) {
    seen.append(QString::fromStdString(box.title) + " | " + QString::number(int(box.style)) +
                " | " + QString::fromStdString(box.text));
  }
  return seen;
}

// A main window over a small program folder of its own.
class WindowSession : public SmallProgram {
 public:
  WindowSession() : SmallProgram("frondel window \xc3\xbc") { form.show(); }

  template <typename Widget = QWidget>
  Widget* Find(const char* name) {
    Widget* widget = form.findChild<Widget*>(QString::fromUtf8(name));
    if (!widget) qFatal("no widget %s", name);
    return widget;
  }
  QString TextOf(const char* box) { return Find<QLineEdit>(box)->text(); }

  void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
  void Choose(const char* item) { Find<QAction>(item)->trigger(); }
  // Clicks the place in List1 as a user would.
  void SelectPlace(const char* list_text) {
    auto* list = Find<QListWidget>("List1");
    QListWidgetItem* item = list->findItems(QString::fromUtf8(list_text), Qt::MatchExactly).at(0);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
  }

  // The user's steps of a build: import `dds`, pick `place`, create, save to `target`.
  void Build(const std::filesystem::path& dds, const char* place,
             const std::filesystem::path& target) {
    dialogs.WillChoose(dds);
    Click("OpenDDS_Import");
    SelectPlace(place);
    Click("CreateFile");
    dialogs.WillChoose(target);
    Click("SaveBIN");
  }

  ScriptedDialogs dialogs;
  std::vector<Command> started;
  // The window's settings in a file of the test's own, so that no run reads or changes the
  // user's.
  QSettings settings{ToQString(root / "settings.ini"), QSettings::IniFormat};
  MainForm form{program, dialogs, settings,
                [this](const Command& command) { started.push_back(command); }};
};

}  // namespace frondel::testing
