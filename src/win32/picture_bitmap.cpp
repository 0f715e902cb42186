#include "win32/picture_bitmap.h"

#include <algorithm>
#include <utility>

#include "platform/wide_text.h"

namespace frondel {
namespace {

BITMAPINFO TopDown(std::uint32_t width, std::uint32_t height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// `picture` stretched into `bitmap`, a DIB section of width x height.
void Stretch(const PreviewPicture& picture, int width, int height, HBITMAP bitmap) {
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ before = SelectObject(dc, bitmap);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  const BITMAPINFO source = TopDown(picture.width, picture.height);
  StretchDIBits(dc, 0, 0, width, height, 0, 0, static_cast<int>(picture.width),
                static_cast<int>(picture.height), picture.pixels.data(), &source, DIB_RGB_COLORS,
                SRCCOPY);
  SelectObject(dc, before);
  DeleteDC(dc);
  GdiFlush();
}

}  // namespace

HBITMAP StretchedBitmap(const PreviewPicture& picture, int width, int height) {
  const BITMAPINFO target = TopDown(width, height);
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  auto* pixel = static_cast<std::uint8_t*>(bits);
  // A picture of the box's own size is drawn pixel for pixel, as it was given.
  if (picture.width == static_cast<std::uint32_t>(width) &&
      picture.height == static_cast<std::uint32_t>(height)) {
    std::copy(picture.pixels.begin(), picture.pixels.end(), pixel);
  } else {
    Stretch(picture, width, height, bitmap);
  }
  // Every pixel opaque: stretching leaves the alpha bytes undefined, and a given picture's alpha
  // is not for the box to blend by.
  for (long long i = 0; i < static_cast<long long>(width) * height; ++i) pixel[i * 4 + 3] = 255;
  return bitmap;
}

PictureBox& PictureBox::operator=(PictureBox&& other) noexcept {
  std::swap(control_, other.control_);
  std::swap(shown_, other.shown_);
  return *this;
}

PictureBox::~PictureBox() {
  if (shown_) DeleteObject(shown_);
}

void PictureBox::ShowPicture(const PreviewPicture& picture) {
  RECT box{};
  GetClientRect(control_, &box);
  SetWindowTextW(control_, L"");
  SetKind(SS_BITMAP);
  SetBitmap(StretchedBitmap(picture, box.right, box.bottom));
}

void PictureBox::ShowText(std::string_view text) {
  SetBitmap(nullptr);
  SetKind(SS_CENTER);
  SetWindowTextW(control_, Widen(text).c_str());
}

void PictureBox::SetBitmap(HBITMAP bitmap) {
  const auto replaced = reinterpret_cast<HBITMAP>(
      SendMessageW(control_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  // The control may show a copy of a 32-bit bitmap: then the copy goes as well as the original.
  if (replaced && replaced != shown_) DeleteObject(replaced);
  if (shown_) DeleteObject(shown_);
  shown_ = bitmap;
}

void PictureBox::SetKind(DWORD kind) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(control_, GWL_STYLE));
  SetWindowLongPtrW(control_, GWL_STYLE, (style & ~SS_TYPEMASK) | kind);
  InvalidateRect(control_, nullptr, TRUE);
}

}  // namespace frondel
