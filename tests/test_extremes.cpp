// The exact extremes of the curves: the real roots of a polynomial on an interval, then the
// extremes of classic beams against their closed forms, which lie between the graph rows.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "extremes.h"
#include "outils.h"
#include "polynome.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Roots of a polynomial on an interval
// ---------------------------------------------------------------------------------------------

struct CasRacines {
  const char* quoi;
  TPolynome p;
  double a, b;
  std::vector<double> racines;
};

TEST(Racines, SurUnIntervalle) {
  const CasRacines cas[] = {
      {"(t - 0.3)(t - 0.7)", {{0.21, -1, 1, 0, 0}}, 0, 1, {0.3, 0.7}},
      {"double root (t - 0.5)^2 touches 0", {{0.25, -1, 1, 0, 0}}, 0, 1, {0.5}},
      {"(t - 0.2)(t - 0.5)(t - 0.9)", {{-0.09, 0.73, -1.6, 1, 0}}, 0, 1, {0.2, 0.5, 0.9}},
      {"(t^2 - 1)(t^2 - 4), four roots", {{4, 0, -5, 0, 1}}, -3, 3, {-2, -1, 1, 2}},
      {"roots at the ends are outside the open interval", {{0, -1, 1, 0, 0}}, 0, 1, {}},
      {"linear 2t - 1", {{-1, 2, 0, 0, 0}}, 0, 1, {0.5}},
      {"no real root: t^2 + 1", {{1, 0, 1, 0, 0}}, -2, 2, {}},
      {"zero polynomial: a constant quantity", {{0, 0, 0, 0, 0}}, 0, 1, {}},
  };
  for (const CasRacines& c : cas) {
    const std::vector<double> r = Racines(c.p, c.a, c.b);
    ASSERT_EQ(r.size(), c.racines.size()) << c.quoi;
    for (std::size_t k = 0; k < r.size(); ++k) EXPECT_NEAR(r[k], c.racines[k], 1e-12) << c.quoi;
  }
}

// ---------------------------------------------------------------------------------------------
// Classic beams: the extremes inside the elements
// ---------------------------------------------------------------------------------------------

// Constant EI = 2.1E11 x 8.36E-6 = 1 755 600 N.m2, uniform load w = 1000 N/m downwards, span
// L = 4 m, meshed with 1 or 3 elements per span (the extremes then lie inside an element, away
// from the rows).
constexpr double EI = 2.1e11 * 8.36e-6;
constexpr double W = 1000;
constexpr double L = 4;

// A span clamped at one end and pinned at the other, s measured from the pin (Roark, Table 8.1,
// case 2e): v(s) = w (L^3 s - 3 L s^3 + 2 s^4) / (48 EI), downwards, stationary where
// L^3 - 9 L s^2 + 8 s^3 = 0, s = L (1 + sqrt 33) / 16 = 0.4215 L; the span moment
// M(s) = 3 w L s / 8 - w s^2 / 2 is largest at s = 3L/8, 9 w L^2 / 128; the moment at the clamp
// is -w L^2 / 8.
const double SFleche = L * (1 + std::sqrt(33.0)) / 16;
const double FlecheMax =
    -W * ((L * L * L) * SFleche - 3 * L * std::pow(SFleche, 3) + 2 * std::pow(SFleche, 4)) /
    (48 * EI);

class ExtremesExactsTest : public ModeleEnMemoire,
                           public ::testing::WithParamInterface<std::int32_t> {};

struct CasExtreme {
  const char* quoi;
  TGrandeur grandeur;
  bool max;  // the largest value, else the smallest
  double valeur, abscisse;
  double miroir = NAN;  // where a symmetric beam has the same value: rounding picks either
};

void Verifier(const TExtremes& extremes, const std::vector<CasExtreme>& cas) {
  for (const CasExtreme& c : cas) {
    const TExtremesGrandeur& g = extremes[c.grandeur];
    const TExtreme& e = c.max ? g.Max : g.Min;
    EXPECT_NEAR(e.Valeur, c.valeur, 1e-9 * std::fabs(c.valeur)) << c.quoi;
    const double ecart =
        std::fmin(std::fabs(e.Abscisse - c.abscisse),
                  std::isnan(c.miroir) ? INFINITY : std::fabs(e.Abscisse - c.miroir));
    EXPECT_LT(ecart, 1e-9) << c.quoi << ": x = " << e.Abscisse;
  }
}

