#pragma once

#include <windows.h>

#include <string_view>

namespace runtime::win32 {

// Names a control without a prompt for screen readers: as its window text,
// which Wine's accessible objects read, and as a Dynamic Annotation, which
// Windows' read instead of the label before the control.
void nameForScreenReaders(HWND control, std::string_view name);

}  // namespace runtime::win32
