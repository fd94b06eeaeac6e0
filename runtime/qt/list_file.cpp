#include "runtime/qt/list_file.h"

#include <QDir>
#include <QFileInfo>

#include "runtime/list_file.h"
#include "runtime/qt/text.h"

namespace runtime::qt {
namespace {

// Qt tells a full disk apart; for the rest, the folder and the target say
// whether the file could not be reached or not be written.
SaveFailure failureOf(const QSaveFile& file) {
  switch (file.error()) {
    case QFileDevice::ResourceError:
      return SaveFailure::DiskFull;
    case QFileDevice::PermissionsError:
      return SaveFailure::AccessDenied;
    default:
      break;
  }
  const QFileInfo target(file.fileName());
  const QFileInfo folder(target.absolutePath());
  if (!folder.isDir()) return SaveFailure::FolderMissing;
  if (!folder.isWritable() || (target.exists() && !target.isWritable())) return SaveFailure::AccessDenied;
  return SaveFailure::Other;
}

}  // namespace

RuntimeError notSaved(const QSaveFile& file, std::string_view what) {
  return runtime::notSaved(what, toUtf8(QDir::toNativeSeparators(file.fileName())), failureOf(file));
}

// QSaveFile writes into a temporary file beside the target and renames it over
// the target at commit(); while it is not committed, its destructor removes
// the temporary file, whichever way this function is left.
bool saveReplacing(const QString& path, std::string_view what,
                   const std::function<bool(QSaveFile& file)>& write) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw notSaved(file, what);
  if (!write(file)) {
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) throw notSaved(file, what);
  return true;
}

bool saveListFile(const LineStore& lines, const QString& path,
                  const std::function<bool(double progress)>& keepGoing) {
  return saveReplacing(path, kSavedList, [&lines, &keepGoing](QSaveFile& file) {
    // A write that fills the disk stops short without an error; writing the
    // rest then fails with the reason.
    const auto write = [&file](std::string_view block) {
      while (!block.empty()) {
        const qint64 written = file.write(block.data(), static_cast<qint64>(block.size()));
        if (written <= 0) throw notSaved(file, kSavedList);
        block.remove_prefix(static_cast<std::size_t>(written));
      }
    };
    return writeListLines(lines, "\n", write, keepGoing);
  });
}

}  // namespace runtime::qt
