#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tests/recording_form.h"
#include "window/feuille1.h"

// One seeded random sequence of user events played on a Feuille1 over the
// recording runtime: typing, deleting and pasting any text into either field,
// Enter and other keys, Escape, closing, the clock jumping, a failing list
// operation, and events arriving inside DoEvents while a search runs. After
// every step it checks what must always hold against a small model: the
// bounds read so far, one search at a time, the busy state back at rest, and
// the list holding exactly the engine's lines for the bounds the search took.
class EventSequence {
 public:
  explicit EventSequence(std::uint32_t seed);

  // Plays the sequence; returns the first rule broken, if any.
  std::optional<std::string> play(int steps);
  // The steps played so far, written as test code to replay them.
  [[nodiscard]] std::string transcript() const;

 private:
  struct Search;

  void step();
  void nestedStep(int call);
  void edit(runtime::ControlId field);
  void setText(runtime::ControlId field, const std::string& text);
  void enter(runtime::ControlId field);
  void escape();
  void close();
  void onDoEvents(int call);
  void checkSearch(const Search& search, bool threw);
  void checkAtRest();
  [[nodiscard]] bool affordable(runtime::ControlId field, const std::string& text) const;
  void record(const std::string& line);
  void require(bool holds, const std::string& rule);
  int pick(int count);
  std::string randomPiece();

  std::uint32_t seed_;
  std::mt19937 random_;
  RecordingForm form_;
  Feuille1 window_{form_};
  std::int32_t lower_ = 1;  // the bounds the model has read from the fields
  std::int32_t upper_ = 0;
  Search* running_ = nullptr;  // the search in progress, if any
  bool failureArmed_ = false;
  bool closed_ = false;
  std::size_t depth_ = 0;  // 1 while events are played inside DoEvents
  std::vector<std::string> transcript_;
  std::optional<std::string> broken_;
};
