#include "cli/png_file.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "cli/argument_text.h"

namespace {

std::string reasonOf(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return "le disque est plein.";
    case EACCES:
    case EPERM:
    case EROFS:
      return "accès refusé.";
    case ENOENT:
    case ENOTDIR:
      return "le dossier n'existe pas.";
    default:
      return "erreur d'écriture.";
  }
}

// A new file beside path, made for writing only if no file has its name,
// with the permissions a new file gets; its name is returned through name.
int createBeside(const std::string& path, std::string& name) {
  constexpr int kAttempts = 100;
  int descriptor = -1;
  for (int attempt = 0; attempt < kAttempts && descriptor < 0; ++attempt) {
    name = path + "." + std::to_string(getpid()) + "-" + std::to_string(attempt) + ".tmp";
    descriptor = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0 && errno != EEXIST) break;
  }
  return descriptor;
}

}  // namespace

PngFile::PngFile(std::string path) : path_(std::move(path)) {
  const int descriptor = createBeside(path_, temporary_);
  if (descriptor < 0) fail(errno);
  file_.reset(fdopen(descriptor, "wb"));
  if (!file_) {
    const int error = errno;
    close(descriptor);
    unlink(temporary_.c_str());
    fail(error);
  }
}

PngFile::~PngFile() {
  if (saved_) return;
  file_.reset();
  unlink(temporary_.c_str());
}

// libpng's simplified interface reports its errors in the image record, so
// that no error of the library jumps across this code.
void PngFile::save(const picture::Raster& raster) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(raster.width());
  image.height = static_cast<png_uint_32>(raster.height());
  image.format = PNG_FORMAT_GRAY;
  errno = 0;
  const bool written =
      png_image_write_to_stdio(&image, file_.get(), 0, raster.pixels().data(), raster.width(), nullptr) != 0;
  if (!written || std::fflush(file_.get()) != 0 || fsync(fileno(file_.get())) != 0) fail(errno);
  if (std::fclose(file_.release()) != 0) fail(errno);
  if (std::rename(temporary_.c_str(), path_.c_str()) != 0) fail(errno);
  saved_ = true;
}

void PngFile::fail(int error) const {
  throw ImageNotSaved("impossible d'enregistrer l'image dans « " + shownArgument(path_) +
                      " » : " + reasonOf(error));
}
