#include "runtime/qt/list_menu.h"

#include <QMenu>

#include <exception>

#include "runtime/qt/clipboard.h"
#include "runtime/qt/keys.h"
#include "runtime/qt/line_list.h"

namespace runtime::qt {
namespace {

const QKeySequence kShowPicture(Qt::CTRL | Qt::Key_G);

}  // namespace

bool ListMenu::formKeyPressed(const QKeyEvent& key) {
  if (key.matches(QKeySequence::Save)) {
    form_.requestSaveOfFirst();
    return true;
  }
  if (QKeySequence(key.keyCombination()) == kShowPicture) {
    form_.requestPictureOfFirstList();
    return true;
  }
  return false;
}

bool ListMenu::keyPressed(const Control& control, const QKeyEvent& key) {
  if (formKeyPressed(key)) return true;
  if (control.list == nullptr) return false;
  if (key.matches(QKeySequence::Copy)) {
    copy(control);
    return true;
  }
  if (opensContextMenu(key)) {
    show(control, control.list->mapToGlobal(control.list->rect().center()));
    return true;
  }
  return false;
}

void ListMenu::show(const Control& list, QPoint globalPosition) {
  QMenu menu(list.widget);
  QAction* copyItem = menu.addAction(withKey("Copier", QKeySequence::Copy));
  QAction* saveItem = menu.addAction(withKey("Enregistrer la liste...", QKeySequence::Save));
  QAction* pictureItem = menu.addAction(withKey("Voir le nuage de points...", kShowPicture));
  const bool enabled = form_.listActs(list);
  for (QAction* item : menu.actions()) item->setEnabled(enabled);
  const QAction* chosen = menu.exec(globalPosition);
  if (chosen == copyItem) copy(list);
  if (chosen == saveItem) form_.requestSave(list);
  if (chosen == pictureItem) form_.requestPicture(list);
}

void ListMenu::copy(const Control& list) const {
  try {
    copyToClipboard(list.list->lines());
  } catch (const std::exception& error) {
    form_.reportError(error);
  }
}

}  // namespace runtime::qt
