#include "picture/digit_font.h"

namespace picture {
namespace {

constexpr std::array<Glyph, 10> kDigits{{
    {0b01110, 0b10001, 0b10011, 0b10101, 0b11001, 0b10001, 0b01110},  // 0
    {0b00100, 0b01100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110},  // 1
    {0b01110, 0b10001, 0b00001, 0b00010, 0b00100, 0b01000, 0b11111},  // 2
    {0b11111, 0b00010, 0b00100, 0b00010, 0b00001, 0b10001, 0b01110},  // 3
    {0b00010, 0b00110, 0b01010, 0b10010, 0b11111, 0b00010, 0b00010},  // 4
    {0b11111, 0b10000, 0b11110, 0b00001, 0b00001, 0b10001, 0b01110},  // 5
    {0b00110, 0b01000, 0b10000, 0b11110, 0b10001, 0b10001, 0b01110},  // 6
    {0b11111, 0b00001, 0b00010, 0b00100, 0b01000, 0b01000, 0b01000},  // 7
    {0b01110, 0b10001, 0b10001, 0b01110, 0b10001, 0b10001, 0b01110},  // 8
    {0b01110, 0b10001, 0b10001, 0b01111, 0b00001, 0b00010, 0b01100},  // 9
}};
constexpr Glyph kMinus{0b00000, 0b00000, 0b00000, 0b11111, 0b00000, 0b00000, 0b00000};

}  // namespace

std::optional<Glyph> glyphOf(char character) {
  if (character == '-') return kMinus;
  if (character >= '0' && character <= '9') return kDigits[static_cast<std::size_t>(character - '0')];
  return std::nullopt;
}

int textWidth(std::string_view text) {
  return text.empty() ? 0 : static_cast<int>(text.size()) * kGlyphAdvance - 1;
}

void drawText(Raster& raster, std::string_view text, int left, int top, std::uint8_t grey) {
  for (const char character : text) {
    if (const auto glyph = glyphOf(character)) {
      for (int row = 0; row < kGlyphHeight; ++row) {
        for (int column = 0; column < kGlyphWidth; ++column) {
          if (((*glyph)[static_cast<std::size_t>(row)] >> (kGlyphWidth - 1 - column) & 1U) != 0) {
            raster.darken(left + column, top + row, grey);
          }
        }
      }
    }
    left += kGlyphAdvance;
  }
}

}  // namespace picture
