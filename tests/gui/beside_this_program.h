#pragma once

#include <string>
#include <string_view>

namespace gui {

// The path of a file in the folder of the running program (trivel.exe is
// built beside the test programs).
std::wstring besideThisProgram(std::wstring_view name);

}  // namespace gui
