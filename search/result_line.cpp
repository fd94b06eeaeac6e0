#include "search/result_line.h"

namespace search {

std::string_view ResultLine::format(const Hit& hit) {
  char* end = formatInteger(hit.i, text_.data());
  *end++ = ' ';
  end = formatInteger(hit.j, end);
  *end++ = ' ';
  end = formatInteger(hit.c, end);
  return {text_.data(), static_cast<std::size_t>(end - text_.data())};
}

std::string rangeLine(std::int32_t lower, std::int32_t upper) {
  return "entre " + formatInteger(lower) + " et" + formatInteger(upper);
}

}  // namespace search
