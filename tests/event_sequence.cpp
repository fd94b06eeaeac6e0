#include "tests/event_sequence.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <string_view>

#include "runtime/runtime_error.h"
#include "search/number_text.h"
#include "search/result_line.h"
#include "tests/pair_reference.h"
#include "window/feuille1_layout.h"

namespace {

using feuille1::Label1;
using feuille1::Liste1;
using feuille1::Texte1_0;
using feuille1::Texte1_1;
using std::chrono::milliseconds;
using Lines = std::vector<std::string>;

constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kEscape = 27;
constexpr std::string_view kStoppedLine = "calculs interrompus";

// Searches stay small, so that thousands of sequences run in seconds: a
// sequence never reads bounds further apart than this.
constexpr std::int64_t kMaxSpan = 600;
// Events played inside the DoEvents of one search, at most.
constexpr int kMaxNestedSteps = 12;

std::string fieldName(runtime::ControlId field) { return field == Texte1_0 ? "Texte1_0" : "Texte1_1"; }

// The text as a C++ expression: runs of one character as std::string(n, c),
// the rest as literals with octal escapes.
std::string cppText(std::string_view text) {
  std::vector<std::string> parts;
  std::string literal;
  const auto flush = [&] {
    if (!literal.empty()) parts.push_back("\"" + literal + "\"");
    literal.clear();
  };
  const auto escaped = [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') return std::string(1, c);
    std::array<char, 5> octal{};
    std::snprintf(octal.data(), octal.size(), "\\%03o", byte);
    return std::string(octal.data());
  };
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t run = text.find_first_not_of(text[at], at) == std::string_view::npos
                                ? text.size() - at
                                : text.find_first_not_of(text[at], at) - at;
    if (run >= 16) {
      flush();
      parts.push_back("std::string(" + std::to_string(run) + ", '" +
                      (text[at] == '\'' ? "\\'" : escaped(text[at])) + "')");
    } else {
      for (std::size_t k = 0; k < run; ++k) literal += escaped(text[at]);
    }
    at += run;
  }
  flush();
  if (parts.empty()) return "\"\"";
  // A literal opens the sum as a std::string, so that + joins the parts.
  std::string joined =
      parts.front().front() == '"' && parts.size() > 1 ? "std::string(" + parts.front() + ")" : parts.front();
  for (std::size_t k = 1; k < parts.size(); ++k) joined += " + " + parts[k];
  return joined;
}

}  // namespace

struct EventSequence::Search {
  bool started = false;  // its first DoEvents has returned, so it has taken its bounds
  std::int32_t lower = 0;
  std::int32_t upper = 0;
  bool stopAsked = false;
  bool closedDuring = false;
  std::size_t countAtClose = 0;
  int clearsAtClose = 0;
  int nestedSteps = 0;
};

EventSequence::EventSequence(std::uint32_t seed) : seed_(seed), random_(seed) {
  form_.separator = pick(4) == 0 ? "." : ",";
  form_.texts[Texte1_0] = "1";
  form_.onDoEvents = [this](int call) { onDoEvents(call); };
  window_.load();
  record("form.separator = \"" + form_.separator + "\";");
}

std::optional<std::string> EventSequence::play(int steps) {
  checkAtRest();
  for (int k = 0; k < steps && !broken_ && !closed_; ++k) step();
  return broken_;
}

std::string EventSequence::transcript() const {
  std::string text = "// seed " + std::to_string(seed_) + "\n";
  for (const std::string& line : transcript_) text += line + "\n";
  return text;
}

int EventSequence::pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

std::string EventSequence::randomPiece() {
  static constexpr std::array kExtremes{"2147483647", "-2147483648", "2147483648", "99999999999",
                                        "2147483100", "-2147483100", "0",          "000000000012"};
  static constexpr std::array kSeparated{",", ".", ",5", ".5", "2,5", "3.5", "1 000", "1.000", "1,000", ",6"};
  static constexpr std::array kOther{" ",   "\t", "  ",  "-",  "+",    "--", "a",
                                     "abc", "é",  "12a", "e3", "0x1F", "²"};
  switch (pick(10)) {
    case 0:
    case 1:
    case 2:
      return std::to_string(std::uniform_int_distribution<int>(-60, 400)(random_));
    case 3:
      return std::to_string(pick(10));
    case 4:
      return kExtremes.at(static_cast<std::size_t>(pick(kExtremes.size())));
    case 5:
      return kSeparated.at(static_cast<std::size_t>(pick(kSeparated.size())));
    case 6:
    case 7:
      return kOther.at(static_cast<std::size_t>(pick(kOther.size())));
    case 8: {
      std::string bytes(static_cast<std::size_t>(1 + pick(5)), '\0');
      for (char& c : bytes) c = static_cast<char>(pick(256));
      return bytes;
    }
    default: {
      const auto length = static_cast<std::size_t>(std::uniform_int_distribution<int>(100, 100000)(random_));
      static constexpr std::array kFillers{'9', '0', '1', ' ', 'x'};
      return std::string(length, kFillers.at(static_cast<std::size_t>(pick(kFillers.size())))) +
             (pick(2) == 0 ? "7" : "");
    }
  }
}

