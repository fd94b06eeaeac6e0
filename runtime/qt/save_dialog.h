#pragma once

#include <QString>
#include <QWidget>

#include <optional>
#include <string_view>

namespace runtime::qt {

// Asks the user where to save a text file, with Qt's save dialog (the
// desktop's own where it has one) proposing fileName in folder. The full
// path chosen; none when cancelled.
std::optional<QString> chooseSaveFile(QWidget& owner, const QString& folder, std::string_view fileName);
// The same, for a PNG image.
std::optional<QString> chooseImageFile(QWidget& owner, const QString& folder, std::string_view fileName);

}  // namespace runtime::qt
