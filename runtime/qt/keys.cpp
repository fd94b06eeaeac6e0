#include "runtime/qt/keys.h"

#include <array>
#include <utility>

namespace runtime::qt {
namespace {

constexpr std::int16_t kEnter = 13;

// Keys whose virtual-key code differs from their Qt code. Letters, digits and
// the space bar have the same code in both.
constexpr std::array<std::pair<int, std::int16_t>, 20> kVirtualKeys{{
    {Qt::Key_Backspace, 8},  {Qt::Key_Tab, 9},     {Qt::Key_Backtab, 9},  {Qt::Key_Return, kEnter},
    {Qt::Key_Enter, kEnter}, {Qt::Key_Shift, 16},  {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},     {Qt::Key_Escape, 27}, {Qt::Key_PageUp, 33},  {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},       {Qt::Key_Home, 36},   {Qt::Key_Left, 37},    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},     {Qt::Key_Down, 40},   {Qt::Key_Insert, 45},  {Qt::Key_Delete, 46},
}};

constexpr std::int16_t kNumpad0 = 96;
constexpr std::int16_t kF1 = 112;

bool controlOnly(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers();
  return modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier) &&
         !modifiers.testFlag(Qt::MetaModifier);
}

}  // namespace

std::optional<std::int16_t> virtualKey(const QKeyEvent& key) {
  const int code = key.key();
  if (code >= Qt::Key_0 && code <= Qt::Key_9) {
    if (key.modifiers().testFlag(Qt::KeypadModifier))
      return static_cast<std::int16_t>(kNumpad0 + code - Qt::Key_0);
    return static_cast<std::int16_t>(code);
  }
  if ((code >= Qt::Key_A && code <= Qt::Key_Z) || code == Qt::Key_Space)
    return static_cast<std::int16_t>(code);
  if (code >= Qt::Key_F1 && code <= Qt::Key_F24) return static_cast<std::int16_t>(kF1 + code - Qt::Key_F1);
  for (const auto& [qtKey, virtualCode] : kVirtualKeys) {
    if (qtKey == code) return virtualCode;
  }
  return std::nullopt;
}

std::vector<std::int16_t> typedCharacters(const QKeyEvent& key) {
  const int code = key.key();
  if (code == Qt::Key_Tab || code == Qt::Key_Backtab || code == Qt::Key_Escape) return {};
  if (code == Qt::Key_Return || code == Qt::Key_Enter) return {kEnter};
  if (code >= Qt::Key_A && code <= Qt::Key_Z && controlOnly(key)) {
    return {static_cast<std::int16_t>(code - Qt::Key_A + 1)};
  }
  std::vector<std::int16_t> codes;
  for (const QChar unit : key.text()) codes.push_back(static_cast<std::int16_t>(unit.unicode()));
  return codes;
}

bool opensContextMenu(const QKeyEvent& key) {
  return key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier;
}

QString withKey(const char* text, const QKeySequence& key) {
  return QString::fromUtf8(text) + u'\t' + key.toString(QKeySequence::NativeText);
}

}  // namespace runtime::qt
