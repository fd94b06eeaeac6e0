#pragma once

#include <QKeyEvent>
#include <QPoint>
#include <QWidget>

#include <cstdint>

namespace runtime::qt {

// What the user chose in a list's context menu.
enum class ListMenuChoice : std::uint8_t { None, Copy, Save };

// Shows a list's context menu at a point of the screen: "Copier" and
// "Enregistrer la liste...", with their keys, both greyed unless enabled.
// Returns once the menu has closed, with the item chosen.
ListMenuChoice showListMenu(QWidget& list, QPoint globalPosition, bool enabled);

// Shift+F10, which opens the context menu from the keyboard as the menu key
// does; Qt turns only the menu key into a context-menu event.
bool opensContextMenu(const QKeyEvent& key);

}  // namespace runtime::qt
