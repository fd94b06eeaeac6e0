#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace runtime::win32 {

// A kind of file the save dialog offers: its filter's name and pattern, and
// the extension added to a name typed without one.
struct FileType {
  const wchar_t* filterName;
  const wchar_t* pattern;
  const wchar_t* extension;
};
inline constexpr FileType kTextFile{L"Texte (*.txt)", L"*.txt", L"txt"};
inline constexpr FileType kPngImage{L"Images PNG (*.png)", L"*.png", L"png"};

// Asks the user where to save a file of a type, with the system's save dialog
// proposing fileName (the common item dialog, or the older one where that
// cannot be created). The full path chosen, in UTF-8; none when cancelled.
std::optional<std::string> chooseSaveFile(HWND owner, std::string_view fileName, const FileType& type);

}  // namespace runtime::win32
