// The picture window of the real trivel.exe, driven from outside with keys
// typed through the system's input (SendInput), as a keyboard types them:
// Ctrl+G in the main window opens it, captioned with the bounds; Ctrl+S in it
// proposes its name in the save dialog and saves a PNG of the pixels that
// trivel-cli --image draws at the same size (the window resized, drawn again
// at its new size, showing those pixels too); Escape closes it, and the main
// window and its list stay as they were throughout.
#include <windows.h>
// after windows.h
#include <objbase.h>
#include <wincodec.h>
// after the window system's headers
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "cli/search_picture.h"
#include "runtime/win32/handles.h"
#include "trivel_window_fixture.h"
#include "window/feuille1_layout.h"
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

struct WindowSearch {
  HWND main = nullptr;
  HWND owner = nullptr;
  DWORD process = 0;
  HWND found = nullptr;
};

BOOL CALLBACK keepShownWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<WindowSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search.process || window == search.main || !IsWindowVisible(window) ||
      GetWindow(window, GW_OWNER) != search.owner) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

// A visible top-level window of trivel's process, other than main, owned by
// owner (none for a window of its own); none when there is none.
HWND shownWindow(HWND main, HWND owner) {
  WindowSearch search{main, owner};
  GetWindowThreadProcessId(main, &search.process);
  EnumWindows(&keepShownWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

using EditFields = std::vector<std::pair<HWND, std::wstring>>;

BOOL CALLBACK keepEditField(HWND child, LPARAM fields) {
  wchar_t className[32]{};
  GetClassNameW(child, className, static_cast<int>(std::size(className)));
  if (std::wstring_view(className) == L"Edit") {
    reinterpret_cast<EditFields*>(fields)->emplace_back(child, windowText(child));
  }
  return TRUE;
}

// The edit fields inside a window, with their texts.
EditFields editFields(HWND window) {
  EditFields fields;
  EnumChildWindows(window, &keepEditField, reinterpret_cast<LPARAM>(&fields));
  return fields;
}

// A PNG file's pixels as the system's decoder reads them, if it holds 8-bit greys.
std::vector<std::uint8_t> pngGreys(const wchar_t* path) {
  using runtime::win32::ComPointer;
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  if (FAILED(
          CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)))) {
    return {};
  }
  const ComPointer<IWICImagingFactory> ownedFactory(factory);
  if (FAILED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnLoad,
                                                &decoder))) {
    return {};
  }
  const ComPointer<IWICBitmapDecoder> ownedDecoder(decoder);
  if (FAILED(decoder->GetFrame(0, &frame))) return {};
  const ComPointer<IWICBitmapFrameDecode> ownedFrame(frame);
  WICPixelFormatGUID format{};
  UINT width = 0;
  UINT height = 0;
  if (FAILED(frame->GetPixelFormat(&format)) || !IsEqualGUID(format, GUID_WICPixelFormat8bppGray) ||
      FAILED(frame->GetSize(&width, &height))) {
    return {};
  }
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height);
  if (FAILED(frame->CopyPixels(nullptr, width, static_cast<UINT>(pixels.size()), pixels.data()))) return {};
  return pixels;
}

// What the screen shows of a window's client area, as greys (each pixel's red).
std::vector<std::uint8_t> shownGreys(HWND window, int width, int height) {
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO format{};
  format.bmiHeader = {.biSize = sizeof(BITMAPINFOHEADER),
                      .biWidth = width,
                      .biHeight = -height,
                      .biPlanes = 1,
                      .biBitCount = 32,
                      .biCompression = BI_RGB};
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  std::vector<std::uint8_t> greys(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (std::size_t pixel = 0; pixel < greys.size(); ++pixel)
    greys[pixel] = static_cast<const std::uint8_t*>(bits)[pixel * 4 + 2];
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return greys;
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

  // A new search in the main window leaves the picture as it was. Enter
  // goes as the character it types: a posted key-down would be translated
  // before the input queue's key-ups of Ctrl+G, with Ctrl still down.
  main.setText(feuille1::Texte1_0, L"1");
  main.setText(feuille1::Texte1_1, L"20");
  main.typeCharacter(feuille1::Texte1_1, L'\r');
  // Seven lines, or the new search did not run: reading back the two million
  // lines of the last one would take the rest of the test's time.
  ASSERT_EQ(main.listCount(), 7) << "the search of 1 and 20 did not replace the list";
  EXPECT_EQ(windowText(picture), L"nuage des triplets : 1 \u00E0 1000000");
  const std::vector<std::wstring> listed = main.listLines();

  // The user makes the window smaller and oblong: the picture is drawn again at the box's new size.
  RECT frame{};
  GetWindowRect(picture, &frame);
  SetWindowPos(picture, nullptr, 0, 0, frame.right - frame.left - 140, frame.bottom - frame.top - 240,
               SWP_NOMOVE | SWP_NOZORDER);

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

  // The same pixels as the command line's picture at the picture box's size, on screen and in the file.
  const HWND image1 = GetDlgItem(picture, feuille_nuage::Image1);
  RECT box{};
  GetClientRect(image1, &box);
  EXPECT_EQ(box.right, 500);
  EXPECT_EQ(box.bottom, 400);
  const picture::Raster expected = searchPicture(1, 1'000'000, search::Hits::All, {box.right, box.bottom});
  const std::vector<std::uint8_t> cli(expected.pixels().begin(), expected.pixels().end());
  EXPECT_TRUE(pngGreys(saved.c_str()) == cli) << "the saved picture differs from trivel-cli's";
  std::filesystem::remove(saved);
  // Where the dialog was, the box paints again as soon as trivel gets to it.
  EXPECT_TRUE(gui::waitUntil([&] { return shownGreys(image1, box.right, box.bottom) == cli; }, seconds(5)))
      << "the picture shown differs from trivel-cli's";

  // Escape closes the picture alone.
  ASSERT_NO_FATAL_FAILURE(pressKeys(picture, {VK_ESCAPE}));
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(picture); }, seconds(10)))
      << "Escape left the picture open";
  EXPECT_TRUE(IsWindowVisible(trivel->window()));
  EXPECT_EQ(main.caption(), gui::caption());
  EXPECT_EQ(main.listLines(), listed);
}

}  // namespace
