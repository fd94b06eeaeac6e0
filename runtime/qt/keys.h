#pragma once

#include <QKeyEvent>
#include <QKeySequence>
#include <QString>

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

// Shift+F10, which opens the context menu from the keyboard as the menu key
// does; Qt turns only the menu key into a context-menu event.
bool opensContextMenu(const QKeyEvent& key);

// A menu item's text with its key shown beside it, as Qt's own context menus
// show theirs; the key itself is handled apart, menu or not.
QString withKey(const char* text, const QKeySequence& key);

}  // namespace runtime::qt
