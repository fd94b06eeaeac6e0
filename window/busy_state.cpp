#include "window/busy_state.h"

#include <algorithm>
#include <string>

#include "window/feuille1_layout.h"

BusyState::BusyState(runtime::Form& form, bool& searching, bool& stopRequested)
    : form_(form), searching_(searching), start_(form.now()), nextEvents_(start_ + kQuietStart) {
  searching = true;
  stopRequested = false;
}

BusyState::~BusyState() {
  searching_ = false;
  if (ended_) return;
  try {
    restore();
  } catch (...) {  // NOLINT(bugprone-empty-catch): the error already leaving wins
  }
}

void BusyState::letEventsIn(double progress) {
  const auto now = form_.now();
  if (now < nextEvents_) return;
  if (now - start_ >= kProgressAfter) showProgress(progress);
  form_.doEvents();
  nextEvents_ = form_.now() + kEventInterval;
}

void BusyState::showProgress(double progress) {
  const int percent = std::clamp(static_cast<int>(progress * 100.0), 0, 100);
  if (percent == shownPercent_) return;
  form_.setCaption(std::string(feuille1::layout().caption) + " — " + std::to_string(percent) + " %");
  shownPercent_ = percent;
}

void BusyState::end() {
  ended_ = true;
  restore();
}

void BusyState::restore() {
  form_.setMousePointer(runtime::MousePointer::Default);
  form_.setVisible(feuille1::Label1, false);
  if (shownPercent_ >= 0) form_.setCaption(feuille1::layout().caption);
  shownPercent_ = -1;
}
