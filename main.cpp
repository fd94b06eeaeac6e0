// The program's entry: hands the runtime the project, whose start-up form is
// Feuille1; on Windows the Windows runtime, elsewhere the Qt one.
#include <memory>

#include "runtime/project.h"
#include "window/feuille1.h"
#include "window/feuille1_layout.h"

namespace {

runtime::Project project() {
  return {feuille1::layout(), [](runtime::Form& form) -> std::unique_ptr<runtime::FormEvents> {
            return std::make_unique<Feuille1>(form);
          }};
}

}  // namespace

#ifdef _WIN32
#include <windows.h>

#include "runtime/win32/run.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/, int nShowCmd) {
  return runtime::win32::run(hInstance, project(), nShowCmd);
}
#else
#include "runtime/qt/run.h"

int main(int argc, char** argv) { return runtime::qt::run(argc, argv, project()); }
#endif
