// The grey pixels of PNG files, as libpng decodes them, for the real-input
// test, which saves the window's picture and compares it with trivel-cli's.
//   png_pixels FILE.png            prints the image's size, WIDTHxHEIGHT
//   png_pixels FILE.png OTHER.png  compares the two images' grey pixels
// Status 0 when the pixels are the same, 1 when they differ (the sizes and
// the count of differing pixels said), 2 when a file cannot be read.
#include <png.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace {

struct GreyPixels {
  unsigned width = 0;
  unsigned height = 0;
  std::vector<std::uint8_t> pixels;
};

std::optional<GreyPixels> decode(const char* path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path) == 0) return std::nullopt;
  image.format = PNG_FORMAT_GRAY;
  GreyPixels grey{image.width, image.height, std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
  if (png_image_finish_read(&image, nullptr, grey.pixels.data(), 0, nullptr) == 0) return std::nullopt;
  return grey;
}

int compare(const GreyPixels& first, const GreyPixels& second) {
  if (first.width != second.width || first.height != second.height) {
    std::printf("%ux%u against %ux%u\n", first.width, first.height, second.width, second.height);
    return 1;
  }
  std::size_t differing = 0;
  for (std::size_t i = 0; i < first.pixels.size(); ++i)
    differing += first.pixels[i] != second.pixels[i] ? 1 : 0;
  if (differing != 0) std::printf("%zu of %zu pixels differ\n", differing, first.pixels.size());
  return differing == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::span<char*> args(argv, static_cast<std::size_t>(argc));
  if (args.size() != 2 && args.size() != 3) {
    std::fputs("usage: png_pixels FILE.png [OTHER.png]\n", stderr);
    return 2;
  }
  std::vector<GreyPixels> images;
  for (const char* path : args.subspan(1)) {
    std::optional<GreyPixels> image = decode(path);
    if (!image) {
      std::fprintf(stderr, "png_pixels: libpng cannot read %s\n", path);
      return 2;
    }
    images.push_back(std::move(*image));
  }
  if (images.size() == 1) {
    std::printf("%ux%u\n", images[0].width, images[0].height);
    return 0;
  }
  return compare(images[0], images[1]);
}
