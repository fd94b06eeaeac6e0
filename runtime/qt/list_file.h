#pragma once

#include <QSaveFile>
#include <QString>

#include <functional>
#include <string_view>

#include "runtime/line_store.h"
#include "runtime/runtime_error.h"

namespace runtime::qt {

// Writes a file at path through a temporary file beside it, which replaces it
// only once complete; on every other way out the temporary file is removed
// and an earlier file stays as it was. write fills the open temporary file:
// false stops the save, which then returns false; a failure throws, with
// notSaved's error where the file failed. what names what is saved, "la
// liste" or "l'image", for the messages.
bool saveReplacing(const QString& path, std::string_view what,
                   const std::function<bool(QSaveFile& file)>& write);
// The error of what could not be saved in the file, with the reason it failed.
RuntimeError notSaved(const QSaveFile& file, std::string_view what);

// Writes every line of a list into the file at path (UTF-8), one a line with
// LF ends, through saveReplacing. keepGoing(share written) is called after
// each block; false stops the save, which then returns false. A failure
// throws the list-not-saved error, with its reason.
bool saveListFile(const LineStore& lines, const QString& path,
                  const std::function<bool(double progress)>& keepGoing);

}  // namespace runtime::qt
