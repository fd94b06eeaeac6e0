#include "runtime/qt/form_registry.h"

#include <algorithm>
#include <utility>

#include "runtime/qt/form_window.h"

namespace runtime::qt {

FormRegistry::FormRegistry(std::function<bool()> highContrast) : highContrast_(std::move(highContrast)) {
  removal_.setSingleShot(true);
  removal_.setInterval(0);
  QObject::connect(&removal_, &QTimer::timeout, [this] { removeClosed(); });
}

FormRegistry::~FormRegistry() = default;

FormWindow& FormRegistry::open(const FormLayout& layout, const CreateForm& createForm) {
  FormWindow& form = *forms_.emplace_back(std::make_unique<FormWindow>(layout, *this, highContrast_));
  try {
    form.start(createForm);
  } catch (...) {
    remove(form);
    throw;
  }
  return form;
}

void FormRegistry::closed(FormWindow& form) {
  if (&form != forms_.front().get()) {
    // The window's close event is still on the stack: it goes once that has returned.
    closed_.push_back(&form);
    removal_.start();
    return;
  }
  // With the start-up form's window the others close too, each as its user
  // would; once the last has, Qt ends the event loop, and so the program.
  for (const auto& other : forms_) {
    if (other.get() != &form) other->QWidget::close();
  }
}

void FormRegistry::remove(const FormWindow& form) {
  std::erase_if(forms_, [&form](const auto& open) { return open.get() == &form; });
}

void FormRegistry::removeClosed() {
  for (const FormWindow* form : std::exchange(closed_, {})) remove(*form);
}

}  // namespace runtime::qt
