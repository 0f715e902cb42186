#include "registrar/copy_replacing.h"

#include "platform/file_system.h"

namespace kestrup {

void CopyReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  frondel::WriteUserFile(to, {frondel::ReadWholeFile(from)}, frondel::Replace::Existing);
}

}  // namespace kestrup
