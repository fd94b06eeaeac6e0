#pragma once

#include "runtime/project.h"

namespace runtime::qt {

// Opens the project's start-up form and handles the events of its window, and
// of the forms it opens, until it closes.
// Returns the program's exit code.
int run(int argc, char** argv, const Project& project);

}  // namespace runtime::qt
