#include "runtime/win32/run.h"

#include <commctrl.h>

#include <exception>

#include "runtime/win32/error_box.h"
#include "runtime/win32/form_registry.h"
#include "runtime/win32/handles.h"

namespace runtime::win32 {

int run(HINSTANCE instance, const Project& project, int showCommand) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  const ComApartment com;
  try {
    FormRegistry forms(instance);
    forms.open(project.startupLayout, project.createStartupForm, showCommand);
    return forms.run();
  } catch (const std::exception& error) {
    showRuntimeError(nullptr, project.startupLayout.caption, error);
    return 1;
  }
}

}  // namespace runtime::win32
