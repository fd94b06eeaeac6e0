#include "runtime/win32/accessible_name.h"

#include <oleacc.h>

#include <string>

#include "runtime/runtime_error.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {

void nameForScreenReaders(HWND control, std::string_view name) {
  const std::wstring wideName = widen(name);
  if (!SetWindowTextW(control, wideName.c_str()))
    throw RuntimeError("Impossible de nommer un contrôle pour les lecteurs d'écran.");
  // Annotations need COM on this thread and Windows' oleacc; without either, the window text remains.
  IAccPropServices* services = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                              reinterpret_cast<void**>(&services)))) {
    return;
  }
  services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                           wideName.c_str());
  services->Release();
}

}  // namespace runtime::win32
