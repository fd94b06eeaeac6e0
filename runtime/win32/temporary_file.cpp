#include "runtime/win32/temporary_file.h"

#include <utility>

namespace runtime::win32 {

SaveFailure saveFailure(DWORD error) {
  switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return SaveFailure::DiskFull;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return SaveFailure::AccessDenied;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return SaveFailure::FolderMissing;
    default:
      return SaveFailure::Other;
  }
}

// The name is the target's with a number and ".tmp" added, the first number
// whose file does not exist yet.
TemporaryFile::TemporaryFile(const std::wstring& target) {
  constexpr int kAttempts = 100;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    path_ =
        target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt) + L".tmp";
    handle_ =
        CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ != INVALID_HANDLE_VALUE) {
      ours_ = true;
      return;
    }
    creationError_ = GetLastError();
    if (creationError_ != ERROR_FILE_EXISTS) return;
  }
}

TemporaryFile::~TemporaryFile() {
  close();
  if (ours_) DeleteFileW(path_.c_str());
}

void TemporaryFile::close() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
}

DWORD TemporaryFile::write(std::string_view bytes) const {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
      return GetLastError();
    }
    if (written == 0) return ERROR_DISK_FULL;
    bytes.remove_prefix(written);
  }
  return ERROR_SUCCESS;
}

DWORD TemporaryFile::replace(const std::wstring& target) {
  if (!FlushFileBuffers(handle_)) return GetLastError();
  close();
  // A read-only file is not replaced: Windows refuses it, but Wine would not.
  const DWORD targetAttributes = GetFileAttributesW(target.c_str());
  if (targetAttributes != INVALID_FILE_ATTRIBUTES && (targetAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return ERROR_ACCESS_DENIED;
  }
  if (!MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return GetLastError();
  }
  ours_ = false;
  return ERROR_SUCCESS;
}

}  // namespace runtime::win32
