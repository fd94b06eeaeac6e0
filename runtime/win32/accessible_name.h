#pragma once

#include <windows.h>

#include <string_view>

namespace runtime::win32 {

// Names a control without a prompt for screen readers: as its window text,
// which Wine's accessible objects read, and as a Dynamic Annotation, which
// Windows' read instead of the label before the control.
void nameForScreenReaders(HWND control, std::string_view name);

// What a screen reader says of a control after its name, as a Dynamic
// Annotation (which Wine's accessible objects do not read).
void describeForScreenReaders(HWND control, std::string_view description);

}  // namespace runtime::win32
