// The list's context menu and Ctrl+S in the Qt window: the menu's items and
// when they can be chosen, and a save through the dialog, which proposes the
// bounds' name in the folder last used.
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <utility>

#include "tests/qt/qt_window.h"

namespace {

class QtListMenu : public QtWindowTest {
 protected:
  // Right-clicks the list, then hands the menu to use once it shows.
  void rightClickList(std::function<void(QMenu&)> use) {
    answer(menuAnswerer_, [use = std::move(use)] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu != nullptr) use(*menu);
      return menu != nullptr;
    });
    const QPoint place = list().viewport()->rect().center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, place, list().viewport()->mapToGlobal(place));
    QApplication::sendEvent(list().viewport(), &click);
  }

  // The menu's items, "text enabled" each.
  static Lines items(const QMenu& menu) {
    Lines all;
    for (const QAction* action : menu.actions()) {
      all.push_back(action->text().toStdString() + (action->isEnabled() ? " enabled" : " disabled"));
    }
    return all;
  }

  // Answers the save dialog once it shows: records where it opens and the
  // file it proposes, then types path as the file's name, and Return.
  void saveAs(const QString& path) {
    answer(dialogAnswerer_, [this, path] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return false;
      proposed = dialog->selectedFiles().value(0);
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      name->setText(path);
      QTest::keyClick(name, Qt::Key_Return);
      return true;
    });
  }

  [[nodiscard]] std::string listAsFile() const {
    std::string all;
    for (const std::string& line : lines()) all.append(line).append("\n");
    return all;
  }

  static std::string contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(none)";
  }

  QString proposed;

 private:
  // Runs done every 10 ms until it returns true.
  static void answer(QTimer& answerer, std::function<bool()> done) {
    answerer.disconnect();
    QObject::connect(&answerer, &QTimer::timeout, &answerer, [&answerer, done = std::move(done)] {
      if (done()) answerer.stop();
    });
    answerer.start(10);
  }

  QTimer menuAnswerer_;
  QTimer dialogAnswerer_;
};

TEST_F(QtListMenu, OffersCopySaveAndPictureOnlyWhenTheListHasLinesAndNoSearchRuns) {
  const Lines enabled{"Copier\tCtrl+C enabled", "Enregistrer la liste...\tCtrl+S enabled",
                      "Voir le nuage de points...\tCtrl+G enabled"};
  const Lines disabled{"Copier\tCtrl+C disabled", "Enregistrer la liste...\tCtrl+S disabled",
                       "Voir le nuage de points...\tCtrl+G disabled"};
  Lines shown;
  const auto readAndClose = [&shown](QMenu& menu) {
    shown = items(menu);
    menu.close();
  };
  rightClickList(readAndClose);
  EXPECT_EQ(shown, disabled) << "empty list";

  search("1", "20");
  rightClickList(readAndClose);
  EXPECT_EQ(shown, enabled);

  shown.clear();
  duringSearch([&] {
    if (list().count() == 0) return false;
    rightClickList(readAndClose);
    QTest::keyClick(&list(), Qt::Key_Escape);
    return true;
  });
  search("1", "2147483647");
  EXPECT_EQ(shown, disabled) << "during a search";
}

TEST_F(QtListMenu, SavesTheListFromTheMenuAndWithCtrlSInAField) {
  search("1", "20");
  const QTemporaryDir folder;
  const QString fromMenu = folder.filePath("menu.txt");
  saveAs(fromMenu);
  rightClickList([](QMenu& menu) {
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(menu.actions().at(1)).center());
  });
  EXPECT_EQ(proposed, QDir::home().filePath("triplets 1-20.txt"));
  EXPECT_EQ(contents(fromMenu), listAsFile());

  search("-5", "5");
  const QString fromKeys = folder.filePath("touches.txt");
  saveAs(fromKeys);
  QTest::keyClick(&field(Texte1_0), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(proposed, QDir(folder.path()).filePath("triplets -5-5.txt")) << "in the folder last used";
  EXPECT_EQ(contents(fromKeys), listAsFile());
}

}  // namespace
