#include "runtime/win32/error_box.h"

#include "runtime/runtime_error.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {

void showRuntimeError(HWND owner, std::string_view title, const std::exception& error) {
  MessageBoxW(owner, widen(runtimeErrorMessage(error)).c_str(), widen(title).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace runtime::win32
