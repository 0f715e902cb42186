// The Windows back end: the Windows Imaging Component decodes and writes PNG.
//
// COM: each call works in the calling thread's apartment when the thread has one, and
// otherwise joins the multithreaded apartment for the length of the call, so that any thread
// (a batch's worker included) may convert without setting COM up first.
#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include <cstring>

#include "texture/picture_codec.h"

namespace frondel {
namespace {

// Owns one COM interface pointer, released on every way out.
template <typename Interface>
class ComPointer {
 public:
  ComPointer() = default;
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;
  ~ComPointer() {
    if (pointer_) pointer_->Release();
  }
  Interface* operator->() const { return pointer_; }
  Interface* get() const { return pointer_; }
  // For the functions that hand out a new interface.
  Interface** Receive() { return &pointer_; }
  void** ReceiveVoid() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  // A thread already in a single-threaded apartment keeps it, and COM works there too.
  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

bool MakeFactory(ComPointer<IWICImagingFactory>& factory) {
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory, factory.ReceiveVoid()));
}

const GUID& ContainerOf(PictureKind kind) {
  switch (kind) {
    case PictureKind::Dds:
      return GUID_ContainerFormatDds;
    case PictureKind::Png:
      return GUID_ContainerFormatPng;
    case PictureKind::Jpeg:
      return GUID_ContainerFormatJpeg;
    case PictureKind::Bmp:
      return GUID_ContainerFormatBmp;
    default:
      return GUID_ContainerFormatTiff;
  }
}

}  // namespace

DecodedPicture DecodeWithPlatform(ByteView file, PictureKind kind) {
  const ComApartment com;
  ComPointer<IWICImagingFactory> factory;
  ComPointer<IWICStream> stream;
  ComPointer<IWICBitmapDecoder> decoder;
  ComPointer<IWICBitmapFrameDecode> frame;
  GUID container{};
  UINT width = 0, height = 0;
  // The stream only reads; it takes no const pointer.
  if (!com.Usable() || file.size() > MAXDWORD || !MakeFactory(factory) ||
      FAILED(factory->CreateStream(stream.Receive())) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(file.data()),
                                          static_cast<DWORD>(file.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.Receive())) ||
      FAILED(decoder->GetContainerFormat(&container)) || container != ContainerOf(kind) ||
      FAILED(decoder->GetFrame(0, frame.Receive())) || FAILED(frame->GetSize(&width, &height)) ||
      width == 0 || height == 0) {
    return {.status = ConversionStatus::Unreadable};
  }
  // The frame's size comes from the header; no pixel has been decoded yet.
  if (std::uint64_t{width} * height > kMaxPicturePixels) {
    return {.status = ConversionStatus::TooLarge};
  }
  ComPointer<IWICFormatConverter> converter;
  DecodedPicture decoded{.status = ConversionStatus::Done};
  Picture& picture = decoded.picture;
  picture.width = width;
  picture.height = height;
  picture.Allocate();
  const std::span<std::uint8_t> pixels = picture.Pixels();
  if (FAILED(factory->CreateFormatConverter(converter.Receive())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size()),
                                   pixels.data()))) {
    return {.status = ConversionStatus::Unreadable};
  }
  return decoded;
}

std::optional<Bytes> EncodeWithPlatform(const Picture& picture, EncodedKind kind) {
  Bytes bgra(std::size_t{picture.width} * picture.height * 4);
  CopyAsBgra(picture, bgra);
  const ComApartment com;
  ComPointer<IWICImagingFactory> factory;
  ComPointer<IStream> stream;
  ComPointer<IWICBitmapEncoder> encoder;
  ComPointer<IWICBitmapFrameEncode> frame;
  ComPointer<IPropertyBag2> options;
  // The same four bytes a pixel either way; a bitmap's fourth byte is unused, as the preview's
  // bitmap is opaque, and the imaging component's bitmap encoder takes no alpha.
  const WICPixelFormatGUID wanted =
      kind == EncodedKind::Png ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat32bppBGR;
  WICPixelFormatGUID format = wanted;
  // The encoder names the format it will write in `format`; only the one asked for will do.
  if (!com.Usable() || !MakeFactory(factory) ||
      FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive())) ||
      FAILED(factory->CreateEncoder(
          kind == EncodedKind::Png ? GUID_ContainerFormatPng : GUID_ContainerFormatBmp, nullptr,
          encoder.Receive())) ||
      FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.Receive(), options.Receive())) ||
      FAILED(frame->Initialize(options.get())) ||
      FAILED(frame->SetSize(picture.width, picture.height)) ||
      FAILED(frame->SetPixelFormat(&format)) || format != wanted ||
      FAILED(frame->WritePixels(picture.height, picture.width * 4, static_cast<UINT>(bgra.size()),
                                bgra.data())) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
    return std::nullopt;
  }
  STATSTG written{};
  HGLOBAL memory = nullptr;
  if (FAILED(stream->Stat(&written, STATFLAG_NONAME)) ||
      FAILED(GetHGlobalFromStream(stream.get(), &memory))) {
    return std::nullopt;
  }
  const void* bytes = GlobalLock(memory);
  if (bytes == nullptr) return std::nullopt;
  const auto* first = static_cast<const std::uint8_t*>(bytes);
  Bytes png(first, first + written.cbSize.QuadPart);
  GlobalUnlock(memory);
  return png;
}

}  // namespace frondel
