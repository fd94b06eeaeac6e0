#pragma once

#include <windows.h>

#include <memory>

#include "runtime/control_table.h"
#include "runtime/layout.h"
#include "runtime/win32/handles.h"
#include "runtime/win32/line_list.h"

namespace runtime::win32 {

// A control of a form: its layout row, its window (destroyed with the form's),
// and what it owns: its picture, its background's brush, its list.
struct Control {
  const ControlLayout* layout = nullptr;
  HWND window = nullptr;
  UniqueBitmap picture;
  UniqueBrush background;
  std::unique_ptr<LineList> list;
};

// Creates the control for a layout row, with all but its place and font.
Control createControl(HWND parent, const ControlLayout& layout);

// Puts every control where the layout says at a DPI, in the form's font.
void placeControls(const ControlTable<Control>& controls, HFONT font, int dpi);

// Draws the form and its controls again, in colours just changed.
void repaintInNewColours(HWND form, const ControlTable<Control>& controls);

}  // namespace runtime::win32
