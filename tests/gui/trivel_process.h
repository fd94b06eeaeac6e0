#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

// The real trivel.exe, started for a test or a demo and driven from outside,
// through the window system only.
namespace gui {

// The window's caption at rest, as its layout gives it.
std::wstring caption();

// Asks until the condition holds, for at most the time given; whether it held.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};

class TrivelProcess {
 public:
  // Starts the program and waits until its window is on screen.
  explicit TrivelProcess(const std::wstring& executable);
  // Attaches to a program that is already running (waits for its window),
  // which is left running unless close() is called.
  TrivelProcess();
  TrivelProcess(const TrivelProcess&) = delete;
  TrivelProcess& operator=(const TrivelProcess&) = delete;
  // Closes a program it started, and ends it if it does not close.
  ~TrivelProcess();

  [[nodiscard]] HWND window() const { return window_; }
  [[nodiscard]] HWND control(int id) const;
  [[nodiscard]] HANDLE process() const { return process_.get(); }
  [[nodiscard]] DWORD threadId() const { return threadId_; }

  // Sends WM_CLOSE and waits for the program to end; true when it ended by itself.
  bool close(std::chrono::milliseconds timeout = std::chrono::seconds(20));

 private:
  void findWindow(std::chrono::milliseconds timeout);

  std::unique_ptr<void, HandleCloser> process_;
  DWORD processId_ = 0;
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
  bool started_ = false;
};

}  // namespace gui
