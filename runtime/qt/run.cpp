#include "runtime/qt/run.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <exception>

#include "runtime/qt/error_box.h"
#include "runtime/qt/form_registry.h"

namespace runtime::qt {

int run(int argc, char** argv, const Project& project) {
  QApplication application(argc, argv);
  // Qt's own dialogs (saving the list) speak French like the window, where
  // Qt's translations are installed.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::French), "qtbase", "_",
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts);
  }
  try {
    FormRegistry forms;
    forms.open(project.startupLayout, project.createStartupForm);
    return QApplication::exec();
  } catch (const std::exception& error) {
    showRuntimeError(nullptr, project.startupLayout.caption, error);
    return 1;
  }
}

}  // namespace runtime::qt
