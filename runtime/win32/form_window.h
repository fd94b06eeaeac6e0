#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "runtime/form.h"
#include "runtime/form_core.h"
#include "runtime/layout.h"
#include "runtime/win32/colours.h"
#include "runtime/win32/controls.h"
#include "runtime/win32/handles.h"
#include "runtime/win32/image_menu.h"
#include "runtime/win32/list_menu.h"
#include "runtime/win32/resources.h"

namespace runtime::win32 {

class FormRegistry;

// A form's window, built from its layout: the top-level window, its controls,
// and the translation of window messages into the form's events. Whether the
// system asks for high contrast is highContrast's answer, asked at each paint.
// The program's other forms, and its message loop, are the registry's.
class FormWindow final : public Form {
 public:
  FormWindow(FormRegistry& forms, const FormLayout& layout,
             std::function<bool()> highContrast = systemHighContrast);
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  ~FormWindow() override;

  // Creates the form's code, runs its Load event, then shows the window.
  void start(const CreateForm& createEvents, int showCommand);
  // Handles one message taken from the thread's queue for this form's window.
  void dispatch(MSG& message);
  [[nodiscard]] HWND window() const { return window_.get(); }
  // False once the window is gone.
  [[nodiscard]] bool isOpen() const { return static_cast<bool>(window_); }

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
  void close() override;
  [[nodiscard]] std::string decimalSeparator() const override;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  using Handler = LRESULT (FormWindow::*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Hands a message to a handler; an error that leaves it is shown to the user.
  LRESULT handleShowingErrors(Handler handler, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleNotify(const NMHDR& header, LPARAM lParam);
  void activate(HWND window, WPARAM state);
  void createControls();
  // Lays the window out at a DPI: in the suggested window rectangle, or where
  // it is in the frame that fits its client area.
  void applyDpi(int dpi, const RECT* suggested);
  void resize(HWND window, WPARAM kind);
  void reportError(const std::exception& error);

  FormRegistry& forms_;
  const FormLayout& layout_;
  const WindowClass& windowClass_;
  UniqueFont font_;
  WindowIcons icons_;
  std::function<bool()> highContrast_;
  FormCore<Control> core_;
  ListMenu listMenu_;
  ImageMenu imageMenu_;
  MousePointer pointer_ = MousePointer::Default;
  HWND focus_ = nullptr;  // the control that gets the focus when the window is activated
  UniqueWindow window_;   // last, so that it goes first
};

}  // namespace runtime::win32
