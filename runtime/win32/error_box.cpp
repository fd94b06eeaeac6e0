#include "runtime/win32/error_box.h"

#include <new>
#include <string>

#include "runtime/runtime_error.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {
namespace {

std::string describe(const std::exception& error) {
  if (dynamic_cast<const RuntimeError*>(&error) != nullptr) return error.what();
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return "mémoire insuffisante.";
  return std::string("erreur interne (") + error.what() + ").";
}

}  // namespace

void showRuntimeError(HWND owner, std::string_view title, const std::exception& error) {
  const std::wstring message = L"Erreur d'ex\u00E9cution : " + widen(describe(error));
  MessageBoxW(owner, message.c_str(), widen(title).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace runtime::win32
