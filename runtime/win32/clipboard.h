#pragma once

#include <windows.h>

#include "runtime/line_store.h"

namespace runtime::win32 {

// Puts every line on the clipboard, one per line, for owner.
void copyToClipboard(HWND owner, const LineStore& lines);

}  // namespace runtime::win32
