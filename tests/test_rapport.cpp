// The element graphs: deflection, slope, shear force and bending moment at the 11 points of an
// element, checked on beams whose answers are known by hand.
//
// Sign conventions: deflections and loads positive along +y, slopes and moments counterclockwise;
// Ty and Mfz are the actions of the part of the beam to the right of the section on the part to
// its left, so a sagging span has a positive Mfz.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "UTypes.h"
#include "outils.h"

namespace {

// An element, or a load, as a row of the data file.
struct DonneesElement {
  std::int32_t NoeudI, NoeudJ;
  double E, Iz;
};
struct DonneesCharge {
  std::int32_t Code, Numero;
  double P, Mz;
};

class GrapheElementTest : public ModeleEnMemoire {
 protected:
  TGraphe Graphe(std::int32_t element) const {
    TGraphe graphe;
    s->Elements.Item(element).GrapheElement(graphe);
    return graphe;
  }
};

struct PointAttendu {
  std::int32_t i;
  double Abscisse, Fleche, Pente, Ty, Mfz;
};

void VerifierPoint(const TGraphe& g, const PointAttendu& p) {
  SCOPED_TRACE("point " + std::to_string(p.i));
  EXPECT_NEAR(g.Abscisse[p.i], p.Abscisse, 1e-12);
  EXPECT_NEAR(g.Fleche[p.i], p.Fleche, 1e-12);
  EXPECT_NEAR(g.Pente[p.i], p.Pente, 1e-12);
  EXPECT_NEAR(g.Ty[p.i], p.Ty, 1e-12);
  EXPECT_NEAR(g.Mfz[p.i], p.Mfz, 1e-12);
}

// One element of 1 m, E Iz = 1 N.m2, deflection blocked at both ends, py = -12 N/m.
// By hand (w = p L^3 / 12 E Iz = -1): end slopes p L^3 / 24 E Iz = -0.5 and +0.5; mid-span
// deflection 5 p L^4 / 384 E Iz = -0.15625; shear p (L/2 - x) from -6 to +6; moment
// -p x (L - x) / 2, 1.5 at mid-span. At x = 0.1: v = -0.0405 - 0.0045 (Hermite) - 0.00405 (load)
// = -0.04905, slope -0.4 - 0.072 = -0.472, Ty = 6 - 10.8 = -4.8, Mfz = 5.4 - 4.86 = 0.54.
TEST_F(GrapheElementTest, PoutreSurDeuxAppuisSousChargeUniforme) {
  Noeuds({0, 1});
  Element(1, 2, 1, 1);
  Liaison(1, 1);
  Liaison(1, 2);
  Charge(2, 1, -12);
  ASSERT_TRUE(Calculer());
  const TGraphe g = Graphe(1);
  EXPECT_EQ(g.NbIntervalles, 10);
  const PointAttendu points[] = {
      {0, 0.0, 0.0, -0.5, -6.0, 0.0},
      {1, 0.1, -0.04905, -0.472, -4.8, 0.54},
      {5, 0.5, -0.15625, 0.0, 0.0, 1.5},
      {10, 1.0, 0.0, 0.5, 6.0, 0.0},
  };
  for (const PointAttendu& p : points) VerifierPoint(g, p);
}

// Cantilever of 2 m, E Iz = 1 N.m2, clamped at node 1, P = -100 N at node 2: the shear is P
// everywhere, the moment P (L - x) runs from -200 N.m at the clamp to 0 at the tip; tip
// deflection P L^3 / 3 E Iz = -266.67 m and tip slope P L^2 / 2 E Iz = -200 rad.
TEST_F(GrapheElementTest, ConsoleChargeeEnBout) {
  Noeuds({0, 2});
  Element(1, 2, 1, 1);
  Liaison(3, 1);
  Charge(1, 2, -100, 0);
  ASSERT_TRUE(Calculer());
  const TGraphe g = Graphe(1);
  for (std::int32_t i = 0; i <= 10; ++i) {
    SCOPED_TRACE("point " + std::to_string(i));
    EXPECT_NEAR(g.Abscisse[i], 0.2 * i, 1e-12);
    EXPECT_NEAR(g.Ty[i], -100.0, 1e-9);
    EXPECT_NEAR(g.Mfz[i], -200.0 * (1 - i / 10.0), 1e-9);
  }
  EXPECT_NEAR(g.Fleche[0], 0.0, 1e-12);
  EXPECT_NEAR(g.Pente[0], 0.0, 1e-12);
  EXPECT_NEAR(g.Fleche[10], -800.0 / 3, 1e-9);
  EXPECT_NEAR(g.Pente[10], -200.0, 1e-9);
}

// Two spans of 1 m from x = 2 m to x = 4 m, E Iz = 1 N.m2, deflection blocked at the three nodes,
// py = -12 N/m on both. The abscissae start at each element's first node, not at 0 nor at the
// beam's start. Over the inner support the moment is p L^2 / 8 = -1.5 N.m (three-moment
// equation), seen at the end of both elements; the end supports carry no moment.
TEST_F(GrapheElementTest, AbscissesDepuisLePremierNoeudDeLElement) {
  Noeuds({2, 3, 4});
  Element(1, 2, 1, 1);
  Element(2, 3, 1, 1);
  Liaison(1, 1);
  Liaison(1, 2);
  Liaison(1, 3);
  Charge(2, 1, -12, 0);
  Charge(2, 2, -12, 0);
  ASSERT_TRUE(Calculer());
  const TGraphe g1 = Graphe(1);
  const TGraphe g2 = Graphe(2);
  for (std::int32_t i = 0; i <= 10; ++i) {
    SCOPED_TRACE("point " + std::to_string(i));
    EXPECT_NEAR(g1.Abscisse[i], 2.0 + i / 10.0, 1e-12);
    EXPECT_NEAR(g2.Abscisse[i], 3.0 + i / 10.0, 1e-12);
  }
  EXPECT_NEAR(g1.Mfz[0], 0.0, 1e-12);
  EXPECT_NEAR(g1.Mfz[10], -1.5, 1e-12);
  EXPECT_NEAR(g2.Mfz[0], -1.5, 1e-12);
  EXPECT_NEAR(g2.Mfz[10], 0.0, 1e-12);
  for (const TGraphe* g : {&g1, &g2}) {
    EXPECT_NEAR(g->Fleche[0], 0.0, 1e-12);
    EXPECT_NEAR(g->Fleche[10], 0.0, 1e-12);
  }
}

// Which loads make the total p of the element. The element is the cantilever of 1 m, E Iz = 1,
// clamped at node 1, under p = -12 N/m; its displacements and end forces are set by hand, the same
// in every case: tip deflection p L^4 / 8 E Iz = -1.5 m, tip slope p L^3 / 6 E Iz = -2 rad, end
// forces at the clamp (-p L, -p L^2 / 2) = (12, 6); at the free end the shear and moment are zero,
// stored as negative zeros so that even a load term of +0 added by mistake shows.
// Without load terms the graph is the Hermite curve alone (-0.5 m at mid-span) and Ty and Mfz stay
// -0. With p counted: Ty(0) = p L, Mfz(0) = p L^2 / 2, and the mid-span deflection is the exact
// cantilever curve p x^2 (6 L^2 - 4 L x + x^2) / 24 E Iz = -0.53125 m for p = -12.
struct CasCharges {
  const char* nom;
  std::vector<DonneesCharge> charges;
  double pRetenu;  // the total counted; 0 when no load term may appear
};

TEST_F(GrapheElementTest, ChargesUniformesRetenues) {
  const CasCharges cas[] = {
      {"une charge", {{2, 1, -12, 0}}, -12},
      {"deux charges qui s'ajoutent", {{2, 1, -5, 0}, {2, 1, -7, 0}}, -12},
      {"juste au-dessus du seuil", {{2, 1, 2e-6, 0}}, 2e-6},
      {"+5 et -5 s'annulent", {{2, 1, 5, 0}, {2, 1, -5, 0}}, 0},
      {"1e-6 exactement", {{2, 1, 1e-6, 0}}, 0},
      {"-1e-6 exactement", {{2, 1, -1e-6, 0}}, 0},
      {"code 3, uniforme comme le code 2", {{3, 1, -12, 0}}, -12},
      {"code 0, uniforme comme le code 2", {{0, 1, -12, 0}}, -12},
      {"charge nodale au noeud 1", {{1, 1, -12, 0}}, 0},
      {"charge d'un autre element", {{2, 2, -12, 0}}, 0},
  };
  for (const CasCharges& c : cas) {
    SCOPED_TRACE(c.nom);
    Recommencer();
    Noeuds({0, 1});
    Element(1, 2, 1, 1);
    Liaison(3, 1);
    for (const DonneesCharge& charge : c.charges) {
      Charge(charge.Code, charge.Numero, charge.P, charge.Mz);
    }
    s->F[1] = 0;
    s->F[2] = 0;
    s->F[3] = -1.5;
    s->F[4] = -2;
    TElement& e = s->Elements.Item(1);
    e.Efforts[1] = 12;
    e.Efforts[2] = 6;
    e.Efforts[3] = -0.0;
    e.Efforts[4] = -0.0;
    const TGraphe g = Graphe(1);
    EXPECT_EQ(g.Fleche[10], -1.5);
    EXPECT_EQ(g.Pente[10], -2.0);
    if (c.pRetenu == 0) {
      EXPECT_NEAR(g.Fleche[5], -0.5, 1e-15);
      for (std::int32_t i = 0; i <= 10; ++i) {
        SCOPED_TRACE("point " + std::to_string(i));
        EXPECT_EQ(g.Ty[i], 0.0);
        EXPECT_TRUE(std::signbit(g.Ty[i]));
        EXPECT_EQ(g.Mfz[i], 0.0);
        EXPECT_TRUE(std::signbit(g.Mfz[i]));
      }
    } else {
      EXPECT_NEAR(g.Fleche[5], -0.5 + c.pRetenu / 384, 1e-15);
      EXPECT_NEAR(g.Ty[0], c.pRetenu, 1e-15);
      EXPECT_NEAR(g.Mfz[0], c.pRetenu / 2, 1e-15);
    }
  }
  // The exact cantilever curve, from the counted load of -12 N/m.
  Recommencer();
  Noeuds({0, 1});
  Element(1, 2, 1, 1);
  Liaison(3, 1);
  Charge(2, 1, -12, 0);
  ASSERT_TRUE(Calculer());
  EXPECT_NEAR(Graphe(1).Fleche[5], -0.53125, 1e-12);
}

// A load of a code other than 1 and 2 is a uniform load for the graph as for the force vector, so
// the graph agrees with the element's own end forces. Same beam as above (1 m, E Iz = 1, deflection
// blocked at both ends), -12 N/m of code 3: end forces 6 N, so Ty at point 0 is -q1 = -6 N, and the
// graph is the loaded beam's, -5 p L^4 / 384 E Iz = -0.15625 m at mid-span, Mfz = p L^2 / 8 = 1.5.
TEST_F(GrapheElementTest, ChargeDeCodeInconnuDansLeGraphe) {
  Noeuds({0, 1});
  Element(1, 2, 1, 1);
  Liaison(1, 1);
  Liaison(1, 2);
  Charge(3, 1, -12, 0);
  ASSERT_TRUE(Calculer());
  const TGraphe g = Graphe(1);
  EXPECT_NEAR(g.Ty[0], -s->Elements.Item(1).Efforts[1], 1e-12);
  const PointAttendu points[] = {
      {0, 0.0, 0.0, -0.5, -6.0, 0.0},
      {5, 0.5, -0.15625, 0.0, 0.0, 1.5},
      {10, 1.0, 0.0, 0.5, 6.0, 0.0},
  };
  for (const PointAttendu& p : points) VerifierPoint(g, p);
}

// An element without bending stiffness (E = 0, or a product E Iz that underflows to 0, even where
// (12 E) Iz would not: 1e-312 x 2e-12) between two clamped nodes, under p = -12 N/m over 1 m. The
// structure solves (every degree of freedom is blocked) with zero displacements, and the end forces
// are the fixed-end forces (6 N, 1 N.m, 6 N, -1 N.m). The graph adds the shear and moment of the
// load, those of a fixed-fixed beam: Ty = p (L/2 - x) from -6 to 6 N, Mfz = p (L^2 - 6 L x + 6 x^2)
// / 12, -1 N.m at the ends and -p L^2 / 24 = 0.5 N.m at mid-span. The deflection and slope terms,
// which would divide by E Iz, are left out: both stay 0, and no value is infinite or not a number.
// The reader refuses an Iz of 1e-300, so the steps are called one by one.
TEST_F(GrapheElementTest, ElementSansRigiditeEnFlexion) {
  const DonneesElement elements[] = {
      {1, 2, 0.0, 8.36e-6}, {1, 2, 1e-300, 1e-300}, {1, 2, 1e-312, 2e-12}};
  for (const DonneesElement& element : elements) {
    SCOPED_TRACE("E = " + std::to_string(element.E));
    Recommencer();
    Noeuds({0, 1});
    Element(element.NoeudI, element.NoeudJ, element.E, element.Iz);
    Liaison(3, 1);
    Liaison(3, 2);
    Charge(2, 1, -12, 0);
    ASSERT_TRUE(s->AssemblerRigidite());
    s->AssemblerForces();
    s->MettreLiaisons();
    ASSERT_TRUE(s->CalculerDeplacements());
    s->CalculerForcesElementaires();
    const TGraphe g = Graphe(1);
    for (std::int32_t i = 0; i <= 10; ++i) {
      SCOPED_TRACE("point " + std::to_string(i));
      EXPECT_EQ(g.Fleche[i], 0.0);
      EXPECT_EQ(g.Pente[i], 0.0);
      EXPECT_TRUE(std::isfinite(g.Ty[i]));
      EXPECT_TRUE(std::isfinite(g.Mfz[i]));
    }
    const PointAttendu points[] = {
        {0, 0.0, 0.0, 0.0, -6.0, -1.0},
        {5, 0.5, 0.0, 0.0, 0.0, 0.5},
        {10, 1.0, 0.0, 0.0, 6.0, -1.0},
    };
    for (const PointAttendu& p : points) VerifierPoint(g, p);
  }
}

// An element whose w = p L^3 / 12 E Iz overflows while E Iz is not 0 (E = 1e-310 under -12 N/m
// over 1 m, or -1e308 N/m over 2 m, whose p L^3 already overflows) keeps what the formulas give:
// w = -Inf, so the deflection's load term is Inf x 0 = NaN at both ends and -Inf inside, and the
// slope's is NaN at mid-span, where 1 - 2u = 0; never a made-up 0.
TEST_F(GrapheElementTest, FlecheQuiDeborde) {
  struct Cas {
    double longueur, E, p;
  };
  const Cas cas[] = {{1, 1e-310, -12}, {2, 1, -1e308}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.p);
    Recommencer();
    Noeuds({0, c.longueur});
    Element(1, 2, c.E, 1);
    Liaison(3, 1);
    Liaison(3, 2);
    Charge(2, 1, c.p, 0);
    ASSERT_TRUE(Calculer());
    const TGraphe g = Graphe(1);
    EXPECT_TRUE(std::isnan(g.Fleche[0]));
    EXPECT_TRUE(std::isnan(g.Fleche[10]));
    EXPECT_EQ(g.Fleche[5], -HUGE_VAL);
    EXPECT_TRUE(std::isnan(g.Pente[5]));  // w u (1-u)(1-2u): Inf x 0 at mid-span
    EXPECT_EQ(g.Pente[2], -HUGE_VAL);
  }
}

}  // namespace
