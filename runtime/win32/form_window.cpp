#include "runtime/win32/form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "runtime/runtime_error.h"
#include "runtime/win32/colours.h"
#include "runtime/win32/controls.h"
#include "runtime/win32/dpi.h"
#include "runtime/win32/error_box.h"
#include "runtime/win32/fonts.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {
namespace {

// A form keeps the size of its layout: it has no sizing border.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFormExtendedStyle = 0;

struct FormIcons {
  HICON large;
  HICON small;
};

// Shared icons: the system keeps them as long as the program runs.
FormIcons loadIcons(HINSTANCE instance, int iconId) {
  return {static_cast<HICON>(
              LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED)),
          static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                        LR_SHARED))};
}

WindowClass registerFormClass(HINSTANCE instance, const FormLayout& layout, WNDPROC windowProc) {
  const std::wstring name = L"trivel." + widen(layout.name);
  const FormIcons icons = loadIcons(instance, layout.iconId);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = icons.large;
  windowClass.hIconSm = icons.small;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name.c_str();
  return {windowClass};
}

UniqueBitmap loadPicture(HINSTANCE instance, int pictureId) {
  UniqueBitmap picture(static_cast<HBITMAP>(
      LoadImageW(instance, MAKEINTRESOURCEW(pictureId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  if (!picture)
    throw RuntimeError("Image introuvable dans les ressources : " + std::to_string(pictureId) + ".");
  return picture;
}

}  // namespace

FormWindow::FormWindow(HINSTANCE instance, const FormLayout& layout)
    : layout_(layout),
      windowClass_(registerFormClass(instance, layout, &windowProc)),
      events_({.reportError = [this](const std::exception& error) { reportError(error); },
               .catchUp = [this] { syncLists(); },
               .closeLater =
                   [this] {
                     if (window_) PostMessageW(window_.get(), WM_CLOSE, 0, 0);
                   }}) {
  // WM_NCCREATE hands the window to window_.
  CreateWindowExW(kFormExtendedStyle, windowClass_.name(), widen(layout.caption).c_str(), kFormStyle,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                  this);
  if (!window_) throw RuntimeError("Impossible de créer la fenêtre " + std::string(layout.name) + ".");
  createControls();
  applyDpi(dpiOf(window_.get()));
}

FormWindow::~FormWindow() = default;

void FormWindow::start(const std::function<std::unique_ptr<FormEvents>(Form&)>& createEvents,
                       int showCommand) {
  events_.start(createEvents(*this));
  events_.raise([](FormEvents& events) { events.load(); });
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
    events_.raise([keyCode](FormEvents& events) { events.keyDown(keyCode); });
  }
  if (window_ && IsDialogMessageW(window_.get(), &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void FormWindow::createControls() {
  auto* const instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_.get(), GWLP_HINSTANCE));
  for (const ControlLayout* layout : inTabOrder(layout_.controls)) {
    const HWND window = createControl(window_.get(), *layout);
    controls_.push_back({layout, window});
    switch (layout->kind) {
      case ControlKind::Image:
        if (layout->pictureId != 0) {
          pictures_.push_back(loadPicture(instance, layout->pictureId));
          SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(pictures_.back().get()));
        }
        break;
      case ControlKind::TextBox:
        if (!SetWindowSubclass(window, &textBoxProc, 0, reinterpret_cast<DWORD_PTR>(this))) {
          throw RuntimeError("Impossible de suivre la frappe dans " + std::string(layout->name) + ".");
        }
        break;
      case ControlKind::ListBox:
        lists_.try_emplace(layout->id, window);
        break;
      case ControlKind::Label:
        break;
    }
    if (!layout->toolTip.empty()) addToolTip(window, layout->toolTip);
    if (layout->background.kind == Colour::Kind::Rgb)
      backgrounds_.try_emplace(layout->id, createBrush(layout->background));
    if (focus_ == nullptr && (GetWindowLongPtrW(window, GWL_STYLE) & WS_TABSTOP) != 0) focus_ = window;
  }
}

void FormWindow::applyDpi(UINT dpi) {
  RECT frame{0, 0, toPixels(layout_.clientWidth, dpi), toPixels(layout_.clientHeight, dpi)};
  AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExtendedStyle);
  if (!SetWindowPos(window_.get(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                    SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)) {
    throw RuntimeError("Impossible de dimensionner la fenêtre.");
  }
  UniqueFont font = createFont(layout_.font, dpi);
  for (const Control& control : controls_) {
    SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    placeControl(control.window, *control.layout, dpi);
  }
  font_ = std::move(font);  // the controls no longer use the previous one
  for (auto& [id, list] : lists_) list.fitColumn();
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
  try {
    return self->handleMessage(window, message, wParam, lParam);
  } catch (const std::exception& error) {
    self->reportError(error);
    return 0;
  }
}

LRESULT FormWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == EN_CHANGE) {
        const ControlId id = LOWORD(wParam);
        events_.raise([id](FormEvents& events) { events.change(id); });
        return 0;
      }
      break;
    case WM_NOTIFY:
      return handleNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
    case WM_CTLCOLORSTATIC:
      return colourStatic(window, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
      if (pointer_ == MousePointer::Hourglass) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_ACTIVATE:
      activate(window, wParam);
      return 0;
    case WM_DPICHANGED: {
      applyDpi(HIWORD(wParam));
      const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window, nullptr, suggested.left, suggested.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_CLOSE:
      if (!events_.closeRequested()) return 0;
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
  const auto list = lists_.find(static_cast<ControlId>(header.idFrom));
  if (list == lists_.end()) return 0;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      list->second.fillItem(reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
      break;
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == 'C' && GetKeyState(VK_CONTROL) < 0) {
        list->second.copyAllToClipboard();
      }
      break;
    default:
      break;
  }
  return 0;
}

LRESULT FormWindow::colourStatic(HWND window, HDC dc, HWND controlWindow) {
  const LRESULT platformBrush = DefWindowProcW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                               reinterpret_cast<LPARAM>(controlWindow));
  const Control* control = controlOf(controlWindow);
  if (control == nullptr) return platformBrush;
  const Colour foreground = control->layout->foreground;
  const Colour background = control->layout->background;
  if (foreground.kind != Colour::Kind::PlatformDefault) SetTextColor(dc, colourRef(foreground));
  switch (background.kind) {
    case Colour::Kind::PlatformDefault:
      return platformBrush;
    case Colour::Kind::Rgb:
      SetBkColor(dc, colourRef(background));
      return reinterpret_cast<LRESULT>(backgrounds_.at(control->layout->id).get());
    default:
      SetBkColor(dc, colourRef(background));
      return reinterpret_cast<LRESULT>(systemBrush(background));
  }
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
  auto* form = reinterpret_cast<FormWindow*>(self);
  try {
    return form->handleTextBoxMessage(window, message, wParam, lParam);
  } catch (const std::exception& error) {
    form->reportError(error);
    return 0;
  }
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
      events_.raise([id, keyAscii](FormEvents& events) { events.keyPress(id, keyAscii); });
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

void FormWindow::syncLists() {
  for (auto& [id, list] : lists_) list.syncCount();
}

const FormWindow::Control& FormWindow::control(ControlId id) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [id](const Control& control) { return control.layout->id == id; });
  if (found == controls_.end()) throw RuntimeError("Contrôle inconnu : " + std::to_string(id) + ".");
  return *found;
}

