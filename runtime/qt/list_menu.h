#pragma once

#include <QKeyEvent>
#include <QPoint>

#include "runtime/form_core.h"
#include "runtime/qt/controls.h"

namespace runtime::qt {

// What the user asks of a form's lists: Ctrl+C in a list copies its lines;
// its context menu (the menu key, Shift+F10 or a right-click) offers
// "Copier", "Enregistrer la liste..." and "Voir le nuage de points...";
// Ctrl+S anywhere in the window saves the form's first list (or else its
// first picture box), Ctrl+G anywhere asks for the first list's picture. When
// they act is the form's rule (FormCore::listActs); the menu's items are
// greyed otherwise.
class ListMenu {
 public:
  explicit ListMenu(FormCore<Control>& form) : form_(form) {}

  // A key pressed in one of the form's controls. True when the key was one of them.
  bool keyPressed(const Control& control, const QKeyEvent& key);
  // A key pressed anywhere in the window: Ctrl+S and Ctrl+G. True when the key was one of them.
  bool formKeyPressed(const QKeyEvent& key);
  // Shows a list's menu at a point of the screen; returns once it has closed
  // and what was chosen is done.
  void show(const Control& list, QPoint globalPosition);

 private:
  void copy(const Control& list) const;

  FormCore<Control>& form_;
};

}  // namespace runtime::qt
