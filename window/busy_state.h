#pragma once

#include <chrono>

#include "runtime/form.h"

// The window's busy state for the length of one search or save: marks the work
// as running, lets the window handle its events now and then with the
// progress in the caption, and on every way out puts the
// default pointer and the usual caption back and hides Label1. On the normal
// way out, end() lets a failure of those steps through; when an error is
// already leaving, a second one is dropped so that the first reaches the runtime.
class BusyState {
 public:
  BusyState(runtime::Form& form, bool& searching, bool& stopRequested);
  BusyState(const BusyState&) = delete;
  BusyState& operator=(const BusyState&) = delete;
  BusyState(BusyState&&) = delete;
  BusyState& operator=(BusyState&&) = delete;
  ~BusyState();

  // Called often during the work, with its progress from 0 to 1: lets the
  // window handle its events, never in the first kQuietStart, then every
  // kEventInterval, and shows the progress once the work has run for
  // kProgressAfter. The caption changes only when the percentage does.
  void letEventsIn(double progress);
  void end();

  static constexpr std::chrono::milliseconds kQuietStart{200};
  static constexpr std::chrono::milliseconds kEventInterval{50};
  static constexpr std::chrono::milliseconds kProgressAfter{500};

 private:
  void showProgress(double progress);
  void restore();

  runtime::Form& form_;
  bool& searching_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point nextEvents_;
  int shownPercent_ = -1;
  bool ended_ = false;
};
