#include "runtime/win32/save_dialog.h"

// after windows.h
#include <commdlg.h>
#include <shobjidl.h>

#include <memory>
#include <vector>

#include "runtime/runtime_error.h"
#include "runtime/win32/handles.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {
namespace {

struct ComTaskFreer {
  void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};

RuntimeError dialogFailed() { return RuntimeError("Impossible d'afficher la boîte d'enregistrement."); }

std::optional<std::string> chooseWithItemDialog(IFileSaveDialog& dialog, HWND owner,
                                                std::string_view fileName, const FileType& type) {
  const COMDLG_FILTERSPEC filter{type.filterName, type.pattern};
  FILEOPENDIALOGOPTIONS options = 0;
  if (FAILED(dialog.GetOptions(&options)) ||
      FAILED(dialog.SetOptions(options | FOS_OVERWRITEPROMPT | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST)) ||
      FAILED(dialog.SetFileTypes(1, &filter)) || FAILED(dialog.SetDefaultExtension(type.extension)) ||
      FAILED(dialog.SetFileName(widen(fileName).c_str()))) {
    throw dialogFailed();
  }
  const HRESULT shown = dialog.Show(owner);
  if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return std::nullopt;
  IShellItem* chosen = nullptr;
  if (FAILED(shown) || FAILED(dialog.GetResult(&chosen))) throw dialogFailed();
  const ComPointer<IShellItem> item(chosen);
  wchar_t* path = nullptr;
  if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) throw dialogFailed();
  const std::unique_ptr<wchar_t, ComTaskFreer> ownedPath(path);
  return narrow(ownedPath.get());
}

std::optional<std::string> chooseWithOlderDialog(HWND owner, std::string_view fileName,
                                                 const FileType& type) {
  // Long paths included; the proposed name is cut short should it not fit.
  constexpr DWORD kPathCapacity = 32768;
  std::vector<wchar_t> path(kPathCapacity);
  widenInto(fileName, path.data(), static_cast<int>(path.size()));
  const std::wstring filter = std::wstring(type.filterName) + L'\0' + type.pattern + L'\0';
  OPENFILENAMEW request{.lStructSize = sizeof(OPENFILENAMEW),
                        .hwndOwner = owner,
                        .lpstrFilter = filter.c_str(),
                        .lpstrFile = path.data(),
                        .nMaxFile = kPathCapacity,
                        .Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST |
                                 OFN_NOREADONLYRETURN | OFN_HIDEREADONLY,
                        .lpstrDefExt = type.extension};
  if (GetSaveFileNameW(&request)) return narrow(path.data());
  if (CommDlgExtendedError() == 0) return std::nullopt;  // cancelled
  throw dialogFailed();
}

}  // namespace

std::optional<std::string> chooseSaveFile(HWND owner, std::string_view fileName, const FileType& type) {
  IFileSaveDialog* created = nullptr;
  if (FAILED(CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&created)))) {
    return chooseWithOlderDialog(owner, fileName, type);
  }
  const ComPointer<IFileSaveDialog> dialog(created);
  return chooseWithItemDialog(*dialog, owner, fileName, type);
}

}  // namespace runtime::win32
