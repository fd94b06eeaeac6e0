#include "runtime/qt/image_file.h"

#include <QImageWriter>
#include <QSaveFile>

#include "runtime/qt/list_file.h"
#include "runtime/qt/picture_box.h"

namespace runtime::qt {

void saveImageFile(const GreyImage& image, const QString& path) {
  const QImage grey = toQImage(image);
  saveReplacing(path, kSavedImage, [&grey](QSaveFile& file) {
    QImageWriter writer(&file, "png");
    if (!writer.write(grey)) throw notSaved(file, kSavedImage);
    return true;
  });
}

}  // namespace runtime::qt
