#include "runtime/qt/colours.h"

#include <QApplication>

namespace runtime::qt {
namespace {

QColor colourOf(Colour colour) {
  switch (colour.kind) {
    case Colour::Kind::WindowText:
      return QApplication::palette().color(QPalette::WindowText);
    case Colour::Kind::WindowBackground:
      return QApplication::palette().color(QPalette::Base);
    default:
      return {colour.red, colour.green, colour.blue};
  }
}

}  // namespace

void applyColours(QWidget& widget, const ControlLayout& layout, bool highContrast) {
  // In high contrast, the layout's colours give way to the user's: window text on window background.
  const bool systemColours = highContrast && (layout.foreground.kind == Colour::Kind::Rgb ||
                                              layout.background.kind == Colour::Kind::Rgb);
  const Colour foreground = systemColours ? Colour::windowText() : layout.foreground;
  const Colour background = systemColours ? Colour::windowBackground() : layout.background;
  QPalette palette = widget.palette();
  if (foreground.kind != Colour::Kind::PlatformDefault) {
    palette.setColor(widget.foregroundRole(), colourOf(foreground));
  }
  if (background.kind != Colour::Kind::PlatformDefault) {
    palette.setColor(widget.backgroundRole(), colourOf(background));
    widget.setAutoFillBackground(true);
  }
  widget.setPalette(palette);
}

}  // namespace runtime::qt
