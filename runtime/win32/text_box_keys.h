#pragma once

#include <windows.h>

#include <string_view>

#include "runtime/form_core.h"
#include "runtime/win32/controls.h"

namespace runtime::win32 {

// Follows the keys typed in a text box for its form: each character is the
// form's KeyPress, and Enter is the form's to handle rather than the dialog
// navigation's. An error that leaves KeyPress goes to the form's window.
void followTyping(HWND textBox, std::string_view name, FormCore<Control>& form);

}  // namespace runtime::win32
