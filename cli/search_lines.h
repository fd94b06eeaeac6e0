#pragma once

#include <cstdint>
#include <cstdio>

#include "search/hit_count.h"

// Writes the result lines of the search with these bounds to out, all or
// those of primitive triples, in loop order: other threads search and format
// the lines while the caller's writes them. Stops early once writing fails.
// Returns the number of lines. An error of any thread (memory running out)
// leaves it, after the lines found before it.
std::int64_t writeSearchLines(std::int32_t lower, std::int32_t upper, search::Hits hits, std::FILE* out);
