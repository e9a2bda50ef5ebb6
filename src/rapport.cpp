// The element graphs and the results report.
#include <cmath>

#include "UTypes.h"
#include "format.h"
#include "textes.h"

// ---------------------------------------------------------------------------------------------
// Element graphs
// ---------------------------------------------------------------------------------------------

// A total uniform load of this magnitude or less (N/m) counts as no load at all.
constexpr double ChargeNegligeable = 1e-6;

// Deflection, slope, shear force and bending moment at 11 points u = i/10 along the element.
//
// Deflection: cubic Hermite interpolation of the end displacements (vI, tI, vJ, tJ),
//   v(u) = N1 vI + N2 L tI + N3 vJ + N4 L tJ,
//   N1 = 1 - 3u^2 + 2u^3, N2 = u - 2u^2 + u^3, N3 = 3u^2 - 2u^3, N4 = u^3 - u^2,
// and the slope its derivative dv/dx. Shear and moment come from the end forces at NoeudJ (q3,
// q4), the actions of the right-hand part on the left-hand part:
//   Ty(u) = q3,  Mfz(u) = q3 L (1-u) + q4.
// A uniform load p (the loads of code 2 on this element) adds the solution of the beam clamped at
// both ends, with w = p L^3 / (12 E Iz):
//   v += p L^4 u^2 (1-u)^2 / (24 E Iz),  slope += w u (1-u)(1-2u),
//   Ty += p L (1-u),  Mfz += p L^2 (1-u)^2 / 2.
// Without bending stiffness (E Iz = 0, or so small that w overflows) the deflection and slope terms
// do not exist, and only the shear and moment terms are added.
void TElement::GrapheElement(TGraphe& graphe) const {
  graphe = TGraphe{};
  graphe.NbIntervalles = 10;
  std::int32_t ddl[4];
  Structure->DdlNoeud(NoeudI, ddl[0], ddl[1]);
  Structure->DdlNoeud(NoeudJ, ddl[2], ddl[3]);
  const double vI = Structure->F[ddl[0]], tI = Structure->F[ddl[1]];
  const double vJ = Structure->F[ddl[2]], tJ = Structure->F[ddl[3]];
  const double q3 = Efforts[3], q4 = Efforts[4];

  const std::int32_t numero = Structure->Elements.Indice(this);
  double p = 0;
  for (std::int32_t c = 1; c <= Structure->Charges.Nombre; ++c) {
    const TCharge& charge = Structure->Charges.Item(c);
    if (charge.Code == 2 && charge.Numero == numero) p = p + charge.P;
  }
  const bool charge = std::fabs(p) > ChargeNegligeable;

  const double L = Longueur();
  const double L2 = L * L;
  const double L3 = L2 * L;
  const double rigidite = (12 * E) * Iz;
  const double w = rigidite != 0 ? (p * L3) / rigidite : 0;
  const bool flexible = rigidite != 0 && std::isfinite(w);

  for (std::int32_t i = 0; i <= graphe.NbIntervalles; ++i) {
    const double u = static_cast<double>(i) / graphe.NbIntervalles;
    const double u2 = u * u;
    const double u3 = u2 * u;
    const double v = (1 - u) * (1 - u);
    const double N1 = (1 - 3 * u2) + 2 * u3;
    const double N2 = (u - 2 * u2) + u3;
    const double N3 = 3 * u2 - 2 * u3;
    const double N4 = u3 - u2;
    graphe.Abscisse[i] = Structure->X[NoeudI] + u * L;
    graphe.Fleche[i] = ((N1 * vI + (N2 * L) * tI) + N3 * vJ) + (N4 * L) * tJ;
    graphe.Pente[i] =
        ((((6 * (u2 - u)) * vI) / L + ((1 - 4 * u) + 3 * u2) * tI) + ((6 * (u - u2)) * vJ) / L) +
        (3 * u2 - 2 * u) * tJ;
    graphe.Ty[i] = q3;
    graphe.Mfz[i] = (q3 * L) * (1 - u) + q4;
    if (charge) {
      if (flexible) {
        graphe.Fleche[i] = graphe.Fleche[i] + (((0.5 * w) * L) * u2) * v;
        graphe.Pente[i] = graphe.Pente[i] + ((w * u) * (1 - u)) * (1 - 2 * u);
      }
      graphe.Ty[i] = graphe.Ty[i] + (p * L) * (1 - u);
      graphe.Mfz[i] = graphe.Mfz[i] + ((0.5 * p) * L2) * v;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Results report
// ---------------------------------------------------------------------------------------------

namespace {

// A nodal load writes a value only when its magnitude is strictly above this (N, N.m).
constexpr double ValeurNegligeable = 1e-6;

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
           FormatReel(charge.P, 10, 0) + Textes::UnitePy;
  }
  std::string ligne = Textes::Noeud + FormatEntier(charge.Numero, 2);
  if (std::fabs(charge.P) > ValeurNegligeable) {
    ligne += Textes::Fy + FormatReel(charge.P, 7, 0) + Textes::UniteFy;
  }
  if (std::fabs(charge.Mz) > ValeurNegligeable) {
    ligne += Textes::MzCharge + FormatReel(charge.Mz, 7, 0) + Textes::UniteMz;
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
  if (liaison.Code == 1 || liaison.Code == 3) ligne += Textes::Ry + FormatReel(liaison.Ry, 5, 0);
  if (liaison.Code == 3) ligne += Textes::MzApresRy + FormatReel(liaison.Mz, 5, 0);
  if (liaison.Code == 2) ligne += Textes::MzSeul + FormatReel(liaison.Mz, 5, 0);
  return ligne;
}

std::string EnteteGraphe() {
  return FormatTexte(Textes::GrapheX, 6) + FormatTexte(Textes::GrapheFleche, 15) +
         FormatTexte(Textes::GraphePente, 13) + FormatTexte(Textes::GrapheTy, 9) +
         FormatTexte(Textes::GrapheMfz, 12);
}

std::string LigneGraphe(const TGraphe& graphe, std::int32_t k) {
  return FormatReel(graphe.Abscisse[k], 7, 3) + FormatReel(graphe.Fleche[k], 12, 6) +
         FormatReel(graphe.Pente[k], 13, 5) + FormatReel(graphe.Ty[k], 12, 2) +
         FormatReel(graphe.Mfz[k], 10, 2);
}

}  // namespace

// The data echo, the displacements, the end forces, the reactions and the graphs. Every heading
// is followed by an empty line and every block by an empty line.
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
  TGraphe graphe;
  for (std::int32_t i = 1; i <= Elements.Nombre; ++i) {
    Rapport.FinLigne();
    Rapport.Ligne(Textes::TitreGraphe + std::to_string(i) + Textes::FinTitreGraphe);
    Rapport.FinLigne();
    Rapport.Ligne(EnteteGraphe());
    Rapport.FinLigne();
    Elements.Item(i).GrapheElement(graphe);
    for (std::int32_t k = 0; k <= graphe.NbIntervalles; ++k) Rapport.Ligne(LigneGraphe(graphe, k));
  }
  Rapport.FinLigne();
}
