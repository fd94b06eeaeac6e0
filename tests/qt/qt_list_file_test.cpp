// Saving a list's lines into a file: the lines with LF ends, and a save that
// stops or fails leaves an earlier file whole and nothing of its temporary file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>
#include <string>

#include "runtime/line_store.h"
#include "runtime/qt/list_file.h"
#include "runtime/runtime_error.h"

namespace {

using runtime::qt::saveListFile;

// More than two blocks of the writing, so that a save can stop or fail halfway.
runtime::LineStore manyLines(const std::string& text) {
  runtime::LineStore lines;
  for (int i = 0; i < 200'000; ++i) lines.append(text + " " + std::to_string(i));
  return lines;
}

// Whether the file holds exactly text; compared whole, as a difference of
// megabytes would be too long to show.
bool holds(const QString& path, const std::string& text) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) && file.readAll().toStdString() == text;
}

std::string errorOf(const runtime::LineStore& lines, const QString& path) {
  try {
    saveListFile(lines, path, [](double /*progress*/) { return true; });
  } catch (const runtime::RuntimeError& error) {
    return error.what();
  }
  return "(saved)";
}

// Makes writing a file past a size fail with EFBIG rather than end the
// program, for its lifetime.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limited = old_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  FileSizeLimit(FileSizeLimit&&) = delete;
  FileSizeLimit& operator=(FileSizeLimit&&) = delete;
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  void (*oldHandler_)(int);
};

TEST(QtListFile, WritesEveryLineWithLfAndLeavesAnEarlierFileWholeWhenItStopsOrFails) {
  const QTemporaryDir folder;
  const QString path = folder.filePath("liste.txt");
  const runtime::LineStore earlier = manyLines("ancienne");
  ASSERT_TRUE(saveListFile(earlier, path, [](double /*progress*/) { return true; }));
  std::string expected;
  for (std::size_t i = 0; i < earlier.size(); ++i) expected.append(earlier.line(i)).append("\n");
  EXPECT_TRUE(holds(path, expected));

  const runtime::LineStore later = manyLines("nouvelle");
  int blocks = 0;
  EXPECT_FALSE(saveListFile(later, path, [&blocks](double /*progress*/) { return ++blocks < 2; }));
  EXPECT_EQ(blocks, 2);
  EXPECT_TRUE(holds(path, expected));
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"liste.txt"});

  {
    const FileSizeLimit limit(rlim_t{3} << 19);  // a block and a half
    EXPECT_EQ(errorOf(later, path), "Impossible d'enregistrer la liste dans « " + path.toStdString() +
                                        " » : erreur d'écriture. Le fichier existant n'a pas changé.");
  }
  EXPECT_TRUE(holds(path, expected));
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"liste.txt"});

  const QString gone = folder.filePath("parti/liste.txt");
  EXPECT_EQ(errorOf(later, gone), "Impossible d'enregistrer la liste dans « " + gone.toStdString() +
                                      " » : le dossier n'existe pas. Le fichier existant n'a pas changé.");
}

}  // namespace
