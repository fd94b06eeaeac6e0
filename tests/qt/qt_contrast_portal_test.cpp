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

#include "runtime/qt/form_window.h"
#include "window/feuille1.h"
#include "window/feuille1_layout.h"

namespace {

constexpr const char* kPath = "/org/freedesktop/portal/desktop";
constexpr const char* kInterface = "org.freedesktop.portal.Settings";
constexpr const char* kConnection = "portal";

// The portal's Settings interface: the appearance's contrast, 1 for high.
class FakePortal final : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

 public:
  void setContrast(unsigned contrast) {
    contrast_ = contrast;
    QDBusMessage changed = QDBusMessage::createSignal(kPath, kInterface, "SettingChanged");
    changed << QString("org.freedesktop.appearance") << QString("contrast")
            << QVariant::fromValue(QDBusVariant(contrast));
    QDBusConnection(kConnection).send(changed);
  }

  // NOLINTNEXTLINE(readability-redundant-access-specifiers): moc's section of slots
 public slots:
  // Answers as the portal's Read does: the value in a variant, in a variant.
  // NOLINTNEXTLINE(modernize-use-nodiscard): a slot that D-Bus calls
  QDBusVariant Read(const QString& group, const QString& key) const {
    const bool contrast = group == "org.freedesktop.appearance" && key == "contrast";
    return QDBusVariant(QVariant::fromValue(QDBusVariant(contrast ? contrast_.load() : 0U)));
  }

 private:
  std::atomic<unsigned> contrast_ = 1;  // set by the test, read on the portal's thread
};

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

  runtime::qt::FormWindow form(feuille1::layout());
  form.start([](runtime::Form& window) { return std::make_unique<Feuille1>(window); });
  const QWidget& busy = form.widget(feuille1::Label1);
  const auto foreground = [&busy] { return busy.palette().color(busy.foregroundRole()); };
  EXPECT_EQ(foreground(), QApplication::palette().color(QPalette::WindowText));

  portal.setContrast(0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return foreground() == QColor(255, 0, 0); }, 5000));
  portal.setContrast(1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return foreground() != QColor(255, 0, 0); }, 5000));
}

}  // namespace

#include "qt_contrast_portal_test.moc"
