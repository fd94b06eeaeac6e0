#include "cli/image_size.h"

#include <charconv>

#include "picture/plot_square.h"

namespace {

// A side: digits only, within the picture's limits.
std::optional<int> readSide(std::string_view text) {
  int side = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, side);
  if (text.empty() || text.front() == '-' || error != std::errc{} || stop != end) return std::nullopt;
  if (side < picture::kMinSide || side > picture::kMaxSide) return std::nullopt;
  return side;
}

}  // namespace

std::optional<ImageSize> readImageSize(std::string_view text) {
  const std::size_t cross = text.find_first_of("xX");
  if (cross == std::string_view::npos) return std::nullopt;
  const auto width = readSide(text.substr(0, cross));
  const auto height = readSide(text.substr(cross + 1));
  if (!width || !height) return std::nullopt;
  return ImageSize{*width, *height};
}
