#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace runtime::win32 {

// Asks the user where to save a text file, with the system's save dialog
// proposing fileName (the common item dialog, or the older one where that
// cannot be created). The full path chosen, in UTF-8; none when cancelled.
std::optional<std::string> chooseSaveFile(HWND owner, std::string_view fileName);

}  // namespace runtime::win32
