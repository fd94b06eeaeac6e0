#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/search_picture.h"

namespace {

namespace fs = std::filesystem;

// A new empty folder, removed with all it holds at the end.
class Folder {
 public:
  Folder() {
    std::string name = (fs::temp_directory_path() / "trivel-image-XXXXXX").string();
    if (mkdtemp(name.data()) == nullptr)
      throw fs::filesystem_error("mkdtemp", std::error_code(errno, std::generic_category()));
    path_ = name;
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  Folder(Folder&&) = delete;
  Folder& operator=(Folder&&) = delete;
  ~Folder() { fs::remove_all(path_); }

  [[nodiscard]] const fs::path& path() const { return path_; }
  [[nodiscard]] std::vector<fs::path> files() const {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(path_)) files.push_back(entry.path().filename());
    return files;
  }

 private:
  fs::path path_;
};

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

struct ImageRun {
  int status;
  std::string err;
};

ImageRun run(const std::vector<std::string_view>& args) {
  const File out(std::tmpfile());
  const File err(std::tmpfile());
  const int status = runCli(args, out.get(), err.get(), ",");
  std::string text;
  std::rewind(err.get());
  for (int c = std::fgetc(err.get()); c != EOF; c = std::fgetc(err.get()))
    text.push_back(static_cast<char>(c));
  EXPECT_EQ(std::ftell(out.get()), 0) << "nothing goes to standard output";
  return {status, text};
}

// The grey pixels of a PNG file, decoded by libpng, with its size.
struct Decoded {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

Decoded decode(const fs::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return {};
  image.format = PNG_FORMAT_GRAY;
  Decoded decoded{static_cast<int>(image.width), static_cast<int>(image.height),
                  std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
  if (png_image_finish_read(&image, nullptr, decoded.pixels.data(), 0, nullptr) == 0) return {};
  return decoded;
}

void expectImageOf(const fs::path& path, std::int32_t lower, std::int32_t upper, search::Hits hits,
                   ImageSize size) {
  const Decoded decoded = decode(path);
  const picture::Raster raster = searchPicture(lower, upper, hits, size);
  EXPECT_EQ(decoded.width, size.width);
  EXPECT_EQ(decoded.height, size.height);
  EXPECT_TRUE(std::ranges::equal(decoded.pixels, raster.pixels()));
}

TEST(CliImage, WritesThePictureAsAPngOfTheSamePixels) {
  const Folder folder;
  const std::string all = (folder.path() / "all.png").string();
  const std::string primitive = (folder.path() / "primitive.png").string();
  std::ofstream(all) << "an earlier file, replaced by the picture";

  EXPECT_EQ(run({"--image", all, "--size", "90x61", "-30", "60"}).status, 0);
  EXPECT_EQ(run({"--primitive", "--image", primitive, "-30", "60"}).status, 0);

  expectImageOf(all, -30, 60, search::Hits::All, {90, 61});
  expectImageOf(primitive, -30, 60, search::Hits::Primitive, kDefaultImageSize);
  EXPECT_FALSE(std::ranges::equal(decode(primitive).pixels,
                                  searchPicture(-30, 60, search::Hits::All, kDefaultImageSize).pixels()));
  EXPECT_EQ(folder.files().size(), 2U);
}

TEST(CliImage, RefusesABadSizeLikeAnyWrongArgument) {
  const Folder folder;
  const std::string image = (folder.path() / "x.png").string();
  for (const std::string_view size :
       {"31x100", "100x4097", "800", "800x", "x800", "80x-80", "+80x80", "80x80x", "8e2x800"}) {
    const ImageRun refused = run({"--image", image, "--size", size, "1", "20"});
    EXPECT_EQ(refused.status, 2) << size;
    EXPECT_TRUE(
        refused.err.starts_with("trivel-cli : la taille « " + std::string(size) +
                                " » ne convient pas : il faut LARGEURxHAUTEUR, chaque côté de 32 à 4096 "
                                "pixels.\n"))
        << refused.err;
  }
  EXPECT_EQ(run({"--image", image, "--size", "32x4096", "1", "20"}).status, 0);
  EXPECT_EQ(run({"--image"}).status, 2);
  EXPECT_EQ(run({"--size", "100x100", "1", "20"}).status, 2);
  EXPECT_EQ(run({"--count", "--image", image, "1", "20"}).status, 2);
  EXPECT_EQ(folder.files(), std::vector<fs::path>{"x.png"});
}

// A folder that does not exist fails at once; a target that cannot be
// replaced (a folder) fails at the very end: neither leaves a file behind.
TEST(CliImage, ReportsAFileThatCannotBeWrittenAndLeavesNothing) {
  const Folder folder;
  const std::string missing = (folder.path() / "none" / "x.png").string();
  const ImageRun noFolder = run({"--image", missing, "1", "20"});
  EXPECT_EQ(noFolder.status, 1);
  EXPECT_EQ(noFolder.err, "trivel-cli : impossible d'enregistrer l'image dans « " + missing +
                              " » : le dossier n'existe pas.\n");

  const fs::path target = folder.path() / "taken.png";
  fs::create_directory(target);
  const ImageRun taken = run({"--image", target.string(), "1", "20"});
  EXPECT_EQ(taken.status, 1);
  EXPECT_TRUE(taken.err.starts_with("trivel-cli : impossible d'enregistrer l'image dans")) << taken.err;
  EXPECT_EQ(folder.files(), std::vector<fs::path>{"taken.png"});
  EXPECT_TRUE(fs::is_empty(target));
}

}  // namespace
