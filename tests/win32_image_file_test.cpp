// Saving an image as the Windows program does it: an 8-bit grey PNG that the
// system's decoder reads back pixel for pixel, or, when it cannot be written,
// the reason in French and an earlier file untouched.
#include "runtime/win32/image_file.h"

#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <objbase.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/runtime_error.h"
#include "runtime/win32/text.h"
#include "tests/win32_grey_png.h"

namespace {

namespace fs = std::filesystem;
using runtime::win32::narrow;

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
  const GreyPng decoded = readGreyPng(target.c_str());
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
