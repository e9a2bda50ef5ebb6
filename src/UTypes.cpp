// The model: the run's one structure, its creation and destruction, and the element operations
// that read the model through the global.
#include "UTypes.h"

#include "textes.h"
#include "visionneuse.h"

TStructure* Structure = nullptr;

// The lists are freed first, then the finished report is closed and shown. A failure to close is
// told while the global still refers to this structure (its mode and its names); once the
// destructor ends, by either way, the global refers to no structure.
TStructure::~TStructure() noexcept(false) {
  struct TOubli {
    const TStructure* Oublie;
    ~TOubli() {
      if (Structure == Oublie) Structure = nullptr;
    }
  } oubli{this};
  Elements.Vider();
  Liaisons.Vider();
  Charges.Vider();
  Ressorts.Vider();
  Tassements.Vider();
  Rotules.Vider();
  Ponctuelles.Vider();
  Trapezes.Vider();
  if (RapportOuvert) {
    RapportOuvert = false;
    Rapport.Fermer();
    if (Montrer) OuvrirVisionneuse(NomFichier + Textes::ExtensionRapport);
  }
}

// Signed length X[NoeudJ] - X[NoeudI], m, read through the global structure.
double TElement::Longueur() const { return Structure->X[NoeudJ] - Structure->X[NoeudI]; }

std::int32_t TElements::Indice(const TElement* element) const {
  for (std::int32_t i = 1; i <= Nombre && i <= CapElements; ++i) {
    if (Items[i] == element) return i;
  }
  return 0;
}
