#pragma once

#include <QString>

#include <string>
#include <string_view>

// Conversions at the boundary with Qt: the program keeps its texts in UTF-8,
// Qt in UTF-16.
namespace runtime::qt {

QString toQString(std::string_view utf8);
std::string toUtf8(const QString& text);

}  // namespace runtime::qt