void EventSequence::step() {
  const int clearsBefore = form_.clearCalls;
  const std::size_t countBefore = form_.lists[Liste1].size();
  const runtime::ControlId field = pick(2) == 0 ? Texte1_0 : Texte1_1;
  switch (pick(12)) {
    case 0:
    case 1:
    case 2:
    case 3:
      edit(field);
      break;
    case 4:
    case 5:
    case 6:
      enter(field);
      break;
    case 7: {
      const auto code = static_cast<std::int16_t>(1 + pick(255));
      if (code == kEnter) break;
      record("window.keyPress(" + fieldName(field) + ", " + std::to_string(code) + ");");
      window_.keyPress(field, code);
      break;
    }
    case 8:
      escape();
      break;
    case 9: {
      static constexpr std::array kTicks{0, 0, 1, 10, 60, 300};
      const int tick = kTicks.at(static_cast<std::size_t>(pick(kTicks.size())));
      record("form.tick = milliseconds(" + std::to_string(tick) + ");");
      form_.tick = milliseconds(tick);
      break;
    }
    case 10:
      record("form.failNextAddItem = true;");
      form_.failNextAddItem = true;
      failureArmed_ = true;
      break;
    default:
      if (pick(8) == 0) close();
      break;
  }
  if (form_.clearCalls == clearsBefore) {
    require(form_.lists[Liste1].size() == countBefore, "only a search writes to the list");
  }
  checkAtRest();
}

void EventSequence::nestedStep(int call) {
  Search& search = *running_;
  ++search.nestedSteps;
  const int clearsBefore = form_.clearCalls;
  const std::size_t countBefore = form_.lists[Liste1].size();
  const runtime::ControlId field = pick(2) == 0 ? Texte1_0 : Texte1_1;
  switch (pick(8)) {
    case 0:
    case 1:
      edit(field);
      break;
    case 2:
    case 3:
      enter(field);
      break;
    case 4:
      escape();
      break;
    case 5: {
      const int by = 1 << pick(14);
      record("form.jump(milliseconds(" + std::to_string(by) + "));");
      form_.jump(milliseconds(by));
      break;
    }
    case 6:
      record("form.failNextAddItem = true;");
      form_.failNextAddItem = true;
      failureArmed_ = true;
      break;
    default:
      if (pick(4) == 0) close();
      break;
  }
  require(
      form_.clearCalls == clearsBefore && form_.lists[Liste1].size() == countBefore,
      "events handled during a search do not touch its list (DoEvents call " + std::to_string(call) + ")");
}

void EventSequence::edit(runtime::ControlId field) {
  std::string text = form_.text(field);
  switch (pick(4)) {
    case 0: {  // typed key by key, or pasted when long
      const std::string piece = randomPiece();
      if (piece.size() > 16) {
        if (affordable(field, text + piece)) setText(field, text + piece);
        return;
      }
      for (const char c : piece) {
        text += c;
        if (!affordable(field, text)) return;
        setText(field, text);
      }
      return;
    }
    case 1:  // deleted key by key from the end
      for (int k = 1 + pick(3); k > 0 && !text.empty(); --k) {
        text.pop_back();
        if (!affordable(field, text)) return;
        setText(field, text);
      }
      return;
    case 2:  // selected and deleted
      setText(field, "");
      return;
    default: {  // pasted over the whole text or into it
      const std::string piece = randomPiece();
      const auto at = static_cast<std::size_t>(pick(static_cast<int>(text.size()) + 1));
      const std::string pasted = pick(2) == 0 ? piece : text.substr(0, at) + piece + text.substr(at);
      if (affordable(field, pasted)) setText(field, pasted);
      return;
    }
  }
}

void EventSequence::setText(runtime::ControlId field, const std::string& text) {
  record("type(" + fieldName(field) + ", " + cppText(text) + ");");
  form_.texts[field] = text;
  window_.change(field);
  if (const auto value = search::readInteger(text, form_.separator)) {
    (field == Texte1_0 ? lower_ : upper_) = *value;
  }
}

bool EventSequence::affordable(runtime::ControlId field, const std::string& text) const {
  std::int64_t lower = lower_;
  std::int64_t upper = upper_;
  if (const auto value = search::readInteger(text, form_.separator)) {
    (field == Texte1_0 ? lower : upper) = *value;
  }
  return lower > upper || upper - lower <= kMaxSpan;
}

