// The exact extremes of the beam's curves.
//
// The report samples each element at 11 rows, and most extremes of a beam lie between them: the
// span moment of a propped cantilever under a uniform load, 9 q L^2 / 128, stands at 5L/8. Inside
// an element the curves are polynomials, so their extremes are either at the element's ends (rows)
// or where their derivative is 0: the moment where the shear is 0, the deflection where the slope
// is 0, the slope where the moment is 0. Those points are evaluated by the rows' own formulas.
#include "extremes.h"

#include <algorithm>
#include <cmath>

void TExtremesGrandeur::Retenir(double valeur, double abscisse) {
  const bool plusGrand = !std::isnan(valeur) && (std::isnan(PlusGrand.Valeur) ||
                                                 std::fabs(valeur) > std::fabs(PlusGrand.Valeur));
  if (!PlusGrand.Trouve || plusGrand) PlusGrand = {valeur, abscisse, true};
  if (!std::isfinite(valeur) || !std::isfinite(abscisse)) {
    NonFinies = true;
    return;
  }
  if (!Min.Trouve || valeur < Min.Valeur) Min = {valeur, abscisse, true};
  if (!Max.Trouve || valeur > Max.Valeur) Max = {valeur, abscisse, true};
}

static constexpr TGrandeur Toutes[4] = {TGrandeur::Fleche, TGrandeur::Pente, TGrandeur::Ty,
                                        TGrandeur::Mfz};

TExtremes ExtremesExacts(const TStructure& s) {
  TExtremes extremes;
  const std::int32_t nombre = std::max(0, std::min(s.Elements.Nombre, CapElements));
  for (std::int32_t e = 1; e <= nombre; ++e) {
    const TGraphe& graphe = s.Graphes[e];
    const std::int32_t dernier = std::max(-1, std::min(graphe.NbIntervalles, 10));
    for (std::int32_t k = 0; k <= dernier; ++k) {
      const TPointCourbe rang{graphe.Abscisse[k], graphe.Fleche[k], graphe.Pente[k], graphe.Ty[k],
                              graphe.Mfz[k]};
      for (TGrandeur g : Toutes) {
        extremes.Grandeurs[static_cast<int>(g)].Retenir(rang.Valeur(g), rang.Abscisse);
      }
    }
  }
  for (std::int32_t e = 1; e <= nombre; ++e) {
    const TCourbes courbes(s, s.Elements.Item(e), e);
    for (TGrandeur g : Toutes) {
      for (const TPointCourbe& point : courbes.Candidats(g)) {
        extremes.Grandeurs[static_cast<int>(g)].Retenir(point.Valeur(g), point.Abscisse);
      }
    }
  }
  return extremes;
}
