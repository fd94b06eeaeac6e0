#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "picture/raster.h"

namespace picture {

// A digit font of its own, so that every program draws the same label
// pixels: each glyph 5 pixels wide and 7 high, a row a byte whose bit 4 is
// the leftmost pixel; one blank column between glyphs.
inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kGlyphAdvance = kGlyphWidth + 1;
using Glyph = std::array<std::uint8_t, kGlyphHeight>;

// The glyph of a digit or '-'; none for any other character.
std::optional<Glyph> glyphOf(char character);

// How many pixels wide text is, drawn in the font.
int textWidth(std::string_view text);

// Draws the digits and minus signs of text in grey, the top-left corner of
// its first glyph at (left, top), clipped to the raster.
void drawText(Raster& raster, std::string_view text, int left, int top, std::uint8_t grey);

}  // namespace picture
