#include "runtime/runtime_error.h"

namespace runtime {

RuntimeError unknownControl(ControlId id) {
  return RuntimeError("Contrôle inconnu : " + std::to_string(id) + ".");
}

RuntimeError unknownControlKind(const ControlLayout& control) {
  return RuntimeError("Type de contrôle inconnu : " + std::string(control.name));
}

RuntimeError notAList(const ControlLayout& control) {
  return RuntimeError("Le contrôle " + std::string(control.name) + " n'est pas une liste.");
}

RuntimeError notATextBox(const ControlLayout& control) {
  return RuntimeError("Le contrôle " + std::string(control.name) + " n'a pas de texte à lire.");
}

RuntimeError visibilityNotChanged(const ControlLayout& control, bool visible) {
  return RuntimeError((visible ? "Impossible d'afficher " : "Impossible de cacher ") +
                      std::string(control.name) + ".");
}

RuntimeError pictureNotFound(int pictureId) {
  return RuntimeError("Image introuvable dans les ressources : " + std::to_string(pictureId) + ".");
}

RuntimeError iconNotFound(int iconId) {
  return RuntimeError("Icône introuvable dans les ressources : " + std::to_string(iconId) + ".");
}

RuntimeError noMemoryToCopyTheList() { return RuntimeError("Mémoire insuffisante pour copier la liste."); }

}  // namespace runtime
