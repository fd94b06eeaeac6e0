#include "cli/cli.h"

#include <cstdint>
#include <optional>
#include <string>

#include "resources/version.h"
#include "search/number_text.h"
#include "search/result_line.h"
#include "search/triple_search.h"

namespace {

constexpr std::string_view kUsage =
    "usage : trivel-cli BORNE_INFÉRIEURE BORNE_SUPÉRIEURE\n"
    "        trivel-cli --version\n"
    "Écrit les triplets i j c de l'intervalle tels que i² + j² = c², un par ligne.\n";

constexpr std::string_view kVersion = "trivel-cli " TRIVEL_VERSION_RELEASE "\n";

void write(std::FILE* file, std::string_view text) { std::fwrite(text.data(), 1, text.size(), file); }

std::optional<std::int32_t> readBound(std::string_view name, std::string_view text, std::FILE* err,
                                      std::string_view decimalSeparator) {
  const auto value = search::readInteger(text, decimalSeparator);
  if (!value) {
    write(err, "trivel-cli : " + std::string(name) + " illisible : « " + std::string(text) + " »\n");
  } else if (*value == 0) {
    write(err, "trivel-cli : " + std::string(name) + " ne doit pas valoir 0\n");
    return std::nullopt;
  }
  return value;
}

// Writes the lines of the search, the no-result notice when there is none.
void writeLines(std::int32_t lower, std::int32_t upper, std::FILE* out) {
  search::TripleSearch search(lower, upper);
  search::ResultLine line;
  bool found = false;
  while (!search.finished()) {
    for (const search::Hit& hit : search.next()) {
      write(out, line.format(hit));
      std::fputc('\n', out);
      found = true;
    }
  }
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
  if (args.size() != 2) {
    write(err, kUsage);
    return 2;
  }
  const auto lower = readBound("la borne inférieure", args[0], err, decimalSeparator);
  const auto upper = readBound("la borne supérieure", args[1], err, decimalSeparator);
  if (!lower || !upper) return 2;

  writeLines(*lower, *upper, out);
  if (std::fflush(out) != 0 || std::ferror(out) != 0) {
    write(err, "trivel-cli : erreur d'écriture des résultats\n");
    return 1;
  }
  return 0;
}