TEST_P(ExtremesExactsTest, ConsoleAppuyeeChargeRepartie) {
  Maillage(L, GetParam(), 1, 2.1e11, 8.36e-6);
  Liaison(3, 1);
  Liaison(1, s->NbNoeuds);
  for (std::int32_t e = 1; e <= s->Elements.Nombre; ++e) Charge(2, e, -W);
  ASSERT_TRUE(Calculer());
  Verifier(
      ExtremesExacts(*s),
      {{"span moment 9 w L^2 / 128 at 5L/8", TGrandeur::Mfz, true, 9 * W * L * L / 128, 5 * L / 8},
       {"clamp moment -w L^2 / 8", TGrandeur::Mfz, false, -W * L * L / 8, 0},
       {"deflection w L^4 / (185 EI) at 0.4215 L from the pin", TGrandeur::Fleche, false, FlecheMax,
        L - SFleche}});
}

// Two equal spans on three pins (Roark, Table 8.1, two spans of case 2e): each span behaves as a
// span clamped over the middle support: moment 9 w L^2 / 128 at 3L/8 from the end supports (the
// first such point wins the tie), -w L^2 / 8 over the middle support, and the deflection of the
// propped span at 0.4215 L from an end.
TEST_P(ExtremesExactsTest, PoutreContinueDeuxTravees) {
  Maillage(L, GetParam(), 2, 2.1e11, 8.36e-6);
  Liaison(1, 1);
  Liaison(1, GetParam() + 1);
  Liaison(1, s->NbNoeuds);
  for (std::int32_t e = 1; e <= s->Elements.Nombre; ++e) Charge(2, e, -W);
  ASSERT_TRUE(Calculer());
  const TExtremes extremes = ExtremesExacts(*s);
  Verifier(
      extremes,
      {{"span moment 9 w L^2 / 128 at 3L/8", TGrandeur::Mfz, true, 9 * W * L * L / 128, 3 * L / 8},
       {"moment over the middle support", TGrandeur::Mfz, false, -W * L * L / 8, L},
       {"deflection at 0.4215 L", TGrandeur::Fleche, false, FlecheMax, SFleche, 2 * L - SFleche}});
  // The summary's largest magnitudes: the support moment, and the deflection.
  EXPECT_NEAR(extremes[TGrandeur::Mfz].PlusGrand.Valeur, -W * L * L / 8, 1e-9 * W * L * L);
  EXPECT_NEAR(extremes[TGrandeur::Fleche].PlusGrand.Valeur, FlecheMax, 1e-9 * -FlecheMax);
}

INSTANTIATE_TEST_SUITE_P(ElementsParTravee, ExtremesExactsTest, ::testing::Values(1, 3),
                         [](const ::testing::TestParamInfo<std::int32_t>& info) {
                           return std::to_string(info.param) + "_elements";
                         });

// The worked example (5 m, P = -10000 N at mid-span, w = -2000 N/m on the left half, EI above):
// the moment's largest value stands under the load, at a node, and keeps the row's bits; the
// deflection is smallest where the slope is 0, left of the load. On [0, 2.5], by superposition of
// the point load (P x (3L^2 - 4x^2) / (48 EI)) and of the uniform load on [0, a], a = L/2
// (w x (a^2 (2L - a)^2 - 2 a x^2 (2L - a) + L x^3) / (24 EI L), Roark Table 8.1 case 2c):
// -0.0194767 m at x = 2.45812 m.
TEST_F(ExtremesExactsTest, ExemplePoutreSurDeuxAppuis) {
  Noeuds({0, 2.5, 5});
  Element(1, 2, 2.1e11, 8.36e-6);
  Element(2, 3, 2.1e11, 8.36e-6);
  Liaison(1, 1);
  Liaison(1, 3);
  Charge(1, 2, -10000);
  Charge(2, 1, -2000);
  ASSERT_TRUE(Calculer());
  const TExtremes extremes = ExtremesExacts(*s);
  EXPECT_EQ(extremes[TGrandeur::Mfz].Max.Valeur,
            std::fmax(s->Graphes[1].Mfz[10], s->Graphes[2].Mfz[0]));  // the rows at the node
  EXPECT_EQ(extremes[TGrandeur::Mfz].Max.Abscisse, 2.5);
  const auto v = [](double x) {
    const double l = 5, a = 2.5;
    return -(10000 * x * (3 * l * l - 4 * x * x) / (48 * EI) +
             2000 * x *
                 (a * a * (2 * l - a) * (2 * l - a) - 2 * a * x * x * (2 * l - a) + l * x * x * x) /
                 (24 * EI * l));
  };
  const TExtreme& fleche = extremes[TGrandeur::Fleche].Min;
  EXPECT_NEAR(fleche.Abscisse, 2.45812, 1e-5);
  EXPECT_NEAR(fleche.Valeur, v(fleche.Abscisse), 1e-15);
  EXPECT_LT(fleche.Valeur, s->Graphes[1].Fleche[10]);  // below the row at x = 2.5
}

}  // namespace
