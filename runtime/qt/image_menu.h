#pragma once

#include <QKeyEvent>
#include <QPoint>

#include "runtime/form_core.h"
#include "runtime/qt/controls.h"

namespace runtime::qt {

// A picture box's context menu, "Enregistrer l'image..." (its key, Ctrl+S,
// shown beside it; ListMenu handles the key), from a right-click, or from the
// menu key or Shift+F10 while no control has the focus (a picture box never
// takes it): the form's first picture box's menu then. Saving is asked of the
// form's code; the item is greyed while the box may not act (FormCore::acts).
class ImageMenu {
 public:
  explicit ImageMenu(FormCore<Control>& form) : form_(form) {}

  // A key pressed while none of the form's controls has the focus. True when
  // the key was Shift+F10 and the form has a picture box.
  bool keyPressed(const QKeyEvent& key);
  // The menu key, or another way the keyboard asks for the context menu while
  // no control has the focus. True when the form has a picture box.
  bool showForKeyboard();
  // Shows a picture box's menu at a point of the screen; returns once it has
  // closed and what was chosen is done.
  void show(const Control& box, QPoint globalPosition);

 private:
  FormCore<Control>& form_;
};

}  // namespace runtime::qt
