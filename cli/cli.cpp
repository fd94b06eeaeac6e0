#include "cli/cli.h"

#include <cstdint>
#include <optional>
#include <string>

#include "cli/argument_text.h"
#include "cli/search_lines.h"
#include "resources/version.h"
#include "search/number_text.h"
#include "search/result_line.h"

namespace {

constexpr std::string_view kUsage =
    "usage : trivel-cli [--count] [--primitive] BORNE_INFÉRIEURE BORNE_SUPÉRIEURE\n"
    "        trivel-cli --version\n"
    "Écrit les triplets i j c de l'intervalle tels que i² + j² = c², un par ligne.\n"
    "  --count      écrit seulement le nombre de ces lignes\n"
    "  --primitive  garde seulement les triplets primitifs, où pgcd(|i|, |j|) = 1\n";

// What the options ask for.
struct Options {
  bool count = false;
  search::Hits hits = search::Hits::All;
};

constexpr std::string_view kVersion = "trivel-cli " TRIVEL_VERSION_RELEASE "\n";

void write(std::FILE* file, std::string_view text) { std::fwrite(text.data(), 1, text.size(), file); }

std::string quoted(std::string_view argument) { return "« " + shownArgument(argument) + " »"; }

void complain(std::FILE* err, const std::string& sentence) { write(err, "trivel-cli : " + sentence + "\n"); }

std::optional<std::int32_t> readBound(std::string_view name, std::string_view text, std::FILE* err,
                                      std::string_view decimalSeparator) {
  const auto value = search::readInteger(text, decimalSeparator);
  if (text.empty()) {
    complain(err, std::string(name) + " est vide.");
  } else if (!value) {
    complain(err, std::string(name) + " " + quoted(text) + " est illisible.");
  } else if (*value == 0) {
    complain(err, std::string(name) + " " + quoted(text) + " ne doit pas valoir 0.");
    return std::nullopt;
  }
  return value;
}

// Names what is missing or left over when there are not exactly two arguments.
void complainAboutCount(std::span<const std::string_view> args, std::FILE* err) {
  if (args.empty()) {
    complain(err, "il manque les deux bornes.");
  } else if (args.size() == 1) {
    complain(err, "il manque la borne supérieure après " + quoted(args[0]) + ".");
  } else if (args.size() == 3) {
    complain(err, "l'argument " + quoted(args[2]) + " est de trop.");
  } else {
    complain(err, "les " + std::to_string(args.size() - 2) + " arguments à partir de " + quoted(args[2]) +
                      " sont de trop.");
  }
  write(err, kUsage);
}

// Takes the options in front of the bounds off args; complains of the first
// unknown one.
std::optional<Options> takeOptions(std::span<const std::string_view>& args, std::FILE* err) {
  Options options;
  for (; !args.empty() && args.front().starts_with("--"); args = args.subspan(1)) {
    if (args.front() == "--count") {
      options.count = true;
    } else if (args.front() == "--primitive") {
      options.hits = search::Hits::Primitive;
    } else {
      complain(err, "l'option " + quoted(args.front()) + " est inconnue.");
      write(err, kUsage);
      return std::nullopt;
    }
  }
  return options;
}

// Writes the lines of the search, the no-result notice when there is none.
void writeLines(std::int32_t lower, std::int32_t upper, search::Hits hits, std::FILE* out) {
  const bool found = writeSearchLines(lower, upper, hits, out) > 0;
  if (!found) {
    write(out, search::kNoResultLine);
    write(out, "\n" + search::rangeLine(lower, upper) + "\n");
  }
}

}  // namespace

int runCli(std::span<const std::string_view> args, std::FILE* out, std::FILE* err,
           std::string_view decimalSeparator) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    write(out, kUsage);
    return std::fflush(out) == 0 ? 0 : 1;
  }
  if (args.size() == 1 && args[0] == "--version") {
    write(out, kVersion);
    return std::fflush(out) == 0 ? 0 : 1;
  }
  const auto options = takeOptions(args, err);
  if (!options) return 2;
  if (args.size() != 2) {
    complainAboutCount(args, err);
    return 2;
  }
  const auto lower = readBound("la borne inférieure", args[0], err, decimalSeparator);
  const auto upper = readBound("la borne supérieure", args[1], err, decimalSeparator);
  if (!lower || !upper) return 2;

  if (options->count) {
    write(out, std::to_string(search::countHits(*lower, *upper, options->hits)) + "\n");
  } else {
    writeLines(*lower, *upper, options->hits, out);
  }
  if (std::fflush(out) != 0 || std::ferror(out) != 0) {
    complain(err, "erreur d'écriture des résultats.");
    return 1;
  }
  return 0;
}
