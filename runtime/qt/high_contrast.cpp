#include "runtime/qt/high_contrast.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

#include <utility>

namespace runtime::qt {
namespace {

constexpr const char* kPortal = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kSettings = "org.freedesktop.portal.Settings";
constexpr const char* kAppearance = "org.freedesktop.appearance";
constexpr const char* kContrast = "contrast";
// The portal answers at once where it runs; the window does not wait longer for one that does not.
constexpr int kReplyMilliseconds = 250;

}  // namespace

bool desktopHighContrast() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  QDBusMessage read = QDBusMessage::createMethodCall(kPortal, kPortalPath, kSettings, "Read");
  read << QString::fromLatin1(kAppearance) << QString::fromLatin1(kContrast);
  const QDBusMessage reply = bus.call(read, QDBus::Block, kReplyMilliseconds);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
  // Read answers with the value in a variant, which some portals wrap twice.
  QVariant value = reply.arguments().constFirst();
  while (value.metaType() == QMetaType::fromType<QDBusVariant>())
    value = value.value<QDBusVariant>().variant();
  return value.toUInt() == 1;
}

ContrastWatch::ContrastWatch(std::function<void()> changed) : changed_(std::move(changed)) {
  QDBusConnection::sessionBus().connect(kPortal, kPortalPath, kSettings, "SettingChanged", this,
                                        SLOT(settingChanged(QDBusMessage)));
}

// The signal says the group, the key and the new value.
void ContrastWatch::settingChanged(const QDBusMessage& change) {
  const QList<QVariant> setting = change.arguments();
  if (setting.size() >= 2 && setting[0].toString() == QLatin1String(kAppearance) &&
      setting[1].toString() == QLatin1String(kContrast)) {
    changed_();
  }
}

}  // namespace runtime::qt
