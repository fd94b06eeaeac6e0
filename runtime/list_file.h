#pragma once

#include <functional>
#include <string_view>

#include "runtime/line_store.h"

namespace runtime {

// Writes the lines of a list for a file, in blocks of about a mebibyte: each
// line followed by lineEnd, handed to write() whenever the block is full and
// at the end, with keepGoing(share written) after each block. False when
// keepGoing stopped it; what was written then is to be thrown away.
bool writeListLines(const LineStore& lines, std::string_view lineEnd,
                    const std::function<void(std::string_view block)>& write,
                    const std::function<bool(double progress)>& keepGoing);

}  // namespace runtime
