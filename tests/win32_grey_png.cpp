#include "tests/win32_grey_png.h"

// after windows.h
#include <wincodec.h>

#include "runtime/win32/handles.h"

using runtime::win32::ComPointer;

GreyPng readGreyPng(const wchar_t* path) {
  GreyPng png;
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  if (FAILED(
          CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)))) {
    return png;
  }
  const ComPointer<IWICImagingFactory> ownedFactory(factory);
  if (FAILED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnLoad,
                                                &decoder))) {
    return png;
  }
  const ComPointer<IWICBitmapDecoder> ownedDecoder(decoder);
  if (FAILED(decoder->GetFrame(0, &frame))) return png;
  const ComPointer<IWICBitmapFrameDecode> ownedFrame(frame);
  WICPixelFormatGUID format{};
  frame->GetPixelFormat(&format);
  png.grey = IsEqualGUID(format, GUID_WICPixelFormat8bppGray) != 0;
  frame->GetSize(&png.width, &png.height);
  png.pixels.resize(static_cast<std::size_t>(png.width) * png.height);
  if (!png.grey || FAILED(frame->CopyPixels(nullptr, png.width, static_cast<UINT>(png.pixels.size()),
                                            png.pixels.data()))) {
    png.pixels.clear();
  }
  return png;
}
