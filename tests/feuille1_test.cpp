#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/runtime_error.h"
#include "tests/feuille1_fixture.h"

namespace {

TEST_F(Feuille1Test, SearchesFromOneOnceAnUpperBoundIsTyped) {
  pressEnter();
  EXPECT_EQ(form.doEventsCalls, 0);  // the upper bound is still 0

  type(Texte1_1, "20");
  pressEnter();
  EXPECT_TRUE(areEngineLines(list(), 1, 20));
  expectIdle();
}

TEST_F(Feuille1Test, EnterInEitherFieldSearchesAndOtherKeysDoNot) {
  type(Texte1_1, "5");
  window.keyPress(Texte1_1, 'a');
  window.keyPress(Texte1_1, 10);
  EXPECT_TRUE(list().empty());
  pressEnter(Texte1_0);
  EXPECT_EQ(list(), Lines{" 3  4  5"});
}

TEST_F(Feuille1Test, WritesTheNoticeNamingTheBoundsWhenNothingIsFound) {
  type(Texte1_0, "3");
  type(Texte1_1, "10");
  pressEnter();
  EXPECT_EQ(list(), (Lines{"pas de nombres", "entre  3 et 10"}));

  type(Texte1_0, "5");
  type(Texte1_1, "2");
  pressEnter();
  EXPECT_EQ(list(), (Lines{"pas de nombres", "entre  5 et 2"}));
  expectIdle();
}

TEST_F(Feuille1Test, UnreadableTextKeepsTheLastBound) {
  type(Texte1_1, "12");
  type(Texte1_1, "12a");
  type(Texte1_0, "abc");
  type(Texte1_0, "");
  type(Texte1_0, "  ");
  type(Texte1_0, "3000000000");
  type(Texte1_0, "9");
  type(Texte1_0, "-");
  pressEnter();
  EXPECT_EQ(list(), (Lines{"pas de nombres", "entre  9 et 12"}));

  type(Texte1_1, "125");
  type(Texte1_1, "12");
  type(Texte1_0, "2,5");  // rounds half to even: 2
  pressEnter();
  EXPECT_TRUE(areEngineLines(list(), 2, 12));
}

TEST_F(Feuille1Test, EnterDoesNothingWhileABoundIsZero) {
  type(Texte1_1, "20");
  pressEnter();
  const Lines before = list();
  type(Texte1_0, "0");
  pressEnter();
  type(Texte1_0, "1");
  type(Texte1_1, "0");
  pressEnter();
  EXPECT_EQ(list(), before);
  EXPECT_EQ(form.doEventsCalls, 1);
}

TEST_F(Feuille1Test, ShowsTheBusyStateDuringASearchAndClearsTheListFirst) {
  type(Texte1_1, "20");
  pressEnter();
  type(Texte1_1, "5");
  form.onDoEvents = [&](int /*call*/) {
    EXPECT_TRUE(list().empty());
    EXPECT_TRUE(form.visible[Label1]);
    EXPECT_EQ(form.pointer, MousePointer::Default);  // the hourglass comes after DoEvents
  };
  pressEnter();
  EXPECT_EQ(list(), Lines{" 3  4  5"});
  expectIdle();
}

TEST_F(Feuille1Test, BoundsTypedDuringTheFirstDoEventsTakeEffect) {
  type(Texte1_1, "5");
  form.onDoEvents = [&](int /*call*/) { type(Texte1_1, "20"); };
  pressEnter();
  EXPECT_EQ(list().size(), 7U);
}

TEST_F(Feuille1Test, ASearchIgnoresEnterPressedWhileItRuns) {
  type(Texte1_1, "20");
  int nested = 0;
  form.onDoEvents = [&](int /*call*/) {
    ++nested;
    pressEnter();
  };
  pressEnter();
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(list().size(), 7U);
  expectIdle();

  // And the next search runs as usual.
  form.onDoEvents = nullptr;
  type(Texte1_1, "5");
  pressEnter();
  EXPECT_EQ(list(), Lines{" 3  4  5"});
}

TEST_F(Feuille1Test, AnErrorLeavesTheSearchWithTheBusyStateUndone) {
  type(Texte1_1, "20");
  form.onDoEvents = [&](int /*call*/) { form.failNextAddItem = true; };
  EXPECT_THROW(pressEnter(), runtime::RuntimeError);
  expectIdle();
  EXPECT_TRUE(list().empty());

  // Nothing is left stuck: the next Enter searches again.
  form.onDoEvents = nullptr;
  pressEnter();
  EXPECT_EQ(list().size(), 7U);
}

// The first row of the range holds the widest numbers a line shows; the
// notice names the bounds at both ends of the range.
TEST_F(Feuille1Test, SearchesTheExtremesWithoutOverflow) {
  search("-2147483648", "-2147483648");
  EXPECT_EQ(list(), Lines{"-2147483648 -4026531840  4563402752"});
  search("2147483647", "-2147483648");
  EXPECT_EQ(list(), (Lines{"pas de nombres", "entre  2147483647 et-2147483648"}));
  expectIdle();
}

}  // namespace
