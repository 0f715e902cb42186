#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "session/view.h"

namespace frondel::testing {

// Dialogs that answer from a script and record every box and dialog, so a test can check
// exactly what the user would have seen.
class ScriptedDialogs : public Dialogs {
 public:
  struct Box {
    std::string text;
    BoxStyle style;
    std::string title;
  };
  struct Dialog {
    DialogKind kind;
    std::string filter;
    std::string folder_key;
  };

  // Queue the path the next file dialog returns.
  void WillChoose(std::filesystem::path path) { choices_.push_back(std::move(path)); }
  // Queue a cancel of the next file dialog; an unqueued dialog is cancelled too.
  void WillCancel() { choices_.push_back(std::nullopt); }
  // Queue the answer of the next message box; unqueued boxes answer OK.
  void WillAnswer(Answer answer) { answers_.push_back(answer); }
  // Queue the index the next item list returns; an unqueued list is cancelled.
  void WillPick(std::size_t index) { picks_.push_back(index); }

  std::optional<std::filesystem::path> ChooseFile(const FileDialog& dialog) override {
    dialogs.push_back({dialog.kind, std::string(dialog.filter), std::string(dialog.folder_key)});
    if (choices_.empty()) return std::nullopt;
    std::optional<std::filesystem::path> next = std::move(choices_.front());
    choices_.pop_front();
    return next;
  }

  Answer ShowBox(std::string_view text, BoxStyle style, std::string_view title) override {
    boxes.push_back({std::string(text), style, std::string(title)});
    if (answers_.empty()) return Answer::Ok;
    const Answer next = answers_.front();
    answers_.pop_front();
    return next;
  }

  std::optional<std::size_t> ChooseItem(std::string_view title, std::string_view label,
                                        std::span<const std::string> items) override {
    lists.push_back({std::string(title), std::string(label), {items.begin(), items.end()}});
    if (picks_.empty()) return std::nullopt;
    const std::size_t next = picks_.front();
    picks_.pop_front();
    return next;
  }

  struct ItemList {
    std::string title, label;
    std::vector<std::string> items;
  };

  std::vector<Box> boxes;
  std::vector<Dialog> dialogs;
  std::vector<ItemList> lists;

 private:
  std::deque<std::optional<std::filesystem::path>> choices_;
  std::deque<Answer> answers_;
  std::deque<std::size_t> picks_;
};

}  // namespace frondel::testing
