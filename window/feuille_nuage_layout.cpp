#include "window/feuille_nuage_layout.h"

#include <array>

#include "resources/resource_ids.h"

namespace feuille_nuage {
namespace {

// The picture fills the window, 640 pixels square at 96 DPI, and grows with it.
constexpr runtime::Twips kSide = 9600;

constexpr std::array kControls{
    runtime::ControlLayout{.id = Image1,
                           .name = "Image1",
                           .kind = runtime::ControlKind::PictureBox,
                           .width = kSide,
                           .height = kSide,
                           .accessibleName = "nuage des triplets"},
};

constexpr runtime::FormLayout kFeuilleNuage{
    .name = "FeuilleNuage",
    .caption = "nuage des triplets",
    .clientWidth = kSide,
    .clientHeight = kSide,
    .font = {.face = "MS Sans Serif", .hundredthsOfPoint = 825, .weight = 700, .charset = 0},
    .iconId = IDI_TRIVEL,
    .resizable = true,
    .controls = kControls,
};

}  // namespace

const runtime::FormLayout& layout() { return kFeuilleNuage; }

}  // namespace feuille_nuage
