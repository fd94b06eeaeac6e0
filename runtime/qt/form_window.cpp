#include "runtime/qt/form_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QResizeEvent>

#include <string>
#include <utility>

#include "runtime/qt/colours.h"
#include "runtime/qt/error_box.h"
#include "runtime/qt/font.h"
#include "runtime/qt/form_registry.h"
#include "runtime/qt/image_file.h"
#include "runtime/qt/keys.h"
#include "runtime/qt/line_list.h"
#include "runtime/qt/list_file.h"
#include "runtime/qt/picture_box.h"
#include "runtime/qt/resources.h"
#include "runtime/qt/save_dialog.h"
#include "runtime/qt/text.h"
#include "runtime/runtime_error.h"

namespace runtime::qt {

FormWindow::FormWindow(const FormLayout& layout, FormRegistry& forms, std::function<bool()> highContrast)
    : layout_(layout),
      forms_(forms),
      highContrast_(std::move(highContrast)),
      core_({.reportError = [this](const std::exception& error) { reportError(error); },
             .closeLater = [this] { close(); }}),
      listMenu_(core_),
      imageMenu_(core_),
      contrastWatch_([this] { recolour(); }),
      saveFolder_(QDir::homePath()) {
  setWindowTitle(toQString(layout.caption));
  setWindowIcon(loadIcon(layout.iconId));
  setFont(formFont(layout.font));
  const QSize size(toPixels(layout.clientWidth, kLogicalDpi), toPixels(layout.clientHeight, kLogicalDpi));
  if (layout.resizable) {
    resize(size);
  } else {
    setFixedSize(size);
  }
  laidOutSize_ = size;
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
    if (created.pictureBox != nullptr) {
      created.pictureBox->setContextMenuPolicy(Qt::CustomContextMenu);
      connect(created.pictureBox, &QWidget::customContextMenuRequested, this,
              [this, box = created.pictureBox](QPoint place) {
                imageMenu_.show(*core_.controls().find(&Control::pictureBox, box), box->mapToGlobal(place));
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
    if (listMenu_.formKeyPressed(*event) || imageMenu_.keyPressed(*event)) return;
  }
  QWidget::keyPressEvent(event);
}

// The menu key while none of the controls has the focus.
void FormWindow::contextMenuEvent(QContextMenuEvent* event) {
  event->setAccepted(event->reason() == QContextMenuEvent::Keyboard && imageMenu_.showForKeyboard());
}

// Picture boxes follow the window's size; the form hears of it once they have.
void FormWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (event->size() == laidOutSize_) return;
  const QSize growth = event->size() - QSize(toPixels(layout_.clientWidth, kLogicalDpi),
                                             toPixels(layout_.clientHeight, kLogicalDpi));
  for (const Control& control : core_.controls()) {
    if (followsFormSize(*control.layout)) followFormSize(control, growth);
  }
  laidOutSize_ = event->size();
  core_.events().raise([](FormEvents& events) { events.resize(); });
}

// A new theme may bring high contrast, or take it away.
void FormWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ThemeChange) recolour();
  QWidget::changeEvent(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
  const bool closes = core_.events().closeRequested();
  event->setAccepted(closes);
  if (closes) forms_.closed(*this);
}

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

std::optional<std::string> FormWindow::chosen(const std::optional<QString>& path) {
  if (!path) return std::nullopt;
  saveFolder_ = QFileInfo(*path).absolutePath();
  return toUtf8(*path);
}

std::optional<std::string> FormWindow::chooseListFile(std::string_view fileName) {
  return chosen(chooseSaveFile(*this, saveFolder_, fileName));
}

bool FormWindow::writeList(ControlId list, const std::string& path,
                           const std::function<bool(double progress)>& keepGoing) {
  return saveListFile(core_.lines(list), toQString(path), keepGoing);
}

const Control& FormWindow::pictureBox(ControlId id) const {
  const Control& control = core_.controls()[id];
  if (control.pictureBox == nullptr) throw notAPictureBox(*control.layout);
  return control;
}

PixelSize FormWindow::pixelSize(ControlId pictureBox) const {
  return this->pictureBox(pictureBox).pictureBox->pixelSize();
}

void FormWindow::showImage(ControlId pictureBox, const GreyImage& image) {
  this->pictureBox(pictureBox).pictureBox->showImage(image);
}

void FormWindow::setDescription(ControlId control, std::string_view description) {
  core_.controls()[control].widget->setAccessibleDescription(toQString(description));
}

std::optional<std::string> FormWindow::chooseImageFile(std::string_view fileName) {
  return chosen(qt::chooseImageFile(*this, saveFolder_, fileName));
}

void FormWindow::writeImage(const std::string& path, const GreyImage& image) {
  saveImageFile(image, toQString(path));
}

void FormWindow::openForm(const FormLayout& layout, const CreateForm& createForm) {
  forms_.open(layout, createForm);
}

void FormWindow::close() { QMetaObject::invokeMethod(this, "close", Qt::QueuedConnection); }

std::string FormWindow::decimalSeparator() const { return toUtf8(QLocale::system().decimalPoint()); }

}  // namespace runtime::qt
