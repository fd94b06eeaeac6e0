#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "runtime/form.h"

namespace runtime {

// Layout unit: 1440 twips to the inch, so 15 twips to a pixel at 96 DPI.
using Twips = int;
inline constexpr Twips kTwipsPerInch = 1440;

// Image shows a picture of the program's resources; PictureBox shows an image
// the form's code draws (Form::showImage).
enum class ControlKind : std::uint8_t { Image, Label, TextBox, ListBox, PictureBox };

// A colour as layout data: the platform's default for the control, one of the
// system colours, or a fixed RGB value.
struct Colour {
  enum class Kind : std::uint8_t { PlatformDefault, WindowText, WindowBackground, Rgb };
  Kind kind = Kind::PlatformDefault;
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  static constexpr Colour rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return {Kind::Rgb, r, g, b}; }
  static constexpr Colour windowText() { return {Kind::WindowText}; }
  static constexpr Colour windowBackground() { return {Kind::WindowBackground}; }
};

struct FontLayout {
  std::string_view face;
  int hundredthsOfPoint = 0;  // 825 for 8.25 point
  int weight = 400;           // 700 is bold
  std::uint8_t charset = 0;   // 0 is the ANSI character set
};

// One control: one row of the form's layout table. Texts are UTF-8.
struct ControlLayout {
  ControlId id = 0;
  std::string_view name;    // the control's name; members of a control array share it
  std::int16_t index = -1;  // the member's index in its control array, -1 outside arrays
  ControlKind kind = ControlKind::Label;
  Twips left = 0;
  Twips top = 0;
  Twips width = 0;
  Twips height = 0;
  std::string_view text;
  std::string_view toolTip;
  std::string_view accessibleName;  // what screen readers call a control that has no prompt
  Colour foreground;
  Colour background;
  bool visible = true;
  int tabIndex = -1;  // -1 for controls that never take the focus
  int pictureId = 0;  // resource id of an image control's picture, 0 for none
};

struct FormLayout {
  std::string_view name;
  std::string_view caption;
  Twips clientWidth = 0;
  Twips clientHeight = 0;
  FontLayout font;
  int iconId = 0;          // resource id of the window's icon
  bool resizable = false;  // the user may resize the window and maximise it
  std::span<const ControlLayout> controls;
};

// The rules the layout rows imply, alike on every platform.

// Twips to pixels at a DPI, to the nearest pixel: 15 twips a pixel at 96 DPI.
constexpr int toPixels(Twips twips, int dpi) {
  const std::int64_t scaled = std::int64_t{twips} * dpi;
  const std::int64_t half = scaled < 0 ? -kTwipsPerInch / 2 : kTwipsPerInch / 2;
  return static_cast<int>((scaled + half) / kTwipsPerInch);
}

// Text boxes and lists take the focus, unless they are left out of the tab order.
constexpr bool takesFocus(const ControlLayout& control) {
  return (control.kind == ControlKind::TextBox || control.kind == ControlKind::ListBox) &&
         control.tabIndex >= 0;
}

// A picture box keeps its distance to the right and bottom edges of the
// window's client area as the window is resized, and so grows with it.
constexpr bool followsFormSize(const ControlLayout& control) {
  return control.kind == ControlKind::PictureBox;
}

// A text box's prompt, which names it for screen readers: the label right before it, if any.
inline const ControlLayout* promptOf(std::span<const ControlLayout> rows, const ControlLayout& textBox) {
  if (textBox.kind != ControlKind::TextBox || &textBox == rows.data()) return nullptr;
  const ControlLayout& before = *(&textBox - 1);
  return before.kind == ControlKind::Label ? &before : nullptr;
}

// What screen readers call a control: a text box its prompt's text, another control its accessible name.
inline std::string_view accessibleNameOf(std::span<const ControlLayout> rows, const ControlLayout& control) {
  const ControlLayout* prompt = promptOf(rows, control);
  return prompt != nullptr ? prompt->text : control.accessibleName;
}

// The order to make the controls in, which Tab and screen readers follow: the
// tab order (those that never take the focus last), each prompt before its text box.
inline std::vector<const ControlLayout*> inCreationOrder(std::span<const ControlLayout> rows) {
  // A prompt takes its text box's place; being the row before, it stays before it.
  const auto place = [rows](const ControlLayout* row) {
    const bool prompt = row != &rows.back() && promptOf(rows, row[1]) == row;
    return static_cast<unsigned>(prompt ? row[1].tabIndex : row->tabIndex);  // -1 (never) last
  };
  std::vector<const ControlLayout*> ordered;
  for (const ControlLayout& row : rows) ordered.push_back(&row);
  std::stable_sort(ordered.begin(), ordered.end(),
                   [&place](const ControlLayout* a, const ControlLayout* b) { return place(a) < place(b); });
  return ordered;
}

}  // namespace runtime
