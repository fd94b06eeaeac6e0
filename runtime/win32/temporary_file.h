#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "runtime/runtime_error.h"

namespace runtime::win32 {

// Why a file could not be saved, from the system's error code.
SaveFailure saveFailure(DWORD error);

// A new file beside a target, deleted when destroyed unless it replaced the
// target: what a save writes into, so that an earlier file stays as it was
// until the new one is complete and on disk.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::wstring& target);
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  TemporaryFile(TemporaryFile&&) = delete;
  TemporaryFile& operator=(TemporaryFile&&) = delete;
  ~TemporaryFile();

  // Each returns the system's error code, or ERROR_SUCCESS.
  [[nodiscard]] DWORD write(std::string_view bytes) const;
  // Puts the whole file on disk, then puts it in the target's place.
  [[nodiscard]] DWORD replace(const std::wstring& target);
  [[nodiscard]] DWORD creationError() const { return creationError_; }

 private:
  void close();

  std::wstring path_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  DWORD creationError_ = ERROR_SUCCESS;
  bool ours_ = false;  // the file exists under path_ and is to be deleted
};

}  // namespace runtime::win32
