#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "search/result_line.h"
#include "tests/pair_reference.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string contents(std::FILE* file) {
  std::rewind(file);
  std::string text;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text.push_back(static_cast<char>(c));
  return text;
}

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun run(std::vector<std::string_view> args, std::string_view separator = ",") {
  const File out(std::tmpfile());
  const File err(std::tmpfile());
  const int status = runCli(args, out.get(), err.get(), separator);
  return {status, contents(out.get()), contents(err.get())};
}

std::string referenceLines(std::int32_t lower, std::int32_t upper) {
  search::ResultLine line;
  std::string text;
  for (const search::Hit& hit : pairByPair(lower, upper)) text += std::string(line.format(hit)) + "\n";
  return text;
}

TEST(Cli, WritesTheSameLinesAsThePairByPairLoops) {
  for (const auto& [lower, upper] :
       {std::pair{1, 20}, std::pair{2, 30}, std::pair{-3, 4}, std::pair{-50, 70}, std::pair{7, 2000}}) {
    const CliRun result = run({std::to_string(lower), std::to_string(upper)});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, referenceLines(lower, upper)) << lower << " " << upper;
    EXPECT_EQ(result.err, "");
  }
}

TEST(Cli, WritesTheNoticeWhenNothingIsFound) {
  EXPECT_EQ(run({"3", "10"}).out, "pas de nombres\nentre  3 et 10\n");
  EXPECT_EQ(run({"5", "2"}).out, "pas de nombres\nentre  5 et 2\n");
  EXPECT_EQ(run({"2000000000", "2000000000"}).out, "pas de nombres\nentre  2000000000 et 2000000000\n");
}

TEST(Cli, ReadsBoundsWithTheLocaleDecimalSeparator) {
  EXPECT_EQ(run({" 0,6 ", "20,4"}, ",").out, referenceLines(1, 20));
  EXPECT_EQ(run({"1.4", "5"}, ".").out, " 3  4  5\n");
}

TEST(Cli, RejectsBadArgumentsWithAMessageNamingThem) {
  const CliRun letters = run({"abc", "20"});
  EXPECT_EQ(letters.status, 2);
  EXPECT_EQ(letters.out, "");
  EXPECT_NE(letters.err.find("la borne inférieure illisible : « abc »"), std::string::npos);

  const CliRun zero = run({"1", "0"});
  EXPECT_EQ(zero.status, 2);
  EXPECT_NE(zero.err.find("la borne supérieure ne doit pas valoir 0"), std::string::npos);

  EXPECT_EQ(run({"1", "2147483648"}).status, 2);
  EXPECT_EQ(run({"1"}).status, 2);
  EXPECT_EQ(run({"1", "2", "3"}).status, 2);

  const CliRun help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage"), std::string::npos);
}

TEST(Cli, NamesItsVersionOnOneLine) {
  const CliRun version = run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(std::regex_match(version.out, std::regex("trivel-cli [0-9]+\\.[0-9]+\\.[0-9]+\n")))
      << version.out;
  EXPECT_EQ(version.err, "");
}

TEST(Cli, ReportsAFailedWriteAsAFailure) {
  const File readOnly(std::fopen("/dev/null", "r"));
  const File err(std::tmpfile());
  const std::vector<std::string_view> args{"1", "20"};
  EXPECT_EQ(runCli(args, readOnly.get(), err.get(), ","), 1);
  EXPECT_NE(contents(err.get()).find("erreur d'écriture"), std::string::npos);
}

}  // namespace
