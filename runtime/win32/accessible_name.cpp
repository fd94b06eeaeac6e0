#include "runtime/win32/accessible_name.h"

#include <oleacc.h>

#include <string>

#include "runtime/runtime_error.h"
#include "runtime/win32/handles.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {
namespace {

// Annotates a control's accessible object with a text property. Annotations
// need COM on this thread and Windows' oleacc; without either, nothing is done.
void annotate(HWND control, const MSAAPROPID& property, const std::wstring& text) {
  IAccPropServices* services = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                              reinterpret_cast<void**>(&services)))) {
    return;
  }
  const ComPointer<IAccPropServices> owned(services);
  services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property, text.c_str());
}

}  // namespace

void nameForScreenReaders(HWND control, std::string_view name) {
  const std::wstring wideName = widen(name);
  if (!SetWindowTextW(control, wideName.c_str()))
    throw RuntimeError("Impossible de nommer un contrôle pour les lecteurs d'écran.");
  annotate(control, PROPID_ACC_NAME, wideName);
}

void describeForScreenReaders(HWND control, std::string_view description) {
  annotate(control, PROPID_ACC_DESCRIPTION, widen(description));
}

}  // namespace runtime::win32
