#pragma once

#include <windows.h>

#include "runtime/project.h"

namespace runtime::win32 {

// Opens the project's start-up form and handles its messages until it closes.
// Returns the program's exit code.
int run(HINSTANCE instance, const Project& project, int showCommand);

}  // namespace runtime::win32
