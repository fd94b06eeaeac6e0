#pragma once

#include <exception>
#include <functional>
#include <memory>

#include "runtime/form.h"

namespace runtime {

// Runs a form's event procedures for its window, the same on every platform:
// one inside another when an event procedure lets the window handle its
// events; an error that leaves one goes to the window; after each, the window
// catches up (its lists show the lines added, error or not); and a close the
// user asks for in the middle of an event procedure waits until the outermost
// one has returned.
class EventRunner {
 public:
  struct Window {
    std::function<void(const std::exception&)> reportError;
    // Brings the window up to date after an event procedure; may throw.
    std::function<void()> catchUp;
    // Asks the window to close again, from its event loop.
    std::function<void()> closeLater;
  };

  explicit EventRunner(Window window) : window_(std::move(window)) {}

  // Takes the form's code; events raised before are dropped.
  void start(std::unique_ptr<FormEvents> events) { events_ = std::move(events); }
  void raise(const std::function<void(FormEvents&)>& event);
  // True while an event procedure runs, a long one letting the window handle its events.
  [[nodiscard]] bool running() const { return depth_ > 0; }
  // Raises unload for the user's close. True when the window may close now;
  // false when it is asked again once the running event procedure has returned.
  [[nodiscard]] bool closeRequested();

 private:
  void report(const std::function<void()>& step) const;

  Window window_;
  std::unique_ptr<FormEvents> events_;
  int depth_ = 0;
  bool closePending_ = false;
};

}  // namespace runtime
