#include "runtime/qt/save_dialog.h"

#include <QDir>
#include <QFileDialog>

#include "runtime/qt/text.h"

namespace runtime::qt {
namespace {

std::optional<QString> choose(QWidget& owner, const char* title, const QString& folder,
                              std::string_view fileName, const char* filter) {
  const QString path =
      QFileDialog::getSaveFileName(&owner, QString::fromUtf8(title),
                                   QDir(folder).filePath(toQString(fileName)), QString::fromUtf8(filter));
  if (path.isEmpty()) return std::nullopt;
  return path;
}

}  // namespace

std::optional<QString> chooseSaveFile(QWidget& owner, const QString& folder, std::string_view fileName) {
  return choose(owner, "Enregistrer la liste", folder, fileName, "Texte (*.txt)");
}

std::optional<QString> chooseImageFile(QWidget& owner, const QString& folder, std::string_view fileName) {
  return choose(owner, "Enregistrer l'image", folder, fileName, "Image PNG (*.png)");
}

}  // namespace runtime::qt
