#include "runtime/layout.h"

#include <algorithm>

namespace runtime {

const ControlLayout* promptOf(std::span<const ControlLayout> rows, const ControlLayout& textBox) {
  if (textBox.kind != ControlKind::TextBox || &textBox == rows.data()) return nullptr;
  const ControlLayout& before = *(&textBox - 1);
  return before.kind == ControlKind::Label ? &before : nullptr;
}

std::vector<const ControlLayout*> inCreationOrder(std::span<const ControlLayout> rows) {
  // A prompt takes its text box's place; being the row before, it stays before it.
  const auto place = [rows](const ControlLayout* row) {
    const bool prompt = row != &rows.back() && promptOf(rows, row[1]) == row;
    return static_cast<unsigned>(prompt ? row[1].tabIndex : row->tabIndex);  // -1 (never) last
  };
  std::vector<const ControlLayout*> ordered;
  for (const ControlLayout& row : rows) ordered.push_back(&row);
  std::stable_sort(ordered.begin(), ordered.end(),
                   [&place](const ControlLayout* a, const ControlLayout* b) { return place(a) < place(b); });
  return ordered;
}

}  // namespace runtime
