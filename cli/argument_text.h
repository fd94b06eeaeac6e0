#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The most characters of an argument that an error message shows.
inline constexpr std::size_t kMaxShownLength = 40;

// An argument as it may safely be echoed on a terminal: valid UTF-8 printable
// text as it is; control characters, bidirectional overrides and bytes that
// are not valid UTF-8 escaped as \xHH per byte; a backslash doubled; and cut
// after kMaxShownLength characters with an ellipsis.
std::string shownArgument(std::string_view argument);
