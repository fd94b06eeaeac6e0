#include "runtime/qt/list_menu.h"

#include <QMenu>

#include <exception>

#include "runtime/qt/clipboard.h"
#include "runtime/qt/line_list.h"

namespace runtime::qt {
namespace {

// An item's text with its key shown beside it, as Qt's own context menus show
// theirs; the key itself is handled by keyPressed, menu or not.
QString withKey(const char* text, QKeySequence::StandardKey key) {
  return QString::fromUtf8(text) + u'\t' + QKeySequence(key).toString(QKeySequence::NativeText);
}

// Shift+F10, which opens the context menu from the keyboard as the menu key
// does; Qt turns only the menu key into a context-menu event.
bool opensContextMenu(const QKeyEvent& key) {
  return key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier;
}

}  // namespace

bool ListMenu::keyPressed(const Control& control, const QKeyEvent& key) {
  if (key.matches(QKeySequence::Save)) {
    form_.requestSaveOfFirst();
    return true;
  }
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
  const bool enabled = form_.listActs(list);
  copyItem->setEnabled(enabled);
  saveItem->setEnabled(enabled);
  const QAction* chosen = menu.exec(globalPosition);
  if (chosen == copyItem) copy(list);
  if (chosen == saveItem) save(list);
}

void ListMenu::copy(const Control& list) const {
  try {
    copyToClipboard(list.list->lines());
  } catch (const std::exception& error) {
    form_.reportError(error);
  }
}

void ListMenu::save(const Control& list) { form_.requestSave(list); }

}  // namespace runtime::qt
