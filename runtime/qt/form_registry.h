#pragma once

#include <QTimer>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "runtime/form.h"
#include "runtime/layout.h"
#include "runtime/qt/high_contrast.h"

namespace runtime::qt {

class FormWindow;

// The program's open forms, which it owns. The first form opened is the
// start-up form: closing it closes the others, and so ends the program (Qt's
// application ends its event loop when its last window closes). Any other
// form lives on by itself until it closes, and is deleted once control is
// back in the event loop, after its window's events have all returned.
class FormRegistry {
 public:
  // Whether the desktop asks for high contrast is highContrast's answer, for every form.
  explicit FormRegistry(std::function<bool()> highContrast = desktopHighContrast);
  FormRegistry(const FormRegistry&) = delete;
  FormRegistry& operator=(const FormRegistry&) = delete;
  FormRegistry(FormRegistry&&) = delete;
  FormRegistry& operator=(FormRegistry&&) = delete;
  ~FormRegistry();

  // Makes a form's window from its layout, creates its code, runs its Load
  // and shows it.
  FormWindow& open(const FormLayout& layout, const CreateForm& createForm);
  // After a form's window has closed.
  void closed(FormWindow& form);
  // How many forms are open.
  [[nodiscard]] std::size_t size() const { return forms_.size(); }

 private:
  void remove(const FormWindow& form);
  void removeClosed();

  std::function<bool()> highContrast_;
  std::vector<std::unique_ptr<FormWindow>> forms_;
  // The forms closed, removed once control is back in the event loop.
  std::vector<const FormWindow*> closed_;
  QTimer removal_;
};

}  // namespace runtime::qt
