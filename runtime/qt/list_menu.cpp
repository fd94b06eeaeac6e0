#include "runtime/qt/list_menu.h"

#include <QMenu>

namespace runtime::qt {
namespace {

// An item's text with its key shown beside it, as Qt's own context menus show
// theirs; the key itself is handled by the window, menu or not.
QString withKey(const char* text, QKeySequence::StandardKey key) {
  return QString::fromUtf8(text) + u'\t' + QKeySequence(key).toString(QKeySequence::NativeText);
}

}  // namespace

ListMenuChoice showListMenu(QWidget& list, QPoint globalPosition, bool enabled) {
  QMenu menu(&list);
  QAction* copy = menu.addAction(withKey("Copier", QKeySequence::Copy));
  QAction* save = menu.addAction(withKey("Enregistrer la liste...", QKeySequence::Save));
  copy->setEnabled(enabled);
  save->setEnabled(enabled);
  const QAction* chosen = menu.exec(globalPosition);
  if (chosen == copy) return ListMenuChoice::Copy;
  if (chosen == save) return ListMenuChoice::Save;
  return ListMenuChoice::None;
}

bool opensContextMenu(const QKeyEvent& key) {
  return key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier;
}

}  // namespace runtime::qt
