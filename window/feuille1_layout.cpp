#include "window/feuille1_layout.h"

#include <array>

#include "resources/resource_ids.h"

namespace feuille1 {
namespace {

using runtime::Colour;
using runtime::ControlKind;
using runtime::ControlLayout;

constexpr Colour kRed = Colour::rgb(255, 0, 0);
constexpr Colour kLightYellow = Colour::rgb(255, 255, 192);

// Listed from left to right and top to bottom; positions in twips.
constexpr std::array kControls{
    ControlLayout{.id = Dessin1,
                  .name = "Dessin1",
                  .kind = ControlKind::Image,
                  .left = 120,
                  .top = 240,
                  .width = 1830,
                  .height = 2520,
                  .pictureId = IDB_PORTRAIT},
    ControlLayout{.id = Etiquette1_0,
                  .name = "Etiquette1",
                  .index = 0,
                  .kind = ControlKind::Label,
                  .left = 2040,
                  .top = 480,
                  .width = 1635,
                  .height = 195,
                  .text = "borne inférieure : a",
                  .foreground = Colour::windowText(),
                  .background = Colour::windowBackground(),
                  .tabIndex = 1},
    ControlLayout{.id = Texte1_0,
                  .name = "Texte1",
                  .index = 0,
                  .kind = ControlKind::TextBox,
                  .left = 2160,
                  .top = 840,
                  .width = 1455,
                  .height = 285,
                  .text = "1",
                  .tabIndex = 3},
    ControlLayout{.id = Etiquette1_1,
                  .name = "Etiquette1",
                  .index = 1,
                  .kind = ControlKind::Label,
                  .left = 2040,
                  .top = 1560,
                  .width = 1725,
                  .height = 195,
                  .text = "borne supérieure : b",
                  .foreground = Colour::windowText(),
                  .background = Colour::windowBackground(),
                  .tabIndex = 2},
    ControlLayout{.id = Texte1_1,
                  .name = "Texte1",
                  .index = 1,
                  .kind = ControlKind::TextBox,
                  .left = 2160,
                  .top = 1920,
                  .width = 1455,
                  .height = 285,
                  .toolTip = "donnez la borne supérieure et validez",
                  .tabIndex = 0},
    ControlLayout{.id = Label1,
                  .name = "Label1",
                  .kind = ControlKind::Label,
                  .left = 2040,
                  .top = 2400,
                  .width = 1935,
                  .height = 375,
                  .text = "calculs en cours ....",
                  .foreground = kRed,
                  .background = kLightYellow,
                  .visible = false,
                  .tabIndex = 5},
    ControlLayout{.id = Liste1,
                  .name = "Liste1",
                  .kind = ControlKind::ListBox,
                  .left = 3960,
                  .top = 240,
                  .width = 2775,
                  .height = 2595,
                  .accessibleName = "nombres trouvés",
                  .tabIndex = 4},
};

constexpr runtime::FormLayout kFeuille1{
    .name = "Feuille1",
    .caption = "nombres  trivelliens : a² + b² = c²",
    .clientWidth = 6990,
    .clientHeight = 3300,
    .font = {.face = "MS Sans Serif", .hundredthsOfPoint = 825, .weight = 700, .charset = 0},
    .iconId = IDI_TRIVEL,
    .controls = kControls,
};

}  // namespace

const runtime::FormLayout& layout() { return kFeuille1; }

}  // namespace feuille1
