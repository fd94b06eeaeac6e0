#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "cli/argument_text.h"
#include "cli/batch_ring.h"
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

// Whether text is "trivel-cli", a space, three numbers joined by dots and a
// line end (checked by hand: std::regex alone doubles this file's build time).
bool isVersionLine(std::string_view text) {
  constexpr std::string_view name = "trivel-cli ";
  if (!text.starts_with(name) || !text.ends_with('\n')) return false;
  const std::string_view version = text.substr(name.size(), text.size() - name.size() - 1);
  const auto digitOrDot = [](char c) { return (c >= '0' && c <= '9') || c == '.'; };
  return std::ranges::all_of(version, digitOrDot) && std::ranges::count(version, '.') == 2 &&
         !version.starts_with('.') && !version.ends_with('.') && version.find("..") == std::string_view::npos;
}

std::string linesOf(const std::vector<search::Hit>& hits) {
  std::string text;
  for (const search::Hit& hit : hits) text += referenceLine(hit) + "\n";
  return text;
}

std::string referenceLines(std::int32_t lower, std::int32_t upper) {
  return linesOf(pairByPair(lower, upper));
}

TEST(Cli, WritesTheSameLinesAsThePairByPairLoops) {
  for (const auto& [lower, upper] : {std::pair{-50, 70}, std::pair{7, 2000}}) {
    const CliRun result = run({std::to_string(lower), std::to_string(upper)});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, referenceLines(lower, upper)) << "bounds " << lower << " and " << upper;
    EXPECT_EQ(result.err, "");
  }
  // The first row of the range holds the widest numbers a line shows.
  EXPECT_EQ(run({"-2147483648", "-2147483648"}).out, "-2147483648 -4026531840  4563402752\n");
}

// Many pieces of lines go from the searching threads to the writing one: the
// lines stay the engine's, all of them, in its order, with numbers of up to
// 8 digits.
TEST(Cli, WritesTheEnginesLinesInOrderAcrossManyBatches) {
  for (const auto& [lower, upper] : {std::pair{1, 100000}, std::pair{-30000, 30000},
                                     std::pair{1000000, 2030000}, std::pair{5000000, 10050000}}) {
    EXPECT_EQ(run({std::to_string(lower), std::to_string(upper)}).out, linesOf(engineHits(lower, upper)))
        << lower << " " << upper;
  }
}

// A searching thread running out of memory must not end the program: its
// error reaches the writing thread after the batches it handed over.
TEST(Cli, HandsTheSearchingThreadsErrorToTheWritingOne) {
  BatchRing<std::vector<search::Hit>> batches(2);
  const std::jthread filler([&batches] {
    batches.toFill().push_back({3, 4, 5});
    batches.handOver();
    batches.finish(std::make_exception_ptr(std::bad_alloc()));
  });
  const std::vector<search::Hit>* batch = batches.toRead();
  ASSERT_NE(batch, nullptr);
  EXPECT_EQ(batch->size(), 1U);
  batches.giveBack();
  EXPECT_THROW(static_cast<void>(batches.toRead()), std::bad_alloc);
}

// --count gives the number of lines the same bounds write; --primitive keeps
// the lines whose i and j have no common factor, and with --count counts them.
TEST(Cli, CountsTheLinesAndKeepsThePrimitiveOnes) {
  const auto primitive = [](const std::vector<search::Hit>& hits) {
    std::vector<search::Hit> kept;
    std::copy_if(hits.begin(), hits.end(), std::back_inserter(kept),
                 [](const search::Hit& hit) { return std::gcd(std::abs(hit.i), std::abs(hit.j)) == 1; });
    return kept;
  };
  const auto check = [&](std::int32_t lower, std::int32_t upper, const std::vector<search::Hit>& hits) {
    const std::string l = std::to_string(lower);
    const std::string u = std::to_string(upper);
    const std::vector<search::Hit> kept = primitive(hits);
    EXPECT_EQ(run({"--count", l, u}).out, std::to_string(hits.size()) + "\n") << l << " " << u;
    EXPECT_EQ(run({"--count", "--primitive", l, u}).out, std::to_string(kept.size()) + "\n") << l << " " << u;
    const std::string notice = "pas de nombres\n" + search::rangeLine(lower, upper) + "\n";
    EXPECT_EQ(run({"--primitive", l, u}).out, kept.empty() ? notice : linesOf(kept)) << l << " " << u;
  };
  for (const auto& [lower, upper] :
       {std::pair{1, 20}, std::pair{2, 30}, std::pair{-3, 4}, std::pair{-50, 70}, std::pair{7, 2000},
        std::pair{3, 10}, std::pair{5, 2}, std::pair{21, 29}}) {
    check(lower, upper, pairByPair(lower, upper));
  }
  // At the bottom of the range, where j and c pass 32 bits.
  check(INT32_MIN, INT32_MIN + 5, engineHits(INT32_MIN, INT32_MIN + 5));
  EXPECT_EQ(run({"--count", "1", "1000000"}).out, "2269788\n");
  EXPECT_EQ(run({"--count", "1000", "4194304"}).out, "10577610\n");
  // Past 4.3 · 10^8 the tree of triples once grew without end; this count
  // agrees with a double loop over every coprime (m, n).
  EXPECT_EQ(run({"--count", "1", "450000000"}).out, "1512395764\n");
}

