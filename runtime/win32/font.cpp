#include "runtime/win32/font.h"

#include <string>

#include "runtime/runtime_error.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {

UniqueFont createFont(const FontLayout& font, UINT dpi) {
  const int height = -MulDiv(font.hundredthsOfPoint, static_cast<int>(dpi), 72 * 100);
  UniqueFont created(CreateFontW(height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE, font.charset,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, widen(font.face).c_str()));
  if (!created) throw RuntimeError("Impossible de créer la police " + std::string(font.face) + ".");
  return created;
}

}  // namespace runtime::win32
