#include <clocale>
#include <cstdio>
#include <exception>
#include <new>
#include <string_view>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
  std::setlocale(LC_NUMERIC, "");
  const std::string_view separator = std::localeconv()->decimal_point;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  // A large buffer: the output can run to millions of lines.
  std::setvbuf(stdout, nullptr, _IOFBF, std::size_t{1} << 16);
  // What the program cannot go on without (memory, its second thread) ends
  // it with a sentence, not with an abort.
  try {
    return runCli(args, stdout, stderr, separator);
  } catch (const std::bad_alloc&) {
    std::fputs("trivel-cli : mémoire insuffisante.\n", stderr);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "trivel-cli : erreur interne (%s).\n", error.what());
  }
  return 1;
}
