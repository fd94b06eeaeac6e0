// Long searches in the Qt window: the busy state while they run, Escape in
// the list and closing stop them, the list holds ten million lines, and shows
// them as they come.
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <chrono>

#include "tests/qt/qt_window.h"
#include "window/feuille1.h"

namespace {

using QtWindowLongSearch = QtWindowTest;

TEST_F(QtWindowLongSearch, ShowsItIsBusyAndStopsOnEscapeWhereverTheFocusIs) {
  bool sawBusy = false;
  duringSearch([&] {
    if (!showsProgress()) return false;
    sawBusy = form.widget(Label1).isVisible() && QApplication::overrideCursor() != nullptr &&
              QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    QTest::keyClick(&list(), Qt::Key_Escape);
    return true;
  });
  search("1000000000", "2147483647");

  EXPECT_TRUE(sawBusy);
  ASSERT_FALSE(lines().empty());
  EXPECT_EQ(lines().back(), "calculs interrompus");
  EXPECT_FALSE(form.widget(Label1).isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Closing during a search ends the event loop, and so the program, once the
// search has stopped.
TEST_F(QtWindowLongSearch, EndsTheProgramWhenClosedDuringASearch) {
  bool closedTooEarly = false;
  duringSearch([&] {
    if (!showsProgress()) return false;
    form.close();
    closedTooEarly = !form.isVisible();
    return true;
  });
  QTimer start;  // starts the search from within the event loop
  start.setSingleShot(true);
  QObject::connect(&start, &QTimer::timeout, [this] { search("1000000000", "2147483647"); });
  start.start(0);
  expectEventLoopEnds(std::chrono::seconds(60));
  EXPECT_FALSE(closedTooEarly) << "the window closed while the search was still running";
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtWindowLongSearch, StopsFillingTheListAtTenMillionLines) {
  search("1", "2147483647");
  ASSERT_EQ(list().count(), Feuille1::kMaxResultLines + 1);
  EXPECT_EQ(list().line(0), " 3  4  5");
  EXPECT_EQ(list().line(static_cast<int>(Feuille1::kMaxResultLines)),
            QString::fromUtf8("liste pleine : calculs arrêtés"));
}

// The lines found so far are shown while the search goes on.
TEST_F(QtWindowLongSearch, ShowsTheLinesFoundSoFarWhileSearching) {
  int shownWhileBusy = 0;
  duringSearch([&] {
    if (!showsProgress() || list().count() == 0) return false;
    shownWhileBusy = list().count();
    QTest::keyClick(&list(), Qt::Key_Escape);
    return true;
  });
  search("1", "2147483647");
  EXPECT_GT(shownWhileBusy, 0);
  EXPECT_EQ(list().line(0), " 3  4  5");
}

}  // namespace
