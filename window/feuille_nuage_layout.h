#pragma once

#include "runtime/layout.h"

namespace feuille_nuage {

// The ids of the picture window's controls.
enum Control : runtime::ControlId {
  Image1 = 200,
};

const runtime::FormLayout& layout();

}  // namespace feuille_nuage
