#include "tests/qt/qt_window.h"

#include <QApplication>
#include <QTest>

#include <memory>
#include <utility>

#include "window/feuille1.h"

QtWindowTest::QtWindowTest()
    : form(forms.open(feuille1::layout(),
                      [](runtime::Form& window) { return std::make_unique<Feuille1>(window); })) {}

QLineEdit& QtWindowTest::field(runtime::ControlId id) const {
  return dynamic_cast<QLineEdit&>(form.widget(id));
}

runtime::qt::LineList& QtWindowTest::list() const {
  return dynamic_cast<runtime::qt::LineList&>(form.widget(Liste1));
}

Lines QtWindowTest::lines() const {
  Lines all;
  for (int row = 0; row < list().count(); ++row) all.push_back(list().line(row).toStdString());
  return all;
}

void QtWindowTest::type(runtime::ControlId id, const QString& text) {
  field(id).clear();
  QTest::keyClicks(&field(id), text);
}

void QtWindowTest::search(const QString& lower, const QString& upper) {
  type(Texte1_0, lower);
  type(Texte1_1, upper);
  QTest::keyClick(&field(Texte1_1), Qt::Key_Return);
}

void QtWindowTest::duringSearch(std::function<bool()> check) {
  probe_.disconnect();
  QObject::connect(&probe_, &QTimer::timeout, &probe_, [this, check = std::move(check)] {
    if (check()) probe_.stop();
  });
  probe_.start(10);
}

bool QtWindowTest::showsProgress() const { return form.windowTitle().contains(QLatin1Char('%')); }

void QtWindowTest::expectEventLoopEnds(std::chrono::seconds limit) {
  bool timedOut = false;
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [&timedOut] {
    timedOut = true;
    QCoreApplication::quit();
  });
  watchdog.start(limit);
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(timedOut) << "the event loop did not end";
}
