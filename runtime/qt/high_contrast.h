#pragma once

#include <QDBusMessage>
#include <QObject>
#include <QString>

#include <functional>

namespace runtime::qt {

// Whether the desktop asks for high contrast: the appearance setting
// "contrast" of the desktop's settings portal, 1 for high. False where there
// is no session bus or no portal.
bool desktopHighContrast();

// Calls changed() each time the desktop's contrast setting changes, for as
// long as it lives.
class ContrastWatch final : public QObject {
  Q_OBJECT

 public:
  explicit ContrastWatch(std::function<void()> changed);

 private:
  Q_SLOT void settingChanged(const QDBusMessage& change);

  std::function<void()> changed_;
};

}  // namespace runtime::qt
