#pragma once

#include <cstdint>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

#include "runtime/layout.h"

namespace runtime {

// The one error type of the runtime. Its message is French and names what
// failed; the back end shows it to the user when it leaves an event procedure.
class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(const std::string& message) : std::runtime_error(message) {}
};

// What the user is told, in French, of an error that left an event procedure:
// the runtime's own message, or what kind of failure it was.
inline std::string runtimeErrorMessage(const std::exception& error) {
  std::string message = "Erreur d'exécution : ";
  if (dynamic_cast<const RuntimeError*>(&error) != nullptr) return message + error.what();
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return message + "mémoire insuffisante.";
  return message + "erreur interne (" + error.what() + ").";
}

// The runtime's own errors, worded alike by every back end.
inline RuntimeError unknownControl(ControlId id) {
  return RuntimeError("Contrôle inconnu : " + std::to_string(id) + ".");
}

inline RuntimeError unknownControlKind(const ControlLayout& control) {
  return RuntimeError("Type de contrôle inconnu : " + std::string(control.name));
}

inline RuntimeError notAList(const ControlLayout& control) {
  return RuntimeError("Le contrôle " + std::string(control.name) + " n'est pas une liste.");
}

inline RuntimeError notATextBox(const ControlLayout& control) {
  return RuntimeError("Le contrôle " + std::string(control.name) + " n'a pas de texte à lire.");
}

inline RuntimeError notAPictureBox(const ControlLayout& control) {
  return RuntimeError("Le contrôle " + std::string(control.name) + " n'est pas une zone d'image.");
}

inline RuntimeError visibilityNotChanged(const ControlLayout& control, bool visible) {
  return RuntimeError((visible ? "Impossible d'afficher " : "Impossible de cacher ") +
                      std::string(control.name) + ".");
}

inline RuntimeError pictureNotFound(int pictureId) {
  return RuntimeError("Image introuvable dans les ressources : " + std::to_string(pictureId) + ".");
}

inline RuntimeError iconNotFound(int iconId) {
  return RuntimeError("Icône introuvable dans les ressources : " + std::to_string(iconId) + ".");
}

inline RuntimeError noMemoryToCopyTheList() {
  return RuntimeError("Mémoire insuffisante pour copier la liste.");
}

// Why a list could not be saved, as each back end reads its system's error.
enum class SaveFailure : std::uint8_t { DiskFull, AccessDenied, FolderMissing, Other };

// What failed to save (a list, an image), where, and why; an earlier file is left as it was.
inline RuntimeError notSaved(std::string_view what, const std::string& path, SaveFailure failure) {
  const char* reason = "erreur d'écriture.";
  switch (failure) {
    case SaveFailure::DiskFull:
      reason = "le disque est plein.";
      break;
    case SaveFailure::AccessDenied:
      reason = "accès refusé.";
      break;
    case SaveFailure::FolderMissing:
      reason = "le dossier n'existe pas.";
      break;
    case SaveFailure::Other:
      break;
  }
  return RuntimeError("Impossible d'enregistrer " + std::string(what) + " dans « " + path + " » : " + reason +
                      " Le fichier existant n'a pas changé.");
}

// What notSaved names.
inline constexpr std::string_view kSavedList = "la liste";
inline constexpr std::string_view kSavedImage = "l'image";

inline RuntimeError listNotSaved(const std::string& path, SaveFailure failure) {
  return notSaved(kSavedList, path, failure);
}

inline RuntimeError imageNotSaved(const std::string& path, SaveFailure failure) {
  return notSaved(kSavedImage, path, failure);
}

}  // namespace runtime
