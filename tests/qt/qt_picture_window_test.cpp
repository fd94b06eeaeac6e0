// A second window beside Feuille1, with a picture box: the image shown pixel
// for pixel, white beyond, following the window's size; its menu and Ctrl+S
// saving it as a PNG that libpng reads back; Escape closing it; and the two
// windows living apart: an error or a close in one leaves the other as it was.
#include <png.h>

#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "cli/search_picture.h"
#include "runtime/runtime_error.h"
#include "tests/qt/qt_window.h"

namespace {

using runtime::ControlId;

constexpr ControlId kImage1 = 1;
constexpr int kTwipsPerPixel = 15;

const runtime::FormLayout& pictureLayout() {
  static const std::array rows{runtime::ControlLayout{.id = kImage1,
                                                      .name = "Image1",
                                                      .kind = runtime::ControlKind::PictureBox,
                                                      .width = 120 * kTwipsPerPixel,
                                                      .height = 90 * kTwipsPerPixel,
                                                      .accessibleName = "nuage"}};
  static const runtime::FormLayout layout{.name = "Nuage",
                                          .caption = "nuage",
                                          .clientWidth = 120 * kTwipsPerPixel,
                                          .clientHeight = 90 * kTwipsPerPixel,
                                          .font = feuille1::layout().font,
                                          .iconId = feuille1::layout().iconId,
                                          .resizable = true,
                                          .controls = rows};
  return layout;
}

// A gradient 10 pixels narrower and 5 lower than the box, so that white shows beyond.
struct Gradient {
  explicit Gradient(runtime::PixelSize box) : width(box.width - 10), height(box.height - 5) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) pixels.push_back(static_cast<std::uint8_t>((x + 3 * y) % 256));
    }
  }
  [[nodiscard]] runtime::GreyImage image() const { return {width, height, pixels}; }
  [[nodiscard]] std::uint8_t at(int x, int y) const {
    const auto index =
        static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    return x < width && y < height ? pixels[index] : 255;
  }
  int width;
  int height;
  std::vector<std::uint8_t> pixels;
};

// The picture form's code: draws the gradient at its box's size, on Load and
// on every resize; Escape closes it; E fails; it saves its image as asked.
class PictureForm final : public runtime::FormEvents {
 public:
  PictureForm(runtime::Form& form, Lines& events) : form_(form), events_(events) {}

  void load() override {
    form_.setDescription(kImage1, "un dégradé");
    draw();
  }
  void change(ControlId /*textBox*/) override {}
  void keyPress(ControlId /*textBox*/, std::int16_t /*keyAscii*/) override {}
  void keyDown(std::int16_t keyCode) override {
    if (keyCode == 27) form_.close();
    if (keyCode == 'E') throw runtime::RuntimeError("Échec voulu.");
  }
  void saveRequested(ControlId control) override {
    events_.push_back("saveRequested " + std::to_string(control));
    if (const auto path = form_.chooseImageFile("dégradé.png")) form_.writeImage(*path, gradient->image());
  }
  void resize() override {
    events_.emplace_back("resize");
    draw();
  }
  void unload() override { events_.emplace_back("unload"); }

  std::unique_ptr<Gradient> gradient;

 private:
  void draw() {
    gradient = std::make_unique<Gradient>(form_.pixelSize(kImage1));
    form_.showImage(kImage1, gradient->image());
  }

  runtime::Form& form_;
  Lines& events_;
};

class QtPictureWindow : public QtWindowTest {
 protected:
  // Opens the picture form as Feuille1's code would, from an event procedure of its own.
  void openPicture() {
    form.openForm(pictureLayout(), [this](runtime::Form& window) {
      picture = &dynamic_cast<runtime::qt::FormWindow&>(window);
      auto code = std::make_unique<PictureForm>(window, events);
      code_ = code.get();
      return code;
    });
  }
  [[nodiscard]] QWidget& box() const { return picture->widget(kImage1); }
  [[nodiscard]] const Gradient& gradient() const { return *code_->gradient; }

  // How many of the box's pixels on the screen differ from the gradient's, white beyond.
  [[nodiscard]] int pixelsAmiss() const {
    const QImage shown = box().grab().toImage().convertToFormat(QImage::Format_Grayscale8);
    int amiss = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) amiss += shown.scanLine(y)[x] != gradient().at(x, y) ? 1 : 0;
    }
    return amiss;
  }

  runtime::qt::FormWindow* picture = nullptr;
  Lines events;

 private:
  PictureForm* code_ = nullptr;
};

// Answers the first modal window or menu that shows with use.
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

// Whether libpng reads the file as an image of this size and these grey pixels.
bool holdsPixels(const QString& path, int width, int height, std::span<const std::uint8_t> expected) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.toLocal8Bit().constData()) == 0) return false;
  image.format = PNG_FORMAT_GRAY;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) return false;
  return static_cast<int>(image.width) == width && static_cast<int>(image.height) == height &&
         std::ranges::equal(pixels, expected);
}

bool holdsGradient(const QString& path, const Gradient& gradient) {
  return holdsPixels(path, gradient.width, gradient.height, gradient.pixels);
}

// Answers the save dialog once it shows: path as the file's name, and Return.
void saveAs(QTimer& answerer, const QString& path, QString* proposed = nullptr) {
  answer<QFileDialog>(answerer, [path, proposed](QFileDialog& dialog) {
    if (proposed != nullptr) *proposed = QFileInfo(dialog.selectedFiles().value(0)).fileName();
    auto* field = dialog.findChild<QLineEdit*>("fileNameEdit");
    field->setText(path);
    QTest::keyClick(field, Qt::Key_Return);
  });
}

