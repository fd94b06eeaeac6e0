#pragma once

#include <windows.h>

#include "runtime/layout.h"
#include "runtime/win32/handles.h"

namespace runtime::win32 {

// The form's font at a DPI: the layout's face, point size, weight and
// character set, as every control of the form uses it.
UniqueFont createFont(const FontLayout& font, UINT dpi);

}  // namespace runtime::win32
