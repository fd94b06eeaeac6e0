#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "runtime/runtime_error.h"
#include "tests/feuille1_fixture.h"

namespace {

using std::chrono::milliseconds;

const std::string kCaption(feuille1::layout().caption);

// Each read of the clock moves it on, so every search turns long.
class LongSearchTest : public Feuille1Test {
 protected:
  LongSearchTest() { form.tick = milliseconds(10); }
};

TEST_F(Feuille1Test, AShortSearchHandlesEventsOnlyAtItsStart) {
  search("1", "100000");
  EXPECT_EQ(form.doEventsCalls, 1);
  EXPECT_TRUE(areEngineLines(list(), 1, 100000));
  EXPECT_TRUE(form.captions.empty());
}

TEST_F(LongSearchTest, HandlesEventsNowAndThenAndWritesTheSameLines) {
  search("1", "100000");
  EXPECT_GT(form.doEventsCalls, 5);
  EXPECT_TRUE(areEngineLines(list(), 1, 100000));
  expectIdle();
}

TEST_F(LongSearchTest, ShowsItsProgressInTheCaptionAndPutsTheCaptionBack) {
  search("1", "100000");
  ASSERT_GE(form.captions.size(), 3U);
  EXPECT_EQ(form.captions.front().rfind(kCaption + " — ", 0), 0U) << form.captions.front();
  EXPECT_EQ(form.captions[form.captions.size() - 2].back(), '%');
  EXPECT_EQ(form.captions.back(), kCaption);
}

TEST_F(LongSearchTest, EscapeStopsTheSearchAndKeepsTheLinesFound) {
  form.onDoEvents = [&](int call) {
    if (call == 3) window.keyDown(kEscape);
  };
  search("1", "100000");
  ASSERT_GE(list().size(), 2U);
  EXPECT_EQ(list().back(), "calculs interrompus");
  list().pop_back();
  EXPECT_TRUE(areEngineLines(list(), 1, 100000, true));
  EXPECT_LT(list().size(), engineLines(1, 100000).size());
  expectIdle();

  // The next search runs whole.
  form.onDoEvents = nullptr;
  search("1", "20");
  EXPECT_EQ(list().size(), 7U);
}

TEST_F(Feuille1Test, EscapeOutsideASearchDoesNothing) {
  search("1", "20");
  window.keyDown(kEscape);
  EXPECT_EQ(list().size(), 7U);
  search("1", "5");
  EXPECT_EQ(list(), Lines{" 3  4  5"});
}

TEST_F(LongSearchTest, IgnoresEnterAndKeepsItsBoundsWhileBoundsAreTyped) {
  form.onDoEvents = [&](int call) {
    if (call < 2) return;
    type(Texte1_1, "30");
    pressEnter();
  };
  search("1", "100000");
  EXPECT_TRUE(areEngineLines(list(), 1, 100000));

  // The typed bound took effect for the next search.
  form.onDoEvents = nullptr;
  pressEnter();
  EXPECT_TRUE(areEngineLines(list(), 1, 30));
}

TEST_F(LongSearchTest, NamesTheBoundsItStartedWithWhenItFindsNothing) {
  form.tick = milliseconds(300);
  form.onDoEvents = [&](int call) {
    if (call >= 2) type(Texte1_0, "7");
  };
  search("500000000", "1000002000");
  EXPECT_GE(form.doEventsCalls, 2);
  EXPECT_EQ(list(), (Lines{"pas de nombres", "entre  500000000 et 1000002000"}));
}

TEST_F(LongSearchTest, ClosingTheWindowStopsTheSearchWithoutAFinalLine) {
  form.onDoEvents = [&](int call) {
    if (call == 3) window.unload();
  };
  search("1", "100000");
  ASSERT_FALSE(list().empty());
  EXPECT_TRUE(areEngineLines(list(), 1, 100000, true)) << "no last line";
  EXPECT_LT(list().size(), engineLines(1, 100000).size());
  expectIdle();
}

TEST_F(LongSearchTest, SavesTheListUnderItsBoundsAndOnlyOutsideASearch) {
  form.onDoEvents = [&](int /*call*/) { window.saveRequested(Liste1); };
  search("-20", "20");
  EXPECT_TRUE(form.proposedFileNames.empty());

  // A long save shows its progress, ignores Enter and leaves the list as it is.
  form.onDoEvents = [&](int /*call*/) { pressEnter(); };
  form.captions.clear();
  window.saveRequested(Liste1);
  EXPECT_EQ(form.proposedFileNames, Lines{"triplets -20-20.txt"});
  EXPECT_EQ(form.savedLines, list());
  EXPECT_TRUE(areEngineLines(list(), -20, 20));
  ASSERT_FALSE(form.captions.empty());
  EXPECT_EQ(form.captions.back(), kCaption);
  expectIdle();

  // Escape stops it.
  form.savedLines.clear();
  form.onDoEvents = [&](int /*call*/) { window.keyDown(kEscape); };
  window.saveRequested(Liste1);
  EXPECT_TRUE(form.savedLines.empty());
  EXPECT_TRUE(areEngineLines(list(), -20, 20));
  expectIdle();
}

// A save cancelled in the dialog, or failing halfway through the file, leaves
// the list as it was and the window idle: the hourglass, the progress and the
// busy state all go, and the next Enter searches.
TEST_F(LongSearchTest, ASaveCancelledOrFailingLeavesTheListAndTheWindowAsTheyWere) {
  search("1", "100");
  const Lines shown = list();
  form.chosenFile.reset();
  window.saveRequested(Liste1);
  EXPECT_EQ(form.proposedFileNames, Lines{"triplets 1-100.txt"});
  EXPECT_EQ(list(), shown);
  expectIdle();

  form.chosenFile = "triplets 1-100.txt";
  form.failWritingAt = shown.size() - 1;
  MousePointer whileWriting = MousePointer::Default;
  form.onDoEvents = [&](int /*call*/) { whileWriting = form.pointer; };
  form.captions.clear();
  EXPECT_THROW(window.saveRequested(Liste1), runtime::RuntimeError);
  EXPECT_EQ(whileWriting, MousePointer::Hourglass);
  EXPECT_TRUE(form.savedLines.empty());
  EXPECT_EQ(list(), shown);
  ASSERT_FALSE(form.captions.empty()) << "no progress shown";
  EXPECT_EQ(form.captions.back(), kCaption);
  expectIdle();

  form.onDoEvents = nullptr;
  search("1", "20");
  EXPECT_TRUE(areEngineLines(list(), 1, 20));
}

TEST_F(Feuille1Test, StopsAtTenMillionLinesWithANote) {
  form.keepAtMost = 3;
  search("1", "2147483647");
  EXPECT_EQ(form.itemCounts[Liste1], static_cast<std::size_t>(Feuille1::kMaxResultLines) + 1);
  EXPECT_EQ(form.lastLines[Liste1], "liste pleine : calculs arrêtés");
  EXPECT_EQ(list(), (Lines{" 3  4  5", " 5  12  13", " 6  8  10"}));
  expectIdle();
}

}  // namespace
