#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "building/working_folder.h"
#include "platform/file_system.h"

namespace frondel {

// A picture for the preview box: 4 bytes a pixel, B,G,R,A with A 255, top row first, at the
// texture's own size. The window stretches it to fill the box.
struct PreviewPicture {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  Bytes pixels;
};

enum class PreviewStatus {
  Ready,           // `picture` shows the texture, right way up, in its colours; the job's
                   // texture.bmp holds the same picture
  NotPreviewable,  // the texture cannot be shown; the job has no texture.bmp
};

struct Preview {
  PreviewStatus status = PreviewStatus::NotPreviewable;
  PreviewPicture picture{};
  // The texture's alpha as stored, a byte a pixel in the picture's order; empty when every
  // pixel is opaque (no alpha channel, or 255 everywhere).
  Bytes alpha{};
};

// The preview of `texture`, the bytes the job just wrote to its texture.dds, which is never
// changed. Removes an earlier preview's texture.bmp first, so an old picture never stands for
// a new texture, and writes this one's. Throws FileError when the bitmap cannot be removed or
// written.
Preview MakePreview(const std::filesystem::path& working_root, Job job, ByteView texture);

// Any picture file of the kinds the conversion takes (the help window's tutorials among them),
// decoded and made opaque; nothing when it cannot be decoded.
std::optional<PreviewPicture> PictureOf(ByteView file);

struct Picture;
// A decoded picture as the box shows it: B,G,R,A, opaque.
PreviewPicture OpaqueCopy(const Picture& decoded);

// A ready preview of B,G,R,A pixels with their alpha: the alpha taken apart, the picture made
// opaque, as the box shows the texture without its transparency.
Preview ReadyPreview(PreviewPicture with_alpha);

}  // namespace frondel
