#pragma once

#include <windows.h>

#include <exception>
#include <string_view>

namespace runtime::win32 {

// Tells the user, in French, about an error that left an event procedure.
void showRuntimeError(HWND owner, std::string_view title, const std::exception& error);

}  // namespace runtime::win32
