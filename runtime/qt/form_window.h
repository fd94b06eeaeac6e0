#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "runtime/form.h"
#include "runtime/form_core.h"
#include "runtime/layout.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/high_contrast.h"
#include "runtime/qt/image_menu.h"
#include "runtime/qt/list_menu.h"

class QContextMenuEvent;
class QKeyEvent;
class QResizeEvent;

namespace runtime::qt {

class FormRegistry;

// A form's window, built from its layout: the top-level widget, its controls,
// and the translation of Qt's events into the form's events. It belongs to
// the program's forms, which open the forms it asks for and learn of its
// close. Whether the desktop asks for high contrast is highContrast's answer,
// asked again when the desktop's theme or contrast changes. The window keeps
// its layout's size unless the layout makes it resizable.
class FormWindow final : public QWidget, public Form {
 public:
  FormWindow(const FormLayout& layout, FormRegistry& forms,
             std::function<bool()> highContrast = desktopHighContrast);
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  ~FormWindow() override;

  // Creates the form's code, runs its Load event, then shows the window.
  void start(const std::function<std::unique_ptr<FormEvents>(Form&)>& createEvents);
  // The widget made from a control's layout row.
  [[nodiscard]] QWidget& widget(ControlId id) const;

  using QWidget::setVisible;
  [[nodiscard]] std::string text(ControlId textBox) const override;
  void setVisible(ControlId id, bool visible) override;
  void clear(ControlId id) override;
  void addItem(ControlId id, std::string_view line) override;
  void setMousePointer(MousePointer pointer) override;
  void setCaption(std::string_view caption) override;
  void doEvents() override;
  [[nodiscard]] std::optional<std::string> chooseListFile(std::string_view fileName) override;
  bool writeList(ControlId list, const std::string& path,
                 const std::function<bool(double progress)>& keepGoing) override;
  [[nodiscard]] PixelSize pixelSize(ControlId pictureBox) const override;
  void showImage(ControlId pictureBox, const GreyImage& image) override;
  void setDescription(ControlId control, std::string_view description) override;
  [[nodiscard]] std::optional<std::string> chooseImageFile(std::string_view fileName) override;
  void writeImage(const std::string& path, const GreyImage& image) override;
  void openForm(const FormLayout& layout, const CreateForm& createForm) override;
  // Closes as the user would, from the event loop; QWidget::close() closes at once.
  void close() override;
  [[nodiscard]] std::string decimalSeparator() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void createControls();
  bool controlKeyPressed(const Control& control, const QKeyEvent& key);
  void typedIntoTextBox(const Control& control, const std::vector<std::int16_t>& codes);
  // Gives every control its colours, in high contrast or not.
  void recolour();
  void reportError(const std::exception& error);
  [[nodiscard]] const Control& pictureBox(ControlId id) const;
  // The path chosen in a save dialog, in UTF-8, its folder remembered for the next one.
  std::optional<std::string> chosen(const std::optional<QString>& path);

  const FormLayout& layout_;
  FormRegistry& forms_;
  std::function<bool()> highContrast_;
  FormCore<Control> core_;
  ListMenu listMenu_;
  ImageMenu imageMenu_;
  ContrastWatch contrastWatch_;
  MousePointer pointer_ = MousePointer::Default;
  QString saveFolder_;  // where the save dialog opens: the last folder chosen
  QSize laidOutSize_;   // the client size the controls were last placed for
};

}  // namespace runtime::qt
