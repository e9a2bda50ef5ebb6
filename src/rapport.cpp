// The element graphs and the results report.
#include <cmath>

#include "UTypes.h"
#include "courbes.h"
#include "format.h"
#include "textes.h"

// ---------------------------------------------------------------------------------------------
// Element graphs
// ---------------------------------------------------------------------------------------------

// Deflection, slope, shear force and bending moment at 11 points u = i/10 along the element, by
// the formulas of its curves (courbes.cpp).
void TElement::GrapheElement(TGraphe& graphe) const {
  graphe = TGraphe{};
  graphe.NbIntervalles = 10;
  const TCourbes courbes(*Structure, *this, Structure->Elements.Indice(this));
  for (std::int32_t i = 0; i <= graphe.NbIntervalles; ++i) {
    const TPointCourbe point = courbes.Point(static_cast<double>(i) / graphe.NbIntervalles);
    graphe.Abscisse[i] = point.Abscisse;
    graphe.Fleche[i] = point.Fleche;
    graphe.Pente[i] = point.Pente;
    graphe.Ty[i] = point.Ty;
    graphe.Mfz[i] = point.Mfz;
  }
}

// ---------------------------------------------------------------------------------------------
// Results report
// ---------------------------------------------------------------------------------------------

namespace {

std::string LigneNoeud(std::int32_t n) {
  return FormatEntier(n, 2) + Textes::X + FormatReel(Structure->X[n], 10, 3) + Textes::Metre;
}

// E is shown in units of 10^6 Pa and Iz in cm4, both converted in extended precision.
std::string LigneElement(std::int32_t i, const TElement& element) {
  return FormatEntier(i, 2) + Textes::ParenthOuvE + FormatEntier(element.NoeudI, 2) +
         FormatEntier(element.NoeudJ, 3) + Textes::ParenthFermE + Textes::ModuleE +
         FormatReel(TEtendu(element.E) * DixMoinsSix, 5, 0) + Textes::UniteE +
         FormatReel(TEtendu(element.Iz) * DixPuissanceHuit, 5, 2) + Textes::UniteIz;
}

// A support code outside 1..3 has no wording: its line is the node alone.
std::string LigneLiaison(const TLiaison& liaison) {
  std::string ligne = Textes::Noeud + FormatEntier(liaison.Noeud, 2);
  if (liaison.Code == 1) ligne += Textes::FlecheNulle;
  if (liaison.Code == 2) ligne += Textes::PenteNulle;
  if (liaison.Code == 3) ligne += Textes::Encastrement;
  return ligne;
}

std::string LigneCharge(const TCharge& charge) {
  if (charge.Code != 1) {
    return Textes::Element + FormatEntier(charge.Numero, 2) + Textes::Py +
           FormatReel(charge.P, ChampChargeRepartie) + Textes::UnitePy;
  }
  std::string ligne = Textes::Noeud + FormatEntier(charge.Numero, 2);
  if (std::fabs(charge.P) > ValeurNegligeable) {
    ligne += Textes::Fy + FormatReel(charge.P, ChampChargeNodale) + Textes::UniteFy;
  }
  if (std::fabs(charge.Mz) > ValeurNegligeable) {
    ligne += Textes::MzCharge + FormatReel(charge.Mz, ChampChargeNodale) + Textes::UniteMz;
  }
  return ligne;
}

std::string LigneDeplacement(std::int32_t n) {
  return FormatEntier(n, 3) + " " + FormatReel(Structure->F[2 * n - 1], 10, 6) + " " +
         FormatReel(Structure->F[2 * n], 10, 6);
}

// The internal forces at the element's ends: at NoeudI the end forces with their signs changed
// (negation, so an exact 0 shows as -0), at NoeudJ as they stand.
std::string LignePremiereExtremite(std::int32_t i, const TElement& element) {
  return FormatEntier(i, 4) + FormatEntier(element.NoeudI, 4) + Textes::Ty +
         FormatReel(-element.Efforts[1], 5, 0) + Textes::Mfz +
         FormatReel(-element.Efforts[2], 5, 0);
}

std::string LigneSecondeExtremite(const TElement& element) {
  return FormatEntier(element.NoeudJ, 8) + Textes::Ty + FormatReel(element.Efforts[3], 5, 0) +
         Textes::Mfz + FormatReel(element.Efforts[4], 5, 0);
}

// Only the reactions the support can carry: Ry for code 1, Mz for code 2, both for code 3.
std::string LigneAction(const TLiaison& liaison) {
  std::string ligne = Textes::Noeud + std::to_string(liaison.Noeud) + Textes::DeuxPoints;
  if (liaison.Code == 1 || liaison.Code == 3)
    ligne += Textes::Ry + FormatReel(liaison.Ry, ChampAction);
  if (liaison.Code == 3) ligne += Textes::MzApresRy + FormatReel(liaison.Mz, ChampAction);
  if (liaison.Code == 2) ligne += Textes::MzSeul + FormatReel(liaison.Mz, ChampAction);
  return ligne;
}

// A point load inside an element: its abscissa from NoeudI (m), Fy (N) and Mz (N.m).
std::string LignePonctuelle(const TPonctuelle& charge) {
  return Textes::Element + FormatEntier(charge.Element, 2) + Textes::PonctuelleA +
         FormatReel(charge.A, 7, 3) + Textes::PonctuelleFy + FormatReel(charge.Fy, 7, 0) +
         Textes::PonctuelleMz + FormatReel(charge.Mz, 7, 0) + Textes::UniteMz;
}

// A trapezoidal load: from a to b (m from NoeudI), from pa to pb (N/m).
std::string LigneTrapeze(const TTrapeze& charge) {
  return Textes::Element + FormatEntier(charge.Element, 2) + Textes::TrapezeDe +
         FormatReel(charge.A, 7, 3) + Textes::TrapezeA + FormatReel(charge.B, 7, 3) +
         Textes::TrapezeP + FormatReel(charge.Pa, 10, 0) + Textes::TrapezeA +
         FormatReel(charge.Pb, 10, 0) + Textes::UnitePy;
}

std::string LigneRessort(const TRessort& ressort) {
  return Textes::Noeud + FormatEntier(ressort.Noeud, 2) + Textes::Kv +
         FormatReel(ressort.Kv, 12, 0) + Textes::UniteKv + FormatReel(ressort.Kr, 12, 0) +
         Textes::UniteKr;
}

std::string LigneTassement(const TTassement& tassement) {
  const bool fleche = tassement.Code == 1;
  return Textes::Noeud + FormatEntier(tassement.Noeud, 2) +
         (fleche ? Textes::TassementFleche : Textes::TassementPente) +
         FormatReel(tassement.Valeur, 10, 6) + (fleche ? Textes::Metre : Textes::Radian);
}

// A hinge by its code: at NoeudI (1), at NoeudJ (2), at both (3).
std::string LigneRotule(const TRotule& rotule) {
  const TElement& element = Structure->Elements.Item(rotule.Element);
  std::string ligne = Textes::Element + FormatEntier(rotule.Element, 2);
  if (rotule.Code == 3) {
    return ligne + Textes::RotulesAuxNoeuds + std::to_string(element.NoeudI) + Textes::EtNoeud +
           std::to_string(element.NoeudJ);
  }
  return ligne + Textes::RotuleAuNoeud +
         std::to_string(rotule.Code == 1 ? element.NoeudI : element.NoeudJ);
}

std::string LigneActionRessort(const TRessort& ressort) {
  return Textes::ActionRessort + std::to_string(ressort.Noeud) + Textes::DeuxPoints + Textes::Ry +
         FormatReel(ressort.Ry, ChampAction) + Textes::MzApresRy +
         FormatReel(ressort.Mz, ChampAction);
}

std::string EnteteGraphe() {
  return FormatTexte(Textes::GrapheX, 6) + FormatTexte(Textes::GrapheFleche, 15) +
         FormatTexte(Textes::GraphePente, 13) + FormatTexte(Textes::GrapheTy, 9) +
         FormatTexte(Textes::GrapheMfz, 12);
}

std::string LigneGraphe(const TGraphe& graphe, std::int32_t k) {
  return FormatReel(graphe.Abscisse[k], ChampAbscisse) + FormatReel(graphe.Fleche[k], ChampFleche) +
         FormatReel(graphe.Pente[k], ChampPente) + FormatReel(graphe.Ty[k], ChampTy) +
         FormatReel(graphe.Mfz[k], ChampMfz);
}

}  // namespace

