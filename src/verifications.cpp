// The checks made once the data are read: every number that names a node or an element must
// exist, and the items of the extended model must make sense on the beam as read. Each failing
// item gets one console line (a located diagnostic in the command-line mode), every failing item
// is listed, and then the reading ends with false.
#include <algorithm>
#include <cstdio>
#include <string>

#include "UTypes.h"
#include "textes.h"

namespace {

bool Existe(std::int32_t numero, std::int32_t nombre) { return numero >= 1 && numero <= nombre; }

// A length or an abscissa along an element as C's "%.10g" writes it: 0.3, 1.100000002, -2e-09.
std::string Longueur(double valeur) {
  char texte[32];
  std::snprintf(texte, sizeof texte, "%.10g", valeur);
  return texte;
}

// Abscissae along an element are differences of node abscissae in doubles (1.4 - 1.1 is
// 0.2999999999999998): a load written at the element's end is accepted within this fraction of
// its length, then held inside it.
constexpr double Tolerance = 1e-9;

double Borner(double x, double L) { return std::min(std::max(x, 0.0), L); }

}  // namespace

bool TStructure::Verifier() {
  const bool references = VerifierReferences();
  const bool extensions = VerifierExtensions();
  return references && extensions;
}

// Every node and element number is checked against the model as read (a node beyond NbNoeuds has
// no abscissa of its own, and its degrees of freedom lie outside the system solved): elements,
// then supports, then loads, each failing item with its console line, every failing item listed.
// A support whose code blocks nothing names a node that nothing uses, and is not checked.
bool TStructure::VerifierReferences() {
  bool valide = true;
  const auto refuser = [this, &valide](std::int32_t ligne, const char* modele, std::int32_t i,
                                       std::int32_t numero) {
    Signaler(ligne, Remplir(modele, {std::to_string(i), std::to_string(numero)}), true);
    valide = false;
  };
  for (std::int32_t i = 1; i <= Elements.Nombre; ++i) {
    const TElement& element = Elements.Item(i);
    if (!Existe(element.NoeudI, NbNoeuds)) {
      refuser(element.Ligne, Textes::ElementSansNoeud, i, element.NoeudI);
    } else if (!Existe(element.NoeudJ, NbNoeuds)) {
      refuser(element.Ligne, Textes::ElementSansNoeud, i, element.NoeudJ);
    }
  }
  for (std::int32_t i = 1; i <= Liaisons.Nombre; ++i) {
    const TLiaison& liaison = Liaisons.Item(i);
    const bool bloque = liaison.Code >= 1 && liaison.Code <= 3;
    if (bloque && !Existe(liaison.Noeud, NbNoeuds)) {
      refuser(liaison.Ligne, Textes::LiaisonSansNoeud, i, liaison.Noeud);
    }
  }
  for (std::int32_t i = 1; i <= Charges.Nombre; ++i) {
    const TCharge& charge = Charges.Item(i);
    if (charge.Code == 1 && !Existe(charge.Numero, NbNoeuds)) {
      refuser(charge.Ligne, Textes::ChargeSansNoeud, i, charge.Numero);
    } else if (charge.Code != 1 && !Existe(charge.Numero, Elements.Nombre)) {
      refuser(charge.Ligne, Textes::ChargeSansElement, i, charge.Numero);
    }
  }
  return valide;
}

