#include "beside_this_program.h"

#include <windows.h>

#include <stdexcept>

namespace gui {

std::wstring besideThisProgram(std::wstring_view name) {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size()) {
    path.resize(path.size() * 2);
  }
  if (length == 0) throw std::runtime_error("cannot find this program's path");
  path.resize(path.find_last_of(L"\\/") + 1);
  return path + std::wstring(name);
}

}  // namespace gui
