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

// Waits until the bytes of `file` are on the disk: done before a rename gives it a name that
// must never stand for an empty or half-written file after a power cut.
std::error_code SyncFile(const std::filesystem::path& file);

// Waits until the names in `folder` are on the disk, so a rename into it outlasts a power cut.
// On Windows the renames themselves are written through, and this does nothing.
std::error_code SyncFolder(const std::filesystem::path& folder);

}  // namespace frondel
