#pragma once

#include <QString>
#include <string>

#include "session/view.h"

class QSettings;

namespace frondel {

// File dialogs, item lists and message boxes shown with Qt's own, modal over the active window.
class QtDialogs : public Dialogs {
 public:
  // `folders` keeps the folder each file dialog last used, and nothing else.
  explicit QtDialogs(QSettings& folders);

  std::optional<std::filesystem::path> ChooseFile(const FileDialog& dialog) override;
  Answer ShowBox(std::string_view text, BoxStyle style, std::string_view title) override;
  // A QInputDialog with the items in a list.
  std::optional<std::size_t> ChooseItem(std::string_view title, std::string_view label,
                                        std::span<const std::string> items) override;

 private:
  // The folder `folder_key` last used while it still exists; else the user's Pictures, else
  // home.
  QString StartFolder(std::string_view folder_key) const;

  QSettings& folders_;
};

}  // namespace frondel
