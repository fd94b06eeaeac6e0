#include "runtime/qt/error_box.h"

#include <QMessageBox>

#include <new>
#include <string>

#include "runtime/qt/text.h"
#include "runtime/runtime_error.h"

namespace runtime::qt {
namespace {

std::string describe(const std::exception& error) {
  if (dynamic_cast<const RuntimeError*>(&error) != nullptr) return error.what();
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return "mémoire insuffisante.";
  return std::string("erreur interne (") + error.what() + ").";
}

}  // namespace

void showRuntimeError(QWidget* owner, std::string_view title, const std::exception& error) {
  QMessageBox box(QMessageBox::Critical, toQString(title),
                  toQString("Erreur d'exécution : " + describe(error)), QMessageBox::Ok, owner);
  box.exec();
}

}  // namespace runtime::qt