// The items of the extended model, section by section, item by item; an item gets the line of its
// first failing check.
bool TStructure::VerifierExtensions() {
  bool valide = true;
  const auto refuser = [this, &valide](std::int32_t ligne, const std::string& message) {
    Signaler(ligne, message, true);
    valide = false;
  };
  const auto texte = [](std::int32_t n) { return std::to_string(n); };
  for (std::int32_t i = 1; i <= Ressorts.Nombre; ++i) {
    const TRessort& ressort = Ressorts.Item(i);
    if (!Existe(ressort.Noeud, NbNoeuds)) {
      refuser(ressort.Ligne, Remplir(Textes::RessortSansNoeud, {texte(i), texte(ressort.Noeud)}));
    } else if (ressort.Kv < 0 || ressort.Kr < 0) {
      refuser(ressort.Ligne, Remplir(Textes::RessortNegatif, {texte(i)}));
    }
  }
  for (std::int32_t i = 1; i <= Tassements.Nombre; ++i) {
    const std::string message = RefusTassement(i);
    if (!message.empty()) refuser(Tassements.Item(i).Ligne, message);
  }
  for (std::int32_t i = 1; i <= Rotules.Nombre; ++i) {
    const TRotule& rotule = Rotules.Item(i);
    if (rotule.Code < 1 || rotule.Code > 3) {
      refuser(rotule.Ligne, Remplir(Textes::RotuleCode, {texte(i), texte(rotule.Code)}));
    } else if (!Existe(rotule.Element, Elements.Nombre)) {
      refuser(rotule.Ligne, Remplir(Textes::RotuleSansElement, {texte(i), texte(rotule.Element)}));
    }
  }
  for (std::int32_t i = 1; i <= Ponctuelles.Nombre; ++i) {
    TPonctuelle& charge = Ponctuelles.Item(i);
    if (!Existe(charge.Element, Elements.Nombre)) {
      refuser(charge.Ligne,
              Remplir(Textes::PonctuelleSansElement, {texte(i), texte(charge.Element)}));
      continue;
    }
    const double L = Elements.Item(charge.Element).Longueur();
    const double epsilon = Tolerance * L;
    if (charge.A < -epsilon || charge.A > L + epsilon) {
      refuser(charge.Ligne, Remplir(Textes::PonctuelleHors, {texte(i), texte(charge.Element),
                                                             Longueur(charge.A), Longueur(L)}));
    } else {
      charge.A = Borner(charge.A, L);
    }
  }
  for (std::int32_t i = 1; i <= Trapezes.Nombre; ++i) {
    TTrapeze& charge = Trapezes.Item(i);
    if (!Existe(charge.Element, Elements.Nombre)) {
      refuser(charge.Ligne, Remplir(Textes::TrapezeSansElement, {texte(i), texte(charge.Element)}));
      continue;
    }
    const double L = Elements.Item(charge.Element).Longueur();
    const double epsilon = Tolerance * L;
    if (charge.A < -epsilon || charge.B > L + epsilon || charge.B - charge.A <= epsilon) {
      refuser(charge.Ligne,
              Remplir(Textes::TrapezeHors, {texte(i), texte(charge.Element), Longueur(charge.A),
                                            Longueur(charge.B), Longueur(L)}));
    } else {
      charge.A = Borner(charge.A, L);
      charge.B = Borner(charge.B, L);
    }
  }
  return valide;
}

// Why settlement i is refused, or "" when it is accepted: its code must be 1 (deflection) or 2
// (slope), its node must exist and a support must block that degree of freedom there, and no
// earlier settlement may name the same node and code.
std::string TStructure::RefusTassement(std::int32_t i) const {
  const TTassement& tassement = Tassements.Item(i);
  const std::string numero = std::to_string(i), noeud = std::to_string(tassement.Noeud);
  if (tassement.Code != 1 && tassement.Code != 2) {
    return Remplir(Textes::TassementCode, {numero, std::to_string(tassement.Code)});
  }
  if (!Existe(tassement.Noeud, NbNoeuds))
    return Remplir(Textes::TassementSansNoeud, {numero, noeud});
  bool bloque = false;
  for (std::int32_t l = 1; l <= Liaisons.Nombre; ++l) {
    const TLiaison& liaison = Liaisons.Item(l);
    bloque = bloque || (liaison.Noeud == tassement.Noeud &&
                        (liaison.Code == 3 || liaison.Code == tassement.Code));
  }
  if (!bloque) {
    return Remplir(tassement.Code == 1 ? Textes::TassementFlecheLibre : Textes::TassementPenteLibre,
                   {numero, noeud});
  }
  for (std::int32_t j = 1; j < i; ++j) {
    const TTassement& avant = Tassements.Item(j);
    if (avant.Noeud == tassement.Noeud && avant.Code == tassement.Code) {
      return Remplir(Textes::TassementRepete, {numero, std::to_string(j)});
    }
  }
  return "";
}
