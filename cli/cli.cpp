#include "cli/cli.h"

#include <cstdint>
#include <optional>
#include <string>

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
    "usage : trivel-cli [--count] [--primitive] BORNE_INFÉRIEURE BORNE_SUPÉRIEURE\n"
    "        trivel-cli --image FICHIER.png [--size LARGEURxHAUTEUR] [--primitive] BORNE_INFÉRIEURE "
    "BORNE_SUPÉRIEURE\n"
    "        trivel-cli --version\n"
    "Écrit les triplets i j c de l'intervalle tels que i² + j² = c², un par ligne.\n"
    "  --count         écrit seulement le nombre de ces lignes\n"
    "  --primitive     garde seulement les triplets primitifs, où pgcd(|i|, |j|) = 1\n"
    "  --image F.png   écrit à la place le nuage des points (i, j) dans l'image PNG F.png\n"
    "  --size LxH      la taille de l'image en pixels, de 32x32 à 4096x4096 (800x800 sinon)\n";

// What the options ask for.
struct Options {
  bool count = false;
  search::Hits hits = search::Hits::All;
  std::optional<std::string_view> image;
  std::optional<ImageSize> size;
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
bool takeImageOption(std::span<const std::string_view>& args, Options& options, std::FILE* err) {
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
bool imageOptionsFit(const Options& options, std::FILE* err) {
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

// Takes the options in front of the bounds off args; complains of the first
// unknown one.
std::optional<Options> takeOptions(std::span<const std::string_view>& args, std::FILE* err) {
  Options options;
  for (; !args.empty() && args.front().starts_with("--"); args = args.subspan(1)) {
    if (args.front() == "--count") {
      options.count = true;
    } else if (args.front() == "--primitive") {
      options.hits = search::Hits::Primitive;
    } else if (args.front() == "--image" || args.front() == "--size") {
      if (!takeImageOption(args, options, err)) return std::nullopt;
    } else {
      complain(err, "l'option " + quoted(args.front()) + " est inconnue.");
      write(err, kUsage);
      return std::nullopt;
    }
  }
  if (!imageOptionsFit(options, err)) return std::nullopt;
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

// Writes the picture of the search into the PNG file; a path where no file
// can be made fails before the search.
int writeImage(const Options& options, std::int32_t lower, std::int32_t upper, std::FILE* err) {
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

  if (options->image) return writeImage(*options, *lower, *upper, err);
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
