#include "runtime/win32/form_registry.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "runtime/win32/form_window.h"
#include "runtime/win32/picture_box.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {

FormRegistry::FormRegistry(HINSTANCE instance)
    : instance_(instance), pictureBoxClass_(PictureBox::registerClass(instance)) {}

FormRegistry::~FormRegistry() {
  // Taken out first, so that the windows closing here find no start-up form.
  std::vector<std::unique_ptr<FormWindow>> forms = std::exchange(forms_, {});
  while (!forms.empty()) forms.pop_back();
}

const WindowClass& FormRegistry::formClass(const FormLayout& layout, WNDPROC windowProc) {
  if (const auto found = formClasses_.find(layout.name); found != formClasses_.end()) return found->second;
  const std::wstring name = L"trivel." + widen(layout.name);
  return formClasses_
      .try_emplace(std::string(layout.name),
                   WNDCLASSEXW{.cbSize = sizeof(WNDCLASSEXW),
                               .lpfnWndProc = windowProc,
                               .hInstance = instance_,
                               .hCursor = LoadCursorW(nullptr, IDC_ARROW),
                               .hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                               .lpszClassName = name.c_str()})
      .first->second;
}

FormWindow& FormRegistry::open(const FormLayout& layout, const CreateForm& createForm, int showCommand) {
  FormWindow& form = *forms_.emplace_back(std::make_unique<FormWindow>(*this, layout));
  try {
    form.start(createForm, showCommand);
  } catch (const std::exception&) {
    std::erase_if(forms_, [&form](const auto& open) { return open.get() == &form; });
    throw;
  }
  return form;
}

int FormRegistry::run() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    dispatch(message);
    const FormWindow* startup = forms_.front().get();
    std::erase_if(forms_, [startup](const auto& form) { return form.get() != startup && !form->isOpen(); });
  }
  return static_cast<int>(message.wParam);
}

void FormRegistry::handleWaiting() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for run() to see
      return;
    }
    dispatch(message);
  }
}

void FormRegistry::closing(const FormWindow& form) const {
  if (!forms_.empty() && forms_.front().get() == &form) PostQuitMessage(0);
}

void FormRegistry::dispatch(MSG& message) {
  const HWND topLevel = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  const auto owner = std::ranges::find_if(
      forms_, [topLevel](const auto& form) { return topLevel != nullptr && form->window() == topLevel; });
  if (owner == forms_.end()) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
    return;
  }
  FormWindow& form = **owner;  // the vector may grow while the form handles the message
  form.dispatch(message);
}

}  // namespace runtime::win32
