#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>

#include "runtime/control_table.h"
#include "runtime/event_runner.h"
#include "runtime/form.h"
#include "runtime/layout.h"
#include "runtime/line_store.h"
#include "runtime/runtime_error.h"

namespace runtime {

// What a back end's window does alike on every platform, around its table of
// controls (of the back end's Control type): it runs the form's event
// procedures, errors to the window and lists caught up after each; it starts
// the form; it fills and reads the lists; and it keeps the rule of the list's
// menu and keys, which save or copy a list only while it has lines and no
// event procedure runs.
template <typename Control>
class FormCore {
 public:
  struct Window {
    std::function<void(const std::exception&)> reportError;
    // Asks the window to close again, from its event loop.
    std::function<void()> closeLater;
  };

  explicit FormCore(Window window)
      : reportError_(std::move(window.reportError)),
        events_({.reportError = reportError_,
                 .catchUp = [this] { controls_.catchUpLists(); },
                 .closeLater = std::move(window.closeLater)}) {}
  FormCore(const FormCore&) = delete;
  FormCore& operator=(const FormCore&) = delete;
  FormCore(FormCore&&) = delete;
  FormCore& operator=(FormCore&&) = delete;
  ~FormCore() = default;

  // Creates the form's code and runs its Load event; the window shows itself afterwards.
  void start(Form& form, const std::function<std::unique_ptr<FormEvents>(Form&)>& createEvents) {
    events_.start(createEvents(form));
    events_.raise([](FormEvents& events) { events.load(); });
  }

  [[nodiscard]] ControlTable<Control>& controls() { return controls_; }
  [[nodiscard]] const ControlTable<Control>& controls() const { return controls_; }
  [[nodiscard]] EventRunner& events() { return events_; }
  void reportError(const std::exception& error) const { reportError_(error); }

  void clear(ControlId list) const { controls_.list(list).clear(); }
  void addItem(ControlId list, std::string_view line) const { controls_.list(list).append(line); }
  [[nodiscard]] const LineStore& lines(ControlId list) const { return controls_.list(list).lines(); }
  // Whether the list's menu and keys may act on a list now.
  [[nodiscard]] bool listActs(const Control& list) const {
    return !list.list->lines().empty() && !events_.running();
  }
  // Whether a control's menu and keys may act on it now: a list by the rule
  // above, a picture box whenever no event procedure runs.
  [[nodiscard]] bool acts(const Control& control) const {
    return control.list != nullptr ? listActs(control) : !events_.running();
  }
  // Asks the form's code to save a list or a picture box's image, when it may be.
  void requestSave(const Control& control) {
    if (!acts(control)) return;
    events_.raise([id = control.layout->id](FormEvents& events) { events.saveRequested(id); });
  }
  // Ctrl+S, which saves the form's first list, or else its first picture
  // box, wherever the focus is.
  void requestSaveOfFirst() {
    if (const Control* control = controls_.firstOf(ControlKind::ListBox)) {
      requestSave(*control);
    } else if (const Control* box = controls_.firstOf(ControlKind::PictureBox)) {
      requestSave(*box);
    }
  }
  // Asks the form's code for the picture of a list's lines, when it may act.
  void requestPicture(const Control& list) {
    if (!listActs(list)) return;
    events_.raise([id = list.layout->id](FormEvents& events) { events.pictureRequested(id); });
  }
  // Ctrl+G, which asks for the picture of the form's first list wherever the focus is.
  void requestPictureOfFirstList() {
    if (const Control* list = controls_.firstOf(ControlKind::ListBox)) requestPicture(*list);
  }

 private:
  std::function<void(const std::exception&)> reportError_;
  ControlTable<Control> controls_;
  EventRunner events_;
};

// After a control was shown or hidden: an error when it did not take.
inline void checkVisibility(const ControlLayout& control, bool nowVisible, bool wanted) {
  if (nowVisible != wanted) throw visibilityNotChanged(control, wanted);
}

}  // namespace runtime
