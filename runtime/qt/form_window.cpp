#include "runtime/qt/form_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

#include <algorithm>
#include <string>

#include "runtime/qt/error_box.h"
#include "runtime/qt/font.h"
#include "runtime/qt/keys.h"
#include "runtime/qt/line_list.h"
#include "runtime/qt/resources.h"
#include "runtime/qt/text.h"
#include "runtime/runtime_error.h"

namespace runtime::qt {

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

FormWindow::FormWindow(const FormLayout& layout)
    : layout_(layout),
      events_({.reportError = [this](const std::exception& error) { reportError(error); },
               .catchUp = [this] { syncLists(); },
               .closeLater = [this] { QMetaObject::invokeMethod(this, "close", Qt::QueuedConnection); }}) {
  setWindowTitle(toQString(layout.caption));
  setWindowIcon(loadIcon(layout.iconId));
  setFont(formFont(layout.font));
  // A form keeps the size of its layout.
  setFixedSize(toPixels(layout.clientWidth), toPixels(layout.clientHeight));
  createControls();
}

FormWindow::~FormWindow() = default;

void FormWindow::createControls() {
  QWidget* previous = nullptr;
  for (const ControlLayout* layout : inTabOrder(layout_.controls)) {
    const Control created = createControl(*this, *layout);
    controls_.push_back(created);
    QWidget& widget = *created.widget;
    widget.installEventFilter(this);
    if (created.textBox != nullptr) {
      const ControlId id = layout->id;
      connect(created.textBox, &QLineEdit::textChanged, this,
              [this, id] { events_.raise([id](FormEvents& events) { events.change(id); }); });
    }
    if (widget.focusPolicy() == Qt::NoFocus) continue;
    if (previous == nullptr) {
      widget.setFocus();  // the first in tab order has the focus when the window opens
    } else {
      setTabOrder(previous, &widget);
    }
    previous = &widget;
  }
  nameControls(layout_.controls, controls_);
}

void FormWindow::start(const std::function<std::unique_ptr<FormEvents>(Form&)>& createEvents) {
  events_.start(createEvents(*this));
  events_.raise([](FormEvents& events) { events.load(); });
  show();
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
  const Control* control = controlOf(watched);
  if (control == nullptr) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
      return controlKeyPressed(*control, dynamic_cast<const QKeyEvent&>(*event));
    case QEvent::InputMethod: {
      // Text composed by an input method is typed as well, a character at a time.
      std::vector<std::int16_t> codes;
      for (const QChar unit : dynamic_cast<const QInputMethodEvent&>(*event).commitString()) {
        codes.push_back(static_cast<std::int16_t>(unit.unicode()));
      }
      typedIntoTextBox(*control, codes);
      return false;
    }
    default:
      return false;
  }
}

// The form sees every key first, then a text box's code sees the characters
// it types; the control handles the key afterwards as usual.
bool FormWindow::controlKeyPressed(const Control& control, const QKeyEvent& key) {
  if (const auto keyCode = virtualKey(key)) {
    events_.raise([code = *keyCode](FormEvents& events) { events.keyDown(code); });
  }
  typedIntoTextBox(control, typedCharacters(key));
  if (control.lines != nullptr && key.matches(QKeySequence::Copy)) {
    try {
      control.lines->copyAllToClipboard();
    } catch (const std::exception& error) {
      reportError(error);
    }
    return true;
  }
  return false;
}

void FormWindow::typedIntoTextBox(const Control& control, const std::vector<std::int16_t>& codes) {
  if (control.textBox == nullptr) return;
  const ControlId id = control.layout->id;
  for (const std::int16_t code : codes) {
    events_.raise([id, code](FormEvents& events) { events.keyPress(id, code); });
  }
}

// Keys that reach the window itself while none of its controls has the focus.
void FormWindow::keyPressEvent(QKeyEvent* event) {
  if (focusWidget() == nullptr) {
    if (const auto keyCode = virtualKey(*event)) {
      events_.raise([code = *keyCode](FormEvents& events) { events.keyDown(code); });
    }
  }
  QWidget::keyPressEvent(event);
}

void FormWindow::closeEvent(QCloseEvent* event) { event->setAccepted(events_.closeRequested()); }

void FormWindow::reportError(const std::exception& error) { showRuntimeError(this, layout_.caption, error); }

void FormWindow::syncLists() {
  for (const Control& control : controls_) {
    if (control.lines != nullptr) control.lines->syncCount();
  }
}

const Control& FormWindow::control(ControlId id) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [id](const Control& control) { return control.layout->id == id; });
  if (found == controls_.end()) throw RuntimeError("Contrôle inconnu : " + std::to_string(id) + ".");
  return *found;
}

const Control* FormWindow::controlOf(const QObject* widget) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [widget](const Control& control) { return control.widget == widget; });
  return found == controls_.end() ? nullptr : &*found;
}

LineList& FormWindow::list(ControlId id) {
  const Control& list = control(id);
  if (list.lines == nullptr) {
    throw RuntimeError("Le contrôle " + std::string(list.layout->name) + " n'est pas une liste.");
  }
  return *list.lines;
}

QWidget& FormWindow::widget(ControlId id) const { return *control(id).widget; }

std::string FormWindow::text(ControlId textBox) const {
  const Control& box = control(textBox);
  if (box.textBox == nullptr) {
    throw RuntimeError("Le contrôle " + std::string(box.layout->name) + " n'a pas de texte à lire.");
  }
  return toUtf8(box.textBox->text());
}

void FormWindow::setVisible(ControlId id, bool visible) {
  const Control& target = control(id);
  target.widget->setVisible(visible);
  if (target.widget->isHidden() == visible) {
    throw RuntimeError(std::string(visible ? "Impossible d'afficher " : "Impossible de cacher ") +
                       std::string(target.layout->name) + ".");
  }
}

void FormWindow::clear(ControlId id) { list(id).clear(); }

void FormWindow::addItem(ControlId id, std::string_view line) { list(id).append(line); }

void FormWindow::setMousePointer(MousePointer pointer) {
  if (pointer == MousePointer::Hourglass) {
    if (!waitCursor_) waitCursor_.emplace();
  } else {
    waitCursor_.reset();
  }
}

void FormWindow::setCaption(std::string_view caption) { setWindowTitle(toQString(caption)); }

std::chrono::steady_clock::time_point FormWindow::now() const { return std::chrono::steady_clock::now(); }

void FormWindow::doEvents() {
  syncLists();
  QCoreApplication::processEvents();
}

std::string FormWindow::decimalSeparator() const { return toUtf8(QLocale::system().decimalPoint()); }

}  // namespace runtime::qt
