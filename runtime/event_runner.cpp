#include "runtime/event_runner.h"

namespace runtime {

void EventRunner::report(const std::function<void()>& step) const {
  try {
    step();
  } catch (const std::exception& error) {
    window_.reportError(error);
  }
}

void EventRunner::raise(const std::function<void(FormEvents&)>& event) {
  if (!events_) return;
  ++depth_;
  report([&] { event(*events_); });
  report(window_.catchUp);
  --depth_;
  if (depth_ == 0 && closePending_) {
    closePending_ = false;
    window_.closeLater();
  }
}

bool EventRunner::closeRequested() {
  raise([](FormEvents& events) { events.unload(); });
  // Closing in the middle of an event procedure would pull the window from
  // under it.
  closePending_ = depth_ > 0;
  return !closePending_;
}

}  // namespace runtime
