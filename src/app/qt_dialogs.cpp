#include "app/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

#include "app/qt_text.h"

namespace frondel {

namespace {

QString FolderKey(std::string_view folder_key) {
  return QStringLiteral("LastFolder/") + TextToQString(folder_key);
}

}  // namespace

QtDialogs::QtDialogs(QSettings& folders) : folders_(folders) {}

QString QtDialogs::StartFolder(std::string_view folder_key) const {
  // A settings file that cannot be read gives no value, so the dialog starts as the first time.
  const QString last = folders_.value(FolderKey(folder_key)).toString();
  if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
  const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  if (!pictures.isEmpty() && QFileInfo(pictures).isDir()) return pictures;
  return QDir::homePath();
}

std::optional<std::filesystem::path> QtDialogs::ChooseFile(const FileDialog& asked) {
  // Only the filter, open/save and the start folder are set; title and suffix stay the
  // dialog's own.
  QFileDialog dialog(QApplication::activeWindow(), QString(), StartFolder(asked.folder_key),
                     QtFilter(asked.filter));
  if (asked.kind == DialogKind::Save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The tool asks its own overwrite question, once.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  folders_.setValue(FolderKey(asked.folder_key), QFileInfo(chosen.front()).absolutePath());
  folders_.sync();
  return ToPath(chosen.front());
}

Answer QtDialogs::ShowBox(std::string_view text, BoxStyle style, std::string_view title) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(TextToQString(title));
  // Box texts end lines with "\r\n"; a Qt label would show the "\r".
  box.setText(TextToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  box.setIcon(style == BoxStyle::Critical ? QMessageBox::Critical : QMessageBox::Information);
  if (style == BoxStyle::YesNoInformation) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Ok;
  }
}

std::optional<std::size_t> QtDialogs::ChooseItem(std::string_view title, std::string_view label,
                                                 std::span<const std::string> items) {
  QStringList texts;
  for (const std::string& item : items) texts << TextToQString(item);
  QInputDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(TextToQString(title));
  dialog.setLabelText(TextToQString(label));
  dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
  dialog.setComboBoxEditable(false);
  dialog.setComboBoxItems(texts);
  if (!texts.isEmpty()) dialog.setTextValue(texts.front());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const qsizetype index = texts.indexOf(dialog.textValue());
  if (index < 0) return std::nullopt;
  return static_cast<std::size_t>(index);
}

}  // namespace frondel