const FormWindow::Control* FormWindow::controlOf(HWND window) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [window](const Control& control) { return control.window == window; });
  return found == controls_.end() ? nullptr : &*found;
}

OwnerDataList& FormWindow::list(ControlId id) {
  const auto found = lists_.find(id);
  if (found == lists_.end()) {
    throw RuntimeError("Le contrôle " + std::string(control(id).layout->name) + " n'est pas une liste.");
  }
  return found->second;
}

std::string FormWindow::text(ControlId textBox) const {
  const Control& box = control(textBox);
  SetLastError(ERROR_SUCCESS);
  const int length = GetWindowTextLengthW(box.window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(box.window, text.data(), length + 1);
  if (copied == 0 && GetLastError() != ERROR_SUCCESS) {
    throw RuntimeError("Impossible de lire le texte de " + std::string(box.layout->name) + ".");
  }
  text.resize(static_cast<std::size_t>(copied));
  return narrow(text);
}

void FormWindow::setVisible(ControlId id, bool visible) {
  const Control& target = control(id);
  ShowWindow(target.window, visible ? SW_SHOWNA : SW_HIDE);
  if (((GetWindowLongPtrW(target.window, GWL_STYLE) & WS_VISIBLE) != 0) != visible) {
    throw RuntimeError(std::string(visible ? "Impossible d'afficher " : "Impossible de cacher ") +
                       std::string(target.layout->name) + ".");
  }
}

void FormWindow::clear(ControlId id) { list(id).clear(); }

void FormWindow::addItem(ControlId id, std::string_view line) { list(id).append(line); }

void FormWindow::setMousePointer(MousePointer pointer) {
  pointer_ = pointer;
  if (pointer == MousePointer::Hourglass) {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return;
  }
  // Lets the window under the mouse choose its pointer again now, not at the next move.
  POINT position{};
  if (!GetCursorPos(&position)) return;
  const HWND under = WindowFromPoint(position);
  if (under == nullptr || (under != window_.get() && !IsChild(window_.get(), under))) return;
  const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(position.x, position.y));
  SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE));
}

void FormWindow::setCaption(std::string_view caption) {
  if (!SetWindowTextW(window_.get(), widen(caption).c_str())) {
    throw RuntimeError("Impossible de changer le titre de la fenêtre.");
  }
}

std::chrono::steady_clock::time_point FormWindow::now() const { return std::chrono::steady_clock::now(); }

void FormWindow::doEvents() {
  syncLists();
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop to see
      return;
    }
    dispatch(message);
  }
}

std::string FormWindow::decimalSeparator() const {
  wchar_t separator[8]{};
  const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator,
                                     static_cast<int>(std::size(separator)));
  if (length == 0) throw RuntimeError("Impossible de lire le séparateur décimal des paramètres régionaux.");
  return narrow({separator, static_cast<std::size_t>(length - 1)});
}

}  // namespace runtime::win32
