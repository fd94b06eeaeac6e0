#include "runtime/win32/form_window.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "runtime/runtime_error.h"
#include "runtime/win32/accessible_name.h"
#include "runtime/win32/dpi.h"
#include "runtime/win32/error_box.h"
#include "runtime/win32/font.h"
#include "runtime/win32/form_registry.h"
#include "runtime/win32/image_file.h"
#include "runtime/win32/list_file.h"
#include "runtime/win32/mouse_pointer.h"
#include "runtime/win32/save_dialog.h"
#include "runtime/win32/text.h"
#include "runtime/win32/text_box_keys.h"

namespace runtime::win32 {
namespace {

// A form keeps the size of its layout, unless the layout makes it resizable.
DWORD formStyle(const FormLayout& layout) {
  constexpr DWORD kFixed = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  return layout.resizable ? kFixed | WS_THICKFRAME | WS_MAXIMIZEBOX : kFixed;
}
constexpr DWORD kFormExtendedStyle = 0;

}  // namespace

FormWindow::FormWindow(FormRegistry& forms, const FormLayout& layout, std::function<bool()> highContrast)
    : forms_(forms),
      layout_(layout),
      windowClass_(forms.formClass(layout, &windowProc)),
      highContrast_(std::move(highContrast)),
      core_({.reportError = [this](const std::exception& error) { reportError(error); },
             .closeLater =
                 [this] {
                   if (window_) PostMessageW(window_.get(), WM_CLOSE, 0, 0);
                 }}),
      listMenu_(forms.instance(), core_),
      imageMenu_(forms.instance(), core_) {
  // WM_NCCREATE hands the window to window_.
  CreateWindowExW(kFormExtendedStyle, windowClass_.name(), widen(layout.caption).c_str(), formStyle(layout),
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                  forms.instance(), this);
  if (!window_) throw RuntimeError("Impossible de créer la fenêtre " + std::string(layout.name) + ".");
  createControls();
  applyDpi(dpiOf(window_.get()), nullptr);
}

FormWindow::~FormWindow() = default;

void FormWindow::start(const CreateForm& createEvents, int showCommand) {
  core_.start(*this, createEvents);
  if (!window_) return;
  ShowWindow(window_.get(), showCommand);
  UpdateWindow(window_.get());
  if (focus_ != nullptr) SetFocus(focus_);
}

void FormWindow::dispatch(MSG& message) {
  // The form sees every key pressed in its window first (Escape included,
  // which dialog navigation would otherwise take).
  if (message.message == WM_KEYDOWN && window_ &&
      (message.hwnd == window_.get() || IsChild(window_.get(), message.hwnd))) {
    const auto keyCode = static_cast<std::int16_t>(message.wParam);
    core_.events().raise([keyCode](FormEvents& events) { events.keyDown(keyCode); });
  }
  if (window_ &&
      (listMenu_.keyPressed(window_.get(), message) || IsDialogMessageW(window_.get(), &message))) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void FormWindow::createControls() {
  for (const ControlLayout* layout : inCreationOrder(layout_.controls)) {
    Control control = createControl(window_.get(), *layout);
    if (layout->kind == ControlKind::TextBox) followTyping(control.window, layout->name, core_);
    if (focus_ == nullptr && takesFocus(*layout)) focus_ = control.window;
    // Without a field or a list, the picture box takes the keys and the screen reader's attention.
    if (focus_ == nullptr && control.pictureBox) focus_ = control.window;
    core_.controls().add(std::move(control));
  }
}

void FormWindow::applyDpi(int dpi, const RECT* suggested) {
  RECT frame{0, 0, toPixels(layout_.clientWidth, dpi), toPixels(layout_.clientHeight, dpi)};
  if (suggested != nullptr) {
    frame = *suggested;
  } else {
    adjustWindowRect(frame, formStyle(layout_), kFormExtendedStyle, dpi);
  }
  if (!SetWindowPos(window_.get(), nullptr, frame.left, frame.top, frame.right - frame.left,
                    frame.bottom - frame.top,
                    SWP_NOZORDER | SWP_NOACTIVATE | (suggested == nullptr ? SWP_NOMOVE : 0))) {
    throw RuntimeError("Impossible de dimensionner la fenêtre.");
  }
  UniqueFont font = createFont(layout_.font, static_cast<UINT>(dpi));
  placeControls(core_.controls(), layout_, font.get(), dpi);
  font_ = std::move(font);  // the controls no longer use the previous one
  icons_ = WindowIcons(window_.get(), windowClass_.instance(), layout_.iconId, dpi);
}

LRESULT CALLBACK FormWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<FormWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    created->window_.reset(window);
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    static_cast<void>(self->window_.release());  // the window is gone
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->handleShowingErrors(&FormWindow::handleMessage, window, message, wParam, lParam);
}

LRESULT FormWindow::handleShowingErrors(Handler handler, HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  try {
    return (this->*handler)(window, message, wParam, lParam);
  } catch (const std::exception& error) {
    reportError(error);
    return 0;
  }
}

LRESULT FormWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == EN_CHANGE) {
        const ControlId id = LOWORD(wParam);
        core_.events().raise([id](FormEvents& events) { events.change(id); });
        return 0;
      }
      if (listMenu_.command(wParam, lParam)) return 0;
      break;
    case WM_CONTEXTMENU:
      if (listMenu_.show(window, reinterpret_cast<HWND>(wParam), lParam) ||
          imageMenu_.show(window, reinterpret_cast<HWND>(wParam), lParam)) {
        return 0;
      }
      break;
    case WM_NOTIFY:
      return handleNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
    case WM_CTLCOLORSTATIC:
      if (const Control* control = core_.controls().find(&Control::window, reinterpret_cast<HWND>(lParam))) {
        auto* const platformBrush = reinterpret_cast<HBRUSH>(DefWindowProcW(window, message, wParam, lParam));
        return reinterpret_cast<LRESULT>(colourStatic(reinterpret_cast<HDC>(wParam), *control->layout,
                                                      control->background.get(), platformBrush,
                                                      highContrast_()));
      }
      break;
    case WM_SETCURSOR:
      if (pointer_ == MousePointer::Hourglass) {
        showMousePointer(window, pointer_);
        return TRUE;
      }
      break;
    case WM_ACTIVATE:
      activate(window, wParam);
      return 0;
    case WM_SIZE:
      resize(window, wParam);
      return 0;
    case WM_DPICHANGED:
      applyDpi(static_cast<int>(HIWORD(wParam)), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:  // high contrast turned on or off
      repaintInNewColours(window, core_.controls());
      break;
    case WM_CLOSE:
      if (!core_.events().closeRequested()) return 0;
      break;
    case WM_DESTROY:
      forms_.closing(*this);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void FormWindow::resize(HWND window, WPARAM kind) {
  if (kind == SIZE_MINIMIZED) return;
  followClientArea(core_.controls(), layout_, dpiOf(window));
  core_.events().raise([](FormEvents& events) { events.resize(); });
}

LRESULT FormWindow::handleNotify(const NMHDR& header, LPARAM lParam) {
  const Control* control = core_.controls().find(&Control::window, header.hwndFrom);
  if (control != nullptr && control->list && header.code == LVN_GETDISPINFOW) {
    control->list->fillItem(reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
  }
  return 0;
}

void FormWindow::activate(HWND window, WPARAM state) {
  if (LOWORD(state) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window, focus)) focus_ = focus;
  } else if (focus_ != nullptr) {
    SetFocus(focus_);
  }
}

