#include "runtime/win32/clipboard.h"

#include <limits>
#include <span>
#include <string_view>

#include "runtime/runtime_error.h"
#include "runtime/win32/handles.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {

void copyToClipboard(HWND owner, const LineStore& lines) {
  constexpr std::wstring_view kLineEnd = L"\r\n";
  std::size_t length = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) length += wideLength(lines.line(i)) + kLineEnd.size();
  if (length >= std::numeric_limits<std::size_t>::max() / sizeof(wchar_t)) throw noMemoryToCopyTheList();
  // The text goes straight into the clipboard's memory.
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, (length + 1) * sizeof(wchar_t)));
  if (!memory) throw noMemoryToCopyTheList();
  {
    const GlobalLockGuard lock(memory.get());
    std::span<wchar_t> text(static_cast<wchar_t*>(lock.data()), length + 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      text = text.subspan(static_cast<std::size_t>(widenTo(lines.line(i), text) - text.data()));
      text = text.subspan(kLineEnd.copy(text.data(), kLineEnd.size()));
    }
    text.front() = L'\0';
  }
  const OpenClipboardSession clipboard(owner);
  if (!EmptyClipboard()) throw RuntimeError("Impossible de vider le presse-papiers.");
  if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) {
    throw RuntimeError("Impossible de copier la liste dans le presse-papiers.");
  }
  static_cast<void>(memory.release());  // the clipboard owns it now
}

}  // namespace runtime::win32
