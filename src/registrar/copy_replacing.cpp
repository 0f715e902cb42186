#include "registrar/copy_replacing.h"

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "registrar/platform_error.h"

namespace kestrup {

void CopyReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  try {
    frondel::WriteUserFile(to, {frondel::ReadWholeFile(from)}, frondel::Replace::Existing);
  } catch (const frondel::FileError& e) {
    throw PlatformError(e.path(), e.reason());
  }
}

}  // namespace kestrup
