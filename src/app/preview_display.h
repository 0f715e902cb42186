#pragma once

#include <QImage>
#include <QSize>

#include "preview/preview.h"

namespace frondel {

// The preview box: the picture fills it exactly and the texture's proportions are not kept.
inline constexpr QSize kPreviewBoxSize{249, 385};

// `picture` stretched to kPreviewBoxSize, opaque.
QImage PreviewImage(const PreviewPicture& picture);

}  // namespace frondel
