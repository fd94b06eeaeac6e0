#include "runtime/qt/font.h"

#include <array>
#include <string_view>
#include <utility>

#include "runtime/qt/text.h"

namespace runtime::qt {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 1> kSubstitutes{{
    {"MS Sans Serif", "Liberation Sans"},
}};

std::string_view linuxFace(std::string_view face) {
  for (const auto& [windowsFace, substitute] : kSubstitutes) {
    if (windowsFace == face) return substitute;
  }
  return face;
}

}  // namespace

QFont formFont(const FontLayout& font) {
  QFont qtFont(toQString(linuxFace(font.face)));
  qtFont.setStyleHint(QFont::SansSerif);
  qtFont.setPointSizeF(font.hundredthsOfPoint / 100.0);
  qtFont.setWeight(static_cast<QFont::Weight>(font.weight));
  return qtFont;
}

}  // namespace runtime::qt
