#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "trivel_process.h"

namespace gui {

// Memory inside another process, for the messages whose data the window
// system does not carry across processes (list view and tooltip queries).
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, std::size_t bytes);
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  ~RemoteMemory() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }

  [[nodiscard]] char* address() const { return static_cast<char*>(address_); }
  void write(const void* data, std::size_t bytes, std::size_t offset = 0) const;
  void read(void* data, std::size_t bytes, std::size_t offset = 0) const;

 private:
  HANDLE process_;
  void* address_;
};

struct ToolTip {
  HWND tool = nullptr;
  std::wstring text;
};

// What a user does with trivel's window, and what they see in it.
class RemoteControls {
 public:
  explicit RemoteControls(const TrivelProcess& trivel) : trivel_(trivel) {}

  // WM_SETTEXT, as pasting would: the text box reports the change.
  void setText(int control, std::wstring_view text) const;
  [[nodiscard]] std::wstring text(int control) const;
  // Posts a typed character, and waits until the program has handled it.
  void typeCharacter(int control, wchar_t character) const;
  // Posts a key's key-down and key-up, as pressing it in the control would.
  void postKey(int control, UINT virtualKey) const;
  // Posts the Enter key's key-down and key-up, and waits until the program
  // has handled them (and any search they started).
  void pressEnter(int control) const;
  // Types both bounds and Enter in the upper bound's field.
  void search(std::wstring_view lower, std::wstring_view upper) const;
  // Types both bounds and Enter, and returns once the search shows its
  // progress in the caption; false if it never does.
  [[nodiscard]] bool startLongSearch(std::wstring_view lower, std::wstring_view upper) const;

  // Waits until every message posted so far has been handled and no search is running.
  void waitUntilIdle() const;
  // Waits until the messages posted so far have been taken from the queue.
  void flushQueue() const;

  [[nodiscard]] int listCount() const;
  [[nodiscard]] std::wstring listLine(int index) const;
  [[nodiscard]] std::vector<std::wstring> listLines() const;

  [[nodiscard]] bool isVisible(int control) const;
  [[nodiscard]] std::wstring caption() const;
  // Whether the window answers a message within the time given.
  [[nodiscard]] bool answersWithin(std::chrono::milliseconds time) const;
  // The control's rectangle in its parent's client area.
  [[nodiscard]] RECT rectInParent(int control) const;
  [[nodiscard]] HWND focus() const;
  [[nodiscard]] std::vector<ToolTip> toolTips() const;

 private:
  const TrivelProcess& trivel_;
};

}  // namespace gui
