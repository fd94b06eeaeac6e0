#pragma once

#include <optional>
#include <string_view>

// The size of an image, in pixels.
struct ImageSize {
  int width;
  int height;
  friend bool operator==(const ImageSize&, const ImageSize&) = default;
};

// The picture's size when none is asked for.
inline constexpr ImageSize kDefaultImageSize{800, 800};

// Reads WIDTHxHEIGHT (decimal digits, 'x' or 'X' between them), each side
// within what a picture may have; none for anything else.
std::optional<ImageSize> readImageSize(std::string_view text);
