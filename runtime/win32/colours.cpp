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

COLORREF colourRef(Colour colour) {
  if (colour.kind == Colour::Kind::Rgb) return RGB(colour.red, colour.green, colour.blue);
  return GetSysColor(systemColourIndex(colour));
}

}  // namespace

UniqueBrush createBackground(const ControlLayout& control) {
  if (control.background.kind != Colour::Kind::Rgb) return nullptr;
  UniqueBrush brush(CreateSolidBrush(colourRef(control.background)));
  if (!brush) throw RuntimeError("Impossible de créer un pinceau de couleur.");
  return brush;
}

HBRUSH colourStatic(HDC dc, const ControlLayout& control, HBRUSH ownBrush, HBRUSH platformBrush) {
  if (control.foreground.kind != Colour::Kind::PlatformDefault)
    SetTextColor(dc, colourRef(control.foreground));
  if (control.background.kind == Colour::Kind::PlatformDefault) return platformBrush;
  SetBkColor(dc, colourRef(control.background));
  return ownBrush != nullptr ? ownBrush : GetSysColorBrush(systemColourIndex(control.background));
}

}  // namespace runtime::win32
