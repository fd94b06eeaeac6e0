// The long-list control on its own: which lines it shows and paints, the
// current line under the keyboard and the mouse, and what assistive
// technologies read of it.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QImage>
#include <QScrollBar>
#include <QTest>

#include <string>

#include "runtime/qt/line_list.h"

namespace {

using runtime::qt::LineList;

class QtLineList : public testing::Test {
 protected:
  QtLineList() {
    list.resize(185, 173);
    fill(kLines);
  }

  void fill(int count) {
    for (int i = 0; i < count; ++i) list.append("ligne " + std::to_string(i));
    list.syncCount();
  }

  // Whether a line of the viewport is in the base colour throughout.
  [[nodiscard]] bool isBlank(const QImage& image, int row) const {
    const QRect place = list.lineRect(row).intersected(list.viewport()->rect());
    const QRgb base = list.palette().color(QPalette::Base).rgb();
    for (int y = place.top(); y <= place.bottom(); ++y) {
      for (int x = place.left(); x <= place.right(); ++x) {
        if (image.pixel(x, y) != base) return false;
      }
    }
    return true;
  }

  [[nodiscard]] bool inView(int row) const { return list.viewport()->rect().contains(list.lineRect(row)); }

  static constexpr int kLines = 100;
  LineList list;
};

TEST_F(QtLineList, ShowsAppendedLinesOnlyOnceItLearnsTheirCount) {
  list.append("nouvelle");
  EXPECT_EQ(list.count(), kLines);
  EXPECT_EQ(list.line(kLines), QString());
  list.syncCount();
  EXPECT_EQ(list.count(), kLines + 1);
  EXPECT_EQ(list.line(kLines), "nouvelle");
  EXPECT_EQ(list.verticalScrollBar()->maximum(),
            kLines + 1 - list.viewport()->height() / list.lineRect(0).height());
}

TEST_F(QtLineList, ClearingForgetsTheLinesTheCurrentOneAndTheScrolling) {
  list.setCurrentRow(50);
  list.clear();
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.currentRow(), -1);
  EXPECT_EQ(list.verticalScrollBar()->value(), 0);
  EXPECT_EQ(list.verticalScrollBar()->maximum(), 0);
}

TEST_F(QtLineList, PaintsTheLinesInViewAndNothingBelowThem) {
  list.clear();
  fill(3);
  const QImage image = list.viewport()->grab().toImage();
  for (int row = 0; row < 3; ++row) EXPECT_FALSE(isBlank(image, row)) << "line " << row;
  EXPECT_TRUE(isBlank(image, 3));
  EXPECT_TRUE(isBlank(image, 6));
}

TEST_F(QtLineList, MovesTheCurrentLineWithTheKeysAndKeepsItInView) {
  const int page = list.viewport()->height() / list.lineRect(0).height();
  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_EQ(list.currentRow(), 0);
  QTest::keyClick(&list, Qt::Key_Up);
  EXPECT_EQ(list.currentRow(), 0);
  QTest::keyClick(&list, Qt::Key_PageDown);
  EXPECT_EQ(list.currentRow(), page - 1);
  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_EQ(list.currentRow(), page);
  EXPECT_TRUE(inView(page));
  QTest::keyClick(&list, Qt::Key_End);
  EXPECT_EQ(list.currentRow(), kLines - 1);
  EXPECT_TRUE(inView(kLines - 1));
  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_EQ(list.currentRow(), kLines - 1);
  QTest::keyClick(&list, Qt::Key_PageUp);
  EXPECT_EQ(list.currentRow(), kLines - page);
  QTest::keyClick(&list, Qt::Key_Home);
  EXPECT_EQ(list.currentRow(), 0);
  EXPECT_EQ(list.verticalScrollBar()->value(), 0);
}

TEST_F(QtLineList, SelectsTheLineClickedAfterScrolling) {
  list.verticalScrollBar()->setValue(40);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.lineRect(42).center());
  EXPECT_EQ(list.currentRow(), 42);
  list.clear();
  fill(2);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.lineRect(5).center());
  EXPECT_EQ(list.currentRow(), -1);
}

TEST_F(QtLineList, IsReadByAssistiveTechnologiesAsAListOfItsLines) {
  QAccessibleInterface* lines = QAccessible::queryAccessibleInterface(&list);
  ASSERT_NE(lines, nullptr);
  EXPECT_EQ(lines->role(), QAccessible::List);
  EXPECT_EQ(lines->childCount(), kLines);
  EXPECT_EQ(lines->child(kLines), nullptr);

  list.setCurrentRow(7);
  QAccessibleInterface* seventh = lines->child(7);
  ASSERT_NE(seventh, nullptr);
  EXPECT_EQ(seventh->role(), QAccessible::ListItem);
  EXPECT_EQ(seventh->text(QAccessible::Name), "ligne 7");
  EXPECT_EQ(seventh->parent(), lines);
  EXPECT_EQ(lines->indexOfChild(seventh), 7);
  EXPECT_EQ(lines->child(7), seventh);
  EXPECT_TRUE(seventh->state().selected);
  EXPECT_FALSE(lines->child(8)->state().selected);
  const QRect place = seventh->rect();
  EXPECT_EQ(lines->childAt(place.center().x(), place.center().y()), seventh);

  list.clear();
  EXPECT_EQ(lines->childCount(), 0);
  EXPECT_FALSE(seventh->isValid());
  EXPECT_EQ(seventh->text(QAccessible::Name), QString());
}

TEST_F(QtLineList, GivesAScreenReaderTheCurrentLineAsItsFocus) {
  list.show();
  list.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&list));
  list.setFocus();
  QTest::keyClick(&list, Qt::Key_End);
  QAccessibleInterface* lines = QAccessible::queryAccessibleInterface(&list);
  QAccessibleInterface* last = lines->child(kLines - 1);
  EXPECT_EQ(lines->focusChild(), last);
  EXPECT_TRUE(last->state().focused);
  EXPECT_FALSE(last->state().invisible);
  EXPECT_TRUE(lines->child(0)->state().invisible) << "scrolled out of view";
}

}  // namespace
