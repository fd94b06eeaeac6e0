#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "runtime/control_table.h"
#include "runtime/event_runner.h"
#include "runtime/form.h"
#include "runtime/layout.h"
#include "runtime/qt/controls.h"

class QKeyEvent;

namespace runtime::qt {

// A form's window, built from its layout: the top-level widget, its controls,
// and the translation of Qt's events into the form's events.
class FormWindow final : public QWidget, public Form {
 public:
  explicit FormWindow(const FormLayout& layout);
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
  bool saveList(ControlId list, std::string_view fileName,
                const std::function<bool(double progress)>& keepGoing) override;
  [[nodiscard]] std::string decimalSeparator() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void createControls();
  bool controlKeyPressed(const Control& control, const QKeyEvent& key);
  void typedIntoTextBox(const Control& control, const std::vector<std::int16_t>& codes);
  void openListMenu(const Control& control, QPoint globalPosition);
  [[nodiscard]] bool listMenuEnabled(const LineList& list) const;
  void copyList(const LineList& list);
  void requestSave();
  void reportError(const std::exception& error);

  const FormLayout& layout_;
  ControlTable<Control> controls_;
  EventRunner events_;
  MousePointer pointer_ = MousePointer::Default;
  QString saveFolder_;  // where the save dialog opens: the last folder chosen
};

}  // namespace runtime::qt
