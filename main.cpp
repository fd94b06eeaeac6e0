// The program's entry: hands the Windows runtime the project, whose start-up
// form is Feuille1.
#include <windows.h>

#include <memory>

#include "runtime/project.h"
#include "runtime/win32/run.h"
#include "window/feuille1.h"
#include "window/feuille1_layout.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/, int nShowCmd) {
  const runtime::Project project{feuille1::layout(),
                                 [](runtime::Form& form) -> std::unique_ptr<runtime::FormEvents> {
                                   return std::make_unique<Feuille1>(form);
                                 }};
  return runtime::win32::run(hInstance, project, nShowCmd);
}
