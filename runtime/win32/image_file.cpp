#include "runtime/win32/image_file.h"

#include <windows.h>
// after windows.h
#include <objidl.h>
#include <wincodec.h>

#include <array>
#include <memory>

#include "runtime/runtime_error.h"
#include "runtime/win32/handles.h"
#include "runtime/win32/temporary_file.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {
namespace {

// The system's error code of a failed COM call (its own where it carries one).
DWORD errorOf(HRESULT result) {
  if (HRESULT_FACILITY(result) == FACILITY_WIN32) return HRESULT_CODE(result);
  return result == E_OUTOFMEMORY ? ERROR_NOT_ENOUGH_MEMORY : ERROR_WRITE_FAULT;
}

template <typename Interface>
ComPointer<Interface> take(Interface* object) {
  return ComPointer<Interface>(object);
}

// A save of an image to a path: each step's failure is the image-not-saved error.
class ImageSave {
 public:
  explicit ImageSave(const std::string& path) : path_(path) {}

  void check(DWORD error) const {
    if (error != ERROR_SUCCESS) throw imageNotSaved(path_, saveFailure(error));
  }
  void check(HRESULT result) const {
    if (FAILED(result)) check(errorOf(result));
  }

 private:
  const std::string& path_;
};

// The PNG file's bytes, in a stream in memory.
ComPointer<IStream> encodePng(const GreyImage& image, const ImageSave& save) {
  IWICImagingFactory* factory = nullptr;
  save.check(
      CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)));
  const auto ownedFactory = take(factory);
  IStream* stream = nullptr;
  save.check(CreateStreamOnHGlobal(nullptr, TRUE, &stream));
  auto ownedStream = take(stream);
  IWICBitmapEncoder* encoder = nullptr;
  save.check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder));
  const auto ownedEncoder = take(encoder);
  save.check(encoder->Initialize(stream, WICBitmapEncoderNoCache));
  IWICBitmapFrameEncode* frame = nullptr;
  save.check(encoder->CreateNewFrame(&frame, nullptr));
  const auto ownedFrame = take(frame);
  save.check(frame->Initialize(nullptr));
  save.check(frame->SetSize(static_cast<UINT>(image.width), static_cast<UINT>(image.height)));
  WICPixelFormatGUID format = GUID_WICPixelFormat8bppGray;
  save.check(frame->SetPixelFormat(&format));
  if (!IsEqualGUID(format, GUID_WICPixelFormat8bppGray)) save.check(static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  // WIC takes the pixels as writable, yet only reads them.
  auto* const pixels =
      const_cast<BYTE*>(image.pixels.data());  // NOLINT(cppcoreguidelines-pro-type-const-cast)
  save.check(frame->WritePixels(static_cast<UINT>(image.height), static_cast<UINT>(image.width),
                                static_cast<UINT>(image.pixels.size()), pixels));
  save.check(frame->Commit());
  save.check(encoder->Commit());
  return ownedStream;
}

// Copies the stream's bytes, from its start, into the file.
void copyStream(IStream& stream, const TemporaryFile& file, const ImageSave& save) {
  save.check(stream.Seek({}, STREAM_SEEK_SET, nullptr));
  std::array<char, 65536> block{};
  for (;;) {
    ULONG read = 0;
    save.check(stream.Read(block.data(), static_cast<ULONG>(block.size()), &read));
    if (read == 0) return;
    save.check(file.write({block.data(), read}));
  }
}

}  // namespace

void saveImageFile(const GreyImage& image, const std::string& path) {
  const ImageSave save(path);
  const ComPointer<IStream> png = encodePng(image, save);
  const std::wstring target = widen(path);
  TemporaryFile file(target);
  save.check(file.creationError());
  copyStream(*png, file, save);
  save.check(file.replace(target));
}

}  // namespace runtime::win32
