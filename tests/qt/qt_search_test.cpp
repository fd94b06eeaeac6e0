// Searches typed into the Qt window: typing, the keys that start a search,
// the list's lines and copying them.
#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QTest>

#include "tests/qt/qt_window.h"

namespace {

using QtWindowSearch = QtWindowTest;

const Lines kOneToTwenty{" 3  4  5",   " 5  12  13",  " 6  8  10",  " 8  15  17",
                         " 9  12  15", " 12  16  20", " 15  20  25"};

TEST_F(QtWindowSearch, ListsTheTriplesTypedWithReturnInTheUpperField) {
  search("1", "20");
  EXPECT_EQ(lines(), kOneToTwenty);
  EXPECT_FALSE(form.widget(Label1).isVisible());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Return, keypad Enter and Ctrl+M all type the code 13, in either field.
TEST_F(QtWindowSearch, StartsOnEveryKeyThatTypesEnterInEitherField) {
  type(Texte1_1, "20");
  const std::pair<Qt::Key, Qt::KeyboardModifiers> enters[] = {{Qt::Key_Return, Qt::NoModifier},
                                                              {Qt::Key_Enter, Qt::KeypadModifier},
                                                              {Qt::Key_M, Qt::ControlModifier}};
  for (const runtime::ControlId id : {Texte1_0, Texte1_1}) {
    for (const auto& [key, modifiers] : enters) {
      search("1", "20");
      type(Texte1_1, "5");
      QTest::keyClick(&field(id), key, modifiers);
      EXPECT_EQ(lines(), Lines{" 3  4  5"}) << "key " << key << " in field " << id;
    }
  }
  EXPECT_EQ(field(Texte1_1).text(), "5") << "Ctrl+M must not type a letter";
}

TEST_F(QtWindowSearch, FollowsTheTextAsItIsTypedDeletedOrSet) {
  type(Texte1_1, "200");
  QTest::keyClick(&field(Texte1_1), Qt::Key_Backspace);
  EXPECT_EQ(field(Texte1_1).text(), "20");
  QTest::keyClick(&field(Texte1_1), Qt::Key_Return);
  EXPECT_EQ(lines(), kOneToTwenty);

  field(Texte1_1).setText("5");  // set by the program, not typed
  QTest::keyClick(&field(Texte1_1), Qt::Key_Return);
  EXPECT_EQ(lines(), Lines{" 3  4  5"});

  QTest::keyClicks(&field(Texte1_1), "a");  // "5a" is no number: the bound stays 5
  QTest::keyClick(&field(Texte1_1), Qt::Key_Return);
  EXPECT_EQ(lines(), Lines{" 3  4  5"});

  QGuiApplication::clipboard()->setText("20");
  field(Texte1_1).clear();
  QTest::keyClick(&field(Texte1_1), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(field(Texte1_1).text(), "20");
  QTest::keyClick(&field(Texte1_1), Qt::Key_Return);
  EXPECT_EQ(lines(), kOneToTwenty);
}

TEST_F(QtWindowSearch, SaysSoWhenThereIsNothingToList) {
  search("3", "10");
  EXPECT_EQ(lines(), (Lines{"pas de nombres", "entre  3 et 10"}));
}

TEST_F(QtWindowSearch, GivesNegativeNumbersTheirSign) {
  search("-3", "4");
  ASSERT_EQ(lines().size(), 18U);
  EXPECT_EQ(lines().front(), "-3 -4  5");
  EXPECT_EQ(lines().back(), " 4  3  5");
}

TEST_F(QtWindowSearch, IgnoresEnterWhileABoundIsZero) {
  search("1", "20");
  type(Texte1_0, "0");
  QTest::keyClick(&field(Texte1_1), Qt::Key_Return);
  EXPECT_EQ(lines(), kOneToTwenty) << "the list must not even be emptied";
  type(Texte1_0, "1");
  type(Texte1_1, "0");
  QTest::keyClick(&field(Texte1_0), Qt::Key_Return);
  EXPECT_EQ(lines(), kOneToTwenty);
}

TEST_F(QtWindowSearch, ReplacesTheListOfThePreviousSearch) {
  search("1", "20");
  search("3", "10");
  EXPECT_EQ(lines(), (Lines{"pas de nombres", "entre  3 et 10"}));
}

TEST_F(QtWindowSearch, CopiesEveryLineWithCtrlCInTheList) {
  search("1", "20");
  list().setFocus();
  list().setCurrentRow(2);
  QTest::keyClick(&list(), Qt::Key_C, Qt::ControlModifier);
  std::string expected;
  for (const std::string& line : kOneToTwenty) expected += line + "\n";
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), expected);
}

// Run with a French locale by its own test entry.
TEST_F(QtWindowSearch, ReadsBoundsWithTheDecimalSeparatorOfTheUsersLocale) {
  if (QLocale::system().decimalPoint() != QStringLiteral(",")) GTEST_SKIP() << "not under a French locale";
  search("1", "20,4");
  EXPECT_EQ(lines(), kOneToTwenty);
}

}  // namespace
