#include "runtime/qt/controls.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <memory>

#include "runtime/qt/line_list.h"
#include "runtime/qt/picture_box.h"
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

QLabel& createImage(QWidget& form, const ControlLayout& layout) {
  auto& image = createChild<QLabel>(form);
  // The picture at its own size inside a one-pixel frame.
  image.setFrameStyle(QFrame::Box | QFrame::Plain);
  image.setLineWidth(1);
  image.setAlignment(Qt::AlignCenter);
  if (layout.pictureId != 0) image.setPixmap(loadPicture(layout.pictureId));
  return image;
}

QLabel& createLabel(QWidget& form, const ControlLayout& layout) {
  auto& label = createChild<QLabel>(form);
  label.setTextFormat(Qt::PlainText);
  label.setWordWrap(false);  // a text too long is cut at the right, never wrapped
  label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label.setText(toQString(layout.text));
  return label;
}

Control createWidget(QWidget& form, const ControlLayout& layout) {
  switch (layout.kind) {
    case ControlKind::Image:
      return {.layout = &layout, .widget = &createImage(form, layout)};
    case ControlKind::Label:
      return {.layout = &layout, .widget = &createLabel(form, layout)};
    case ControlKind::TextBox: {
      auto& textBox = createChild<QLineEdit>(form);
      textBox.setText(toQString(layout.text));
      return {.layout = &layout, .widget = &textBox, .textBox = &textBox};
    }
    case ControlKind::ListBox: {
      auto& list = createChild<LineList>(form);
      return {.layout = &layout, .widget = &list, .list = &list};
    }
    case ControlKind::PictureBox: {
      auto& box = createChild<PictureBox>(form);
      return {.layout = &layout, .widget = &box, .pictureBox = &box};
    }
  }
  throw unknownControlKind(layout);
}

}  // namespace

Control createControl(QWidget& form, const ControlLayout& layout) {
  const Control control = createWidget(form, layout);
  QWidget& widget = *control.widget;
  const QString name = toQString(layout.name);
  widget.setObjectName(layout.index >= 0 ? name + QString::number(layout.index) : name);
  widget.setGeometry(toPixels(layout.left, kLogicalDpi), toPixels(layout.top, kLogicalDpi),
                     toPixels(layout.width, kLogicalDpi), toPixels(layout.height, kLogicalDpi));
  if (!layout.toolTip.empty()) widget.setToolTip(toQString(layout.toolTip));
  widget.setFocusPolicy(takesFocus(layout) ? Qt::StrongFocus : Qt::NoFocus);
  widget.setHidden(!layout.visible);
  return control;
}

void followFormSize(const Control& control, QSize growth) {
  const ControlLayout& layout = *control.layout;
  control.widget->resize(std::max(0, toPixels(layout.width, kLogicalDpi) + growth.width()),
                         std::max(0, toPixels(layout.height, kLogicalDpi) + growth.height()));
}

void nameControls(std::span<const ControlLayout> rows, const ControlTable<Control>& controls) {
  for (const Control& control : controls) {
    const std::string_view name = accessibleNameOf(rows, *control.layout);
    if (!name.empty()) control.widget->setAccessibleName(toQString(name));
    if (const ControlLayout* prompt = promptOf(rows, *control.layout)) {
      dynamic_cast<QLabel&>(*controls[prompt->id].widget).setBuddy(control.widget);
    }
  }
}

}  // namespace runtime::qt
