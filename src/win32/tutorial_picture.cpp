#include "win32/tutorial_picture.h"

#include <windows.h>
// After windows.h, which it needs.
#include <wincodec.h>

#include <memory>

#include "platform/file_error.h"
#include "texture/conversion.h"

namespace frondel {
namespace {

struct Release {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using Com = std::unique_ptr<Interface, Release>;

// Makes a COM object through `make`, which fills its out pointer; empty when that fails.
template <typename Interface, typename Make>
Com<Interface> Made(Make&& make) {
  Interface* object = nullptr;
  if (FAILED(make(&object))) return nullptr;
  return Com<Interface>(object);
}

}  // namespace

std::optional<PreviewPicture> DecodePicture(ByteView bytes) {
  const auto factory = Made<IWICImagingFactory>([](IWICImagingFactory** made) {
    return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                            IID_PPV_ARGS(made));
  });
  if (!factory) return std::nullopt;
  const auto stream =
      Made<IWICStream>([&](IWICStream** made) { return factory->CreateStream(made); });
  if (!stream || FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()),
                                                     static_cast<DWORD>(bytes.size())))) {
    return std::nullopt;
  }
  const auto decoder = Made<IWICBitmapDecoder>([&](IWICBitmapDecoder** made) {
    return factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                            made);
  });
  if (!decoder) return std::nullopt;
  const auto frame = Made<IWICBitmapFrameDecode>(
      [&](IWICBitmapFrameDecode** made) { return decoder->GetFrame(0, made); });
  const auto converter = Made<IWICFormatConverter>(
      [&](IWICFormatConverter** made) { return factory->CreateFormatConverter(made); });
  if (!frame || !converter ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom))) {
    return std::nullopt;
  }
  PreviewPicture picture;
  if (FAILED(converter->GetSize(&picture.width, &picture.height)) ||
      std::uint64_t{picture.width} * picture.height > kMaxPicturePixels) {
    return std::nullopt;
  }
  const UINT stride = picture.width * 4;
  picture.pixels.resize(std::size_t{stride} * picture.height);
  if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(picture.pixels.size()),
                                   picture.pixels.data()))) {
    return std::nullopt;
  }
  for (std::size_t i = 3; i < picture.pixels.size(); i += 4) picture.pixels[i] = 255;
  return picture;
}

PreviewPicture ReadTutorialPicture(const std::filesystem::path& file) {
  auto picture = DecodePicture(ReadWholeFile(file));
  if (!picture) throw FileError("read", file, "the picture cannot be decoded");
  return std::move(*picture);
}

}  // namespace frondel
