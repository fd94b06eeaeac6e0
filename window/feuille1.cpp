#include "window/feuille1.h"

#include <optional>

#include "runtime/runtime_error.h"
#include "search/number_text.h"
#include "search/result_line.h"
#include "search/triple_search.h"
#include "window/feuille1_layout.h"

namespace {

constexpr std::int16_t kEnter = 13;

std::optional<std::int16_t> texte1Index(runtime::ControlId control) {
  switch (control) {
    case feuille1::Texte1_0:
      return 0;
    case feuille1::Texte1_1:
      return 1;
    default:
      return std::nullopt;
  }
}

// The window's busy state for the length of one search: marks the search as
// running, and on every way out puts the default pointer back and hides
// Label1. On the normal way out, end() lets a failure of either step through;
// when an error is already leaving, a second one is dropped so the first
// reaches the runtime.
class BusyState {
 public:
  BusyState(runtime::Form& form, bool& searching) : form_(form), searching_(searching) { searching_ = true; }
  BusyState(const BusyState&) = delete;
  BusyState& operator=(const BusyState&) = delete;
  BusyState(BusyState&&) = delete;
  BusyState& operator=(BusyState&&) = delete;

  ~BusyState() {
    searching_ = false;
    if (ended_) return;
    try {
      restore();
    } catch (const runtime::RuntimeError&) {  // NOLINT(bugprone-empty-catch): the error already leaving wins
    }
  }

  void end() {
    ended_ = true;
    restore();
  }

 private:
  void restore() {
    form_.setMousePointer(runtime::MousePointer::Default);
    form_.setVisible(feuille1::Label1, false);
  }

  runtime::Form& form_;
  bool& searching_;
  bool ended_ = false;
};

}  // namespace

void Feuille1::change(runtime::ControlId textBox) {
  if (const auto index = texte1Index(textBox)) Texte1_Change(*index);
}

void Feuille1::keyPress(runtime::ControlId textBox, std::int16_t keyAscii) {
  if (const auto index = texte1Index(textBox)) Texte1_KeyPress(*index, keyAscii);
}

void Feuille1::Form_Load() { borneInf = 1; }

void Feuille1::Texte1_Change(std::int16_t index) {
  const auto bound = index == 0 ? &borneInf : index == 1 ? &borneSup : nullptr;
  if (bound == nullptr) return;
  // Errors are skipped: text that cannot be read leaves the bound as it was.
  try {
    const auto value = search::readInteger(form_.text(index == 0 ? feuille1::Texte1_0 : feuille1::Texte1_1),
                                           form_.decimalSeparator());
    if (value) *bound = *value;
  } catch (const runtime::RuntimeError&) {  // NOLINT(bugprone-empty-catch): errors are skipped here
  }
}

// Enter in either field searches, once both bounds are set; a search that is
// already running ignores it.
void Feuille1::Texte1_KeyPress(std::int16_t /*index*/, std::int16_t keyAscii) {
  if (keyAscii != kEnter || borneSup == 0 || borneInf == 0 || searching_) return;
  form_.setVisible(feuille1::Label1, true);
  Calculer();
}

void Feuille1::Calculer() {
  BusyState busy(form_, searching_);
  form_.clear(feuille1::Liste1);
  form_.doEvents();
  form_.setMousePointer(runtime::MousePointer::Hourglass);

  search::TripleSearch search(borneInf, borneSup);
  search::ResultLine line;
  bool found = false;
  while (!search.finished()) {
    for (const search::Hit& hit : search.next()) {
      form_.addItem(feuille1::Liste1, line.format(hit));
      found = true;
    }
  }
  if (!found) {
    form_.addItem(feuille1::Liste1, search::kNoResultLine);
    form_.addItem(feuille1::Liste1, search::rangeLine(borneInf, borneSup));
  }
  busy.end();
}
