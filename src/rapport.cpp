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

// The data echo, the displacements, the end forces, the reactions and the graphs. Every heading
// is followed by an empty line and every block by an empty line. Each element's graph is kept in
// Graphes, for the summary and the drawing.
void TStructure::EcrireResultats() {
  Rapport.FinLigne();
  Rapport.Ligne(Textes::Titre);
  Rapport.FinLigne();
  Rapport.Ligne(Textes::NomDonnees + NomFichier + Textes::ExtensionDonnees);
  Rapport.FinLigne();

  Rapport.Ligne(Textes::TitreNoeuds);
  Rapport.FinLigne();
  for (std::int32_t n = 1; n <= NbNoeuds; ++n) Rapport.Ligne(LigneNoeud(n));
  Rapport.FinLigne();

  Rapport.Ligne(Textes::TitreElements);
  Rapport.FinLigne();
  for (std::int32_t i = 1; i <= Elements.Nombre; ++i) {
    Rapport.Ligne(LigneElement(i, Elements.Item(i)));
  }
  Rapport.FinLigne();

  Rapport.Ligne(Textes::TitreLiaisons);
  Rapport.FinLigne();
  for (std::int32_t s = 1; s <= Liaisons.Nombre; ++s) Rapport.Ligne(LigneLiaison(Liaisons.Item(s)));
  Rapport.FinLigne();

  Rapport.Ligne(Textes::TitreCharges);
  Rapport.FinLigne();
  for (std::int32_t c = 1; c <= Charges.Nombre; ++c) Rapport.Ligne(LigneCharge(Charges.Item(c)));
  Rapport.FinLigne();

  Rapport.Ligne(Textes::TitreDeplacements);
  Rapport.FinLigne();
  Rapport.Ligne(Textes::EnteteNoeud + FormatTexte(Textes::EnteteFleche, 8) +
                FormatTexte(Textes::EntetePente, 10));
  Rapport.FinLigne();
  for (std::int32_t n = 1; n <= NbNoeuds; ++n) Rapport.Ligne(LigneDeplacement(n));
  Rapport.FinLigne();

  Rapport.Ligne(Textes::TitreEfforts);
  Rapport.FinLigne();
  for (std::int32_t i = 1; i <= Elements.Nombre; ++i) {
    Rapport.Ligne(LignePremiereExtremite(i, Elements.Item(i)));
    Rapport.Ligne(LigneSecondeExtremite(Elements.Item(i)));
  }
  Rapport.FinLigne();

  Rapport.Ligne(Textes::TitreActions);
  Rapport.FinLigne();
  for (std::int32_t s = 1; s <= Liaisons.Nombre; ++s) Rapport.Ligne(LigneAction(Liaisons.Item(s)));
  Rapport.FinLigne();

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
