#pragma once

#include <stdexcept>
#include <string>

#include "picture/raster.h"

// A PNG file that could not be written, with the French sentence that says
// where and why.
class ImageNotSaved : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Saves an image as a PNG file at a path: the image goes into a new file
// beside it, which replaces the file at the path only once complete. Until
// then the path keeps what it had, and the new file is removed on every other
// way out. Making a PngFile checks at once that such a file can be made, and
// leaves none, so that a long search fails early and leaves nothing behind
// when interrupted. Failures throw ImageNotSaved.
class PngFile {
 public:
  explicit PngFile(std::string path);

  void save(const picture::Raster& raster) const;

 private:
  [[noreturn]] void fail(int error) const;

  std::string path_;
};
