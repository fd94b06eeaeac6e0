#include "runtime/win32/text.h"

#include <windows.h>

#include <limits>

#include "runtime/runtime_error.h"

namespace runtime::win32 {
namespace {

int checkedLength(std::size_t length) {
  if (length > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    throw RuntimeError("Texte trop long.");
  }
  return static_cast<int>(length);
}

}  // namespace

std::size_t wideLength(std::string_view utf8) {
  if (utf8.empty()) return 0;
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), checkedLength(utf8.size()), nullptr, 0);
  if (length == 0) throw RuntimeError("Texte illisible : conversion depuis UTF-8 impossible.");
  return static_cast<std::size_t>(length);
}

wchar_t* widenTo(std::string_view utf8, std::span<wchar_t> out) {
  if (utf8.empty()) return out.data();
  const int written = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), checkedLength(utf8.size()), out.data(),
                                          checkedLength(out.size()));
  if (written == 0) throw RuntimeError("Texte illisible : conversion depuis UTF-8 impossible.");
  return out.data() + written;
}

std::wstring widen(std::string_view utf8) {
  std::wstring wide(wideLength(utf8), L'\0');
  widenTo(utf8, wide);
  return wide;
}

std::string narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int length = checkedLength(utf16.size());
  const int narrowLength =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
  if (narrowLength == 0) throw RuntimeError("Texte illisible : conversion vers UTF-8 impossible.");
  std::string text(static_cast<std::size_t>(narrowLength), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, text.data(), narrowLength, nullptr, nullptr);
  return text;
}

void widenInto(std::string_view utf8, wchar_t* buffer, int capacity) {
  if (capacity <= 0) return;
  int written = 0;
  if (!utf8.empty()) {
    const int length = checkedLength(utf8.size());
    written = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, buffer, capacity - 1);
    if (written == 0) {  // too long for the buffer: convert and cut
      const std::wstring wide = widen(utf8);
      written = static_cast<int>(wide.copy(buffer, static_cast<std::size_t>(capacity - 1)));
    }
  }
  buffer[written] = L'\0';
}

}  // namespace runtime::win32
