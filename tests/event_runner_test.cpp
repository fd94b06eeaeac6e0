#include "runtime/event_runner.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/runtime_error.h"

namespace {

using runtime::EventRunner;
using runtime::FormEvents;

// Form code whose key-down procedure runs whatever the test gives it, and
// which records what the runner called.
class ScriptedEvents final : public FormEvents {
 public:
  explicit ScriptedEvents(std::vector<std::string>& log) : log_(log) {}
  std::function<void()> onKeyDown;

  void load() override { log_.emplace_back("load"); }
  void change(runtime::ControlId /*textBox*/) override {}
  void keyPress(runtime::ControlId /*textBox*/, std::int16_t /*keyAscii*/) override {}
  void keyDown(std::int16_t /*keyCode*/) override {
    log_.emplace_back("keyDown");
    if (onKeyDown) onKeyDown();
  }
  void saveRequested(runtime::ControlId /*list*/) override {}
  void unload() override { log_.emplace_back("unload"); }

 private:
  std::vector<std::string>& log_;
};

class EventRunnerTest : public testing::Test {
 protected:
  EventRunnerTest() {
    auto events = std::make_unique<ScriptedEvents>(log);
    code = events.get();
    runner.start(std::move(events));
  }

  void keyDown() {
    runner.raise([](FormEvents& events) { events.keyDown(27); });
  }

  std::vector<std::string> log;
  bool catchUpFails = false;
  EventRunner runner{{
      .reportError =
          [this](const std::exception& error) { log.push_back(std::string("error: ") + error.what()); },
      .catchUp =
          [this] {
            log.emplace_back("catchUp");
            if (catchUpFails) throw runtime::RuntimeError("liste");
          },
      .closeLater = [this] { log.emplace_back("closeLater"); },
  }};
  ScriptedEvents* code = nullptr;
};

TEST_F(EventRunnerTest, DropsEventsRaisedBeforeTheFormsCodeExists) {
  EventRunner early{
      {.reportError = {}, .catchUp = [this] { log.emplace_back("catchUp"); }, .closeLater = {}}};
  early.raise([](FormEvents& events) { events.load(); });
  EXPECT_TRUE(log.empty());
}

TEST_F(EventRunnerTest, ReportsAnErrorAndCatchesUpAfterEveryEventWhateverHappened) {
  code->onKeyDown = [] { throw std::runtime_error("panne"); };
  keyDown();
  catchUpFails = true;
  runner.raise([](FormEvents& events) { events.load(); });
  EXPECT_EQ(log, (std::vector<std::string>{"keyDown", "error: panne", "catchUp", "load", "catchUp",
                                           "error: liste"}));
}

TEST_F(EventRunnerTest, ClosesAtOnceBetweenEvents) {
  EXPECT_TRUE(runner.closeRequested());
  EXPECT_EQ(log, (std::vector<std::string>{"unload", "catchUp"}));
}

TEST_F(EventRunnerTest, ClosesOnlyOnceTheOutermostEventHasReturned) {
  bool mayCloseInside = true;
  code->onKeyDown = [&] {
    code->onKeyDown = [&] {
      code->onKeyDown = {};
      mayCloseInside = runner.closeRequested();
      log.emplace_back("inner returns");
    };
    keyDown();
    log.emplace_back("outer returns");
  };
  keyDown();
  EXPECT_FALSE(mayCloseInside);
  EXPECT_EQ(log, (std::vector<std::string>{"keyDown", "keyDown", "unload", "catchUp", "inner returns",
                                           "catchUp", "outer returns", "catchUp", "closeLater"}));
  log.clear();
  keyDown();
  EXPECT_EQ(log, (std::vector<std::string>{"keyDown", "catchUp"})) << "the close is asked for once";
}

}  // namespace
