#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "runtime/event_runner.h"
#include "runtime/form.h"
#include "runtime/layout.h"
#include "runtime/win32/handles.h"
#include "runtime/win32/owner_data_list.h"

namespace runtime::win32 {

// A form's window, built from its layout: the top-level window, its controls,
// and the translation of window messages into the form's events.
class FormWindow final : public Form {
 public:
  FormWindow(HINSTANCE instance, const FormLayout& layout);
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  ~FormWindow() override;

  // Creates the form's code, runs its Load event, then shows the window.
  void start(const std::function<std::unique_ptr<FormEvents>(Form&)>& createEvents, int showCommand);
  // Handles one message taken from the thread's queue.
  void dispatch(MSG& message);

  [[nodiscard]] std::string text(ControlId textBox) const override;
  void setVisible(ControlId id, bool visible) override;
  void clear(ControlId id) override;
  void addItem(ControlId id, std::string_view line) override;
  void setMousePointer(MousePointer pointer) override;
  void setCaption(std::string_view caption) override;
  void doEvents() override;
  [[nodiscard]] std::string decimalSeparator() const override;
  [[nodiscard]] std::chrono::steady_clock::time_point now() const override;

 private:
  struct Control {
    const ControlLayout* layout;
    HWND window;
  };

  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK textBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
  LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleTextBoxMessage(HWND textBox, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleNotify(const NMHDR& header, LPARAM lParam);
  LRESULT colourStatic(HWND window, HDC dc, HWND controlWindow);
  void activate(HWND window, WPARAM state);
  void createControls();
  void applyDpi(UINT dpi);
  void reportError(const std::exception& error);
  void syncLists();

  [[nodiscard]] const Control& control(ControlId id) const;
  [[nodiscard]] const Control* controlOf(HWND window) const;
  [[nodiscard]] OwnerDataList& list(ControlId id);

  const FormLayout& layout_;
  WindowClass windowClass_;
  std::vector<UniqueBitmap> pictures_;
  std::map<ControlId, UniqueBrush> backgrounds_;
  UniqueFont font_;
  std::vector<Control> controls_;
  std::map<ControlId, OwnerDataList> lists_;
  EventRunner events_;
  MousePointer pointer_ = MousePointer::Default;
  HWND focus_ = nullptr;  // the control that gets the focus when the window is activated
  UniqueWindow window_;   // last, so that it goes first
};

}  // namespace runtime::win32
