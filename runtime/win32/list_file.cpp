#include "runtime/win32/list_file.h"

#include <string_view>

#include "runtime/list_file.h"
#include "runtime/runtime_error.h"
#include "runtime/win32/temporary_file.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {

bool saveListFile(const LineStore& lines, const std::string& path,
                  const std::function<bool(double progress)>& keepGoing) {
  const std::wstring target = widen(path);
  TemporaryFile file(target);
  const auto check = [&path](DWORD error) {
    if (error != ERROR_SUCCESS) throw listNotSaved(path, saveFailure(error));
  };
  check(file.creationError());
  const bool complete = writeListLines(
      lines, "\r\n", [&](std::string_view block) { check(file.write(block)); }, keepGoing);
  if (complete) check(file.replace(target));
  return complete;
}

}  // namespace runtime::win32
