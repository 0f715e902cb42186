#pragma once

#include <windows.h>

#include <string_view>

#include "preview/preview.h"

namespace frondel {

// `picture` stretched to `width` x `height` as a 32-bit top-down DIB section with every pixel
// opaque: a common-controls static blends a 32-bit bitmap by its alpha. The caller deletes it.
HBITMAP StretchedBitmap(const PreviewPicture& picture, int width, int height);

// A static control that shows either a picture stretched to fill it or a text centred in it,
// and owns the bitmap it shows.
class PictureBox {
 public:
  PictureBox() = default;
  explicit PictureBox(HWND control) : control_(control) {}
  PictureBox(const PictureBox&) = delete;
  PictureBox& operator=(const PictureBox&) = delete;
  PictureBox& operator=(PictureBox&& other) noexcept;
  ~PictureBox();

  void ShowPicture(const PreviewPicture& picture);
  void ShowText(std::string_view text);
  // Neither picture nor text.
  void Clear() { ShowText(""); }

 private:
  void SetBitmap(HBITMAP bitmap);
  void SetKind(DWORD kind);

  HWND control_ = nullptr;
  HBITMAP shown_ = nullptr;
};

}  // namespace frondel
