#pragma once

#include "search/hit.h"

namespace search {

// Whether the hit is a primitive triple: gcd(|i|, |j|) = 1.
bool isPrimitive(const Hit& hit);

}  // namespace search
