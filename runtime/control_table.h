#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "runtime/layout.h"
#include "runtime/runtime_error.h"

namespace runtime {

// A form's controls, as records of a back end's Control type with their layout
// row (layout) and a list box's list (list). Asking for a control the form
// lacks, or for one of another kind, is a runtime error.
template <typename Control>
class ControlTable {
 public:
  void add(Control control) { controls_.push_back(std::move(control)); }

  // The control whose part (its window, its widget...) is value, or none.
  template <typename Part, typename Value>
  [[nodiscard]] const Control* find(Part Control::*part, const Value& value) const {
    const auto found = std::ranges::find(controls_, value, part);
    return found == controls_.end() ? nullptr : &*found;
  }

  [[nodiscard]] const Control& operator[](ControlId id) const {
    const auto found = std::ranges::find(controls_, id, [](const Control& c) { return c.layout->id; });
    if (found == controls_.end()) throw unknownControl(id);
    return *found;
  }

  [[nodiscard]] const Control& textBox(ControlId id) const {
    const Control& control = (*this)[id];
    if (control.layout->kind != ControlKind::TextBox) throw notATextBox(*control.layout);
    return control;
  }

  [[nodiscard]] auto& list(ControlId id) const {
    const Control& control = (*this)[id];
    if (control.layout->kind != ControlKind::ListBox) throw notAList(*control.layout);
    return *control.list;
  }

  // The form's first control of a kind, which Ctrl+S and Ctrl+G act on; none when it has none.
  [[nodiscard]] const Control* firstOf(ControlKind kind) const {
    const auto found =
        std::ranges::find_if(controls_, [kind](const Control& c) { return c.layout->kind == kind; });
    return found == controls_.end() ? nullptr : &*found;
  }
  // Shows every list's new lines.
  void catchUpLists() const {
    for (const Control& control : controls_) {
      if (control.list) control.list->syncCount();
    }
  }

  [[nodiscard]] auto begin() const { return controls_.begin(); }
  [[nodiscard]] auto end() const { return controls_.end(); }

 private:
  std::vector<Control> controls_;
};

}  // namespace runtime
