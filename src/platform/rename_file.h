#pragma once

#include <filesystem>
#include <system_error>

namespace frondel {

// Renames `from` to `to` within one file system, replacing `to` if it exists. Nothing is
// ever copied: when `to` is on another file system the result is
// std::errc::cross_device_link and both files are as they were.
std::error_code RenameFile(const std::filesystem::path& from, const std::filesystem::path& to);

// As RenameFile, but an existing `to` is never replaced: the result is then
// std::errc::file_exists and both files are as they were. The test and the rename are one step.
std::error_code RenameFileNoReplace(const std::filesystem::path& from,
                                    const std::filesystem::path& to);

}  // namespace frondel
