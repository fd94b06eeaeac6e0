#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QObject>
#include <QString>
#include <QVariant>

#include <atomic>

// The desktop's settings portal, as the contrast test plays it. Apart from
// the test, so that moc reads it as a header of its own.
namespace fake_portal {

inline constexpr const char* kPath = "/org/freedesktop/portal/desktop";
inline constexpr const char* kInterface = "org.freedesktop.portal.Settings";
inline constexpr const char* kConnection = "portal";

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

}  // namespace fake_portal
