// The picture window beside Feuille1: Ctrl+G opens it with the pixels
// trivel-cli draws at its picture box's size, redrawn as the window grows;
// its menu and Ctrl+S save them as a PNG that libpng reads back; Escape
// closes it, and the two windows live apart: an error or a close in one
// leaves the other as it was, but for the main window's, which ends the program.
#include <png.h>

#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "cli/search_picture.h"
#include "runtime/runtime_error.h"
#include "tests/qt/qt_window.h"
#include "window/feuille_nuage_layout.h"

namespace {

// trivel-cli's picture of the search of 1 to 1000 at a size.
picture::Raster cliPicture(QSize size) {
  return searchPicture(1, 1000, search::Hits::All, {size.width(), size.height()});
}

// Whether libpng reads the file as the raster's pixels.
bool holdsPixels(const QString& path, const picture::Raster& expected) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.toLocal8Bit().constData()) == 0) return false;
  image.format = PNG_FORMAT_GRAY;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) return false;
  return static_cast<int>(image.width) == expected.width() &&
         static_cast<int>(image.height) == expected.height() && std::ranges::equal(pixels, expected.pixels());
}

// Answers the first menu or modal window of its type that shows with use.
template <typename Shown>
void answer(QTimer& answerer, std::function<void(Shown&)> use) {
  answerer.disconnect();
  QObject::connect(&answerer, &QTimer::timeout, &answerer, [&answerer, use = std::move(use)] {
    auto* shown = qobject_cast<Shown*>(QApplication::activeModalWidget());
    if (shown == nullptr) shown = qobject_cast<Shown*>(QApplication::activePopupWidget());
    if (shown == nullptr) return;
    answerer.stop();
    use(*shown);
  });
  answerer.start(10);
}

class QtPictureWindow : public QtWindowTest {
 protected:
  // Searches 1 to 1000, then Ctrl+G in a bound's field opens the picture window.
  void openPicture() {
    search("1", "1000");
    QTest::keyClick(&field(Texte1_0), Qt::Key_G, Qt::ControlModifier);
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->isVisible() &&
          window->windowTitle() == QString::fromUtf8("nuage des triplets : 1 à 1000")) {
        picture = window;
      }
    }
    ASSERT_NE(picture, nullptr) << "no picture window";
    box = picture->findChild<QWidget*>("Image1");
  }
  // Whether the picture box shows trivel-cli's picture at its size.
  [[nodiscard]] bool showsCliPicture() const {
    const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_Grayscale8);
    const picture::Raster expected = cliPicture(box->size());
    for (int y = 0; y < shown.height(); ++y) {
      const std::span row(shown.constScanLine(y), static_cast<std::size_t>(shown.width()));
      if (!std::ranges::equal(
              row, expected.pixels().subspan(static_cast<std::size_t>(y) * row.size(), row.size())))
        return false;
    }
    return true;
  }
  // Answers the save dialog once it shows: path as the file's name, and Return.
  void saveAs(const QString& path) {
    answer<QFileDialog>(dialogAnswerer_, [this, path](QFileDialog& dialog) {
      proposed = QFileInfo(dialog.selectedFiles().value(0)).fileName();
      auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
      name->setText(path);
      QTest::keyClick(name, Qt::Key_Return);
    });
  }

  QWidget* picture = nullptr;
  QWidget* box = nullptr;
  QString proposed;

 private:
  QTimer dialogAnswerer_;
};

TEST_F(QtPictureWindow, ShowsTheListsPictureAtItsBoxsSizeAndRedrawsItAsTheWindowGrows) {
  openPicture();
  EXPECT_EQ(forms.size(), 2U);
  EXPECT_EQ(box->accessibleName(), "nuage des triplets");
  EXPECT_TRUE(box->accessibleDescription().endsWith(QString::fromUtf8("points, i et j de 1 à 1 000")));
  EXPECT_EQ(box->size(), QSize(640, 640));
  EXPECT_TRUE(showsCliPicture());

  picture->resize(picture->size() + QSize(100, 60));
  EXPECT_EQ(box->size(), QSize(740, 700));
  EXPECT_TRUE(showsCliPicture());
}

TEST_F(QtPictureWindow, SavesTrivelClisPixelsFromItsMenuAndWithCtrlSThenEscapeClosesIt) {
  openPicture();
  const Lines found = lines();
  const QTemporaryDir folder;
  Lines items;
  QTimer menuAnswerer;
  answer<QMenu>(menuAnswerer, [&items](QMenu& menu) {
    for (const QAction* item : menu.actions()) {
      items.push_back(item->text().toStdString() + (item->isEnabled() ? " enabled" : " disabled"));
    }
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(menu.actions().at(0)).center());
  });
  saveAs(folder.filePath("menu.png"));
  QTest::keyClick(picture, Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_EQ(items, Lines{"Enregistrer l'image...\tCtrl+S enabled"});
  EXPECT_EQ(proposed, "nuage 1-1000.png");
  EXPECT_TRUE(holdsPixels(folder.filePath("menu.png"), cliPicture(box->size())));

  saveAs(folder.filePath("touches.png"));
  QTest::keyClick(picture, Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(holdsPixels(folder.filePath("touches.png"), cliPicture(box->size())));

  QTest::keyClick(picture, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([this] { return forms.size() == 1; }, 5000)) << "the closed form is deleted";
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(lines(), found);
}

// A form whose key-down procedure fails every time.
class FailingForm final : public runtime::FormEvents {
 public:
  void load() override {}
  void change(runtime::ControlId /*textBox*/) override {}
  void keyPress(runtime::ControlId /*textBox*/, std::int16_t /*keyAscii*/) override {}
  void keyDown(std::int16_t /*keyCode*/) override { throw runtime::RuntimeError("Échec voulu."); }
  void saveRequested(runtime::ControlId /*control*/) override {}
  void unload() override {}
};

TEST_F(QtPictureWindow, AnErrorInTheSecondWindowLeavesTheFirstAsItWas) {
  search("1", "20");
  const Lines found = lines();
  QWidget* failing = nullptr;
  form.openForm(feuille_nuage::layout(), [&failing](runtime::Form& window) {
    failing = &dynamic_cast<QWidget&>(window);
    return std::make_unique<FailingForm>();
  });
  QString shown;
  QTimer boxAnswerer;
  answer<QMessageBox>(boxAnswerer, [&shown](QMessageBox& message) {
    shown = message.text();
    message.accept();
  });
  QTest::keyClick(failing, Qt::Key_A);
  EXPECT_EQ(shown, QString::fromUtf8("Erreur d'exécution : Échec voulu."));
  EXPECT_TRUE(failing->isVisible());
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(lines(), found);
}

TEST_F(QtPictureWindow, ClosingTheMainWindowClosesThePictureAndEndsTheProgram) {
  openPicture();
  const QPointer<QWidget> cloud = picture;  // deleted once closed
  QTimer closer;
  closer.setSingleShot(true);
  QObject::connect(&closer, &QTimer::timeout, [this] { form.QWidget::close(); });
  closer.start(0);
  expectEventLoopEnds(std::chrono::seconds(10));
  EXPECT_TRUE(cloud.isNull() || !cloud->isVisible());
}

}  // namespace
