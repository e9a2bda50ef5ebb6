// The drawing's diagrams: the extremes that a diagram marks (the exact extremes of the run) and the
// value scale it draws.
//
// Each model runs the whole analysis, its report written, so that s.Graphes holds the report's own
// graphs. Expected extremes are closed forms of beam theory (Euler-Bernoulli; the nodal values
// of Hermite elements are exact for point and uniform loads), checked against the report's text;
// the scales follow from the extremes by the rule of the drawing: a step of 1, 2 or 5 times a power
// of ten, at least a fifth of the range from min(0, smallest) to max(0, largest), the bounds
// rounded outwards to steps.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "UTypes.h"
#include "echelles.h"
#include "outils.h"

namespace {

class Dessin : public ModeleEnMemoire {};

struct CasEchelle {
  const char* Colonne;
  TGrandeur Valeurs;
  double Min, XMin, Max, XMax;
  double Bas, Haut, Pas;
  int Exposant;
  bool NonFinies;
};

void Verifier(const TEchelleDiagramme& e, const CasEchelle& c) {
  SCOPED_TRACE(c.Colonne);
  const double precision = 1e-7 * std::fmax(1, std::fabs(c.Min) + std::fabs(c.Max));
  EXPECT_TRUE(e.Valeurs);
  EXPECT_EQ(e.NonFinies, c.NonFinies);
  EXPECT_NEAR(e.Min, c.Min, precision);
  EXPECT_NEAR(e.XMin, c.XMin, 1e-5);
  EXPECT_NEAR(e.Max, c.Max, precision);
  EXPECT_NEAR(e.XMax, c.XMax, 1e-5);
  EXPECT_DOUBLE_EQ(e.Bas, c.Bas);
  EXPECT_DOUBLE_EQ(e.Haut, c.Haut);
  EXPECT_DOUBLE_EQ(e.Pas, c.Pas);
  EXPECT_EQ(e.Exposant, c.Exposant);
}

// The worked example (examples/poutre.txt): 5 m on two supports, E Iz = 2.1E11 x 8.36E-6
// = 1 755 600 N.m2, P = -10000 N at mid-span, w = -2000 N/m on the left half.
//   Deflection at mid-span: P L^3 / 48 E Iz + 5 w L^4 / 768 E Iz = -0.0148335 - 0.0046355
//     = -0.0194690 m (report: -0.019469 at x 2.500), the lowest of the graph points; the lowest of
//     the curve lies left of it, where the slope is 0: -0.0194767 m at x = 2.45812 m (the closed
//     forms of the point load and of the uniform load on [0, L/2], Roark Table 8.1 cases 1e, 2c);
//     0 at x = 0.
//   End slopes: P L^2 / 16 E Iz + 9 w L^3 / 384 E Iz = -0.0122376 rad at x = 0 (report -0.01224)
//     and -(P L^2 / 16 + 7 w L^3 / 384) / E Iz = 0.0114959 rad at x = 5 (report 0.01150).
//   Reactions 8750 N and 6250 N: Ty = -8750 N just right of x = 0 (the right-hand part pulls the
//     left-hand part down), 6250 N right of the load; the moment is 0 at x = 0 and
//     6250 x 2.5 = 15625 N.m under the load.
// Scales: ranges 0.019469, 0.023734, 15000 and 15625, a fifth of which rounds up to 0.005, 0.005,
// 5000 and 5000.
TEST_F(Dessin, ExemplePoutreSurDeuxAppuis) {
  Noeuds({0, 2.5, 5});
  Element(1, 2, 2.1E11, 8.36E-6);
  Element(2, 3, 2.1E11, 8.36E-6);
  Liaison(1, 1);
  Liaison(1, 3);
  Charge(1, 2, -10000, 0);
  Charge(2, 1, -2000, 0);
  ASSERT_TRUE(Calculer());
  const CasEchelle cas[] = {
      {"fleche", TGrandeur::Fleche, -0.0194767, 2.45812, 0, 0, -0.02, 0, 0.005, -3, false},
      {"pente", TGrandeur::Pente, -0.0122376, 0, 0.0114959, 5, -0.015, 0.015, 0.005, -3, false},
      {"Ty", TGrandeur::Ty, -8750, 0, 6250, 2.5, -10000, 10000, 5000, 3, false},
      {"Mfz", TGrandeur::Mfz, 0, 0, 15625, 2.5, 0, 20000, 5000, 3, false},
  };
  for (const CasEchelle& c : cas) Verifier(EchelleDiagramme(ExtremesExacts(*s)[c.Valeurs]), c);
}

// Edge cases of the scale:
// - a beam without load: every value is 0, the scale keeps its default -1 to 1 with the zero tick
//   alone (no division by a zero range), and both extremes are the first point;
// - three spans clamped at every node, with -1E308 N/m on the middle one of 4 m: its fixed-end
//   forces p L / 2 and its load term p L^4 / 24 E Iz overflow, so its deflection, shear and moment
//   are not finite. Those points are skipped; the outer spans, unloaded and held still, keep their
//   zeros.
TEST_F(Dessin, EchellesSansValeurOuAvecValeursNonFinies) {
  {
    Noeuds({0, 1, 3});
    Element(1, 2, 2.1E11, 8.36E-6);
    Element(2, 3, 2.1E11, 8.36E-6);
    Liaison(1, 1);
    Liaison(1, 3);
    ASSERT_TRUE(Calculer());
    const CasEchelle cas[] = {
        {"fleche", TGrandeur::Fleche, 0, 0, 0, 0, -1, 1, 0, 0, false},
        {"Mfz", TGrandeur::Mfz, 0, 0, 0, 0, -1, 1, 0, 0, false},
    };
    for (const CasEchelle& c : cas) Verifier(EchelleDiagramme(ExtremesExacts(*s)[c.Valeurs]), c);
  }
  {
    Recommencer();
    Noeuds({0, 1, 5, 6});
    for (std::int32_t n = 1; n <= 3; ++n) Element(n, n + 1, 2.1E11, 8.36E-6);
    for (std::int32_t n = 1; n <= 4; ++n) Liaison(3, n);
    Charge(2, 2, -1E308, 0);
    ASSERT_TRUE(Calculer());
    const CasEchelle cas[] = {
        {"fleche", TGrandeur::Fleche, 0, 0, 0, 0, -1, 1, 0, 0, true},
        {"Ty", TGrandeur::Ty, 0, 0, 0, 0, -1, 1, 0, 0, true},
        {"Mfz", TGrandeur::Mfz, 0, 0, 0, 0, -1, 1, 0, 0, true},
    };
    for (const CasEchelle& c : cas) Verifier(EchelleDiagramme(ExtremesExacts(*s)[c.Valeurs]), c);
  }
}

}  // namespace
