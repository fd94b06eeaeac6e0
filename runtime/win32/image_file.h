#pragma once

#include <string>

#include "runtime/form.h"

namespace runtime::win32 {

// Writes a grey image as an 8-bit grey PNG file at path, encoded by the
// system's imaging component (WIC), through a temporary file beside it that
// replaces it only once complete and on disk, as a list is saved. A failure
// throws the image-not-saved error, with its reason, and leaves an earlier
// file as it was. Needs COM on this thread.
void saveImageFile(const GreyImage& image, const std::string& path);

}  // namespace runtime::win32
