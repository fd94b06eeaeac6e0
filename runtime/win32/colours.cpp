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

bool systemHighContrast() {
  HIGHCONTRASTW settings{.cbSize = sizeof(HIGHCONTRASTW)};
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(settings), &settings, 0) &&
         (settings.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

UniqueBrush createBackground(const ControlLayout& control) {
  if (control.background.kind != Colour::Kind::Rgb) return nullptr;
  UniqueBrush brush(CreateSolidBrush(colourRef(control.background)));
  if (!brush) throw RuntimeError("Impossible de créer un pinceau de couleur.");
  return brush;
}

HBRUSH colourStatic(HDC dc, const ControlLayout& control, HBRUSH ownBrush, HBRUSH platformBrush,
                    bool highContrast) {
  // In high contrast, the layout's colours give way to the user's: window text on window background.
  const bool fixedColours =
      control.foreground.kind == Colour::Kind::Rgb || control.background.kind == Colour::Kind::Rgb;
  if (fixedColours && highContrast) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
  }
  if (control.foreground.kind != Colour::Kind::PlatformDefault)
    SetTextColor(dc, colourRef(control.foreground));
  if (control.background.kind == Colour::Kind::PlatformDefault) return platformBrush;
  SetBkColor(dc, colourRef(control.background));
  return ownBrush != nullptr ? ownBrush : GetSysColorBrush(systemColourIndex(control.background));
}

}  // namespace runtime::win32
