// The picture window of the real trivel.exe, driven from outside with keys
// typed through the system's input (SendInput), as a keyboard types them:
// Ctrl+G in the main window opens it, captioned with the bounds; Ctrl+S in it
// proposes its name in the save dialog and saves a PNG of the pixels that
// trivel-cli --image draws at the same size; Escape closes it, and the main
// window and its list stay as they were throughout.
#include <windows.h>
// after windows.h
#include <gtest/gtest.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "cli/search_picture.h"
#include "tests/win32_grey_png.h"
#include "trivel_window_fixture.h"
#include "window/feuille_nuage_layout.h"

namespace {

using std::chrono::seconds;

// Presses keys together, as a keyboard does, into the window made the foreground one.
void pressKeys(HWND foreground, std::initializer_list<WORD> keys) {
  SetForegroundWindow(foreground);
  ASSERT_TRUE(gui::waitUntil([&] { return GetForegroundWindow() == foreground; }, seconds(10)))
      << "the window did not come to the foreground";
  std::vector<INPUT> inputs;
  const auto key = [&inputs](WORD virtualKey, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (const WORD virtualKey : keys) key(virtualKey, 0);
  for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) key(*it, KEYEVENTF_KEYUP);
  ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
}

// A window's text, asked of the window itself: another process's edit field
// keeps its text to itself.
std::wstring windowText(HWND window) {
  wchar_t text[512]{};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                      &length);
  return {text, static_cast<std::size_t>(length)};
}

// A visible top-level window of trivel's process, other than main, owned by
// owner (none for a window of its own); none when there is none.
HWND shownWindow(HWND main, HWND owner) {
  struct Search {
    HWND main = nullptr;
    HWND owner = nullptr;
    DWORD process = 0;
    HWND found = nullptr;
  } search{main, owner};
  GetWindowThreadProcessId(main, &search.process);
  EnumWindows(
      [](HWND window, LPARAM data) {
        auto& wanted = *reinterpret_cast<Search*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != wanted.process || window == wanted.main || !IsWindowVisible(window) ||
            GetWindow(window, GW_OWNER) != wanted.owner) {
          return TRUE;
        }
        wanted.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The edit fields inside a window, with their texts.
std::vector<std::pair<HWND, std::wstring>> editFields(HWND window) {
  std::vector<std::pair<HWND, std::wstring>> fields;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) {
        wchar_t className[32]{};
        GetClassNameW(child, className, static_cast<int>(std::size(className)));
        if (std::wstring_view(className) == L"Edit") {
          reinterpret_cast<std::vector<std::pair<HWND, std::wstring>>*>(data)->emplace_back(
              child, windowText(child));
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&fields));
  return fields;
}

class PictureWindow : public gui::TrivelWindow {
 protected:
  // COM for reading the PNG, in the multithreaded apartment: this thread then
  // has no window that trivel's broadcasts would wait on while it sleeps.
  static void SetUpTestSuite() {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    TrivelWindow::SetUpTestSuite();
  }
  static void TearDownTestSuite() {
    TrivelWindow::TearDownTestSuite();
    CoUninitialize();
  }
};

TEST_F(PictureWindow, OpensWithCtrlGSavesTheCommandLinesPixelsAndClosesAloneWithEscape) {
  const auto main = controls();
  main.search(L"1", L"1000000");
  ASSERT_EQ(main.listCount(), 2'269'788);

  ASSERT_NO_FATAL_FAILURE(pressKeys(trivel->window(), {VK_CONTROL, 'G'}));
  HWND picture = nullptr;
  ASSERT_TRUE(gui::waitUntil([&] { return (picture = shownWindow(trivel->window(), nullptr)) != nullptr; },
                             seconds(30)))
      << "Ctrl+G opened no window";
  EXPECT_EQ(windowText(picture), L"nuage des triplets : 1 \u00E0 1000000");

  // A new search in the main window leaves the picture as it was.
  main.search(L"1", L"20");
  EXPECT_EQ(windowText(picture), L"nuage des triplets : 1 \u00E0 1000000");
  const std::vector<std::wstring> listed = main.listLines();

  // Ctrl+S: the save dialog proposes the picture's name; Return saves under the path typed in its place.
  ASSERT_NO_FATAL_FAILURE(pressKeys(picture, {VK_CONTROL, 'S'}));
  HWND dialog = nullptr;
  ASSERT_TRUE(gui::waitUntil([&] { return (dialog = shownWindow(trivel->window(), picture)) != nullptr; },
                             seconds(30)))
      << "Ctrl+S opened no save dialog";
  HWND nameField = nullptr;
  EXPECT_TRUE(gui::waitUntil(
      [&] {
        const auto fields = editFields(dialog);
        const auto field =
            std::ranges::find(fields, L"nuage 1-1000000.png", &std::pair<HWND, std::wstring>::second);
        nameField = field == fields.end() ? nullptr : field->first;
        return nameField != nullptr;
      },
      seconds(10)))
      << "the save dialog does not propose \"nuage 1-1000000.png\"";
  ASSERT_NE(nameField, nullptr);
  const std::filesystem::path saved = std::filesystem::temp_directory_path() /
                                      (L"trivel nuage " + std::to_wstring(GetCurrentProcessId()) + L".png");
  ASSERT_NE(SendMessageTimeoutW(nameField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(saved.c_str()),
                                SMTO_NORMAL, 5000, nullptr),
            0);
  ASSERT_NO_FATAL_FAILURE(pressKeys(dialog, {VK_RETURN}));
  EXPECT_TRUE(
      gui::waitUntil([&] { return !IsWindow(dialog) && std::filesystem::exists(saved); }, seconds(30)))
      << "nothing saved";

  // The same pixels as the command line's picture at the picture box's size.
  RECT box{};
  GetClientRect(GetDlgItem(picture, feuille_nuage::Image1), &box);
  const picture::Raster expected = searchPicture(1, 1'000'000, search::Hits::All, {box.right, box.bottom});
  const GreyPng png = readGreyPng(saved.c_str());
  std::filesystem::remove(saved);
  EXPECT_TRUE(png.grey);
  EXPECT_EQ(png.width, static_cast<UINT>(expected.width()));
  EXPECT_EQ(png.height, static_cast<UINT>(expected.height()));
  EXPECT_TRUE(std::ranges::equal(png.pixels, expected.pixels()))
      << "the saved picture differs from trivel-cli's";

  // Escape closes the picture alone.
  ASSERT_NO_FATAL_FAILURE(pressKeys(picture, {VK_ESCAPE}));
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(picture); }, seconds(10)))
      << "Escape left the picture open";
  EXPECT_TRUE(IsWindowVisible(trivel->window()));
  EXPECT_EQ(main.caption(), gui::caption());
  EXPECT_EQ(main.listLines(), listed);
}

}  // namespace
