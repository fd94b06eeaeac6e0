// Long searches in the Qt window: the busy state while they run, Escape and
// closing stop them, the list's ceiling, and the list learning its new rows
// in batches rather than line by line.
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <chrono>

#include "tests/qt/qt_window.h"
#include "window/feuille1.h"

namespace {

using QtWindowLongSearch = QtWindowTest;

const QString kCaption = QString::fromUtf8("nombres  trivelliens : a² + b² = c²");

TEST_F(QtWindowLongSearch, ShowsItIsBusyAndStopsOnEscapeWhereverTheFocusIs) {
  bool sawBusy = false;
  duringSearch([&] {
    if (!showsProgress()) return false;
    sawBusy = form.widget(Label1).isVisible() && QApplication::overrideCursor() != nullptr &&
              QApplication::overrideCursor()->shape() == Qt::WaitCursor &&
              form.windowTitle().startsWith(kCaption + QString::fromUtf8(" — "));
    QTest::keyClick(&list(), Qt::Key_Escape);
    return true;
  });
  search("1000000000", "2147483647");

  EXPECT_TRUE(sawBusy);
  ASSERT_FALSE(lines().empty());
  EXPECT_EQ(lines().back(), "calculs interrompus");
  EXPECT_FALSE(form.widget(Label1).isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(form.windowTitle(), kCaption);
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
  bool timedOut = false;
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [&timedOut] {
    timedOut = true;
    QCoreApplication::quit();
  });
  watchdog.start(std::chrono::seconds(60));

  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(timedOut) << "the event loop did not end";
  EXPECT_FALSE(closedTooEarly) << "the window closed while the search was still running";
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtWindowLongSearch, StopsFillingTheListAtTenMillionLines) {
  search("1", "2147483647");
  const QAbstractItemModel& model = *list().model();
  ASSERT_EQ(model.rowCount(), Feuille1::kMaxResultLines + 1);
  EXPECT_EQ(model.index(0, 0).data().toString(), " 3  4  5");
  EXPECT_EQ(model.index(static_cast<int>(Feuille1::kMaxResultLines), 0).data().toString(),
            QString::fromUtf8("liste pleine : calculs arrêtés"));
  EXPECT_EQ(form.windowTitle(), kCaption);
}

// The view hears of new rows when the window handles its events, not per line.
TEST_F(QtWindowLongSearch, TellsTheViewOfNewRowsInBatches) {
  QSignalSpy inserted(list().model(), &QAbstractItemModel::rowsInserted);
  search("1", "1000000");
  EXPECT_EQ(list().model()->rowCount(), 2'269'788);
  EXPECT_GE(inserted.count(), 1);
  EXPECT_LT(inserted.count(), 1000);
}

}  // namespace
