#include "cli/png_file.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

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

// A new file beside a path, with the permissions a new file gets, removed
// when it goes unless it was renamed over the path. Failures are left in
// error(), errno's value.
class FileBeside {
 public:
  explicit FileBeside(const std::string& path) {
    constexpr int kAttempts = 100;
    int descriptor = -1;
    for (int attempt = 0; attempt < kAttempts && descriptor < 0; ++attempt) {
      name_ = path + "." + std::to_string(getpid()) + "-" + std::to_string(attempt) + ".tmp";
      descriptor = open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (descriptor < 0 && errno != EEXIST) break;
    }
    if (descriptor < 0) {
      error_ = errno;
      return;
    }
    file_.reset(fdopen(descriptor, "wb"));
    if (!file_) {
      error_ = errno;
      close(descriptor);
    }
    made_ = true;
  }
  FileBeside(const FileBeside&) = delete;
  FileBeside& operator=(const FileBeside&) = delete;
  FileBeside(FileBeside&&) = delete;
  FileBeside& operator=(FileBeside&&) = delete;
  ~FileBeside() {
    file_.reset();
    if (made_) unlink(name_.c_str());
  }

  [[nodiscard]] int error() const { return error_; }
  [[nodiscard]] std::FILE* file() const { return file_.get(); }

  // Writes what is buffered through to the disk, closes the file and puts it
  // in the path's place; false on failure, with error() set.
  bool replace(const std::string& path) {
    errno = 0;
    const bool synced = std::fflush(file_.get()) == 0 && fsync(fileno(file_.get())) == 0;
    if (std::fclose(file_.release()) != 0 || !synced || std::rename(name_.c_str(), path.c_str()) != 0) {
      error_ = errno;
      return false;
    }
    made_ = false;
    return true;
  }

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  std::string name_;
  std::unique_ptr<std::FILE, Closer> file_;
  bool made_ = false;
  int error_ = 0;
};

}  // namespace

PngFile::PngFile(std::string path) : path_(std::move(path)) {
  const FileBeside probe(path_);
  if (!probe.file()) fail(probe.error());
}

// libpng's simplified interface reports its errors in the image record, so
// that no error of the library jumps across this code.
void PngFile::save(const picture::Raster& raster) const {
  FileBeside beside(path_);
  if (!beside.file()) fail(beside.error());
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(raster.width());
  image.height = static_cast<png_uint_32>(raster.height());
  image.format = PNG_FORMAT_GRAY;
  errno = 0;
  if (png_image_write_to_stdio(&image, beside.file(), 0, raster.pixels().data(), raster.width(), nullptr) ==
      0) {
    fail(errno);
  }
  if (!beside.replace(path_)) fail(beside.error());
}

void PngFile::fail(int error) const {
  throw ImageNotSaved("impossible d'enregistrer l'image dans « " + shownArgument(path_) +
                      " » : " + reasonOf(error));
}