TEST_F(QtPictureWindow, ShowsTheImagePixelForPixelWhiteBeyondAndFollowsTheWindowsSize) {
  openPicture();
  ASSERT_TRUE(picture->isVisible());
  EXPECT_EQ(forms.size(), 2U);
  EXPECT_EQ(box().accessibleName(), "nuage");
  EXPECT_EQ(box().accessibleDescription(), QString::fromUtf8("un dégradé"));
  EXPECT_EQ(gradient().width, 110);
  EXPECT_EQ(pixelsAmiss(), 0);
  EXPECT_EQ(events, Lines{}) << "no resize as the window shows";

  picture->resize(picture->size() + QSize(40, 30));
  EXPECT_EQ(box().size(), QSize(160, 120));
  EXPECT_EQ(events, Lines{"resize"});
  EXPECT_EQ(gradient().width, 150);
  EXPECT_EQ(pixelsAmiss(), 0);
}

TEST_F(QtPictureWindow, SavesThePictureAsPngFromItsMenuAndWithCtrlS) {
  openPicture();
  const QTemporaryDir folder;
  Lines items;
  QTimer menuAnswerer;
  answer<QMenu>(menuAnswerer, [&items](QMenu& menu) {
    for (const QAction* item : menu.actions()) {
      items.push_back(item->text().toStdString() + (item->isEnabled() ? " enabled" : " disabled"));
    }
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(menu.actions().at(0)).center());
  });
  QTimer dialogAnswerer;
  QString proposed;
  saveAs(dialogAnswerer, folder.filePath("menu.png"), &proposed);
  QTest::keyClick(picture, Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_EQ(items, Lines{"Enregistrer l'image...\tCtrl+S enabled"});
  EXPECT_EQ(proposed, QString::fromUtf8("dégradé.png"));
  EXPECT_TRUE(holdsGradient(folder.filePath("menu.png"), gradient()));

  saveAs(dialogAnswerer, folder.filePath("touches.png"));
  QTest::keyClick(picture, Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(holdsGradient(folder.filePath("touches.png"), gradient()));
  EXPECT_EQ(events, (Lines{"saveRequested 1", "saveRequested 1"}));
}

TEST_F(QtPictureWindow, AnErrorOrEscapeInThePictureLeavesTheListAsItWas) {
  openPicture();
  QString shown;
  QTimer boxAnswerer;
  answer<QMessageBox>(boxAnswerer, [&shown](QMessageBox& box) {
    shown = box.text();
    box.accept();
  });
  QTest::keyClick(picture, Qt::Key_E);
  EXPECT_EQ(shown, QString::fromUtf8("Erreur d'exécution : Échec voulu."));
  EXPECT_TRUE(picture->isVisible());

  search("1", "13");
  EXPECT_EQ(pixelsAmiss(), 0) << "a new search leaves the picture as it was";
  const Lines found = lines();
  ASSERT_EQ(found.size(), 4U);

  QTest::keyClick(picture, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([this] { return forms.size() == 1; }, 5000)) << "the closed form is deleted";
  EXPECT_EQ(events, Lines{"unload"});
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(lines(), found);
}

// Closing the start-up form closes its pictures, and the program ends.
TEST_F(QtPictureWindow, ClosingTheMainWindowClosesThePictureAndEndsTheProgram) {
  openPicture();
  QTimer closer;
  closer.setSingleShot(true);
  QObject::connect(&closer, &QTimer::timeout, [this] { form.QWidget::close(); });
  closer.start(0);
  bool timedOut = false;
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [&timedOut] {
    timedOut = true;
    QCoreApplication::quit();
  });
  watchdog.start(std::chrono::seconds(10));
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(timedOut) << "the event loop did not end";
  EXPECT_EQ(events, Lines{"unload"});
}

// Ctrl+G in the main window opens the picture of its list, which Ctrl+S
// saves with the pixels trivel-cli writes at the picture box's size; Escape
// closes it and the list stays as it was.
using QtPictureOfTheList = QtWindowTest;

TEST_F(QtPictureOfTheList, CtrlGShowsThePictureAndSavesTrivelClisPixels) {
  search("1", "1000");
  const Lines found = lines();
  QTest::keyClick(&field(Texte1_0), Qt::Key_G, Qt::ControlModifier);
  QWidget* picture = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && window->windowTitle() == QString::fromUtf8("nuage des triplets : 1 à 1000")) {
      picture = window;
    }
  }
  ASSERT_NE(picture, nullptr) << "no picture window";
  const QSize size = picture->findChild<QWidget*>("Image1")->size();

  const QTemporaryDir folder;
  QTimer answerer;
  saveAs(answerer, folder.filePath("nuage.png"));
  QTest::keyClick(picture, Qt::Key_S, Qt::ControlModifier);
  const picture::Raster expected = searchPicture(1, 1000, search::Hits::All, {size.width(), size.height()});
  EXPECT_TRUE(
      holdsPixels(folder.filePath("nuage.png"), expected.width(), expected.height(), expected.pixels()));

  QTest::keyClick(picture, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&picture] { return !picture->isVisible(); }, 5000));
  EXPECT_EQ(lines(), found);
  EXPECT_TRUE(form.isVisible());
}

}  // namespace
