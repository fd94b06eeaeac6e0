#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/form.h"
#include "runtime/layout.h"
#include "runtime/win32/handles.h"

namespace runtime::win32 {

class FormWindow;

// The program's open forms, the first opened being the start-up form, and the
// thread's message loop: each message goes to the form whose window it is for
// (its keys, accelerators and dialog navigation), the others straight to their
// window. A form whose window closes is destroyed once the loop has handled
// the message; the start-up form's closing ends the loop. The window classes
// of forms and picture boxes are registered here once for every window.
class FormRegistry {
 public:
  explicit FormRegistry(HINSTANCE instance);
  FormRegistry(const FormRegistry&) = delete;
  FormRegistry& operator=(const FormRegistry&) = delete;
  FormRegistry(FormRegistry&&) = delete;
  FormRegistry& operator=(FormRegistry&&) = delete;
  // Closes the forms still open, the last opened first.
  ~FormRegistry();

  [[nodiscard]] HINSTANCE instance() const { return instance_; }
  // The window class of a form's layout, registered with its first window.
  const WindowClass& formClass(const FormLayout& layout, WNDPROC windowProc);

  // Makes a form's window and code, runs its Load event, then shows it.
  FormWindow& open(const FormLayout& layout, const CreateForm& createForm, int showCommand);
  // Handles messages until the start-up form has closed; the program's exit code.
  int run();
  // Handles the messages waiting, for a form's doEvents; WM_QUIT stays for run().
  void handleWaiting();
  // From a form's window as it goes: the start-up form's ends the loop.
  void closing(const FormWindow& form) const;

 private:
  void dispatch(MSG& message);

  HINSTANCE instance_;
  WindowClass pictureBoxClass_;
  std::map<std::string, WindowClass, std::less<>> formClasses_;
  std::vector<std::unique_ptr<FormWindow>> forms_;
};

}  // namespace runtime::win32
