#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/form.h"

// A headless runtime::Form for window-logic tests: it keeps texts, visibility,
// lists and the pointer in memory, records what happened, and runs a hook in
// each DoEvents so a test can play events that arrive meanwhile.
class RecordingForm final : public runtime::Form {
 public:
  [[nodiscard]] std::string text(runtime::ControlId textBox) const override;
  void setVisible(runtime::ControlId control, bool visible) override;
  void clear(runtime::ControlId list) override;
  void addItem(runtime::ControlId list, std::string_view line) override;
  void setMousePointer(runtime::MousePointer pointer) override;
  void doEvents() override;
  [[nodiscard]] std::string decimalSeparator() const override { return separator; }

  std::map<runtime::ControlId, std::string> texts;
  std::map<runtime::ControlId, bool> visible;
  std::map<runtime::ControlId, std::vector<std::string>> lists;
  runtime::MousePointer pointer = runtime::MousePointer::Default;
  std::string separator = ",";
  int doEventsCalls = 0;
  // Runs inside every DoEvents.
  std::function<void()> onDoEvents;
  // Makes the next AddItem fail as a control operation would.
  bool failNextAddItem = false;
};
