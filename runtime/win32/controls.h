#pragma once

#include <windows.h>

#include <memory>

#include "runtime/control_table.h"
#include "runtime/layout.h"
#include "runtime/win32/handles.h"
#include "runtime/win32/line_list.h"
#include "runtime/win32/picture_box.h"

namespace runtime::win32 {

// A control of a form: its layout row, its window (destroyed with the form's),
// and what it owns: its picture, its background's brush, its list, its picture box's image.
struct Control {
  const ControlLayout* layout = nullptr;
  HWND window = nullptr;
  UniqueBitmap picture;
  UniqueBrush background;
  std::unique_ptr<LineList> list;
  std::unique_ptr<PictureBox> pictureBox;
};

// Creates the control for a layout row, with all but its place and font.
Control createControl(HWND parent, const ControlLayout& layout);

// Puts every control where the form's layout says at a DPI, in the form's
// font; one that follows the form's size (followsFormSize) grows with the
// window's client area.
void placeControls(const ControlTable<Control>& controls, const FormLayout& form, HFONT font, int dpi);
// After the window's client area changed size: puts the controls that follow it in their place.
void followClientArea(const ControlTable<Control>& controls, const FormLayout& form, int dpi);

// The picture box of an id; a runtime error when the form has none of that id.
PictureBox& pictureBox(const ControlTable<Control>& controls, ControlId id);

// Draws the form and its controls again, in colours just changed.
void repaintInNewColours(HWND form, const ControlTable<Control>& controls);

}  // namespace runtime::win32
