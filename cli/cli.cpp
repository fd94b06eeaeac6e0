#include "cli/cli.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/argument_text.h"
#include "cli/image_size.h"
#include "cli/png_file.h"
#include "cli/search_lines.h"
#include "cli/search_picture.h"
#include "resources/version.h"
#include "search/number_text.h"
#include "search/result_line.h"

namespace {

constexpr std::string_view kUsage =
    "usage : trivel-cli [OPTION...] [--] BORNE_INFÉRIEURE BORNE_SUPÉRIEURE\n"
    "        trivel-cli --version\n"
    "Écrit les triplets i j c de l'intervalle tels que i² + j² = c², un par ligne.\n"
    "  --count         écrit seulement le nombre de ces lignes\n"
    "  --primitive     garde seulement les triplets primitifs, où pgcd(|i|, |j|) = 1\n"
    "  --image F.png   écrit à la place le nuage des points (i, j) dans F.png\n"
    "  --size LxH      sa taille en pixels, de 32x32 à 4096x4096 (800x800 sinon)\n"
    "  --              finit les options : les arguments qui suivent sont des bornes\n"
    "Les options vont avant ou après les bornes.\n";

// What the options ask for, and the other arguments: the bounds.
struct Arguments {
  bool help = false;
  bool version = false;
  bool count = false;
  search::Hits hits = search::Hits::All;
  std::optional<std::string_view> image;
  std::optional<ImageSize> size;
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

// Takes --image FILE or --size WIDTHxHEIGHT off the front of args, but for
// the value, which the caller's loop takes; complains of a missing value or
// a bad size.
bool takeImageOption(std::span<const std::string_view>& args, Arguments& options, std::FILE* err) {
  const std::string_view option = args.front();
  if (args.size() < 2) {
    complain(err, "l'option " + quoted(option) +
                      (option == "--image" ? " attend le nom du fichier PNG." : " attend une taille."));
    write(err, kUsage);
    return false;
  }
  args = args.subspan(1);
  if (option == "--image") {
    options.image = args.front();
    return true;
  }
  options.size = readImageSize(args.front());
  if (!options.size) {
    complain(err, "la taille " + quoted(args.front()) +
                      " ne convient pas : il faut LARGEURxHAUTEUR, chaque côté de 32 à 4096 pixels.");
    write(err, kUsage);
    return false;
  }
  return true;
}

// --size goes with --image, and --count does not.
bool imageOptionsFit(const Arguments& options, std::FILE* err) {
  if (options.size && !options.image) {
    complain(err, "l'option « --size » ne sert qu'avec « --image ».");
  } else if (options.image && options.count) {
    complain(err, "les options « --count » et « --image » s'excluent.");
  } else {
    return true;
  }
  write(err, kUsage);
  return false;
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
    } else if (arg == "--image" || arg == "--size") {
      if (!takeImageOption(args, read, err)) return std::nullopt;
    } else if (arg.starts_with("--")) {
      complain(err, "l'option " + quoted(arg) + " est inconnue.");
      write(err, kUsage);
      return std::nullopt;
    } else {
      read.bounds.push_back(arg);
    }
  }
  if (!imageOptionsFit(read, err)) return std::nullopt;
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

// Writes the picture of the search into the PNG file; a path where no file
// can be made fails before the search.
int writeImage(const Arguments& options, std::int32_t lower, std::int32_t upper, std::FILE* err) {
  try {
    const PngFile file{std::string(*options.image)};
    file.save(searchPicture(lower, upper, options.hits, options.size.value_or(kDefaultImageSize)));
  } catch (const ImageNotSaved& error) {
    complain(err, error.what());
    return 1;
  }
  return 0;
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

  if (read->image) return writeImage(*read, *lower, *upper, err);
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
