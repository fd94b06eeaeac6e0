#pragma once

#include <QString>

#include <functional>

#include "runtime/line_store.h"

namespace runtime::qt {

// Writes every line of a list into the file at path (UTF-8), one a line with
// LF ends. The lines go to a temporary file beside it, which replaces it only
// once complete; on every other way out the temporary file is removed and an
// earlier file stays as it was. keepGoing(share written) is called after each
// block; false stops the save, which then returns false. A failure throws the
// list-not-saved error, with its reason.
bool saveListFile(const LineStore& lines, const QString& path,
                  const std::function<bool(double progress)>& keepGoing);

}  // namespace runtime::qt
