#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace frondel {

// Message-box styles and answers keep the platform's numbering, so that the rules read the
// same in code as in the boxes users know; the window turns them into its own buttons and icons.
enum class BoxStyle : int {
  Critical = 16,          // OK with a critical icon
  Information = 64,       // OK with an information icon
  YesNoInformation = 68,  // Yes and No with an information icon
};

enum class Answer : int { Ok = 1, Yes = 6, No = 7 };

enum class DialogKind { Open, Save };

// Everything that asks the user something or tells them something. The window passes the
// Qt implementation; tests pass a scripted one.
class Prompts {
 public:
  virtual ~Prompts() = default;

  // Shows a modal file dialog with a filter in the form "*.dds|*.dds" and returns the chosen
  // full path, or an empty path when the user cancelled. `dialog` names the dialog, so that it
  // can start where it was last used.
  virtual std::filesystem::path ChooseFile(DialogKind kind, std::string_view filter,
                                           std::string_view dialog) = 0;

  // Shows a modal message box and returns the answer. An empty title shows the application's
  // title.
  virtual Answer MessageBox(std::string_view text, BoxStyle style, std::string_view title = {}) = 0;
};

}  // namespace frondel
