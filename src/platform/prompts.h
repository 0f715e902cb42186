#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace frondel {

// Message-box styles and answers keep the platform's numbering, so that the rules read the
// same in code as in the boxes users know: 16 is OK with a critical icon, 64 OK with an
// information icon, 68 Yes/No with an information icon.
namespace style {
inline constexpr int kCritical = 16;
inline constexpr int kInformation = 64;
inline constexpr int kYesNoInformation = 68;
}  // namespace style

namespace answer {
inline constexpr int kOk = 1;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
}  // namespace answer

enum class DialogKind { Open, Save };

// Everything that asks the user something or tells them something. The window passes the
// Qt implementation; tests pass a scripted one.
class Prompts {
 public:
  virtual ~Prompts() = default;

  // Shows a modal file dialog with a filter in the form "*.dds|*.dds" and returns the chosen
  // full path, or an empty path when the user cancelled.
  virtual std::filesystem::path ChooseFile(DialogKind kind, std::string_view filter) = 0;

  // Shows a modal message box and returns the answer (answer::kOk, kYes, kNo). An empty
  // title shows the application's title.
  virtual int MessageBox(std::string_view text, int style, std::string_view title = {}) = 0;
};

}  // namespace frondel
