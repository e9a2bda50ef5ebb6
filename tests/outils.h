// Small helpers shared by the unit tests.
#pragma once

#include <functional>
#include <string>

#include "UTypes.h"

// The words of the run-time error that the action raises, or a marker when it raises none.
inline std::string MotsErreur(const std::function<void()>& action) {
  try {
    action();
  } catch (const EErreurExecution& erreur) {
    return erreur.Mots;
  }
  return "(aucune erreur)";
}
