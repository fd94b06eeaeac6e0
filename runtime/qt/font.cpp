#include "runtime/qt/font.h"

#include <string_view>

#include "runtime/qt/text.h"

namespace runtime::qt {

QFont formFont(const FontLayout& font) {
  const std::string_view face = font.face == "MS Sans Serif" ? "Liberation Sans" : font.face;
  QFont qtFont(toQString(face));
  qtFont.setStyleHint(QFont::SansSerif);
  qtFont.setPointSizeF(font.hundredthsOfPoint / 100.0);
  qtFont.setWeight(static_cast<QFont::Weight>(font.weight));
  return qtFont;
}

}  // namespace runtime::qt
