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

#include "runtime/qt/clipboard.h"
#include "runtime/qt/error_box.h"
#include "runtime/qt/font.h"
#include "runtime/qt/keys.h"
#include "runtime/qt/line_list.h"
#include "runtime/qt/list_file.h"
#include "runtime/qt/list_menu.h"
#include "runtime/qt/resources.h"
#include "runtime/qt/save_dialog.h"
#include "runtime/qt/text.h"
#include "runtime/runtime_error.h"

namespace runtime::qt {

FormWindow::FormWindow(const FormLayout& layout)
    : layout_(layout),
      events_({.reportError = [this](const std::exception& error) { reportError(error); },
               .catchUp = [this] { controls_.catchUpLists(); },
               .closeLater = [this] { QMetaObject::invokeMethod(this, "close", Qt::QueuedConnection); }}),
      saveFolder_(QDir::homePath()) {
  setWindowTitle(toQString(layout.caption));
  setWindowIcon(loadIcon(layout.iconId));
  setFont(formFont(layout.font));
  // A form keeps the size of its layout.
  setFixedSize(toPixels(layout.clientWidth, kLogicalDpi), toPixels(layout.clientHeight, kLogicalDpi));
  createControls();
}

FormWindow::~FormWindow() { setMousePointer(MousePointer::Default); }

void FormWindow::createControls() {
  QWidget* previous = nullptr;
  for (const ControlLayout* layout : inCreationOrder(layout_.controls)) {
    const Control created = createControl(*this, *layout);
    controls_.add(created);
    QWidget& widget = *created.widget;
    widget.installEventFilter(this);
    if (created.textBox != nullptr) {
      const ControlId id = layout->id;
      connect(created.textBox, &QLineEdit::textChanged, this,
              [this, id] { events_.raise([id](FormEvents& events) { events.change(id); }); });
    }
    if (created.list != nullptr) {
      // Qt asks for the menu on a right-click and on the menu key alike.
      created.list->setContextMenuPolicy(Qt::CustomContextMenu);
      connect(created.list, &QWidget::customContextMenuRequested, this,
              [this, list = created.list](QPoint place) {
                openListMenu(*controls_.find(&Control::list, list), list->viewport()->mapToGlobal(place));
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
  nameControls(layout_.controls, controls_);
}

void FormWindow::start(const std::function<std::unique_ptr<FormEvents>(Form&)>& createEvents) {
  events_.start(createEvents(*this));
  events_.raise([](FormEvents& events) { events.load(); });
  show();
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
  const Control* control = controls_.find(&Control::widget, watched);
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
  if (key.matches(QKeySequence::Save)) {
    requestSave();
    return true;
  }
  if (control.list == nullptr) return false;
  if (key.matches(QKeySequence::Copy)) {
    copyList(*control.list);
    return true;
  }
  if (opensContextMenu(key)) {
    openListMenu(control, control.list->mapToGlobal(control.list->rect().center()));
    return true;
  }
  return false;
}

void FormWindow::openListMenu(const Control& control, QPoint globalPosition) {
  const LineList& list = *control.list;
  switch (showListMenu(*control.widget, globalPosition, listMenuEnabled(list))) {
    case ListMenuChoice::Copy:
      copyList(list);
      break;
    case ListMenuChoice::Save:
      requestSave();
      break;
    case ListMenuChoice::None:
      break;
  }
}

// A list is saved or copied from its menu only while it has lines and no
// event procedure runs.
bool FormWindow::listMenuEnabled(const LineList& list) const {
  return !list.lines().empty() && !events_.running();
}

void FormWindow::copyList(const LineList& list) {
  try {
    copyToClipboard(list.lines());
  } catch (const std::exception& error) {
    reportError(error);
  }
}

void FormWindow::requestSave() {
  const Control* list = controls_.firstList();
  if (list == nullptr || !listMenuEnabled(*list->list)) return;
  events_.raise([id = list->layout->id](FormEvents& events) { events.saveRequested(id); });
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

QWidget& FormWindow::widget(ControlId id) const { return *controls_[id].widget; }

std::string FormWindow::text(ControlId textBox) const {
  return toUtf8(controls_.textBox(textBox).textBox->text());
}

void FormWindow::setVisible(ControlId id, bool visible) {
  const Control& target = controls_[id];
  target.widget->setVisible(visible);
  if (target.widget->isHidden() == visible) throw visibilityNotChanged(*target.layout, visible);
}

void FormWindow::clear(ControlId id) { controls_.list(id).clear(); }

void FormWindow::addItem(ControlId id, std::string_view line) { controls_.list(id).append(line); }

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
  controls_.catchUpLists();
  QCoreApplication::processEvents();
}

bool FormWindow::saveList(ControlId list, std::string_view fileName,
                          const std::function<bool(double progress)>& keepGoing) {
  const LineStore& lines = controls_.list(list).lines();
  const std::optional<QString> path = chooseSaveFile(*this, saveFolder_, fileName);
  if (!path) return false;
  saveFolder_ = QFileInfo(*path).absolutePath();
  return saveListFile(lines, *path, keepGoing);
}

std::string FormWindow::decimalSeparator() const { return toUtf8(QLocale::system().decimalPoint()); }

}  // namespace runtime::qt
