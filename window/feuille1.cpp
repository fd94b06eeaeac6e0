#include "window/feuille1.h"

#include <memory>
#include <optional>
#include <string>

#include "runtime/runtime_error.h"
#include "search/number_text.h"
#include "search/result_line.h"
#include "search/triple_search.h"
#include "window/busy_state.h"
#include "window/feuille1_layout.h"
#include "window/feuille_nuage.h"
#include "window/feuille_nuage_layout.h"

namespace {

constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kEscape = 27;

constexpr std::string_view kStoppedLine = "calculs interrompus";
constexpr std::string_view kListFullLine = "liste pleine : calculs arrêtés";

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

// The name proposed for saving the lines of a search, made of its bounds.
std::string listFileName(std::int32_t lower, std::int32_t upper) {
  return "triplets " + std::to_string(lower) + "-" + std::to_string(upper) + ".txt";
}

}  // namespace

void Feuille1::change(runtime::ControlId textBox) {
  if (const auto index = texte1Index(textBox)) Texte1_Change(*index);
}

void Feuille1::keyPress(runtime::ControlId textBox, std::int16_t keyAscii) {
  if (const auto index = texte1Index(textBox)) Texte1_KeyPress(*index, keyAscii);
}

void Feuille1::saveRequested(runtime::ControlId list) {
  if (list == feuille1::Liste1) Liste1_Save();
}

void Feuille1::pictureRequested(runtime::ControlId list) {
  if (list == feuille1::Liste1) Liste1_Nuage();
}

void Feuille1::Form_Load() { borneInf = 1; }

// Escape stops a running search, wherever the focus is.
void Feuille1::Form_KeyDown(std::int16_t keyCode) {
  if (keyCode == kEscape && searching_) stopRequested_ = true;
}

// A search running when the window closes stops at once.
void Feuille1::Form_Unload() {
  closing_ = true;
  stopRequested_ = true;
}

void Feuille1::Texte1_Change(std::int16_t index) {
  if (index != 0 && index != 1) return;
  // Errors are skipped: text that cannot be read leaves the bound as it was.
  try {
    const auto value = search::readInteger(form_.text(index == 0 ? feuille1::Texte1_0 : feuille1::Texte1_1),
                                           form_.decimalSeparator());
    if (value) (index == 0 ? borneInf : borneSup) = *value;
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
  BusyState busy(form_, searching_, stopRequested_);
  form_.clear(feuille1::Liste1);
  form_.doEvents();
  form_.setMousePointer(runtime::MousePointer::Hourglass);

  // The search keeps the bounds it starts with, whatever is typed meanwhile.
  const std::int32_t lower = borneInf;
  const std::int32_t upper = borneSup;
  listBounds_ = {lower, upper};
  listPoints_ = std::make_shared<picture::PointCloud>(lower, upper);
  std::int64_t written = 0;
  switch (writeResults(lower, upper, written, busy)) {
    case Outcome::Completed:
      if (written == 0) {
        form_.addItem(feuille1::Liste1, search::kNoResultLine);
        form_.addItem(feuille1::Liste1, search::rangeLine(lower, upper));
      }
      break;
    case Outcome::Stopped:
      form_.addItem(feuille1::Liste1, kStoppedLine);
      break;
    case Outcome::ListFull:
      form_.addItem(feuille1::Liste1, kListFullLine);
      break;
    case Outcome::Closing:
      break;
  }
  busy.end();
}

// Writes the hits to Liste1 slice by slice, letting the window handle its
// events during a long search.
Feuille1::Outcome Feuille1::writeResults(std::int32_t lower, std::int32_t upper, std::int64_t& written,
                                         BusyState& busy) {
  search::TripleSearch search(lower, upper);
  search::ResultLine line;
  while (!search.finished()) {
    if (stopRequested_) return closing_ ? Outcome::Closing : Outcome::Stopped;
    for (const search::Hit& hit : search.next()) {
      if (written == kMaxResultLines) return Outcome::ListFull;
      form_.addItem(feuille1::Liste1, line.format(hit));
      listPoints_->add(hit.i, hit.j);
      ++written;
    }
    busy.letEventsIn(search.progress());
  }
  return closing_ ? Outcome::Closing : Outcome::Completed;
}

// Saves the lines shown, under a name made of their search's bounds: asks
// where first, then writes. Like a search, a long save lets the window handle
// its events, shows its progress and stops at Escape; an Enter pressed
// meanwhile is dropped, as during a search.
void Feuille1::Liste1_Save() {
  if (searching_) return;
  const std::optional<std::string> path =
      form_.chooseListFile(listFileName(listBounds_.first, listBounds_.second));
  if (!path) return;
  BusyState busy(form_, searching_, stopRequested_);
  form_.setMousePointer(runtime::MousePointer::Hourglass);
  form_.writeList(feuille1::Liste1, *path, [&](double progress) {
    busy.letEventsIn(progress);
    return !stopRequested_;
  });
  busy.end();
}

// Opens the picture of the hits listed in a window of its own, which shares
// their points: the list may change or go, the picture stays as it is.
void Feuille1::Liste1_Nuage() {
  if (searching_ || !listPoints_) return;
  form_.openForm(feuille_nuage::layout(), [points = listPoints_](runtime::Form& form) {
    return std::make_unique<FeuilleNuage>(form, points);
  });
}
