#pragma once

#include "runtime/form.h"

// The window's busy state for the length of one search: marks the search as
// running, shows its progress in the caption, and on every way out puts the
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

  // progress from 0 to 1; the caption changes only when the percentage does.
  void showProgress(double progress);
  void end();

 private:
  void restore();

  runtime::Form& form_;
  bool& searching_;
  int shownPercent_ = -1;
  bool ended_ = false;
};
