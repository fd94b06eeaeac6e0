#pragma once

#include <QString>

#include "runtime/form.h"

namespace runtime::qt {

// Writes a grey image as a PNG file at path with Qt's image writer, through a
// temporary file beside it that replaces it only once complete (as a list is
// saved), so that a failure leaves an earlier file as it was. A failure throws
// the file-not-saved error, with its reason.
void saveImageFile(const GreyImage& image, const QString& path);

}  // namespace runtime::qt
