#pragma once

#include <cstdio>
#include <memory>
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
// beside it, made when the PngFile is, which replaces the file at the path
// only once complete. Until then the path keeps what it had, and the new
// file is removed on every other way out. Failures throw ImageNotSaved.
class PngFile {
 public:
  explicit PngFile(std::string path);
  PngFile(const PngFile&) = delete;
  PngFile& operator=(const PngFile&) = delete;
  PngFile(PngFile&&) = delete;
  PngFile& operator=(PngFile&&) = delete;
  ~PngFile();

  void save(const picture::Raster& raster);

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  [[noreturn]] void fail(int error) const;

  std::string path_;
  std::string temporary_;
  std::unique_ptr<std::FILE, Closer> file_;
  bool saved_ = false;
};
