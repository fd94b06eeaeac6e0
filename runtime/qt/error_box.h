#pragma once

#include <QWidget>

#include <exception>
#include <string_view>

namespace runtime::qt {

// Tells the user, in French, about an error that left an event procedure, in
// a message box that waits for the user's answer.
void showRuntimeError(QWidget* owner, std::string_view title, const std::exception& error);

}  // namespace runtime::qt
