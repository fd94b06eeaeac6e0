// Drives trivel's window from outside, for the demo and the benchmark:
//   trivel_driver demo LOWER UPPER   types the bounds and Enter into the running
//                                    trivel and prints the lines of its list
//   trivel_driver close              closes the running trivel
//   trivel_driver bench [LOWER UPPER] starts trivel beside this program, searches
//                                    (1 and 1000000 by default) and prints the time
//                                    from Enter to the last line and the memory used,
//                                    then from Ctrl+G to the picture window shown
//   trivel_driver respond LOWER UPPER starts trivel, starts a long search, and prints
//                                    how fast the window answers messages meanwhile,
//                                    then stops the search with Escape
//   trivel_driver open PATH          starts the trivel.exe at PATH (an installed one),
//                                    prints its window's caption once the window is
//                                    shown, and closes it
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "beside_this_program.h"
#include "process_usage.h"
#include "remote_controls.h"
#include "resources/resource_ids.h"
#include "trivel_process.h"
#include "window/feuille1_layout.h"

namespace {

std::string toUtf8(std::wstring_view text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length, nullptr,
                      nullptr);
  return utf8;
}

int demo(const std::wstring& lower, const std::wstring& upper) {
  const gui::TrivelProcess trivel;
  const gui::RemoteControls controls(trivel);
  controls.search(lower, upper);
  for (const std::wstring& line : controls.listLines()) std::printf("%s\n", toUtf8(line).c_str());
  return 0;
}

int close() { return gui::TrivelProcess().close() ? 0 : 1; }

int open(const std::wstring& path) {
  gui::TrivelProcess trivel(path);
  std::printf("%s\n", toUtf8(gui::RemoteControls(trivel).caption()).c_str());
  return trivel.close() ? 0 : 1;
}

// The list menu's picture command, as Ctrl+G gives it, and the time until
// the picture window shows and has handled its messages; then it is closed.
void benchPicture(const gui::TrivelProcess& trivel, const std::wstring& lower, const std::wstring& upper) {
  const std::wstring caption = L"nuage des triplets : " + lower + L" \u00e0 " + upper;
  const auto start = std::chrono::steady_clock::now();
  PostMessageW(trivel.window(), WM_COMMAND, MAKEWPARAM(IDM_LIST_PICTURE, 1), 0);  // 1: from a shortcut
  HWND picture = nullptr;
  while ((picture = FindWindowW(nullptr, caption.c_str())) == nullptr || !IsWindowVisible(picture)) {
    if (std::chrono::steady_clock::now() - start > std::chrono::seconds(10)) {
      std::printf("Ctrl+G: no picture window within 10 s\n");
      return;
    }
    Sleep(1);
  }
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(picture, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &answer);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  std::printf("Ctrl+G: the picture window shown in %.3f s\n", elapsed.count());
  PostMessageW(picture, WM_CLOSE, 0, 0);
}

int bench(const std::wstring& lower, const std::wstring& upper) {
  gui::TrivelProcess trivel(gui::besideThisProgram(L"trivel.exe"));
  const gui::RemoteControls controls(trivel);
  controls.setText(feuille1::Texte1_0, lower);
  controls.setText(feuille1::Texte1_1, upper);
  for (int run = 1; run <= 3; ++run) {
    controls.waitUntilIdle();
    const std::size_t before = gui::privateBytes(trivel.process());
    const auto start = std::chrono::steady_clock::now();
    PostMessageW(trivel.control(feuille1::Texte1_1), WM_CHAR, L'\r', 1);
    controls.waitUntilIdle();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    const std::size_t after = gui::privateBytes(trivel.process());
    const int lines = controls.listCount();
    const double extra = static_cast<double>(after) - static_cast<double>(before);
    std::printf("run %d: %d lines in %.3f s; private bytes %.1f MB -> %.1f MB, %.1f bytes a line%s\n", run,
                lines, elapsed.count(), static_cast<double>(before) / 1e6, static_cast<double>(after) / 1e6,
                lines > 0 ? extra / lines : 0.0, run == 1 ? "" : " (replacing the previous list)");
  }
  benchPicture(trivel, lower, upper);
  return trivel.close() ? 0 : 1;
}

int respond(const std::wstring& lower, const std::wstring& upper) {
  using Clock = std::chrono::steady_clock;
  gui::TrivelProcess trivel(gui::besideThisProgram(L"trivel.exe"));
  const gui::RemoteControls controls(trivel);
  if (!controls.startLongSearch(lower, upper)) return 1;
  // Two seconds of messages, well before the search ends.
  int probes = 0;
  double longest = 0;
  double total = 0;
  for (const auto end = Clock::now() + std::chrono::seconds(2); Clock::now() < end; ++probes) {
    const auto start = Clock::now();
    if (!controls.answersWithin(std::chrono::seconds(10))) return 1;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    longest = std::max(longest, seconds);
    total += seconds;
    Sleep(7);
  }
  std::printf(
      "during the search of %s and %s: %d messages answered in %.1f ms on average, %.1f ms at most; %s\n",
      toUtf8(lower).c_str(), toUtf8(upper).c_str(), probes, total / probes * 1000.0, longest * 1000.0,
      toUtf8(controls.caption()).c_str());

  const auto stopAt = Clock::now();
  controls.postKey(feuille1::Liste1, VK_ESCAPE);
  controls.waitUntilIdle();
  std::printf("Escape: search stopped after %.1f ms, last line \"%s\"\n",
              std::chrono::duration<double>(Clock::now() - stopAt).count() * 1000.0,
              toUtf8(controls.listLine(controls.listCount() - 1)).c_str());

  if (!controls.startLongSearch(lower, upper)) return 1;
  const auto closeAt = Clock::now();
  const bool closed = trivel.close();
  std::printf("closing during the search: the program %s after %.1f ms\n", closed ? "ended" : "did not end",
              std::chrono::duration<double>(Clock::now() - closeAt).count() * 1000.0);
  return closed ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  try {
    if (args.size() == 3 && args[0] == L"demo") return demo(args[1], args[2]);
    if (args.size() == 1 && args[0] == L"close") return close();
    if (args.size() == 2 && args[0] == L"open") return open(args[1]);
    if (args.size() == 1 && args[0] == L"bench") return bench(L"1", L"1000000");
    if (args.size() == 3 && args[0] == L"bench") return bench(args[1], args[2]);
    if (args.size() == 3 && args[0] == L"respond") return respond(args[1], args[2]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "trivel_driver: %s\n", error.what());
    return 1;
  }
  std::fprintf(stderr,
               "usage: trivel_driver demo LOWER UPPER | close | bench [LOWER UPPER] | respond LOWER UPPER | "
               "open PATH\n");
  return 2;
}