void FormWindow::reportError(const std::exception& error) {
  showRuntimeError(window_.get(), layout_.caption, error);
}

std::string FormWindow::text(ControlId textBox) const {
  const Control& box = core_.controls().textBox(textBox);
  return windowText(box.window, box.layout->name);
}

void FormWindow::setVisible(ControlId id, bool visible) {
  const Control& target = core_.controls()[id];
  ShowWindow(target.window, visible ? SW_SHOWNA : SW_HIDE);
  checkVisibility(*target.layout, (GetWindowLongPtrW(target.window, GWL_STYLE) & WS_VISIBLE) != 0, visible);
}

void FormWindow::clear(ControlId id) { core_.clear(id); }

void FormWindow::addItem(ControlId id, std::string_view line) { core_.addItem(id, line); }

void FormWindow::setMousePointer(MousePointer pointer) {
  pointer_ = pointer;
  showMousePointer(window_.get(), pointer);
}

void FormWindow::setCaption(std::string_view caption) {
  if (!SetWindowTextW(window_.get(), widen(caption).c_str())) {
    throw RuntimeError("Impossible de changer le titre de la fenêtre.");
  }
}

void FormWindow::doEvents() {
  core_.controls().catchUpLists();
  forms_.handleWaiting();
}

std::optional<std::string> FormWindow::chooseListFile(std::string_view fileName) {
  return chooseSaveFile(window_.get(), fileName, kTextFile);
}

bool FormWindow::writeList(ControlId list, const std::string& path,
                           const std::function<bool(double progress)>& keepGoing) {
  return saveListFile(core_.lines(list), path, keepGoing);
}

PixelSize FormWindow::pixelSize(ControlId pictureBox) const {
  return win32::pictureBox(core_.controls(), pictureBox).size();
}

void FormWindow::showImage(ControlId pictureBox, const GreyImage& image) {
  win32::pictureBox(core_.controls(), pictureBox).show(image);
}

void FormWindow::setDescription(ControlId control, std::string_view description) {
  describeForScreenReaders(core_.controls()[control].window, description);
}

std::optional<std::string> FormWindow::chooseImageFile(std::string_view fileName) {
  return chooseSaveFile(window_.get(), fileName, kPngImage);
}

void FormWindow::writeImage(const std::string& path, const GreyImage& image) { saveImageFile(image, path); }

void FormWindow::openForm(const FormLayout& layout, const CreateForm& createForm) {
  forms_.open(layout, createForm, SW_SHOWNORMAL);
}

void FormWindow::close() {
  if (window_) PostMessageW(window_.get(), WM_CLOSE, 0, 0);
}

std::string FormWindow::decimalSeparator() const { return userDecimalSeparator(); }

}  // namespace runtime::win32
