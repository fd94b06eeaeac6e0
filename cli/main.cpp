#include <clocale>
#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
  std::setlocale(LC_NUMERIC, "");
  const std::string_view separator = std::localeconv()->decimal_point;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  // A large buffer: the output can run to millions of lines.
  std::setvbuf(stdout, nullptr, _IOFBF, std::size_t{1} << 16);
  return runCli(args, stdout, stderr, separator);
}
