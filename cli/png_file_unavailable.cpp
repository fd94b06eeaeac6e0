#include "cli/argument_text.h"
#include "cli/png_file.h"

// The builds without libpng (Windows has its own codec for its windows, the
// 32-bit test build has no such library) write no image from the command
// line: the file is refused before any search.
PngFile::PngFile(std::string path) : path_(std::move(path)) { fail(0); }

void PngFile::save(const picture::Raster& /*raster*/) const { fail(0); }

void PngFile::fail(int /*error*/) const {
  throw ImageNotSaved("impossible d'enregistrer l'image dans « " + shownArgument(path_) +
                      " » : cette version de trivel-cli n'écrit pas d'images PNG.");
}
