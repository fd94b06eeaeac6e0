#include "remote_controls.h"

#include <commctrl.h>

#include <stdexcept>

#include "window/feuille1_layout.h"

namespace gui {
namespace {

constexpr UINT kReplyTimeoutMs = 120'000;
constexpr std::chrono::seconds kIdleTimeout(120);
constexpr std::chrono::seconds kProgressTimeout(60);

LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
             UINT timeoutMs = kReplyTimeoutMs) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result) == 0) {
    throw std::runtime_error("trivel did not answer message " + std::to_string(message));
  }
  return static_cast<LRESULT>(result);
}

BOOL CALLBACK collectToolTip(HWND window, LPARAM found) {
  wchar_t className[64]{};
  GetClassNameW(window, className, static_cast<int>(std::size(className)));
  if (std::wstring_view(className) == TOOLTIPS_CLASSW)
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!PostMessageW(window, message, wParam, lParam)) throw std::runtime_error("cannot post to trivel");
}

}  // namespace

RemoteMemory::RemoteMemory(HANDLE process, std::size_t bytes)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
  if (address_ == nullptr) throw std::runtime_error("cannot allocate memory in trivel");
}

void RemoteMemory::write(const void* data, std::size_t bytes, std::size_t offset) const {
  if (!WriteProcessMemory(process_, address() + offset, data, bytes, nullptr)) {
    throw std::runtime_error("cannot write into trivel's memory");
  }
}

void RemoteMemory::read(void* data, std::size_t bytes, std::size_t offset) const {
  if (!ReadProcessMemory(process_, address() + offset, data, bytes, nullptr)) {
    throw std::runtime_error("cannot read trivel's memory");
  }
}

void RemoteControls::setText(int control, std::wstring_view text) const {
  const std::wstring copy(text);
  send(trivel_.control(control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

std::wstring RemoteControls::text(int control) const {
  wchar_t buffer[256]{};
  const LRESULT length =
      send(trivel_.control(control), WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer));
  return {buffer, static_cast<std::size_t>(length)};
}

void RemoteControls::typeCharacter(int control, wchar_t character) const {
  post(trivel_.control(control), WM_CHAR, character, 1);
  waitUntilIdle();
}

void RemoteControls::postKey(int control, UINT virtualKey) const {
  const HWND target = trivel_.control(control);
  const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  post(target, WM_KEYDOWN, virtualKey, static_cast<LPARAM>(1 | (scanCode << 16)));
  post(target, WM_KEYUP, virtualKey, static_cast<LPARAM>(1 | (scanCode << 16) | (3U << 30)));
}

void RemoteControls::pressEnter(int control) const {
  postKey(control, VK_RETURN);
  waitUntilIdle();
}

std::wstring RemoteControls::caption() const {
  std::wstring text(256, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(trivel_.window(), text.data(), 256)));
  return text;
}

bool RemoteControls::answersWithin(std::chrono::milliseconds time) const {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(trivel_.window(), WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(time.count()),
                             &ignored) != 0;
}

void RemoteControls::search(std::wstring_view lower, std::wstring_view upper) const {
  setText(feuille1::Texte1_0, lower);
  setText(feuille1::Texte1_1, upper);
  pressEnter(feuille1::Texte1_1);
}

bool RemoteControls::startLongSearch(std::wstring_view lower, std::wstring_view upper) const {
  setText(feuille1::Texte1_0, lower);
  setText(feuille1::Texte1_1, upper);
  postKey(feuille1::Texte1_1, VK_RETURN);
  return waitUntil([this] { return caption().find(L'%') != std::wstring::npos; }, kProgressTimeout);
}

// Messages posted to a thread are handled in order, so once a marker posted
// after them has been handled, so have they. The marker is a text limit
// (EM_LIMITTEXT) far above anything typed, which can be read back. Two rounds,
// because a key-down posts its character only when it is handled.
void RemoteControls::flushQueue() const {
  constexpr WPARAM kFirstMarker = 0x10000000;
  const HWND edit = trivel_.control(feuille1::Texte1_1);
  for (int round = 0; round < 2; ++round) {
    const auto limit = static_cast<WPARAM>(send(edit, EM_GETLIMITTEXT));
    const WPARAM marker = limit >= kFirstMarker && limit < kFirstMarker * 2 ? limit + 1 : kFirstMarker;
    post(edit, EM_LIMITTEXT, marker, 0);
    if (!waitUntil([&] { return static_cast<WPARAM>(send(edit, EM_GETLIMITTEXT)) == marker; }, kIdleTimeout))
      throw std::runtime_error("trivel's queue never emptied");
  }
}

// A search shows Label1 before it starts and hides it when it ends, and the
// program looks at its queue only once in between; so after the queue is
// flushed, the search is over once Label1 is hidden and a message sent
// afterwards has been answered.
void RemoteControls::waitUntilIdle() const {
  flushQueue();
  if (!waitUntil([this] { return !isVisible(feuille1::Label1); }, kIdleTimeout))
    throw std::runtime_error("the search never ended");
  send(trivel_.window(), WM_NULL);
}

int RemoteControls::listCount() const {
  return static_cast<int>(send(trivel_.control(feuille1::Liste1), LVM_GETITEMCOUNT));
}

std::wstring RemoteControls::listLine(int index) const {
  constexpr int kCapacity = 260;
  const RemoteMemory remote(trivel_.process(), sizeof(LVITEMW) + kCapacity * sizeof(wchar_t));
  LVITEMW item{};
  item.iSubItem = 0;
  item.cchTextMax = kCapacity;
  item.pszText = reinterpret_cast<wchar_t*>(remote.address() + sizeof(LVITEMW));
  remote.write(&item, sizeof(item));
  const auto length =
      static_cast<std::size_t>(send(trivel_.control(feuille1::Liste1), LVM_GETITEMTEXTW,
                                    static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote.address())));
  std::wstring line(length, L'\0');
  remote.read(line.data(), length * sizeof(wchar_t), sizeof(LVITEMW));
  return line;
}

