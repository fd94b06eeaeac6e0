#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/pair_reference.h"
#include "tests/recording_form.h"
#include "window/feuille1.h"
#include "window/feuille1_layout.h"

using feuille1::Label1;
using feuille1::Liste1;
using feuille1::Texte1_0;
using feuille1::Texte1_1;
using runtime::MousePointer;
using Lines = std::vector<std::string>;

inline constexpr std::int16_t kEnter = 13;
inline constexpr std::int16_t kEscape = 27;

// Whether the lines are the engine's lines for the bounds, or their
// beginning only; a failure names the bounds and the first line that differs.
inline testing::AssertionResult areEngineLines(const Lines& lines, std::int32_t lower, std::int32_t upper,
                                               bool beginningOnly = false) {
  const Lines expected = engineLines(lower, upper);
  const auto [line, engineLine] = std::mismatch(lines.begin(), lines.end(), expected.begin(), expected.end());
  auto failure = testing::AssertionFailure() << "bounds " << lower << " and " << upper << ": ";
  if (line != lines.end() && engineLine != expected.end()) {
    return failure << "line " << line - lines.begin() << " is \"" << *line << "\" instead of \""
                   << *engineLine << '"';
  }
  if (line != lines.end() || (!beginningOnly && engineLine != expected.end())) {
    return failure << lines.size() << " lines instead of the engine's " << expected.size();
  }
  return testing::AssertionSuccess();
}

// A Feuille1 loaded in a recording form, with the lower field showing "1".
class Feuille1Test : public testing::Test {
 protected:
  Feuille1Test() {
    form.texts[Texte1_0] = "1";
    window.load();
  }

  void type(runtime::ControlId field, const std::string& text) {
    form.texts[field] = text;
    window.change(field);
  }
  void search(const std::string& lower, const std::string& upper) {
    type(Texte1_0, lower);
    type(Texte1_1, upper);
    pressEnter();
  }
  void pressEnter(runtime::ControlId field = Texte1_1) { window.keyPress(field, kEnter); }
  Lines& list() { return form.lists[Liste1]; }
  void expectIdle() {
    EXPECT_EQ(form.pointer, MousePointer::Default);
    EXPECT_FALSE(form.visible[Label1]);
  }

  RecordingForm form;
  Feuille1 window{form};
};
