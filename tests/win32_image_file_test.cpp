// Saving an image as the Windows program does it: an 8-bit grey PNG that the
// system's decoder reads back pixel for pixel, or, when it cannot be written,
// the reason in French and an earlier file untouched.
#include "runtime/win32/image_file.h"

#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <wincodec.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/runtime_error.h"
#include "runtime/win32/handles.h"
#include "runtime/win32/text.h"

namespace {

namespace fs = std::filesystem;
using runtime::win32::ComPointer;
using runtime::win32::narrow;

struct Decoded {
  bool grey = false;  // stored as 8-bit grey
  UINT width = 0;
  UINT height = 0;
  std::vector<std::uint8_t> pixels;
};

Decoded decode(const fs::path& path) {
  Decoded decoded;
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  if (FAILED(
          CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)))) {
    return decoded;
  }
  const ComPointer<IWICImagingFactory> ownedFactory(factory);
  if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnLoad, &decoder))) {
    return decoded;
  }
  const ComPointer<IWICBitmapDecoder> ownedDecoder(decoder);
  if (FAILED(decoder->GetFrame(0, &frame))) return decoded;
  const ComPointer<IWICBitmapFrameDecode> ownedFrame(frame);
  WICPixelFormatGUID format{};
  frame->GetPixelFormat(&format);
  decoded.grey = IsEqualGUID(format, GUID_WICPixelFormat8bppGray) != 0;
  frame->GetSize(&decoded.width, &decoded.height);
  decoded.pixels.resize(static_cast<std::size_t>(decoded.width) * decoded.height);
  if (!decoded.grey ||
      FAILED(frame->CopyPixels(nullptr, decoded.width, static_cast<UINT>(decoded.pixels.size()),
                               decoded.pixels.data()))) {
    decoded.pixels.clear();
  }
  return decoded;
}

std::string contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

class ImageFileTest : public testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    fs::create_directories(folder);
  }
  void TearDown() override {
    std::error_code ignored;
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(folder, ignored);
    CoUninitialize();
  }

  [[nodiscard]] std::vector<fs::path> filesInFolder() const {
    return {fs::directory_iterator(folder), fs::directory_iterator()};
  }

  const fs::path folder =
      fs::temp_directory_path() / (L"trivel image \u00E9 " + std::to_wstring(GetCurrentProcessId()));
  const fs::path target = folder / L"nuage 1-20.png";
  // Five pixels across (rows not a multiple of 4 bytes), three down, every shade different.
  const std::vector<std::uint8_t> pixels{0, 10, 20, 30, 40, 255, 128, 64, 32, 16, 1, 2, 3, 254, 253};
  const runtime::GreyImage image{.width = 5, .height = 3, .pixels = pixels};
};

TEST_F(ImageFileTest, WritesAGreyPngOfTheSamePixelsInPlaceOfAnEarlierFile) {
  std::ofstream(target, std::ios::binary) << "une ancienne image";
  runtime::win32::saveImageFile(image, narrow(target.wstring()));
  const Decoded decoded = decode(target);
  EXPECT_TRUE(decoded.grey);
  EXPECT_EQ(decoded.width, 5U);
  EXPECT_EQ(decoded.height, 3U);
  EXPECT_EQ(decoded.pixels, pixels);
  EXPECT_EQ(filesInFolder(), std::vector<fs::path>{target});
}

TEST_F(ImageFileTest, AFileThatCannotBeReplacedIsLeftAsItWasWithTheReasonInFrench) {
  const std::string earlier = "une ancienne image";
  std::ofstream(target, std::ios::binary) << earlier;
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
  const std::string path = narrow(target.wstring());
  try {
    runtime::win32::saveImageFile(image, path);
    ADD_FAILURE() << "a read-only file was replaced";
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(std::string(error.what()), "Impossible d'enregistrer l'image dans « " + path +
                                             " » : accès refusé. Le fichier existant n'a pas changé.");
  }
  EXPECT_EQ(contents(target), earlier);
  EXPECT_EQ(filesInFolder(), std::vector<fs::path>{target});
}

}  // namespace