std::vector<std::wstring> RemoteControls::listLines() const {
  std::vector<std::wstring> lines;
  const int count = listCount();
  lines.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) lines.push_back(listLine(i));
  return lines;
}

bool RemoteControls::isVisible(int control) const {
  return IsWindowVisible(trivel_.control(control)) != FALSE;
}

RECT RemoteControls::rectInParent(int control) const {
  RECT rect{};
  const HWND child = trivel_.control(control);
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

HWND RemoteControls::focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(trivel_.threadId(), &info))
    throw std::runtime_error("no thread information for trivel");
  return info.hwndFocus;
}

std::vector<ToolTip> RemoteControls::toolTips() const {
  std::vector<HWND> tipWindows;
  EnumThreadWindows(trivel_.threadId(), &collectToolTip, reinterpret_cast<LPARAM>(&tipWindows));

  constexpr int kCapacity = 256;
  std::vector<ToolTip> tips;
  for (const HWND tipWindow : tipWindows) {
    const auto count = static_cast<int>(send(tipWindow, TTM_GETTOOLCOUNT));
    for (int i = 0; i < count; ++i) {
      const RemoteMemory remote(trivel_.process(), sizeof(TTTOOLINFOW) + kCapacity * sizeof(wchar_t));
      TTTOOLINFOW info{};
      info.cbSize = sizeof(info);
      info.lpszText = reinterpret_cast<wchar_t*>(remote.address() + sizeof(TTTOOLINFOW));
      remote.write(&info, sizeof(info));
      const wchar_t empty = L'\0';
      remote.write(&empty, sizeof(empty), sizeof(TTTOOLINFOW));
      if (send(tipWindow, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
               reinterpret_cast<LPARAM>(remote.address())) == 0) {
        continue;
      }
      remote.read(&info, sizeof(info));
      wchar_t text[kCapacity]{};
      remote.read(text, sizeof(text) - sizeof(wchar_t), sizeof(TTTOOLINFOW));
      tips.push_back({(info.uFlags & TTF_IDISHWND) != 0 ? reinterpret_cast<HWND>(info.uId) : nullptr, text});
    }
  }
  return tips;
}

}  // namespace gui
