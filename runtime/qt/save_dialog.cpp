#include "runtime/qt/save_dialog.h"

#include <QDir>
#include <QFileDialog>

#include "runtime/qt/text.h"

namespace runtime::qt {

std::optional<QString> chooseSaveFile(QWidget& owner, const QString& folder, std::string_view fileName) {
  const QString path = QFileDialog::getSaveFileName(&owner, QString::fromUtf8("Enregistrer la liste"),
                                                    QDir(folder).filePath(toQString(fileName)),
                                                    QString::fromUtf8("Texte (*.txt)"));
  if (path.isEmpty()) return std::nullopt;
  return path;
}

}  // namespace runtime::qt
