// The element end forces and the support reactions, on small beams worked by hand and on the
// textbook beams whose nodal displacements and reactions have closed forms.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "UTypes.h"
#include "analyse.h"
#include "outils.h"

namespace {

// =============================================================================================
// Element end forces and support reactions
// =============================================================================================

using EffortsEtActions = Analyse;

TEST_F(EffortsEtActions, TraveeSurDeuxAppuis) {
  // L = 1 m, E Iz = 1, code 1 at both nodes, py = -12 N/m: displacements
  // (0, -0.5, 0, 0.5); Efforts = (6, 0, 6, 0); Ry = 6 N and Mz = 0 at both supports; Ty = -6 N,
  // Mfz = 0 at the first node, Ty = 6 N, Mfz = 0 at the second.
  Noeuds({0, 1});
  Element(1, 2, 1, 1);
  Liaison(1, 1);
  Liaison(1, 2);
  Charge(2, 1, -12);
  ASSERT_TRUE(Calculer());
  const double efforts[4] = {6, 0, 6, 0};
  for (Entier m = 1; m <= 4; ++m) EXPECT_EQ(El(1).Efforts[m], efforts[m - 1]) << m;
  EXPECT_EQ(-El(1).Efforts[1], -6);  // Ty at node 1
  EXPECT_EQ(El(1).Efforts[3], 6);    // Ty at node 2
  for (Entier l = 1; l <= 2; ++l) {
    EXPECT_EQ(Li(l).Ry, 6) << l;
    EXPECT_EQ(Li(l).Mz, 0) << l;
  }
  EXPECT_EQ(Etapes(), LigneLecture() + LigneRigidite + LigneForces + LigneLiaisons +
                          LigneDeplacements + LigneForcesElementaires + LigneActions);
}

TEST_F(EffortsEtActions, ChargeNodaleSurUnAppui) {
  // the same beam with Fy = -10 N at node 1: that deflection is blocked,
  // the load has no effect, and Ry of node 1 stays 6 N (nodal loads are not in the sums).
  Noeuds({0, 1});
  Element(1, 2, 1, 1);
  Liaison(1, 1);
  Liaison(1, 2);
  Charge(2, 1, -12);
  Charge(1, 1, -10, 0);
  ASSERT_TRUE(Calculer());
  EXPECT_EQ(Theta(1), -0.5);
  EXPECT_EQ(Theta(2), 0.5);
  EXPECT_EQ(Li(1).Ry, 6);
  EXPECT_EQ(Li(2).Ry, 6);
}

TEST_F(EffortsEtActions, ConsoleChargeeEnBout) {
  // L = 2 m, E Iz = 1, clamped at node 1, Fy = -100 N at node 2:
  // Efforts = (100, 200, -100, 0); the clamp gets Ry = 100 N, Mz = 200 N.m; Ty = -100 N and
  // Mfz = -200 N.m at the first node, Ty = -100 N and Mfz = 0 at the second.
  Noeuds({0, 2});
  Element(1, 2, 1, 1);
  Liaison(3, 1);
  Charge(1, 2, -100, 0);
  ASSERT_TRUE(Calculer());
  const char* const source = "cantilever by hand";
  Verifier({
      {"Efforts[1]", source, 100, El(1).Efforts[1], 100},
      {"Efforts[2]", source, 200, El(1).Efforts[2], 200},
      {"Efforts[3]", source, -100, El(1).Efforts[3], 100},
      {"Efforts[4]", source, 0, El(1).Efforts[4], 200},
      {"Ty at node 1 = -Efforts[1]", source, -100, -El(1).Efforts[1], 100},
      {"Mfz at node 1 = -Efforts[2]", source, -200, -El(1).Efforts[2], 200},
      {"Ry of the clamp", source, 100, Li(1).Ry, 100},
      {"Mz of the clamp", source, 200, Li(1).Mz, 200},
      // Textbook: tip deflection P L^3 / (3 EI), tip slope P L^2 / (2 EI).
      {"tip deflection", "P L^3/(3EI) = -800/3", -800.0 / 3, V(2), 800.0 / 3},
      {"tip slope", "P L^2/(2EI) = -200", -200, Theta(2), 200},
  });
  VerifierDdlBloquesAPlusZero();
}

TEST_F(EffortsEtActions, DeuxTravees) {
  // nodes at 0, 1, 2 m, E Iz = 1, code 1 at all three, py = -12 N/m on
  // both: Ry = 4.5, 15, 4.5 N; the first element's Efforts[4] = -1.5 N.m and the second's
  // Efforts[2] = +1.5 N.m, so Mz at the middle node is 0, and Mfz over the inner support is
  // -1.5 N.m at the end of both elements.
  Noeuds({0, 1, 2});
  Element(1, 2, 1, 1);
  Element(2, 3, 1, 1);
  Liaison(1, 1);
  Liaison(1, 2);
  Liaison(1, 3);
  Charge(2, 1, -12);
  Charge(2, 2, -12);
  ASSERT_TRUE(Calculer());
  const char* const source = "two spans by hand";
  Verifier({
      {"Ry node 1", source, 4.5, Li(1).Ry, 15},
      {"Ry node 2", source, 15, Li(2).Ry, 15},
      {"Ry node 3", source, 4.5, Li(3).Ry, 15},
      {"Mz node 2", source, 0, Li(2).Mz, 1.5},
      {"element 1 Efforts[4]", source, -1.5, El(1).Efforts[4], 1.5},
      {"element 2 Efforts[2]", source, 1.5, El(2).Efforts[2], 1.5},
      {"Mfz over the support, end of element 1 = Efforts[4]", source, -1.5, El(1).Efforts[4], 1.5},
      {"Mfz over the support, start of element 2 = -Efforts[2]", source, -1.5, -El(2).Efforts[2],
       1.5},
      // The displacements of the two-spans reference run.
      {"slope node 1", "p L^3/(48EI) = -0.25", -0.25, Theta(1), 0.25},
      {"slope node 2", "symmetry", 0, Theta(2), 0.25},
      {"slope node 3", "-p L^3/(48EI) = 0.25", 0.25, Theta(3), 0.25},
  });
  VerifierDdlBloquesAPlusZero();
}

TEST_F(EffortsEtActions, ReactionsPourToutCodeEtToutAppui) {
  // both values are computed for every support whatever its code, and two
  // supports on the same node get the same values.
  Noeuds({0, 2});
  Element(1, 2, 1, 1);
  Liaison(3, 1);
  Liaison(0, 2);  // blocks nothing, still gets the sums of the end forces at node 2
  Liaison(4, 1);
  Liaison(1, 1);
  Liaison(7, 9);  // a node that no element touches: zero
  Charge(1, 2, -100, 0);
  ASSERT_TRUE(Calculer());
  EXPECT_NEAR(Li(1).Ry, 100, 1e-9);
  EXPECT_NEAR(Li(1).Mz, 200, 1e-9);
  EXPECT_NEAR(Li(2).Ry, -100, 1e-9);  // Efforts[3]: the force of node 2 on the element
  EXPECT_NEAR(Li(2).Mz, 0, 1e-9);
  for (Entier l : {3, 4}) {
    EXPECT_EQ(Bits(Li(l).Ry), Bits(Li(1).Ry)) << l;
    EXPECT_EQ(Bits(Li(l).Mz), Bits(Li(1).Mz)) << l;
  }
  EXPECT_EQ(Bits(Li(5).Ry), 0u);
  EXPECT_EQ(Bits(Li(5).Mz), 0u);
}

TEST_F(EffortsEtActions, LesDeuxBoutsSontTestesSeparement) {
  // In CalculerActionsLiaison, NoeudI and NoeudJ are two separate tests, so an
  // element whose two ends are the supported node gives both ends' forces. (Such an element has
  // zero length and never passes the assembly: the end forces are set by hand.)
  Noeuds({0, 1});
  TElement& boucle = Element(2, 2, 1, 1);
  for (Entier m = 1; m <= 4; ++m) boucle.Efforts[m] = m;  // 1, 2, 3, 4
  Liaison(3, 2);
  s->CalculerActionsLiaison();
  EXPECT_EQ(Li(1).Ry, 1 + 3);
  EXPECT_EQ(Li(1).Mz, 2 + 4);
}

// =============================================================================================
// Textbook beams: nodal displacements and reactions against closed-form answers
// =============================================================================================
//
// Euler-Bernoulli beams of constant EI. Hermite elements give the exact nodal values for point
// and uniform loads, so every node is compared with the closed form at its abscissa, for several
// meshes (the parameter: elements per span). Signs: py, P and deflections along +y, slopes and
// moments counterclockwise; a support's Ry and Mz are the force and moment it exerts on the beam.
// Sources: the standard cases of any strength-of-materials table (e.g. Timoshenko & Gere,
// Mechanics of Materials, Appendix G; Roark's Formulas for Stress and Strain, Table 8.1).

class PoutresClassiques : public Analyse, public ::testing::WithParamInterface<Entier> {
 protected:
  static constexpr double E = 2.1e11;    // Pa
  static constexpr double Iz = 8.36e-6;  // m4
  static constexpr double EI = E * Iz;   // N.m2
  static constexpr double L = 5.3;       // m, span
  static constexpr double py = -2000;    // N/m
  static constexpr double P = -10000;    // N
  static constexpr double M0 = 3000;     // N.m
  Entier n() const { return GetParam(); }

