#include "runtime/win32/text_box_keys.h"

// after windows.h
#include <commctrl.h>

#include <cstdint>
#include <exception>
#include <string>

#include "runtime/runtime_error.h"

namespace runtime::win32 {
namespace {

LRESULT handleTextBoxMessage(HWND textBox, UINT message, WPARAM wParam, LPARAM lParam,
                             FormCore<Control>& form);

LRESULT CALLBACK textBoxProc(HWND textBox, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                             DWORD_PTR formCore) {
  auto& form = *reinterpret_cast<FormCore<Control>*>(formCore);
  try {
    return handleTextBoxMessage(textBox, message, wParam, lParam, form);
  } catch (const std::exception& error) {
    form.reportError(error);
    return 0;
  }
}

LRESULT handleTextBoxMessage(HWND textBox, UINT message, WPARAM wParam, LPARAM lParam,
                             FormCore<Control>& form) {
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
      form.events().raise([id, keyAscii](FormEvents& events) { events.keyPress(id, keyAscii); });
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

}  // namespace

void followTyping(HWND textBox, std::string_view name, FormCore<Control>& form) {
  if (!SetWindowSubclass(textBox, &textBoxProc, 0, reinterpret_cast<DWORD_PTR>(&form))) {
    throw RuntimeError("Impossible de suivre la frappe dans " + std::string(name) + ".");
  }
}

}  // namespace runtime::win32
