#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <span>

namespace runtime::win32 {

// Replaces the clipboard's contents with a text of length wide characters,
// which write puts straight into the clipboard's memory (exactly length
// characters; the terminating null is added here).
void setClipboardText(HWND owner, std::size_t length, const std::function<void(std::span<wchar_t>)>& write);

}  // namespace runtime::win32