  // Each element in equilibrium with its total uniform load.
  void VerifierEquilibreDesElements(double charge) {
    for (Entier e = 1; e <= s->Elements.Nombre; ++e) {
      const TElement& el = El(e);
      const double l = el.Longueur();
      EXPECT_NEAR(el.Efforts[1] + el.Efforts[3] + charge * l, 0,
                  ToleranceRelative * std::fabs(py * L))
          << "forces of element " << e;
      EXPECT_NEAR(el.Efforts[2] + el.Efforts[4] + l * el.Efforts[3] + charge * l * l / 2, 0,
                  ToleranceRelative * std::fabs(py * L * L))
          << "moments of element " << e;
    }
  }
};

TEST_P(PoutresClassiques, SurDeuxAppuisChargeRepartie) {
  // Simply supported span, uniform load p:
  //   v(x) = p x (L^3 - 2 L x^2 + x^3) / (24 EI), v(L/2) = 5 p L^4 / (384 EI);
  //   theta(x) = p (L^3 - 6 L x^2 + 4 x^3) / (24 EI), theta(0) = -theta(L) = p L^3 / (24 EI);
  //   reactions p L / 2 (upward for a downward load).
  Maillage(L, n(), 1, E, Iz);
  const Entier dernier = n() + 1;
  Liaison(1, 1);
  Liaison(1, dernier);
  for (Entier e = 1; e <= n(); ++e) Charge(2, e, py);
  ASSERT_TRUE(Calculer());
  const double fleche = std::fabs(py) * std::pow(L, 4) / EI;
  const double pente = std::fabs(py) * std::pow(L, 3) / EI;
  std::vector<Attendu> table = {
      {"slope at x = 0", "p L^3/(24EI)", py * std::pow(L, 3) / (24 * EI), Theta(1), pente},
      {"slope at x = L", "-p L^3/(24EI)", -py * std::pow(L, 3) / (24 * EI), Theta(dernier), pente},
      {"Ry at x = 0", "p L/2", -py * L / 2, Li(1).Ry, py * L},
      {"Ry at x = L", "p L/2", -py * L / 2, Li(2).Ry, py * L},
      {"Mz at x = 0 (pin)", "0", 0, Li(1).Mz, py * L * L},
      {"Mz at x = L (pin)", "0", 0, Li(2).Mz, py * L * L},
  };
  if (n() % 2 == 0) {
    table.push_back({"deflection at mid-span", "5 p L^4/(384EI)",
                     5 * py * std::pow(L, 4) / (384 * EI), V(n() / 2 + 1), fleche});
    table.push_back({"slope at mid-span", "0 (symmetry)", 0, Theta(n() / 2 + 1), pente});
  }
  for (Entier k = 1; k <= dernier; ++k) {
    const double x = s->X[k];
    table.push_back({"deflection of node " + std::to_string(k), "p x (L^3 - 2 L x^2 + x^3)/(24EI)",
                     py * x * (L * L * L - 2 * L * x * x + x * x * x) / (24 * EI), V(k), fleche});
    table.push_back({"slope of node " + std::to_string(k), "p (L^3 - 6 L x^2 + 4 x^3)/(24EI)",
                     py * (L * L * L - 6 * L * x * x + 4 * x * x * x) / (24 * EI), Theta(k),
                     pente});
  }
  Verifier(table);
  VerifierEquilibreDesElements(py);
  VerifierDdlBloquesAPlusZero();
}

TEST_P(PoutresClassiques, SurDeuxAppuisChargeCentree) {
  // Simply supported span, point load P at mid-span (2 n elements):
  //   v(x) = P x (3 L^2 - 4 x^2) / (48 EI) for x <= L/2, v(L/2) = P L^3 / (48 EI);
  //   theta(x) = P (L^2 - 4 x^2) / (16 EI) for x <= L/2, theta(0) = P L^2 / (16 EI);
  //   reactions P/2.
  Maillage(L, 2 * n(), 1, E, Iz);
  const Entier milieu = n() + 1, dernier = 2 * n() + 1;
  Liaison(1, 1);
  Liaison(1, dernier);
  Charge(1, milieu, P, 0);
  ASSERT_TRUE(Calculer());
  const double fleche = std::fabs(P) * L * L * L / EI;
  const double pente = std::fabs(P) * L * L / EI;
  std::vector<Attendu> table = {
      {"deflection at mid-span", "P L^3/(48EI)", P * L * L * L / (48 * EI), V(milieu), fleche},
      {"slope at x = 0", "P L^2/(16EI)", P * L * L / (16 * EI), Theta(1), pente},
      {"slope at x = L", "-P L^2/(16EI)", -P * L * L / (16 * EI), Theta(dernier), pente},
      {"Ry at x = 0", "P/2", -P / 2, Li(1).Ry, P},
      {"Ry at x = L", "P/2", -P / 2, Li(2).Ry, P},
  };
  for (Entier k = 1; k <= dernier; ++k) {
    const double x = s->X[k];
    const double u = x <= L / 2 ? x : L - x;  // distance to the nearer support
    const double signe = x <= L / 2 ? 1 : -1;
    table.push_back({"deflection of node " + std::to_string(k), "P u (3 L^2 - 4 u^2)/(48EI)",
                     P * u * (3 * L * L - 4 * u * u) / (48 * EI), V(k), fleche});
    table.push_back({"slope of node " + std::to_string(k), "+-P (L^2 - 4 u^2)/(16EI)",
                     signe * P * (L * L - 4 * u * u) / (16 * EI), Theta(k), pente});
  }
  Verifier(table);
  VerifierEquilibreDesElements(0);
  VerifierDdlBloquesAPlusZero();
}

TEST_P(PoutresClassiques, SurDeuxAppuisMomentAUneExtremite) {
  // Simply supported span, counterclockwise moment M0 applied at x = L:
  //   v(x) = M0 x (x^2 - L^2) / (6 EI L); theta(L) = M0 L / (3 EI), theta(0) = -M0 L / (6 EI);
  //   reactions M0/L at x = 0 and -M0/L at x = L. The support at x = L sums the end forces
  //   without the nodal load, so its Mz is the applied moment M0.
  Maillage(L, n(), 1, E, Iz);
  const Entier dernier = n() + 1;
  Liaison(1, 1);
  Liaison(1, dernier);
  Charge(1, dernier, 0, M0);
  ASSERT_TRUE(Calculer());
  const double fleche = M0 * L * L / EI;
  const double pente = M0 * L / EI;
  std::vector<Attendu> table = {
      {"slope at x = L", "M0 L/(3EI)", M0 * L / (3 * EI), Theta(dernier), pente},
      {"slope at x = 0", "-M0 L/(6EI)", -M0 * L / (6 * EI), Theta(1), pente},
      {"Ry at x = 0", "M0/L", M0 / L, Li(1).Ry, M0 / L},
      {"Ry at x = L", "-M0/L", -M0 / L, Li(2).Ry, M0 / L},
      {"Mz at x = 0", "0", 0, Li(1).Mz, M0},
      {"Mz at x = L", "M0 (nodal load left out of the reactions)", M0, Li(2).Mz, M0},
  };
  for (Entier k = 1; k <= dernier; ++k) {
    const double x = s->X[k];
    table.push_back({"deflection of node " + std::to_string(k), "M0 x (x^2 - L^2)/(6EIL)",
                     M0 * x * (x * x - L * L) / (6 * EI * L), V(k), fleche});
    table.push_back({"slope of node " + std::to_string(k), "M0 (3 x^2 - L^2)/(6EIL)",
                     M0 * (3 * x * x - L * L) / (6 * EI * L), Theta(k), pente});
  }
  Verifier(table);
  VerifierDdlBloquesAPlusZero();
}

TEST_P(PoutresClassiques, ConsoleChargeeEnBout) {
  // Cantilever clamped at x = 0, point load P at the free end:
  //   v(x) = P x^2 (3 L - x) / (6 EI), v(L) = P L^3 / (3 EI);
  //   theta(x) = P x (2 L - x) / (2 EI), theta(L) = P L^2 / (2 EI);
  //   clamp: Ry = -P, Mz = -P L; bending moment at the root Mfz = P L.
  Maillage(L, n(), 1, E, Iz);
  const Entier bout = n() + 1;
  Liaison(3, 1);
  Charge(1, bout, P, 0);
  ASSERT_TRUE(Calculer());
  const double fleche = std::fabs(P) * L * L * L / EI;
  const double pente = std::fabs(P) * L * L / EI;
  std::vector<Attendu> table = {
      {"tip deflection", "P L^3/(3EI)", P * L * L * L / (3 * EI), V(bout), fleche},
      {"tip slope", "P L^2/(2EI)", P * L * L / (2 * EI), Theta(bout), pente},
      {"Ry of the clamp", "-P", -P, Li(1).Ry, P},
      {"Mz of the clamp", "-P L", -P * L, Li(1).Mz, P * L},
      {"Mfz at the root = -Efforts[2]", "P L", P * L, -El(1).Efforts[2], P * L},
      {"Ty at the root = -Efforts[1]", "P", P, -El(1).Efforts[1], P},
      {"Mfz at the tip = Efforts[4] of the last element", "0", 0, El(n()).Efforts[4], P * L},
  };
  for (Entier k = 1; k <= bout; ++k) {
    const double x = s->X[k];
    table.push_back({"deflection of node " + std::to_string(k), "P x^2 (3L - x)/(6EI)",
                     P * x * x * (3 * L - x) / (6 * EI), V(k), fleche});
    table.push_back({"slope of node " + std::to_string(k), "P x (2L - x)/(2EI)",
                     P * x * (2 * L - x) / (2 * EI), Theta(k), pente});
  }
  Verifier(table);
  VerifierEquilibreDesElements(0);
  VerifierDdlBloquesAPlusZero();
}

TEST_P(PoutresClassiques, ConsoleEncastreeADroite) {
  // The mirror cantilever: clamped at x = L, point load P at x = 0. With u = L - x:
  //   v = P u^2 (3 L - u) / (6 EI), theta = -P u (2 L - u) / (2 EI);
  //   clamp: Ry = -P, Mz = +P L (the moment changes sign with the side).
  Maillage(L, n(), 1, E, Iz);
  const Entier encastre = n() + 1;
  Liaison(3, encastre);
  Charge(1, 1, P, 0);
  ASSERT_TRUE(Calculer());
  const double fleche = std::fabs(P) * L * L * L / EI;
  const double pente = std::fabs(P) * L * L / EI;
  std::vector<Attendu> table = {
      {"tip deflection", "P L^3/(3EI)", P * L * L * L / (3 * EI), V(1), fleche},
      {"tip slope", "-P L^2/(2EI)", -P * L * L / (2 * EI), Theta(1), pente},
      {"Ry of the clamp", "-P", -P, Li(1).Ry, P},
      {"Mz of the clamp", "P L", P * L, Li(1).Mz, P * L},
      {"Mfz at the root = Efforts[4]", "P L", P * L, El(n()).Efforts[4], P * L},
  };
  for (Entier k = 1; k <= encastre; ++k) {
    const double u = L - s->X[k];
    table.push_back({"deflection of node " + std::to_string(k), "P u^2 (3L - u)/(6EI)",
                     P * u * u * (3 * L - u) / (6 * EI), V(k), fleche});
    table.push_back({"slope of node " + std::to_string(k), "-P u (2L - u)/(2EI)",
                     -P * u * (2 * L - u) / (2 * EI), Theta(k), pente});
  }
  Verifier(table);
  VerifierDdlBloquesAPlusZero();
}

TEST_P(PoutresClassiques, ConsoleChargeRepartie) {
  // Cantilever clamped at x = 0, uniform load p:
  //   v(x) = p x^2 (6 L^2 - 4 L x + x^2) / (24 EI), v(L) = p L^4 / (8 EI);
  //   theta(x) = p x (3 L^2 - 3 L x + x^2) / (6 EI), theta(L) = p L^3 / (6 EI);
  //   clamp: Ry = -p L, Mz = -p L^2 / 2.
  Maillage(L, n(), 1, E, Iz);
  const Entier bout = n() + 1;
  Liaison(3, 1);
  for (Entier e = 1; e <= n(); ++e) Charge(2, e, py);
  ASSERT_TRUE(Calculer());
  const double fleche = std::fabs(py) * std::pow(L, 4) / EI;
  const double pente = std::fabs(py) * std::pow(L, 3) / EI;
  std::vector<Attendu> table = {
      {"tip deflection", "p L^4/(8EI)", py * std::pow(L, 4) / (8 * EI), V(bout), fleche},
      {"tip slope", "p L^3/(6EI)", py * std::pow(L, 3) / (6 * EI), Theta(bout), pente},
      {"Ry of the clamp", "-p L", -py * L, Li(1).Ry, py * L},
      {"Mz of the clamp", "-p L^2/2", -py * L * L / 2, Li(1).Mz, py * L * L},
  };
  for (Entier k = 1; k <= bout; ++k) {
    const double x = s->X[k];
    table.push_back({"deflection of node " + std::to_string(k), "p x^2 (6L^2 - 4Lx + x^2)/(24EI)",
                     py * x * x * (6 * L * L - 4 * L * x + x * x) / (24 * EI), V(k), fleche});
    table.push_back({"slope of node " + std::to_string(k), "p x (3L^2 - 3Lx + x^2)/(6EI)",
                     py * x * (3 * L * L - 3 * L * x + x * x) / (6 * EI), Theta(k), pente});
  }
  Verifier(table);
  VerifierEquilibreDesElements(py);
  VerifierDdlBloquesAPlusZero();
}

TEST_P(PoutresClassiques, ConsoleAppuyeeChargeRepartie) {
  // Propped cantilever: clamped at x = 0, deflection blocked at x = L, uniform load p:
  //   v(x) = p x^2 (L - x)(3 L - 2 x) / (48 EI);
  //   theta(x) = p (6 L^2 x - 15 L x^2 + 8 x^3) / (48 EI), theta(L) = -p L^3 / (48 EI);
  //   clamp: Ry = -5 p L / 8, Mz = -p L^2 / 8; prop: Ry = -3 p L / 8.
  Maillage(L, n(), 1, E, Iz);
  const Entier bout = n() + 1;
  Liaison(3, 1);
  Liaison(1, bout);
  for (Entier e = 1; e <= n(); ++e) Charge(2, e, py);
  ASSERT_TRUE(Calculer());
  const double fleche = std::fabs(py) * std::pow(L, 4) / EI;
  const double pente = std::fabs(py) * std::pow(L, 3) / EI;
  std::vector<Attendu> table = {
      {"slope at the prop", "-p L^3/(48EI)", -py * std::pow(L, 3) / (48 * EI), Theta(bout), pente},
      {"Ry of the clamp", "5 p L/8", -5 * py * L / 8, Li(1).Ry, py * L},
      {"Mz of the clamp", "p L^2/8", -py * L * L / 8, Li(1).Mz, py * L * L},
      {"Ry of the prop", "3 p L/8", -3 * py * L / 8, Li(2).Ry, py * L},
      {"Mz of the prop", "0", 0, Li(2).Mz, py * L * L},
  };
  for (Entier k = 1; k <= bout; ++k) {
    const double x = s->X[k];
    table.push_back({"deflection of node " + std::to_string(k), "p x^2 (L - x)(3L - 2x)/(48EI)",
                     py * x * x * (L - x) * (3 * L - 2 * x) / (48 * EI), V(k), fleche});
    table.push_back({"slope of node " + std::to_string(k), "p (6L^2 x - 15Lx^2 + 8x^3)/(48EI)",
                     py * (6 * L * L * x - 15 * L * x * x + 8 * x * x * x) / (48 * EI), Theta(k),
                     pente});
  }
  Verifier(table);
  VerifierEquilibreDesElements(py);
  VerifierDdlBloquesAPlusZero();
}

TEST_P(PoutresClassiques, PoutreContinueDeuxTravees) {
  // Two equal spans L on three simple supports, uniform load p on both:
  //   end reactions 3 p L / 8, middle reaction 10 p L / 8 = 5 p L / 4;
  //   bending moment over the middle support p L^2 / 8 (hogging), Mz of the middle support 0;
  //   each span is a propped cantilever clamped at the middle (zero slope by symmetry): with u
  //   the distance to the middle support, v = p u^2 (L - u)(3 L - 2 u) / (48 EI), end slopes
  //   -+ p L^3 / (48 EI).
  Maillage(L, n(), 2, E, Iz);
  const Entier milieu = n() + 1, dernier = 2 * n() + 1;
  Liaison(1, 1);
  Liaison(1, milieu);
  Liaison(1, dernier);
  for (Entier e = 1; e <= 2 * n(); ++e) Charge(2, e, py);
  ASSERT_TRUE(Calculer());
  const double fleche = std::fabs(py) * std::pow(L, 4) / EI;
  const double pente = std::fabs(py) * std::pow(L, 3) / EI;
  std::vector<Attendu> table = {
      {"Ry at x = 0", "3 p L/8", -3 * py * L / 8, Li(1).Ry, py * L},
      {"Ry at x = L (middle)", "10 p L/8", -10 * py * L / 8, Li(2).Ry, py * L},
      {"Ry at x = 2L", "3 p L/8", -3 * py * L / 8, Li(3).Ry, py * L},
      {"Mz of the middle support", "0", 0, Li(2).Mz, py * L * L},
      {"Mfz over the middle support, end of span 1", "p L^2/8", py * L * L / 8, El(n()).Efforts[4],
       py * L * L},
      {"Mfz over the middle support, start of span 2", "p L^2/8", py * L * L / 8,
       -El(n() + 1).Efforts[2], py * L * L},
      {"slope at x = 0", "p L^3/(48EI)", py * std::pow(L, 3) / (48 * EI), Theta(1), pente},
      {"slope at the middle", "0 (symmetry)", 0, Theta(milieu), pente},
      {"slope at x = 2L", "-p L^3/(48EI)", -py * std::pow(L, 3) / (48 * EI), Theta(dernier), pente},
  };
  for (Entier k = 1; k <= dernier; ++k) {
    const double x = s->X[k];
    const double u = std::fabs(x - L);
    const double signe = x <= L ? -1 : 1;  // theta = dv/dx = -dv/du on the first span
    table.push_back({"deflection of node " + std::to_string(k), "p u^2 (L - u)(3L - 2u)/(48EI)",
                     py * u * u * (L - u) * (3 * L - 2 * u) / (48 * EI), V(k), fleche});
    table.push_back({"slope of node " + std::to_string(k), "+-p (6L^2 u - 15Lu^2 + 8u^3)/(48EI)",
                     signe * py * (6 * L * L * u - 15 * L * u * u + 8 * u * u * u) / (48 * EI),
                     Theta(k), pente});
  }
  Verifier(table);
  VerifierEquilibreDesElements(py);
  VerifierDdlBloquesAPlusZero();
}

TEST_P(PoutresClassiques, EncastreeAuxDeuxBouts) {
  // Fixed-fixed span, uniform load p:
  //   v(x) = p x^2 (L - x)^2 / (24 EI), v(L/2) = p L^4 / (384 EI);
  //   theta(x) = p x (L - x)(L - 2 x) / (12 EI);
  //   reactions p L / 2 and end moments p L^2 / 12: Mz = -p L^2/12 at x = 0, +p L^2/12 at x = L,
  //   bending moment at both ends p L^2 / 12 (hogging).
  Maillage(L, n(), 1, E, Iz);
  const Entier dernier = n() + 1;
  Liaison(3, 1);
  Liaison(3, dernier);
  for (Entier e = 1; e <= n(); ++e) Charge(2, e, py);
  ASSERT_TRUE(Calculer());
  const double fleche = std::fabs(py) * std::pow(L, 4) / EI;
  const double pente = std::fabs(py) * std::pow(L, 3) / EI;
  std::vector<Attendu> table = {
      {"Ry at x = 0", "p L/2", -py * L / 2, Li(1).Ry, py * L},
      {"Ry at x = L", "p L/2", -py * L / 2, Li(2).Ry, py * L},
      {"Mz at x = 0", "p L^2/12", -py * L * L / 12, Li(1).Mz, py * L * L},
      {"Mz at x = L", "-p L^2/12", py * L * L / 12, Li(2).Mz, py * L * L},
      {"Mfz at x = 0 = -Efforts[2]", "p L^2/12", py * L * L / 12, -El(1).Efforts[2], py * L * L},
      {"Mfz at x = L = Efforts[4]", "p L^2/12", py * L * L / 12, El(n()).Efforts[4], py * L * L},
  };
  if (n() % 2 == 0) {
    table.push_back({"deflection at mid-span", "p L^4/(384EI)", py * std::pow(L, 4) / (384 * EI),
                     V(n() / 2 + 1), fleche});
  }
  for (Entier k = 1; k <= dernier; ++k) {
    const double x = s->X[k];
    table.push_back({"deflection of node " + std::to_string(k), "p x^2 (L - x)^2/(24EI)",
                     py * x * x * (L - x) * (L - x) / (24 * EI), V(k), fleche});
    table.push_back({"slope of node " + std::to_string(k), "p x (L - x)(L - 2x)/(12EI)",
                     py * x * (L - x) * (L - 2 * x) / (12 * EI), Theta(k), pente});
  }
  Verifier(table);
  VerifierEquilibreDesElements(py);
  VerifierDdlBloquesAPlusZero();
}

INSTANTIATE_TEST_SUITE_P(ElementsParTravee, PoutresClassiques, ::testing::Values(1, 2, 4, 5),
                         [](const ::testing::TestParamInfo<Entier>& info) {
                           return std::to_string(info.param) + "_elements";
                         });

}  // namespace
