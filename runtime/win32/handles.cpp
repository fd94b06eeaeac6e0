#include "runtime/win32/handles.h"

#include "runtime/runtime_error.h"

namespace runtime::win32 {

WindowClass::WindowClass(const WNDCLASSEXW& windowClass)
    : instance_(windowClass.hInstance), atom_(RegisterClassExW(&windowClass)) {
  if (atom_ == 0) throw RuntimeError("Impossible d'enregistrer la classe de la fenêtre.");
}

OpenClipboardSession::OpenClipboardSession(HWND owner) {
  if (!OpenClipboard(owner)) throw RuntimeError("Impossible d'ouvrir le presse-papiers.");
}

GlobalLockGuard::GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {
  if (data_ == nullptr) throw RuntimeError("Impossible d'accéder à la mémoire du presse-papiers.");
}

}  // namespace runtime::win32
