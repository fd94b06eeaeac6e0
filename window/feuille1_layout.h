#pragma once

#include "runtime/layout.h"

namespace feuille1 {

// The ids of Feuille1's controls. Texte1 and Etiquette1 are control arrays:
// member 0 is the lower bound, member 1 the upper bound.
enum Control : runtime::ControlId {
  Dessin1 = 100,
  Etiquette1_0,
  Texte1_0,
  Etiquette1_1,
  Texte1_1,
  Label1,
  Liste1,
};

const runtime::FormLayout& layout();

}  // namespace feuille1
