// Searches typed into the Qt window: what its fields add to Feuille1 (keys
// and clicks are the real-input test's).
#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QTest>

#include "tests/qt/qt_window.h"

namespace {

using QtWindowSearch = QtWindowTest;

// Feuille1 hears of every change of a field's text, typed or not; each search
// replaces the list of the one before.
TEST_F(QtWindowSearch, FollowsTheTextWhenPastedOrSetByTheProgram) {
  QGuiApplication::clipboard()->setText("10");
  QTest::keyClick(&field(Texte1_1), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(&field(Texte1_1), Qt::Key_Return);
  EXPECT_EQ(lines(), (Lines{" 3  4  5", " 6  8  10"}));

  field(Texte1_1).setText("5");
  QTest::keyClick(&field(Texte1_1), Qt::Key_Return);
  EXPECT_EQ(lines(), Lines{" 3  4  5"});
}

// Run with a French locale by its own test entry.
TEST_F(QtWindowSearch, ReadsBoundsWithTheDecimalSeparatorOfTheUsersLocale) {
  if (QLocale::system().decimalPoint() != QStringLiteral(",")) GTEST_SKIP() << "not under a French locale";
  search("1", "5,4");
  EXPECT_EQ(lines(), Lines{" 3  4  5"});
}

}  // namespace
