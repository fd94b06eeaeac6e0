// The version record and the icon that Windows shows for trivel.exe.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "beside_this_program.h"
#include "resources/resource_ids.h"

namespace {

class VersionRecord : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring path = gui::besideThisProgram(L"trivel.exe");
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_NE(size, 0U) << "trivel.exe has no version record";
    record.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, record.data()));
  }

  [[nodiscard]] std::wstring string(const std::wstring& name) const {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring key = L"\\StringFileInfo\\040C04B0\\" + name;
    if (!VerQueryValueW(record.data(), key.c_str(), &value, &length) || length == 0) return L"(absent)";
    return static_cast<const wchar_t*>(value);
  }

  std::vector<char> record;
};

TEST_F(VersionRecord, NamesTheProgramInFrench) {
  EXPECT_EQ(string(L"ProductName"), L"trivel");
  EXPECT_EQ(string(L"InternalName"), L"trivel");
  EXPECT_EQ(string(L"OriginalFilename"), L"trivel.exe");
  EXPECT_EQ(string(L"FileVersion"), L"1.00");
  EXPECT_EQ(string(L"ProductVersion"), L"1.00");

  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", &value, &length));
  ASSERT_GE(length, 4U);
  const auto* translation = static_cast<const WORD*>(value);
  EXPECT_EQ(translation[0], 0x040C);
  EXPECT_EQ(translation[1], 1200);
}

TEST_F(VersionRecord, NumbersTheVersionOneZeroZeroZero) {
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", &value, &length));
  const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDU);
  EXPECT_EQ(fixed.dwFileVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(fixed.dwFileVersionLS, 0U);
  EXPECT_EQ(fixed.dwProductVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(fixed.dwProductVersionLS, 0U);
}

BOOL CALLBACK takeFirstName(HMODULE /*module*/, LPCWSTR /*type*/,
                            LPWSTR name,  // NOLINT(readability-non-const-parameter): the callback's type
                            LONG_PTR first) {
  *reinterpret_cast<ULONG_PTR*>(first) = reinterpret_cast<ULONG_PTR>(name);
  return FALSE;
}

// The icon with the lowest id is the one Windows shows for the file.
TEST(ProgramFile, CarriesItsIconFirst) {
  const std::wstring path = gui::besideThisProgram(L"trivel.exe");
  EXPECT_GE(ExtractIconExW(path.c_str(), -1, nullptr, nullptr, 0), 1U);

  const std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)> file(
      LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), &FreeLibrary);
  ASSERT_NE(file, nullptr);
  ULONG_PTR first = 0;
  EnumResourceNamesW(file.get(), RT_GROUP_ICON, &takeFirstName, reinterpret_cast<LONG_PTR>(&first));
  EXPECT_EQ(first, static_cast<ULONG_PTR>(IDI_TRIVEL));
}

}  // namespace
