// The images of trivel.exe's icon, read from the program's resources: one
// drawn for each size Windows shows it at, so that none is blurred by scaling.
#include <windows.h>
// after windows.h
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>

#include "beside_this_program.h"
#include "resources/resource_ids.h"

namespace {

#pragma pack(push, 2)
struct IconDirectoryEntry {  // GRPICONDIRENTRY
  BYTE width;
  BYTE height;
  BYTE colourCount;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST(IconSizes, EverySizeIsDrawnInTrueColourBesideThe256ColourImage) {
  const HMODULE trivel = LoadLibraryExW(gui::besideThisProgram(L"trivel.exe").c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(trivel, nullptr);
  const HRSRC group = FindResourceW(trivel, MAKEINTRESOURCEW(IDI_TRIVEL), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(trivel, group)));
  ASSERT_NE(directory, nullptr);
  WORD count = 0;
  std::memcpy(&count, directory + 4, sizeof(count));
  std::set<std::pair<int, int>> images;  // size, bits per pixel
  for (WORD i = 0; i < count; ++i) {
    IconDirectoryEntry entry{};
    std::memcpy(&entry, directory + 6 + i * sizeof(entry), sizeof(entry));
    images.emplace(entry.width == 0 ? 256 : entry.width, entry.bitCount);
  }
  FreeLibrary(trivel);

  const std::set<std::pair<int, int>> expected{{32, 8},  {16, 32}, {20, 32}, {24, 32}, {32, 32},
                                               {40, 32}, {48, 32}, {64, 32}, {256, 32}};
  EXPECT_EQ(images, expected);
}

}  // namespace
