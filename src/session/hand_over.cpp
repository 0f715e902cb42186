#include "session/hand_over.h"

#include <string>
#include <system_error>

namespace frondel {

bool CanHandOver(const std::filesystem::path& file) {
  std::u8string text;
  try {
    text = file.u8string();
  } catch (const std::system_error&) {
    // A Windows name that is not UTF-16 (a lone surrogate) has no UTF-8 form.
    return false;
  }
  if (text.size() > kLongestHandOver) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto unit = static_cast<unsigned char>(text[i]);
    // C0 controls and DEL, and the C1 controls U+0080 to U+009F (0xC2 0x80 to 0xC2 0x9F).
    const bool c1 = unit == 0xC2 && i + 1 < text.size() &&
                    static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(text[i + 1]) <= 0x9F;
    if (unit < 0x20 || unit == 0x7F || c1) return false;
  }
  std::error_code error;
  return file.is_absolute() && std::filesystem::is_regular_file(file, error);
}

HandOverRequest RequestToOpen(const std::filesystem::path& file) {
  if (!CanHandOver(file)) return {HandOverRequest::Status::Refused, std::nullopt};
  return {HandOverRequest::Status::Taken, file};
}

}  // namespace frondel
