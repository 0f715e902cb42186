#pragma once

#include <filesystem>

#include "building/working_folder.h"

namespace frondel {

// The preview of a job's texture is made in two steps that hand over through a file:
//   1. ConvertPreview (here) turns the job's texture.dds into texture.bmp beside it;
//   2. on Ready, PreviewPicture (preview_display.h) loads that bitmap scaled for the box;
//      on NotPreviewable the box is cleared and shows kNotPreviewableNote instead.
// The window calls them in this order, at once, for the same job: the DDS import after it
// has copied the texture, Export DDS after it has written it. Nothing else calls them.

enum class PreviewResult {
  Ready,           // the job's texture.bmp holds this texture, right way up, in its colours
  NotPreviewable,  // the texture cannot be shown; the job has no texture.bmp
};

// Never changes texture.dds. Removes an earlier preview's texture.bmp first, so an old
// picture never stands for a new texture. Throws FileError when the texture cannot be read
// or the bitmap cannot be removed or written.
PreviewResult ConvertPreview(const std::filesystem::path& program_folder, Job job);

}  // namespace frondel
