#include "trivel_process.h"

#include <stdexcept>
#include <thread>

#include "runtime/win32/text.h"
#include "window/feuille1_layout.h"

namespace gui {
namespace {

constexpr std::chrono::seconds kStartTimeout(60);

std::runtime_error failure(const std::string& what) {
  return std::runtime_error(what + " (error " + std::to_string(GetLastError()) + ")");
}

// trivel draws at the screen's real DPI; so that this program sees its window
// in the same pixels rather than scaled to 96 DPI, it is DPI aware as well.
void measureInPixels() { SetProcessDPIAware(); }

}  // namespace

std::wstring caption() { return runtime::win32::widen(feuille1::layout().caption); }

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

TrivelProcess::TrivelProcess(const std::wstring& executable) {
  measureInPixels();
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION created{};
  std::wstring commandLine = L"\"" + executable + L"\"";
  if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &created)) {
    throw failure("cannot start trivel.exe");
  }
  CloseHandle(created.hThread);
  process_.reset(created.hProcess);
  processId_ = created.dwProcessId;
  started_ = true;
  WaitForInputIdle(created.hProcess, static_cast<DWORD>(std::chrono::milliseconds(kStartTimeout).count()));
  findWindow(kStartTimeout);
}

TrivelProcess::TrivelProcess() {
  measureInPixels();
  findWindow(kStartTimeout);
  process_.reset(OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId_));
  if (!process_) throw failure("cannot open the trivel process");
}

TrivelProcess::~TrivelProcess() {
  if (started_ && !close()) TerminateProcess(process_.get(), 1);
}

void TrivelProcess::findWindow(std::chrono::milliseconds timeout) {
  const std::wstring text = caption();
  const auto found = [&] {
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, text.c_str()); window != nullptr;
         window = FindWindowExW(nullptr, window, nullptr, text.c_str())) {
      DWORD owner = 0;
      const DWORD thread = GetWindowThreadProcessId(window, &owner);
      if ((processId_ == 0 || owner == processId_) && IsWindowVisible(window)) {
        window_ = window;
        processId_ = owner;
        threadId_ = thread;
        return true;
      }
    }
    return false;
  };
  if (!waitUntil(found, timeout)) throw std::runtime_error("the trivel window did not appear");
}

HWND TrivelProcess::control(int id) const {
  const HWND found = GetDlgItem(window_, id);
  if (found == nullptr) throw std::runtime_error("no control with id " + std::to_string(id));
  return found;
}

bool TrivelProcess::close(std::chrono::milliseconds timeout) {
  if (IsWindow(window_)) PostMessageW(window_, WM_CLOSE, 0, 0);
  return WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

}  // namespace gui
