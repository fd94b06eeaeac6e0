#include "runtime/qt/resources.h"

#include <QDir>

#include "runtime/runtime_error.h"

namespace runtime::qt {

QPixmap loadPicture(int pictureId) {
  QPixmap picture(QStringLiteral(":/pictures/%1").arg(pictureId));
  if (picture.isNull()) throw pictureNotFound(pictureId);
  return picture;
}

QIcon loadIcon(int iconId) {
  const QDir folder(QStringLiteral(":/icons/%1").arg(iconId));
  QIcon icon;
  for (const QString& image : folder.entryList(QDir::Files)) icon.addFile(folder.filePath(image));
  if (icon.isNull()) throw iconNotFound(iconId);
  return icon;
}

}  // namespace runtime::qt
