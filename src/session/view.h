#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "preview/preview.h"
#include "session/window_layout.h"

namespace frondel {

// Box styles and answers keep the platform's numbering, so that the rules read the same in
// code as in the boxes users know; a Win32 window passes them on as they stand.
enum class BoxStyle : int {
  Critical = 16,          // OK with a critical icon
  Information = 64,       // OK with an information icon
  YesNoInformation = 68,  // Yes and No with an information icon
};

enum class Answer : int { Ok = 1, Yes = 6, No = 7 };

enum class DialogKind { Open, Save };

// A file dialog as a handler shows it.
struct FileDialog {
  DialogKind kind;
  std::string_view filter;      // "description|pattern" pairs: "*.bin|*.bin"
  std::string_view folder_key;  // which of the four remembered folders it starts in
};

struct PixelSize {
  std::uint32_t width;
  std::uint32_t height;
};

// What a window asks the user and tells them: modal file dialogs and message boxes. Tests
// pass a scripted one.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // The chosen full path, or nothing when the user cancelled. A save dialog asks no overwrite
  // question of its own.
  virtual std::optional<std::filesystem::path> ChooseFile(const FileDialog& dialog) = 0;

  // A modal box and its answer.
  virtual Answer ShowBox(std::string_view text, BoxStyle style, std::string_view title) = 0;

  // A modal list of `items` under `label` to choose one from, the first selected. The chosen
  // one's index, or nothing when the user cancelled.
  virtual std::optional<std::size_t> ChooseItem(std::string_view title, std::string_view label,
                                                std::span<const std::string> items) = 0;
};

// Everything the work flow needs of a window: asking, telling and showing.
class View : public Dialogs {
 public:
  // A chosen path in one of the four path boxes, Text1 to Text4.
  virtual void ShowPath(int text_box, const std::filesystem::path& path) = 0;
  // The place list's texts, in order, and which one is selected, if any.
  virtual void ShowPlaces(std::span<const std::string_view> places,
                          std::optional<std::size_t> selected) = 0;
  // The preview box: a picture, stretched to fill it, or a note in place of one.
  virtual void ShowPicture(const PreviewPicture& picture) = 0;
  virtual void ShowNote(std::string_view note) = 0;
  // The preview box's size in the pixels a picture of that size fills one for one.
  virtual PixelSize PreviewBoxSize() const = 0;
  // The check of a checkable menu item.
  virtual void ShowChecked(UserCommand item, bool checked) = 0;
};

// A window's View, whose dialogs and boxes are those of the toolkit's Dialogs it is given: the
// window itself shows only what the work flow shows in it.
class WindowView : public View {
 public:
  explicit WindowView(Dialogs& dialogs) : dialogs_(dialogs) {}

  std::optional<std::filesystem::path> ChooseFile(const FileDialog& dialog) override {
    return dialogs_.ChooseFile(dialog);
  }
  Answer ShowBox(std::string_view text, BoxStyle style, std::string_view title) override {
    return dialogs_.ShowBox(text, style, title);
  }
  std::optional<std::size_t> ChooseItem(std::string_view title, std::string_view label,
                                        std::span<const std::string> items) override {
    return dialogs_.ChooseItem(title, label, items);
  }

 protected:
  Dialogs& dialogs() { return dialogs_; }

 private:
  Dialogs& dialogs_;
};

}  // namespace frondel
