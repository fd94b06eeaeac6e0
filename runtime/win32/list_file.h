#pragma once

#include <functional>
#include <string>

#include "runtime/line_store.h"

namespace runtime::win32 {

// Writes every line of a list into the file at path (UTF-8), one a line with
// CRLF ends. The lines go to a temporary file beside it, which replaces it only
// once complete and on disk; on every other way out the temporary file is
// deleted and an earlier file stays as it was. keepGoing(share written) is
// called after each block; false stops the save, which then returns false. A
// failure throws the list-not-saved error, with its reason.
bool saveListFile(const LineStore& lines, const std::string& path,
                  const std::function<bool(double progress)>& keepGoing);

}  // namespace runtime::win32
