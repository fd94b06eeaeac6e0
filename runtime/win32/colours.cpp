#include "runtime/win32/colours.h"

#include "runtime/runtime_error.h"

namespace runtime::win32 {
namespace {

int systemColourIndex(Colour colour) {
  switch (colour.kind) {
    case Colour::Kind::WindowText:
      return COLOR_WINDOWTEXT;
    case Colour::Kind::WindowBackground:
      return COLOR_WINDOW;
    default:
      throw RuntimeError("Couleur sans équivalent système.");
  }
}

}  // namespace

COLORREF colourRef(Colour colour) {
  if (colour.kind == Colour::Kind::Rgb) return RGB(colour.red, colour.green, colour.blue);
  return GetSysColor(systemColourIndex(colour));
}

HBRUSH systemBrush(Colour colour) { return GetSysColorBrush(systemColourIndex(colour)); }

UniqueBrush createBrush(Colour colour) {
  UniqueBrush brush(CreateSolidBrush(colourRef(colour)));
  if (!brush) throw RuntimeError("Impossible de créer un pinceau de couleur.");
  return brush;
}

}  // namespace runtime::win32