TEST(Cli, WritesTheNoticeWhenNothingIsFound) {
  EXPECT_EQ(run({"5", "2"}).out, "pas de nombres\nentre  5 et 2\n");
}

TEST(Cli, ReadsBoundsWithTheLocaleDecimalSeparator) {
  EXPECT_EQ(run({" 0,6 ", "20,4"}, ",").out, referenceLines(1, 20));
  EXPECT_EQ(run({"1.4", "5"}, ".").out, " 3  4  5\n");
}

TEST(Cli, RejectsBadArgumentsWithAMessageNamingThem) {
  const CliRun letters = run({"abc", "20"});
  EXPECT_EQ(letters.status, 2);
  EXPECT_EQ(letters.out, "");
  EXPECT_EQ(letters.err, "trivel-cli : la borne inférieure « abc » est illisible.\n");

  const CliRun zero = run({"1", "0,4"});
  EXPECT_EQ(zero.status, 2);
  EXPECT_EQ(zero.err, "trivel-cli : la borne supérieure « 0,4 » ne doit pas valoir 0.\n");

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
  EXPECT_TRUE(isVersionLine(version.out)) << version.out;
  EXPECT_EQ(version.err, "");
}

TEST(Cli, ReportsAFailedWriteAsAFailure) {
  const File readOnly(std::fopen("/dev/null", "r"));
  const File err(std::tmpfile());
  const std::vector<std::string_view> args{"1", "20"};
  EXPECT_EQ(runCli(args, readOnly.get(), err.get(), ","), 1);
  EXPECT_NE(contents(err.get()).find("erreur d'écriture"), std::string::npos);
}

// What a bad argument must give: exit status 2, nothing on standard output and
// exactly this sentence on standard error.
void expectRefused(const CliRun& result, const std::string& sentence) {
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "trivel-cli : " + sentence + "\n");
}

TEST(CliArguments, RefusesThousandsSeparators) {
  expectRefused(run({"1 000", "20"}), "la borne inférieure « 1 000 » est illisible.");
  expectRefused(run({"1", "1.000"}, ","), "la borne supérieure « 1.000 » est illisible.");
  expectRefused(run({"1", "1,000"}, "."), "la borne supérieure « 1,000 » est illisible.");
  expectRefused(run({"1", "1\u202F000"}), "la borne supérieure « 1\u202F000 » est illisible.");
  expectRefused(run({"1", "1\u00A0000"}), "la borne supérieure « 1\u00A0000 » est illisible.");
  // Where the comma is the decimal separator, 1,000 is one and some thousandths.
  EXPECT_EQ(run({"1,000", "5"}, ",").out, " 3  4  5\n");
}

