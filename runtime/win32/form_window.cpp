#include "runtime/win32/form_window.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "runtime/runtime_error.h"
#include "runtime/win32/dpi.h"
#include "runtime/win32/error_box.h"
#include "runtime/win32/font.h"
#include "runtime/win32/list_file.h"
#include "runtime/win32/mouse_pointer.h"
#include "runtime/win32/save_dialog.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {
namespace {

// A form keeps the size of its layout: it has no sizing border.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFormExtendedStyle = 0;

WindowClass registerFormClass(HINSTANCE instance, const FormLayout& layout, WNDPROC windowProc) {
  const std::wstring name = L"trivel." + widen(layout.name);
  return {{.cbSize = sizeof(WNDCLASSEXW),
           .lpfnWndProc = windowProc,
           .hInstance = instance,
           .hCursor = LoadCursorW(nullptr, IDC_ARROW),
           .hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
           .lpszClassName = name.c_str()}};
}

}  // namespace

FormWindow::FormWindow(HINSTANCE instance, const FormLayout& layout, std::function<bool()> highContrast)
    : layout_(layout),
      windowClass_(registerFormClass(instance, layout, &windowProc)),
      highContrast_(std::move(highContrast)),
      core_({.reportError = [this](const std::exception& error) { reportError(error); },
             .closeLater =
                 [this] {
                   if (window_) PostMessageW(window_.get(), WM_CLOSE, 0, 0);
                 }}),
      listMenu_(instance, core_) {
  // WM_NCCREATE hands the window to window_.
  CreateWindowExW(kFormExtendedStyle, windowClass_.name(), widen(layout.caption).c_str(), kFormStyle,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                  this);
  if (!window_) throw RuntimeError("Impossible de créer la fenêtre " + std::string(layout.name) + ".");
  createControls();
  applyDpi(dpiOf(window_.get()), nullptr);
}

FormWindow::~FormWindow() = default;

void FormWindow::start(const std::function<std::unique_ptr<FormEvents>(Form&)>& createEvents,
                       int showCommand) {
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
    if (layout->kind == ControlKind::TextBox &&
        !SetWindowSubclass(control.window, &textBoxProc, 0, reinterpret_cast<DWORD_PTR>(this))) {
      throw RuntimeError("Impossible de suivre la frappe dans " + std::string(layout->name) + ".");
    }
    if (focus_ == nullptr && takesFocus(*layout)) focus_ = control.window;
    core_.controls().add(std::move(control));
  }
}

void FormWindow::applyDpi(int dpi, const RECT* suggested) {
  RECT frame{0, 0, toPixels(layout_.clientWidth, dpi), toPixels(layout_.clientHeight, dpi)};
  if (suggested != nullptr) {
    frame = *suggested;
  } else {
    adjustWindowRect(frame, kFormStyle, kFormExtendedStyle, dpi);
  }
  if (!SetWindowPos(window_.get(), nullptr, frame.left, frame.top, frame.right - frame.left,
                    frame.bottom - frame.top,
                    SWP_NOZORDER | SWP_NOACTIVATE | (suggested == nullptr ? SWP_NOMOVE : 0))) {
    throw RuntimeError("Impossible de dimensionner la fenêtre.");
  }
  UniqueFont font = createFont(layout_.font, static_cast<UINT>(dpi));
  placeControls(core_.controls(), font.get(), dpi);
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
      if (listMenu_.show(window, reinterpret_cast<HWND>(wParam), lParam)) return 0;
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
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
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

LRESULT CALLBACK FormWindow::textBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR /*id*/, DWORD_PTR self) {
  return reinterpret_cast<FormWindow*>(self)->handleShowingErrors(&FormWindow::handleTextBoxMessage, window,
                                                                  message, wParam, lParam);
}

LRESULT FormWindow::handleTextBoxMessage(HWND textBox, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: {
      // Enter is the form's to handle, not the dialog navigation's.
      LRESULT code = DefSubclassProc(textBox, message, wParam, lParam);
      const auto* pending = reinterpret_cast<const MSG*>(lParam);
      if (pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) {
        code |= DLGC_WANTALLKEYS;
      }
      return code;
    }
    case WM_CHAR: {
      const ControlId id = GetDlgCtrlID(textBox);
      const auto keyAscii = static_cast<std::int16_t>(static_cast<std::uint16_t>(wParam));
      core_.events().raise([id, keyAscii](FormEvents& events) { events.keyPress(id, keyAscii); });
      if (!IsWindow(textBox)) return 0;
      break;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(textBox, &textBoxProc, 0);
      break;
    default:
      break;
  }
  return DefSubclassProc(textBox, message, wParam, lParam);
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
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop to see
      return;
    }
    dispatch(message);
  }
}

std::optional<std::string> FormWindow::chooseListFile(std::string_view fileName) {
  return chooseSaveFile(window_.get(), fileName);
}

bool FormWindow::writeList(ControlId list, const std::string& path,
                           const std::function<bool(double progress)>& keepGoing) {
  return saveListFile(core_.lines(list), path, keepGoing);
}

std::string FormWindow::decimalSeparator() const { return userDecimalSeparator(); }

}  // namespace runtime::win32
