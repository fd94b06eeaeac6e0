#pragma once

#include <QKeyEvent>

#include <cstdint>
#include <optional>
#include <vector>

// Qt's key events in the codes forms use, with their Windows meanings.
namespace runtime::qt {

// The virtual-key code of the key (27 for Escape, 13 for Enter, 'A' for A,
// ...), for the keys that have one.
std::optional<std::int16_t> virtualKey(const QKeyEvent& key);

// The character codes that a key press types into a text box: 13 for Return,
// keypad Enter and Ctrl+M, 1 to 26 for Ctrl with a letter, else the UTF-16
// units of the key's text. None for Tab and Escape, which belong to the
// window's navigation rather than to the field.
std::vector<std::int16_t> typedCharacters(const QKeyEvent& key);

}  // namespace runtime::qt
