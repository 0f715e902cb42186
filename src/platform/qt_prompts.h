#pragma once

#include <string>

#include "platform/prompts.h"

namespace frondel {

// Prompts shown with Qt's file dialogs and message boxes, modal over the active window.
class QtPrompts : public Prompts {
 public:
  // `application_title` is put on boxes that are given no title of their own.
  explicit QtPrompts(std::string application_title);

  std::filesystem::path ChooseFile(DialogKind kind, std::string_view filter) override;
  Answer MessageBox(std::string_view text, BoxStyle style, std::string_view title = {}) override;

 private:
  std::string application_title_;
};

}  // namespace frondel
