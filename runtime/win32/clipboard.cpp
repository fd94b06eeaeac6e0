#include "runtime/win32/clipboard.h"

#include <limits>

#include "runtime/runtime_error.h"
#include "runtime/win32/handles.h"

namespace runtime::win32 {

void setClipboardText(HWND owner, std::size_t length, const std::function<void(std::span<wchar_t>)>& write) {
  if (length >= std::numeric_limits<std::size_t>::max() / sizeof(wchar_t)) {
    throw RuntimeError("Mémoire insuffisante pour copier la liste.");
  }
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, (length + 1) * sizeof(wchar_t)));
  if (!memory) throw RuntimeError("Mémoire insuffisante pour copier la liste.");
  {
    const GlobalLockGuard lock(memory.get());
    auto* text = static_cast<wchar_t*>(lock.data());
    write({text, length});
    text[length] = L'\0';
  }
  const OpenClipboardSession clipboard(owner);
  if (!EmptyClipboard()) throw RuntimeError("Impossible de vider le presse-papiers.");
  if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) {
    throw RuntimeError("Impossible de copier la liste dans le presse-papiers.");
  }
  static_cast<void>(memory.release());  // the clipboard owns it now
}

}  // namespace runtime::win32
