#pragma once

#include <QImage>
#include <QSize>
#include <filesystem>

#include "building/working_folder.h"

namespace frondel {

// The preview box: the picture fills it exactly and the texture's proportions are not kept.
inline constexpr QSize kPreviewBoxSize{249, 385};

// Shown centred in the cleared box when ConvertPreview answers NotPreviewable.
inline constexpr char kNotPreviewableNote[] = "This Texture Cannot Be Previewed";

// The display step after ConvertPreview answered Ready (see preview_conversion.h): the job's
// texture.bmp, scaled to kPreviewBoxSize. The bitmap has no alpha, so the picture is opaque.
// Throws FileError when the bitmap cannot be read or is not a bitmap; the box should then be
// left as it was.
QImage PreviewPicture(const std::filesystem::path& program_folder, Job job);

}  // namespace frondel