// A block of the report: its heading, an empty line, the lines that `lignes` writes, an empty
// line.
template <typename TLignes>
static void Bloc(TRapport& rapport, const char* titre, TLignes lignes) {
  rapport.Ligne(titre);
  rapport.FinLigne();
  lignes();
  rapport.FinLigne();
}

// The extended model's blocks, each only when its section holds items.
void TStructure::EcrireBlocsEtendus() {
  if (Ressorts.Nombre > 0) {
    Bloc(Rapport, Textes::TitreRessorts, [this] {
      for (std::int32_t i = 1; i <= Ressorts.Nombre; ++i)
        Rapport.Ligne(LigneRessort(Ressorts.Item(i)));
    });
  }
  if (Tassements.Nombre > 0) {
    Bloc(Rapport, Textes::TitreTassements, [this] {
      for (std::int32_t i = 1; i <= Tassements.Nombre; ++i) {
        Rapport.Ligne(LigneTassement(Tassements.Item(i)));
      }
    });
  }
  if (Rotules.Nombre > 0) {
    Bloc(Rapport, Textes::TitreRotules, [this] {
      for (std::int32_t i = 1; i <= Rotules.Nombre; ++i)
        Rapport.Ligne(LigneRotule(Rotules.Item(i)));
    });
  }
}

