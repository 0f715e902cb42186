#pragma once

#include <QString>
#include <string>

#include "platform/prompts.h"

class QSettings;

namespace frondel {

// Prompts shown with Qt's file dialogs and message boxes, modal over the active window.
class QtPrompts : public Prompts {
 public:
  // `application_title` is put on boxes that are given no title of their own; `folders` keeps
  // the folder each file dialog last used, and nothing else.
  QtPrompts(std::string application_title, QSettings& folders);

  std::filesystem::path ChooseFile(DialogKind kind, std::string_view filter,
                                   std::string_view dialog) override;
  Answer MessageBox(std::string_view text, BoxStyle style, std::string_view title = {}) override;

 private:
  // The folder `dialog` last used while it still exists; else the user's Pictures, else home.
  QString StartFolder(std::string_view dialog) const;

  std::string application_title_;
  QSettings& folders_;
};

}  // namespace frondel