void EventSequence::enter(runtime::ControlId field) {
  record("window.keyPress(" + fieldName(field) + ", kEnter);");
  if (running_ != nullptr) {
    window_.keyPress(field, kEnter);  // checked by the nested step: nothing happens
    return;
  }
  const bool starts = lower_ != 0 && upper_ != 0;
  const int clearsBefore = form_.clearCalls;
  Search search;
  running_ = &search;
  bool threw = false;
  try {
    window_.keyPress(field, kEnter);
  } catch (const runtime::RuntimeError&) {
    threw = true;
  }
  running_ = nullptr;
  if (!starts) {
    require(form_.clearCalls == clearsBefore && !threw, "Enter does nothing while a bound is 0");
    return;
  }
  require(form_.clearCalls == clearsBefore + 1, "Enter with both bounds set starts one search, once");
  require(search.started, "a search handles its events once before it takes its bounds");
  checkSearch(search, threw);
}

void EventSequence::escape() {
  record("window.keyDown(kEscape);");
  window_.keyDown(kEscape);
  if (running_ != nullptr) running_->stopAsked = true;
}

void EventSequence::close() {
  record("window.unload();");
  window_.unload();
  closed_ = true;
  if (running_ == nullptr) return;
  running_->closedDuring = true;
  running_->countAtClose = form_.lists[Liste1].size();
  running_->clearsAtClose = form_.clearCalls;
}

void EventSequence::onDoEvents(int call) {
  if (running_ == nullptr) {
    require(false, "DoEvents is called only during a search");
    return;
  }
  Search& search = *running_;
  ++depth_;
  bool announced = false;
  while (!closed_ && search.nestedSteps < kMaxNestedSteps && pick(3) == 0) {
    if (!announced) record("// inside DoEvents call " + std::to_string(call) + ":");
    announced = true;
    nestedStep(call);
  }
  --depth_;
  if (!search.started) {
    search.started = true;
    search.lower = lower_;
    search.upper = upper_;
  }
}

void EventSequence::checkSearch(const Search& search, bool threw) {
  const bool failed = failureArmed_ && !form_.failNextAddItem;
  failureArmed_ = form_.failNextAddItem;
  require(threw == failed, "a failing list operation leaves the search as an error, and nothing else does");

  const Lines& written = form_.lists[Liste1];
  const Lines found = engineLines(search.lower, search.upper);
  const Lines complete =
      found.empty() ? Lines{std::string(search::kNoResultLine), search::rangeLine(search.lower, search.upper)}
                    : found;
  // How the list's first n lines part from these lines; empty where they do not.
  const auto partsFrom = [&](const Lines& lines, std::size_t n) -> std::string {
    if (n > lines.size()) return "; the list holds " + std::to_string(written.size()) + " lines";
    const auto [line, expected] =
        std::mismatch(written.begin(), written.begin() + static_cast<std::ptrdiff_t>(n), lines.begin());
    if (line == written.begin() + static_cast<std::ptrdiff_t>(n)) return {};
    return "; line " + std::to_string(line - written.begin()) + " is \"" + *line + "\" instead of \"" +
           *expected + "\"";
  };
  const std::string bounds =
      " (bounds " + std::to_string(search.lower) + ", " + std::to_string(search.upper) + ")";

  if (threw) {
    const std::string differs = partsFrom(complete, written.size());
    require(differs.empty(), "an error keeps the lines written before it" + bounds + differs);
  } else if (search.closedDuring) {
    require(written.size() == search.countAtClose && form_.clearCalls == search.clearsAtClose,
            "nothing is written after closing" + bounds);
    const std::string differs = partsFrom(found, written.size());
    require(differs.empty(), "closing keeps the engine's first lines, with no last line" + bounds + differs);
  } else if (search.stopAsked && !written.empty() && written.back() == kStoppedLine) {
    const std::string differs = partsFrom(found, written.size() - 1);
    require(differs.empty(),
            "Escape keeps the engine's first lines, then says the search was stopped" + bounds + differs);
  } else {
    const std::string differs = written.size() == complete.size()
                                    ? partsFrom(complete, written.size())
                                    : "; the list holds " + std::to_string(written.size()) +
                                          " lines instead of " + std::to_string(complete.size());
    require(differs.empty(), "the list holds exactly the engine's lines, or the notice" + bounds + differs);
  }
}

void EventSequence::checkAtRest() {
  require(form_.pointer == runtime::MousePointer::Default, "the pointer is back to default after a search");
  require(!form_.visible[Label1], "Label1 is hidden after a search");
  require(form_.captions.empty() || form_.captions.back() == feuille1::layout().caption,
          "the caption is back to rest after a search");
}

void EventSequence::record(const std::string& line) {
  transcript_.push_back(std::string(2 * depth_, ' ') + line);
}

void EventSequence::require(bool holds, const std::string& rule) {
  if (!holds && !broken_) broken_ = rule;
}
