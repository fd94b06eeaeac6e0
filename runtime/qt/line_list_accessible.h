#pragma once

#include <QAccessibleInterface>
#include <QString>

class QObject;

namespace runtime::qt {

// Tells assistive technologies about a line list: a list whose children are
// its lines, each read by its text. Installed as an accessibility factory.
QAccessibleInterface* createLineListAccessible(const QString& className, QObject* object);

}  // namespace runtime::qt
