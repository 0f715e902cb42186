#pragma once

#include <string>
#include <string_view>

#include "session/view.h"

namespace frondel {

// A dialog filter in the common dialogs' form: "desc|pattern|desc|pattern" becomes
// "desc\0pattern\0desc\0pattern\0\0".
std::wstring DialogFilter(std::string_view filter);

// The common file dialogs, an item list and MessageBoxW, over the active window of the thread.
class Win32Dialogs : public Dialogs {
 public:
  // Each dialog starts in the folder last chosen from for its key, or the user's pictures
  // folder the first time; it asks no overwrite question of its own.
  std::optional<std::filesystem::path> ChooseFile(const FileDialog& dialog) override;
  // The style goes to MessageBoxW as it stands; an empty title is the application's.
  Answer ShowBox(std::string_view text, BoxStyle style, std::string_view title) override;
  // A list dialog of its own (see ShowItemList).
  std::optional<std::size_t> ChooseItem(std::string_view title, std::string_view label,
                                        std::span<const std::string> items) override;
};

}  // namespace frondel