TEST(CliArguments, NamesEmptyAndMissingArgumentsAndThoseLeftOver) {
  expectRefused(run({"", "20"}), "la borne inférieure est vide.");
  const CliRun bothBad = run({"", "   "});
  EXPECT_EQ(bothBad.err,
            "trivel-cli : la borne inférieure est vide.\n"
            "trivel-cli : la borne supérieure «     » est illisible.\n");

  const auto expectUsageAfter = [](const CliRun& result, const std::string& sentence) {
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("trivel-cli : " + sentence + "\nusage : trivel-cli ", 0), 0U) << result.err;
  };
  expectUsageAfter(run({}), "il manque les deux bornes.");
  expectUsageAfter(run({"7"}), "il manque la borne supérieure après « 7 ».");
  expectUsageAfter(run({"1", "2", "3"}), "l'argument « 3 » est de trop.");
  expectUsageAfter(run({"1", "2", "\x1b[2J", "4"}), "les 2 arguments à partir de « \\x1B[2J » sont de trop.");
  expectUsageAfter(run({"--count", "--primitve", "1", "2"}), "l'option « --primitve » est inconnue.");
  expectUsageAfter(run({"--count"}), "il manque les deux bornes.");
}

// As getopt-style tools: options after the bounds too, "--" ending the options
// before a bound that looks like one, and a negative bound without it.
TEST(CliArguments, TakesOptionsAnywhereAndBoundsAfterADoubleDash) {
  const std::string count = std::to_string(pairByPair(-5, 10).size()) + "\n";
  for (const std::vector<std::string_view>& args : {std::vector<std::string_view>{"--count", "-5", "10"},
                                                    {"--count", "--", "-5", "10"},
                                                    {"-5", "10", "--count"},
                                                    {"-5", "--count", "--", "10"}}) {
    const CliRun result = run(args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, count) << args.front() << " " << args.back();
  }
  EXPECT_EQ(run({"1", "20", "--primitive"}).out, " 3  4  5\n 5  12  13\n 8  15  17\n");
  EXPECT_EQ(run({"1", "2", "--help"}).out.rfind("usage : trivel-cli ", 0), 0U);
  expectRefused(run({"--", "--count", "5"}), "la borne inférieure « --count » est illisible.");
  const CliRun unknown = run({"1", "20", "--cuont"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err.rfind("trivel-cli : l'option « --cuont » est inconnue.\n", 0), 0U) << unknown.err;
}

TEST(CliArguments, EchoesArgumentsSoThatTheTerminalCannotBeFooled) {
  // Bytes that are not UTF-8: a stray byte, a cut sequence, an overlong form, a surrogate.
  EXPECT_EQ(shownArgument("12\xFF"), "12\\xFF");
  EXPECT_EQ(shownArgument("\xC3"), "\\xC3");
  EXPECT_EQ(shownArgument("\xC0\xAF"), "\\xC0\\xAF");
  EXPECT_EQ(shownArgument("\xED\xA0\x80"), "\\xED\\xA0\\x80");
  // Control characters, C1 controls and a right-to-left override.
  EXPECT_EQ(shownArgument("1\n2\t\x7F"), "1\\x0A2\\x09\\x7F");
  EXPECT_EQ(shownArgument("\u0085\u202E21"), "\\xC2\\x85\\xE2\\x80\\xAE21");
  // Printable text stays as it is; a backslash is doubled so that escapes stay unambiguous.
  EXPECT_EQ(shownArgument("-2,5 é ² 数"), "-2,5 é ² 数");
  EXPECT_EQ(shownArgument("\\xFF"), "\\\\xFF");
  // A long argument is cut short, never inside an escape.
  const std::string fortyNines(kMaxShownLength, '9');
  EXPECT_EQ(shownArgument(fortyNines), fortyNines);
  EXPECT_EQ(shownArgument(fortyNines + "9"), fortyNines + "…");
  EXPECT_EQ(shownArgument(std::string(kMaxShownLength - 2, '9') + "\xFF"),
            std::string(kMaxShownLength - 2, '9') + "…");

  expectRefused(run({"1", "2\xFF"}), "la borne supérieure « 2\\xFF » est illisible.");
}

// Starts the real trivel-cli in the C locale, its standard output and error
// on these descriptors. Returns its process id, or 0 when it did not start.
pid_t spawnExecutable(std::vector<std::string> args, int out, int err) {
  args.insert(args.begin(), TRIVEL_CLI);
  std::string locale = "LC_ALL=C";
  posix_spawn_file_actions_t actions{};
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::array<char*, 2> env{locale.data(), nullptr};
  pid_t child = 0;
  const int spawned = posix_spawn(&child, TRIVEL_CLI, &actions, nullptr, argv.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    ADD_FAILURE() << "trivel-cli did not start: " << std::strerror(spawned);
    return 0;
  }
  return child;
}

// The exit status of a child, -1 when a signal ended it.
int exitStatus(int waitStatus) { return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1; }

// Runs the real trivel-cli in the C locale, with its output in files.
CliRun runExecutable(std::vector<std::string> args) {
  const File out(std::tmpfile());
  const File err(std::tmpfile());
  const pid_t child = spawnExecutable(std::move(args), fileno(out.get()), fileno(err.get()));
  if (child == 0) return {-1, "", ""};
  int status = 0;
  waitpid(child, &status, 0);
  return {exitStatus(status), contents(out.get()), contents(err.get())};
}

TEST(CliArguments, TheProgramTakesTheLongestArgumentLinuxAllows) {
  // One argument holds at most 128 KiB, its terminating zero included.
  constexpr std::size_t kLongest = 128 * 1024 - 1;
  const std::string zeros(kLongest - 2, '0');
  const CliRun padded = runExecutable({"1", zeros + "20"});
  EXPECT_EQ(padded.status, 0) << padded.err;
  EXPECT_EQ(padded.out, referenceLines(1, 20));

  const CliRun nines = runExecutable({std::string(kLongest, '9'), "20"});
  expectRefused(nines, "la borne inférieure « " + std::string(kMaxShownLength, '9') + "… » est illisible.");

  const CliRun junk = runExecutable({"1", std::string(kLongest, '\xFF')});
  expectRefused(junk,
                "la borne supérieure « \\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF… » est illisible.");
}

// The exit status of a child that ends within the limit; one that runs on is
// killed, and gives nothing.
std::optional<int> exitStatusWithin(pid_t child, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return std::nullopt;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return exitStatus(status);
}

// SIGPIPE ignored, as `trap '' PIPE` in a shell leaves it for the programs it
// starts: a write to a pipe that has lost its reader then fails, and the
// program must end by itself.
class IgnoredSigpipe {
 public:
  IgnoredSigpipe() : previous_(std::signal(SIGPIPE, SIG_IGN)) {}
  IgnoredSigpipe(const IgnoredSigpipe&) = delete;
  IgnoredSigpipe& operator=(const IgnoredSigpipe&) = delete;
  IgnoredSigpipe(IgnoredSigpipe&&) = delete;
  IgnoredSigpipe& operator=(IgnoredSigpipe&&) = delete;
  ~IgnoredSigpipe() { std::signal(SIGPIPE, previous_); }

 private:
  void (*previous_)(int);
};

// The exit status of trivel-cli writing the lines of these bounds into a pipe
// whose reader goes after the first line, if it ends within two seconds of it.
std::optional<int> statusAfterTheReaderGoes(const std::string& lower, const std::string& upper, int err) {
  std::array<int, 2> ends{};
  if (pipe2(ends.data(), O_CLOEXEC) != 0) return std::nullopt;
  File reader(fdopen(ends[0], "r"));
  File writer(fdopen(ends[1], "w"));
  const pid_t child = spawnExecutable({lower, upper}, ends[1], err);
  if (child == 0) return std::nullopt;
  writer.reset();
  std::array<char, 64> first{};
  EXPECT_NE(std::fgets(first.data(), first.size(), reader.get()), nullptr);
  EXPECT_STREQ(first.data(), " 3  4  5\n");
  reader.reset();
  return exitStatusWithin(child, std::chrono::seconds(2));
}

// Output that fails halfway through a large range stops the searching threads
// and ends the program at once with status 1, for the lines of the two sieves
// (up to 2^25) and for those of the one engine.
TEST(CliOutput, EndsPromptlyWithStatus1WhenItsOutputFailsHalfway) {
  const IgnoredSigpipe ignored;
  const File err(std::tmpfile());
  EXPECT_EQ(statusAfterTheReaderGoes("1", "30000000", fileno(err.get())), 1) << "the sieves' lines";
  EXPECT_EQ(statusAfterTheReaderGoes("1", "100000000", fileno(err.get())), 1) << "the engine's lines";
  EXPECT_EQ(contents(err.get()),
            "trivel-cli : erreur d'écriture des résultats.\n"
            "trivel-cli : erreur d'écriture des résultats.\n");
}

}  // namespace
