// Saving a list's lines to a file, as the Windows program does it: the file
// whole with CRLF ends, or an earlier file untouched and no temporary file left.
#include "runtime/win32/list_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/runtime_error.h"
#include "runtime/win32/text.h"

namespace {

namespace fs = std::filesystem;
using runtime::SaveFailure;
using runtime::win32::narrow;

// A folder of its own in the temporary folder, its name not ASCII, removed with its files.
class ListFileTest : public testing::Test {
 protected:
  void SetUp() override {
    lines.append(" 3  4  5");
    lines.append(" 6  8  10");
    fs::create_directories(folder);
  }
  void TearDown() override {
    std::error_code ignored;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder, ignored)) {
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    fs::remove_all(folder, ignored);
  }

  [[nodiscard]] std::vector<std::string> filesInFolder() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      names.push_back(narrow(entry.path().filename().wstring()));
    }
    std::ranges::sort(names);
    return names;
  }
  static std::string contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
  }
  static void write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string utf8(const fs::path& path) { return narrow(path.wstring()); }

  const fs::path folder =
      fs::temp_directory_path() / (L"trivel liste \u00E9 " + std::to_wstring(GetCurrentProcessId()));
  const fs::path target = folder / L"triplets 1-10.txt";
  runtime::LineStore lines;
  const std::function<bool(double)> always = [](double /*progress*/) { return true; };
};

TEST_F(ListFileTest, WritesEveryLineWithCrlfInPlaceOfAnEarlierFile) {
  write(target, "une ancienne liste, plus longue que la nouvelle\r\n");
  EXPECT_TRUE(runtime::win32::saveListFile(lines, utf8(target), always));
  EXPECT_EQ(contents(target), " 3  4  5\r\n 6  8  10\r\n");
  EXPECT_EQ(filesInFolder(), std::vector<std::string>{"triplets 1-10.txt"});
}

TEST_F(ListFileTest, AStoppedOrFailedSaveLeavesTheEarlierFileWholeAndNoTemporaryFile) {
  const std::string earlier = " 5  12  13\r\n";
  write(target, earlier);
  std::vector<std::string> files{"triplets 1-10.txt"};
  const auto expectUntouched = [&](const std::string& what) {
    EXPECT_EQ(contents(target), earlier) << what;
    EXPECT_EQ(filesInFolder(), files) << what;
  };

  EXPECT_FALSE(runtime::win32::saveListFile(lines, utf8(target), [](double /*progress*/) { return false; }));
  expectUntouched("stopped");

  // Fails once every line is written, in putting the file in place.
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  const auto expectFailure = [&](const fs::path& path, SaveFailure failure, const std::string& what) {
    try {
      runtime::win32::saveListFile(lines, utf8(path), always);
      ADD_FAILURE() << what << ": saved";
    } catch (const runtime::RuntimeError& error) {
      EXPECT_STREQ(error.what(), runtime::listNotSaved(utf8(path), failure).what()) << what;
    }
    expectUntouched(what);
  };
  expectFailure(target, SaveFailure::AccessDenied, "read-only file");
  expectFailure(folder / L"absent" / L"triplets.txt", SaveFailure::FolderMissing, "folder gone");
  fs::create_directory(folder / L"dossier.txt");
  files.insert(files.begin(), "dossier.txt");
  expectFailure(folder / L"dossier.txt", SaveFailure::AccessDenied, "a folder of that name");
}

}  // namespace
