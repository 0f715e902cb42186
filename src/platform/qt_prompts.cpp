#include "platform/qt_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "platform/qt_text.h"

namespace frondel {

QtPrompts::QtPrompts(std::string application_title)
    : application_title_(std::move(application_title)) {}

std::filesystem::path QtPrompts::ChooseFile(DialogKind kind, std::string_view filter) {
  // Only the filter and open/save are set; title, folder and suffix stay the dialog's own.
  QFileDialog dialog(QApplication::activeWindow(), QString(), QString(), QtFilter(filter));
  if (kind == DialogKind::Save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The tool asks its own overwrite question, once.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  return chosen.isEmpty() ? std::filesystem::path() : ToPath(chosen.front());
}

Answer QtPrompts::MessageBox(std::string_view text, BoxStyle style, std::string_view title) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(TextToQString(title.empty() ? std::string_view(application_title_) : title));
  // The core ends lines with "\r\n"; a Qt label would show the "\r".
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

}  // namespace frondel
