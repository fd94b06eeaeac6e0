#include "cli/cli.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/argument_text.h"
#include "cli/search_lines.h"
#include "resources/version.h"
#include "search/number_text.h"
#include "search/result_line.h"

namespace {

constexpr std::string_view kUsage =
    "usage : trivel-cli [OPTION...] [--] BORNE_INFÉRIEURE BORNE_SUPÉRIEURE\n"
    "        trivel-cli --version\n"
    "Écrit les triplets i j c de l'intervalle tels que i² + j² = c², un par ligne.\n"
    "  --count      écrit seulement le nombre de ces lignes\n"
    "  --primitive  garde seulement les triplets primitifs, où pgcd(|i|, |j|) = 1\n"
    "  --           finit les options : les arguments qui suivent sont des bornes\n"
    "Les options vont avant ou après les bornes.\n";

// What the options ask for, and the other arguments: the bounds.
struct Arguments {
  bool help = false;
  bool version = false;
  bool count = false;
  search::Hits hits = search::Hits::All;
  std::vector<std::string_view> bounds;
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

// Sorts the arguments as getopt-style tools do: options anywhere, a lone "--"
// ending them. Only "--" and "-h" start an option, so that a negative bound
// needs no "--" before it. Complains of the first unknown option.
std::optional<Arguments> readArguments(std::span<const std::string_view> args, std::FILE* err) {
  Arguments read;
  for (; !args.empty(); args = args.subspan(1)) {
    const std::string_view arg = args.front();
    if (arg == "--") {
      read.bounds.insert(read.bounds.end(), args.begin() + 1, args.end());
      break;
    }
    if (arg == "--help" || arg == "-h") {
      read.help = true;
    } else if (arg == "--version") {
      read.version = true;
    } else if (arg == "--count") {
      read.count = true;
    } else if (arg == "--primitive") {
      read.hits = search::Hits::Primitive;
    } else if (arg.starts_with("--")) {
      complain(err, "l'option " + quoted(arg) + " est inconnue.");
      write(err, kUsage);
      return std::nullopt;
    } else {
      read.bounds.push_back(arg);
    }
  }
  return read;
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
  const auto read = readArguments(args, err);
  if (!read) return 2;
  if (read->help || read->version) {
    write(out, read->help ? kUsage : kVersion);
    return std::fflush(out) == 0 ? 0 : 1;
  }
  if (read->bounds.size() != 2) {
    complainAboutCount(read->bounds, err);
    return 2;
  }
  const auto lower = readBound("la borne inférieure", read->bounds[0], err, decimalSeparator);
  const auto upper = readBound("la borne supérieure", read->bounds[1], err, decimalSeparator);
  if (!lower || !upper) return 2;

  if (read->count) {
    write(out, std::to_string(search::countHits(*lower, *upper, read->hits)) + "\n");
  } else {
    writeLines(*lower, *upper, read->hits, out);
  }
  if (std::fflush(out) != 0 || std::ferror(out) != 0) {
    complain(err, "erreur d'écriture des résultats.");
    return 1;
  }
  return 0;
}
