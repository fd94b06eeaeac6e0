#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
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

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Each test writes into a new folder of its own, removed at the end.
class CliImage : public testing::Test {
 protected:
  void SetUp() override {
    std::string name = (fs::temp_directory_path() / "trivel-image-XXXXXX").string();
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    folder_ = name;
  }
  void TearDown() override { fs::remove_all(folder_); }

  [[nodiscard]] std::string pathOf(const std::string& name) const { return (folder_ / name).string(); }
  [[nodiscard]] std::vector<std::string> files() const {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder_)) files.push_back(entry.path().filename());
    return files;
  }

 private:
  fs::path folder_;
};

// The status and the error output of trivel-cli with these arguments.
std::pair<int, std::string> run(const std::vector<std::string_view>& args) {
  const File out(std::tmpfile());
  const File err(std::tmpfile());
  const int status = runCli(args, out.get(), err.get(), ",");
  std::string text(static_cast<std::size_t>(std::ftell(err.get())), '\0');
  std::rewind(err.get());
  text.resize(std::fread(text.data(), 1, text.size(), err.get()));
  return {status, text};
}

// Whether libpng decodes the file to the grey pixels of the raster.
bool holdsPixelsOf(const std::string& path, const picture::Raster& raster) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return false;
  image.format = PNG_FORMAT_GRAY;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) return false;
  return static_cast<int>(image.width) == raster.width() &&
         static_cast<int>(image.height) == raster.height() && std::ranges::equal(pixels, raster.pixels());
}

TEST_F(CliImage, WritesThePictureAsAPngOfTheSamePixels) {
  const std::string all = pathOf("all.png");
  const std::string primitive = pathOf("primitive.png");
  std::ofstream(all) << "an earlier file, replaced by the picture";

  EXPECT_EQ(run({"--image", all, "--size", "90x61", "-30", "60"}).first, 0);
  EXPECT_EQ(run({"--primitive", "--image", primitive, "-30", "60"}).first, 0);

  EXPECT_TRUE(holdsPixelsOf(all, searchPicture(-30, 60, search::Hits::All, {90, 61})));
  EXPECT_TRUE(holdsPixelsOf(primitive, searchPicture(-30, 60, search::Hits::Primitive, kDefaultImageSize)));
  EXPECT_FALSE(holdsPixelsOf(primitive, searchPicture(-30, 60, search::Hits::All, kDefaultImageSize)));
  EXPECT_EQ(files().size(), 2U);
}

TEST_F(CliImage, RefusesABadSizeLikeAnyWrongArgument) {
  const std::string image = pathOf("x.png");
  for (const std::string_view size :
       {"31x100", "100x4097", "800", "800x", "x800", "80x-80", "+80x80", "80x80x", "8e2x800"}) {
    const auto [status, err] = run({"--image", image, "--size", size, "1", "20"});
    EXPECT_EQ(status, 2) << size;
    EXPECT_TRUE(
        err.starts_with("trivel-cli : la taille « " + std::string(size) +
                        " » ne convient pas : il faut LARGEURxHAUTEUR, chaque côté de 32 à 4096 pixels.\n"))
        << err;
  }
  EXPECT_EQ(run({"--image", image, "--size", "32x4096", "1", "20"}).first, 0);
  EXPECT_EQ(run({"--image"}).first, 2);
  EXPECT_EQ(run({"--size", "100x100", "1", "20"}).first, 2);
  EXPECT_EQ(run({"--count", "--image", image, "1", "20"}).first, 2);
  EXPECT_EQ(files(), std::vector<std::string>{"x.png"});
}

// A folder that does not exist fails at once; a target that cannot be
// replaced (a folder) fails at the very end: neither leaves a file behind.
TEST_F(CliImage, ReportsAFileThatCannotBeWrittenAndLeavesNothing) {
  const std::string missing = pathOf("none/x.png");
  EXPECT_EQ(run({"--image", missing, "1", "20"}),
            std::pair(1, "trivel-cli : impossible d'enregistrer l'image dans « " + missing +
                             " » : le dossier n'existe pas.\n"));

  const std::string taken = pathOf("taken.png");
  fs::create_directory(taken);
  const auto [status, err] = run({"--image", taken, "1", "20"});
  EXPECT_EQ(status, 1);
  EXPECT_TRUE(err.starts_with("trivel-cli : impossible d'enregistrer l'image dans")) << err;
  EXPECT_EQ(files(), std::vector<std::string>{"taken.png"});
  EXPECT_TRUE(fs::is_empty(taken));
}

}  // namespace
