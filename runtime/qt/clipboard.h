#pragma once

#include "runtime/line_store.h"

namespace runtime::qt {

// Puts every line on the clipboard, one per line.
void copyToClipboard(const LineStore& lines);

}  // namespace runtime::qt
