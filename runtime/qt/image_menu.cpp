#include "runtime/qt/image_menu.h"

#include <QMenu>

#include "runtime/qt/keys.h"
#include "runtime/qt/line_list.h"

namespace runtime::qt {

bool ImageMenu::keyPressed(const QKeyEvent& key) { return opensContextMenu(key) && showForKeyboard(); }

bool ImageMenu::showForKeyboard() {
  const Control* box = form_.controls().firstOf(ControlKind::PictureBox);
  if (box == nullptr) return false;
  show(*box, box->widget->mapToGlobal(box->widget->rect().center()));
  return true;
}

void ImageMenu::show(const Control& box, QPoint globalPosition) {
  QMenu menu(box.widget);
  QAction* saveItem = menu.addAction(withKey("Enregistrer l'image...", QKeySequence::Save));
  saveItem->setEnabled(form_.acts(box));
  if (menu.exec(globalPosition) == saveItem) form_.requestSave(box);
}

}  // namespace runtime::qt
