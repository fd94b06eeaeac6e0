// The desktop's contrast as the Qt window learns it: from a settings portal
// on a private session bus (the test runs under dbus-run-session), played
// by the test on a connection and a thread of its own, at start and as the
// setting changes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QObject>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>
#include <utility>

#include "runtime/qt/form_registry.h"
#include "runtime/qt/form_window.h"
#include "tests/qt/fake_portal.h"
#include "window/feuille1.h"
#include "window/feuille1_layout.h"

namespace {

using fake_portal::FakePortal;
using fake_portal::kConnection;
using fake_portal::kPath;

// The portal, answering on its own thread while the window waits for it.
class PortalThread {
 public:
  PortalThread() {
    portal.moveToThread(&thread_);
    thread_.start();
  }
  PortalThread(const PortalThread&) = delete;
  PortalThread& operator=(const PortalThread&) = delete;
  PortalThread(PortalThread&&) = delete;
  PortalThread& operator=(PortalThread&&) = delete;
  ~PortalThread() {
    thread_.quit();
    thread_.wait();
  }

  FakePortal portal;

 private:
  QThread thread_;
};

TEST(QtContrastPortal, StartsInTheDesktopsHighContrastAndFollowsItsChanges) {
  QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, kConnection);
  ASSERT_TRUE(bus.isConnected()) << "no session bus: run under dbus-run-session";
  PortalThread served;
  FakePortal& portal = served.portal;
  ASSERT_TRUE(bus.registerObject(kPath, &portal, QDBusConnection::ExportAllSlots));
  ASSERT_TRUE(bus.registerService("org.freedesktop.portal.Desktop"));

  runtime::qt::FormRegistry forms;
  const runtime::qt::FormWindow& form = forms.open(
      feuille1::layout(), [](runtime::Form& window) { return std::make_unique<Feuille1>(window); });
  const QWidget& busy = form.widget(feuille1::Label1);
  const auto foreground = [&busy] { return busy.palette().color(busy.foregroundRole()); };
  EXPECT_EQ(foreground(), QApplication::palette().color(QPalette::WindowText));

  portal.setContrast(0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return foreground() == QColor(255, 0, 0); }, 5000));
  portal.setContrast(1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return foreground() != QColor(255, 0, 0); }, 5000));
}

}  // namespace
