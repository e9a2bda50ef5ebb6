// The scales of the drawing; see echelles.h.
#include "echelles.h"

#include <algorithm>
#include <cmath>

#include "format.h"

namespace {

// The scale of a diagram whose values run from bas to haut (bas <= 0 <= haut): ticks about a fifth
// of the range apart, bounds rounded outwards to ticks unless that would overflow. A bound less
// than a hundredth of a step beyond a tick is rounded to that tick, so that a rounding residue
// (a moment of -1e-12 N.m at a free end) adds no whole step to the scale; its point then lies a
// fraction of a pixel outside the data area, well inside the frame. A range of zero keeps the
// default scale.
void Graduer(double bas, double haut, TEchelleDiagramme& e) {
  if (!(haut > bas)) return;
  const TPas pas = PasRond(0.2 * haut - 0.2 * bas);  // a fifth, formed without overflow
  e.Bas = bas;
  e.Haut = haut;
  e.Pas = pas.Pas;
  e.Exposant = pas.Exposant;
  if (pas.Pas > 0) {
    const double basRond = pas.Pas * std::floor(bas / pas.Pas + 0.01);
    const double hautRond = pas.Pas * std::ceil(haut / pas.Pas - 0.01);
    if (std::isfinite(basRond)) e.Bas = basRond;
    if (std::isfinite(hautRond)) e.Haut = hautRond;
  }
}

}  // namespace

// The fraction of the way from bas to haut, in halves when the range overflows.
double Fraction(double v, double bas, double haut) {
  const double etendue = haut - bas;
  if (std::isfinite(etendue)) return (v - bas) / etendue;
  return (0.5 * v - 0.5 * bas) / (0.5 * haut - 0.5 * bas);
}

// The round step at least `brut`: the power of ten at most brut, found by repeated products and
// quotients, times the first of 1, 2, 5 and 10 that reaches brut.
TPas PasRond(double brut) {
  TPas resultat;
  if (!(brut > 0) || !std::isfinite(brut)) return resultat;
  double puissance = 1;  // 10^exposant
  int exposant = 0;
  while (puissance * 10 <= brut) {
    puissance = puissance * 10;
    ++exposant;
  }
  while (puissance > brut) {  // ends at 0 at the latest, below the subnormal doubles
    puissance = puissance / 10;
    --exposant;
  }
  for (const double chiffre : {1.0, 2.0, 5.0, 10.0}) {
    if (chiffre * puissance >= brut) {
      resultat.Pas = chiffre * puissance;
      resultat.Exposant = chiffre == 10 ? exposant + 1 : exposant;
      return resultat;
    }
  }
  return resultat;
}

// The first and the last multiple of pas within the bounds (widened by a hundredth of a step),
// and their count when it is 1 to 20.
TGraduations Graduations(double bas, double haut, double pas) {
  TGraduations g;
  if (!(pas > 0)) return g;
  g.Premier = std::ceil(bas / pas - 0.01);
  const double nombre = std::floor(haut / pas + 0.01) - g.Premier + 1;
  if (nombre >= 1 && nombre <= 20) g.Nombre = static_cast<int>(nombre);
  return g;
}

// A tick's text, by the report's field writer: as many decimals as the step's exponent asks.
std::string ValeurGraduation(double valeur, int exposant) {
  if (exposant < -9 || exposant > 9) return FormatReel(valeur + 0.0, 0, -1);
  return FormatReel(valeur + 0.0, 0, std::max(0, -exposant));
}

// At most the capacity's elements have graphs, and a graph at most 11 points (10 intervals).
std::int32_t NombreGraphes(const TStructure& s) {
  return std::max(0, std::min(s.Elements.Nombre, CapElements));
}
std::int32_t DernierPoint(const TGraphe& g) { return std::max(-1, std::min(g.NbIntervalles, 10)); }

// The extremes, then the scale over them and zero.
TEchelleDiagramme EchelleDiagramme(const TExtremesGrandeur& extremes) {
  TEchelleDiagramme e;
  e.NonFinies = extremes.NonFinies;
  e.Valeurs = extremes.Min.Trouve;
  if (!e.Valeurs) return e;
  e.Min = extremes.Min.Valeur;
  e.XMin = extremes.Min.Abscisse;
  e.Max = extremes.Max.Valeur;
  e.XMax = extremes.Max.Abscisse;
  Graduer(std::min(e.Min, 0.0), std::max(e.Max, 0.0), e);
  return e;
}
