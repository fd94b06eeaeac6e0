#include "runtime/qt/error_box.h"

#include <QMessageBox>

#include "runtime/qt/text.h"
#include "runtime/runtime_error.h"

namespace runtime::qt {

void showRuntimeError(QWidget* owner, std::string_view title, const std::exception& error) {
  QMessageBox box(QMessageBox::Critical, toQString(title), toQString(runtimeErrorMessage(error)),
                  QMessageBox::Ok, owner);
  box.exec();
}

}  // namespace runtime::qt