// The data echo, the displacements, the end forces, the reactions and the graphs. Every heading
// is followed by an empty line and every block by an empty line. Each element's graph is kept in
// Graphes, for the summary and the drawing.
void TStructure::EcrireResultats() {
  Rapport.FinLigne();
  Rapport.Ligne(Textes::Titre);
  Rapport.FinLigne();
  Rapport.Ligne(Textes::NomDonnees + NomFichier + Textes::ExtensionDonnees);
  Rapport.FinLigne();
  Bloc(Rapport, Textes::TitreNoeuds, [this] {
    for (std::int32_t n = 1; n <= NbNoeuds; ++n) Rapport.Ligne(LigneNoeud(n));
  });
  Bloc(Rapport, Textes::TitreElements, [this] {
    for (std::int32_t i = 1; i <= Elements.Nombre; ++i) {
      Rapport.Ligne(LigneElement(i, Elements.Item(i)));
    }
  });
  Bloc(Rapport, Textes::TitreLiaisons, [this] {
    for (std::int32_t s = 1; s <= Liaisons.Nombre; ++s) {
      Rapport.Ligne(LigneLiaison(Liaisons.Item(s)));
    }
  });
  Bloc(Rapport, Textes::TitreCharges, [this] { EcrireCharges(); });
  EcrireBlocsEtendus();
  Bloc(Rapport, Textes::TitreDeplacements, [this] {
    Rapport.Ligne(Textes::EnteteNoeud + FormatTexte(Textes::EnteteFleche, 8) +
                  FormatTexte(Textes::EntetePente, 10));
    Rapport.FinLigne();
    for (std::int32_t n = 1; n <= NbNoeuds; ++n) Rapport.Ligne(LigneDeplacement(n));
  });
  Bloc(Rapport, Textes::TitreEfforts, [this] {
    for (std::int32_t i = 1; i <= Elements.Nombre; ++i) {
      Rapport.Ligne(LignePremiereExtremite(i, Elements.Item(i)));
      Rapport.Ligne(LigneSecondeExtremite(Elements.Item(i)));
    }
  });
  Bloc(Rapport, Textes::TitreActions, [this] {
    for (std::int32_t s = 1; s <= Liaisons.Nombre; ++s)
      Rapport.Ligne(LigneAction(Liaisons.Item(s)));
    for (std::int32_t r = 1; r <= Ressorts.Nombre; ++r) {
      Rapport.Ligne(LigneActionRessort(Ressorts.Item(r)));
    }
  });
  EcrireGraphes();
}

// The loads as read: those of "$cha", then the point loads and the trapezoidal loads.
void TStructure::EcrireCharges() {
  for (std::int32_t c = 1; c <= Charges.Nombre; ++c) Rapport.Ligne(LigneCharge(Charges.Item(c)));
  for (std::int32_t c = 1; c <= Ponctuelles.Nombre; ++c) {
    Rapport.Ligne(LignePonctuelle(Ponctuelles.Item(c)));
  }
  for (std::int32_t c = 1; c <= Trapezes.Nombre; ++c) Rapport.Ligne(LigneTrapeze(Trapezes.Item(c)));
}

// For each element: an empty line, its title, an empty line, the header, an empty line, its 11
// rows; then the report's final empty line.
void TStructure::EcrireGraphes() {
  Rapport.Ligne(Textes::TitreGraphes);
  for (std::int32_t i = 1; i <= Elements.Nombre; ++i) {
    Rapport.FinLigne();
    Rapport.Ligne(Textes::TitreGraphe + std::to_string(i) + Textes::FinTitreGraphe);
    Rapport.FinLigne();
    Rapport.Ligne(EnteteGraphe());
    Rapport.FinLigne();
    TGraphe& graphe = Graphes[i];
    Elements.Item(i).GrapheElement(graphe);
    for (std::int32_t k = 0; k <= graphe.NbIntervalles; ++k) Rapport.Ligne(LigneGraphe(graphe, k));
  }
  Rapport.FinLigne();
}
