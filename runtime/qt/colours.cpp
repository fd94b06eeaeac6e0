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

void applyColours(QWidget& widget, const ControlLayout& layout) {
  QPalette palette = widget.palette();
  if (layout.foreground.kind != Colour::Kind::PlatformDefault) {
    palette.setColor(widget.foregroundRole(), colourOf(layout.foreground));
  }
  if (layout.background.kind != Colour::Kind::PlatformDefault) {
    palette.setColor(widget.backgroundRole(), colourOf(layout.background));
    widget.setAutoFillBackground(true);
  }
  widget.setPalette(palette);
}

}  // namespace runtime::qt
