#include "tests/recording_form.h"

#include "runtime/runtime_error.h"

std::string RecordingForm::text(runtime::ControlId textBox) const {
  const auto found = texts.find(textBox);
  return found == texts.end() ? std::string{} : found->second;
}

void RecordingForm::setVisible(runtime::ControlId control, bool isVisible) { visible[control] = isVisible; }

void RecordingForm::clear(runtime::ControlId list) { lists[list].clear(); }

void RecordingForm::addItem(runtime::ControlId list, std::string_view line) {
  if (failNextAddItem) {
    failNextAddItem = false;
    throw runtime::RuntimeError("échec de l'ajout d'une ligne à la liste");
  }
  lists[list].emplace_back(line);
}

void RecordingForm::setMousePointer(runtime::MousePointer shape) { pointer = shape; }

void RecordingForm::doEvents() {
  ++doEventsCalls;
  if (onDoEvents) onDoEvents();
}
