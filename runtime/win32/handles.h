#pragma once

#include <windows.h>
// after windows.h
#include <objbase.h>

#include <memory>
#include <type_traits>

// Owners of the Win32 resources the back end holds. Child windows are owned by
// their parent window and destroyed with it, so only top-level windows get a
// UniqueWindow.
namespace runtime::win32 {

struct WindowDestroyer {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

struct IconDestroyer {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

struct MenuDestroyer {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

struct GlobalFreer {
  void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
using UniqueGlobal = std::unique_ptr<std::remove_pointer_t<HGLOBAL>, GlobalFreer>;

struct ScreenDcReleaser {
  void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
using ScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDcReleaser>;

struct ComReleaser {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using ComPointer = std::unique_ptr<Interface, ComReleaser>;

// A window class registered for the lifetime of the object.
class WindowClass {
 public:
  WindowClass(const WNDCLASSEXW& windowClass);
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;
  ~WindowClass() { UnregisterClassW(MAKEINTATOM(atom_), instance_); }

  [[nodiscard]] const wchar_t* name() const { return MAKEINTATOM(atom_); }
  [[nodiscard]] HINSTANCE instance() const { return instance_; }

 private:
  HINSTANCE instance_;
  ATOM atom_;
};

// COM, started on this thread for the lifetime of the object (for the screen
// readers' annotations); the program runs on without it if it cannot start.
class ComApartment {
 public:
  ComApartment() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (started_) CoUninitialize();
  }

 private:
  bool started_;
};

// The clipboard, open for the lifetime of the object.
class OpenClipboardSession {
 public:
  explicit OpenClipboardSession(HWND owner);
  OpenClipboardSession(const OpenClipboardSession&) = delete;
  OpenClipboardSession& operator=(const OpenClipboardSession&) = delete;
  ~OpenClipboardSession() { CloseClipboard(); }
};

// A global memory block, locked for the lifetime of the object.
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL memory);
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  ~GlobalLockGuard() { GlobalUnlock(memory_); }

  [[nodiscard]] void* data() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

}  // namespace runtime::win32
