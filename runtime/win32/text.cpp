#include "runtime/win32/text.h"

#include <iterator>
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
  const std::wstring wide = widen(utf8);
  buffer[wide.copy(buffer, static_cast<std::size_t>(capacity - 1))] = L'\0';
}

std::string windowText(HWND window, std::string_view name) {
  SetLastError(ERROR_SUCCESS);
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  if (copied == 0 && GetLastError() != ERROR_SUCCESS) {
    throw RuntimeError("Impossible de lire le texte de " + std::string(name) + ".");
  }
  text.resize(static_cast<std::size_t>(copied));
  return narrow(text);
}

std::string userDecimalSeparator() {
  wchar_t separator[8]{};
  const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator,
                                     static_cast<int>(std::size(separator)));
  if (length == 0) throw RuntimeError("Impossible de lire le séparateur décimal des paramètres régionaux.");
  return narrow({separator, static_cast<std::size_t>(length - 1)});
}

}  // namespace runtime::win32
