#include "runtime/qt/controls.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <memory>
#include <string>

#include "runtime/qt/line_list.h"
#include "runtime/qt/resources.h"
#include "runtime/qt/text.h"
#include "runtime/runtime_error.h"

namespace runtime::qt {
namespace {

// A widget that belongs to parent, which deletes it with itself.
template <typename Widget>
Widget& createChild(QWidget& parent) {
  auto child = std::make_unique<Widget>();
  child->setParent(&parent);
  return *child.release();
}

void createImage(QWidget& form, const ControlLayout& layout, Control& control) {
  auto& image = createChild<QLabel>(form);
  control.widget = &image;
  // The picture at its own size inside a one-pixel frame.
  image.setFrameStyle(QFrame::Box | QFrame::Plain);
  image.setLineWidth(1);
  image.setAlignment(Qt::AlignCenter);
  if (layout.pictureId != 0) image.setPixmap(loadPicture(layout.pictureId));
}

void createLabel(QWidget& form, const ControlLayout& layout, Control& control) {
  auto& label = createChild<QLabel>(form);
  control.widget = &label;
  label.setTextFormat(Qt::PlainText);
  label.setWordWrap(false);  // a text too long is cut at the right, never wrapped
  label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label.setText(toQString(layout.text));
}

void createTextBox(QWidget& form, const ControlLayout& layout, Control& control) {
  auto& textBox = createChild<QLineEdit>(form);
  control.widget = control.textBox = &textBox;
  textBox.setText(toQString(layout.text));
}

void createListBox(QWidget& form, Control& control) {
  auto& list = createChild<LineList>(form);
  control.widget = control.lines = &list;
}

Control createWidget(QWidget& form, const ControlLayout& layout) {
  Control control{.layout = &layout};
  switch (layout.kind) {
    case ControlKind::Image:
      createImage(form, layout, control);
      return control;
    case ControlKind::Label:
      createLabel(form, layout, control);
      return control;
    case ControlKind::TextBox:
      createTextBox(form, layout, control);
      return control;
    case ControlKind::ListBox:
      createListBox(form, control);
      return control;
  }
  throw RuntimeError("Type de contrôle inconnu : " + std::string(layout.name));
}

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

bool takesFocus(const ControlLayout& layout) {
  return (layout.kind == ControlKind::TextBox || layout.kind == ControlKind::ListBox) && layout.tabIndex >= 0;
}

}  // namespace

int toPixels(Twips twips) { return (twips * 96 + kTwipsPerInch / 2) / kTwipsPerInch; }

Control createControl(QWidget& form, const ControlLayout& layout) {
  const Control control = createWidget(form, layout);
  QWidget& widget = *control.widget;
  const QString name = toQString(layout.name);
  widget.setObjectName(layout.index >= 0 ? name + QString::number(layout.index) : name);
  widget.setGeometry(toPixels(layout.left), toPixels(layout.top), toPixels(layout.width),
                     toPixels(layout.height));
  if (!layout.toolTip.empty()) widget.setToolTip(toQString(layout.toolTip));
  applyColours(widget, layout);
  widget.setFocusPolicy(takesFocus(layout) ? Qt::StrongFocus : Qt::NoFocus);
  widget.setHidden(!layout.visible);
  return control;
}

void nameControls(std::span<const ControlLayout> rows, const std::vector<Control>& controls) {
  const auto widgetOf = [&controls](const ControlLayout& row) {
    return std::find_if(controls.begin(), controls.end(),
                        [&row](const Control& c) { return c.layout == &row; })
        ->widget;
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ControlLayout& row = rows[i];
    switch (row.kind) {
      case ControlKind::Label:
        widgetOf(row)->setAccessibleName(toQString(row.text));
        if (i + 1 < rows.size() && rows[i + 1].kind == ControlKind::TextBox) {
          auto* prompt = qobject_cast<QLabel*>(widgetOf(row));
          prompt->setBuddy(widgetOf(rows[i + 1]));
          widgetOf(rows[i + 1])->setAccessibleName(prompt->text());
        }
        break;
      case ControlKind::ListBox:
        widgetOf(row)->setAccessibleName(toQString(row.name));
        break;
      default:
        break;
    }
  }
}

}  // namespace runtime::qt
