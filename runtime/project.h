#pragma once

#include <functional>
#include <memory>

#include "runtime/form.h"
#include "runtime/layout.h"

namespace runtime {

// What the program's entry hands the runtime: the start-up form, as its layout
// and a way to create its code once the window exists.
struct Project {
  const FormLayout& startupLayout;
  std::function<std::unique_ptr<FormEvents>(Form&)> createStartupForm;
};

}  // namespace runtime
