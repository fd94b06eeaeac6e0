#include "runtime/qt/form_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

#include <string>
#include <utility>

#include "runtime/qt/colours.h"
#include "runtime/qt/error_box.h"
#include "runtime/qt/font.h"
#include "runtime/qt/keys.h"
#include "runtime/qt/line_list.h"
#include "runtime/qt/list_file.h"
#include "runtime/qt/resources.h"
#include "runtime/qt/save_dialog.h"
#include "runtime/qt/text.h"
#include "runtime/runtime_error.h"

namespace runtime::qt {

FormWindow::FormWindow(const FormLayout& layout, std::function<bool()> highContrast)
    : layout_(layout),
      highContrast_(std::move(highContrast)),
      core_({.reportError = [this](const std::exception& error) { reportError(error); },
             .closeLater = [this] { QMetaObject::invokeMethod(this, "close", Qt::QueuedConnection); }}),
      listMenu_(core_),
      contrastWatch_([this] { recolour(); }),
      saveFolder_(QDir::homePath()) {
  setWindowTitle(toQString(layout.caption));
  setWindowIcon(loadIcon(layout.iconId));
  setFont(formFont(layout.font));
  // A form keeps the size of its layout.
  setFixedSize(toPixels(layout.clientWidth, kLogicalDpi), toPixels(layout.clientHeight, kLogicalDpi));
  createControls();
  recolour();
}

FormWindow::~FormWindow() { setMousePointer(MousePointer::Default); }

void FormWindow::createControls() {
  QWidget* previous = nullptr;
  for (const ControlLayout* layout : inCreationOrder(layout_.controls)) {
    const Control created = createControl(*this, *layout);
    core_.controls().add(created);
    QWidget& widget = *created.widget;
    widget.installEventFilter(this);
    if (created.textBox != nullptr) {
      const ControlId id = layout->id;
      connect(created.textBox, &QLineEdit::textChanged, this,
              [this, id] { core_.events().raise([id](FormEvents& events) { events.change(id); }); });
    }
    if (created.list != nullptr) {
      // Qt asks for the menu on a right-click and on the menu key alike.
      created.list->setContextMenuPolicy(Qt::CustomContextMenu);
      connect(created.list, &QWidget::customContextMenuRequested, this,
              [this, list = created.list](QPoint place) {
                listMenu_.show(*core_.controls().find(&Control::list, list),
                               list->viewport()->mapToGlobal(place));
              });
    }
    if (widget.focusPolicy() == Qt::NoFocus) continue;
    if (previous == nullptr) {
      widget.setFocus();  // the first in tab order has the focus when the window opens
    } else {
      setTabOrder(previous, &widget);
    }
    previous = &widget;
  }
  nameControls(layout_.controls, core_.controls());
}

void FormWindow::recolour() {
  const bool highContrast = highContrast_();
  for (const Control& control : core_.controls())
    applyColours(*control.widget, *control.layout, highContrast);
}

void FormWindow::start(const std::function<std::unique_ptr<FormEvents>(Form&)>& createEvents) {
  core_.start(*this, createEvents);
  show();
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
  const Control* control = core_.controls().find(&Control::widget, watched);
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
// it types, then the list's menu its keys; the control handles the key
// afterwards as usual.
bool FormWindow::controlKeyPressed(const Control& control, const QKeyEvent& key) {
  if (const auto keyCode = virtualKey(key)) {
    core_.events().raise([code = *keyCode](FormEvents& events) { events.keyDown(code); });
  }
  typedIntoTextBox(control, typedCharacters(key));
  return listMenu_.keyPressed(control, key);
}

void FormWindow::typedIntoTextBox(const Control& control, const std::vector<std::int16_t>& codes) {
  if (control.textBox == nullptr) return;
  const ControlId id = control.layout->id;
  for (const std::int16_t code : codes) {
    core_.events().raise([id, code](FormEvents& events) { events.keyPress(id, code); });
  }
}

// Keys that reach the window itself while none of its controls has the focus.
void FormWindow::keyPressEvent(QKeyEvent* event) {
  if (focusWidget() == nullptr) {
    if (const auto keyCode = virtualKey(*event)) {
      core_.events().raise([code = *keyCode](FormEvents& events) { events.keyDown(code); });
    }
  }
  QWidget::keyPressEvent(event);
}

// A new theme may bring high contrast, or take it away.
void FormWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ThemeChange) recolour();
  QWidget::changeEvent(event);
}

void FormWindow::closeEvent(QCloseEvent* event) { event->setAccepted(core_.events().closeRequested()); }

void FormWindow::reportError(const std::exception& error) { showRuntimeError(this, layout_.caption, error); }

QWidget& FormWindow::widget(ControlId id) const { return *core_.controls()[id].widget; }

std::string FormWindow::text(ControlId textBox) const {
  return toUtf8(core_.controls().textBox(textBox).textBox->text());
}

void FormWindow::setVisible(ControlId id, bool visible) {
  const Control& target = core_.controls()[id];
  target.widget->setVisible(visible);
  checkVisibility(*target.layout, !target.widget->isHidden(), visible);
}

void FormWindow::clear(ControlId id) { core_.clear(id); }

void FormWindow::addItem(ControlId id, std::string_view line) { core_.addItem(id, line); }

void FormWindow::setMousePointer(MousePointer pointer) {
  // The wait cursor is over all the program's windows until it is restored.
  if (pointer == pointer_) return;
  pointer_ = pointer;
  if (pointer == MousePointer::Hourglass) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void FormWindow::setCaption(std::string_view caption) { setWindowTitle(toQString(caption)); }

void FormWindow::doEvents() {
  core_.controls().catchUpLists();
  QCoreApplication::processEvents();
}

std::optional<std::string> FormWindow::chooseListFile(std::string_view fileName) {
  const std::optional<QString> path = chooseSaveFile(*this, saveFolder_, fileName);
  if (!path) return std::nullopt;
  saveFolder_ = QFileInfo(*path).absolutePath();
  return toUtf8(*path);
}

bool FormWindow::writeList(ControlId list, const std::string& path,
                           const std::function<bool(double progress)>& keepGoing) {
  return saveListFile(core_.lines(list), toQString(path), keepGoing);
}

std::string FormWindow::decimalSeparator() const { return toUtf8(QLocale::system().decimalPoint()); }

}  // namespace runtime::qt
