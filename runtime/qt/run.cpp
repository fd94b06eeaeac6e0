#include "runtime/qt/run.h"

#include <QApplication>

#include <exception>

#include "runtime/qt/error_box.h"
#include "runtime/qt/form_window.h"

namespace runtime::qt {

int run(int argc, char** argv, const Project& project) {
  QApplication application(argc, argv);
  try {
    FormWindow form(project.startupLayout);
    form.start(project.createStartupForm);
    return QApplication::exec();
  } catch (const std::exception& error) {
    showRuntimeError(nullptr, project.startupLayout.caption, error);
    return 1;
  }
}

}  // namespace runtime::qt
