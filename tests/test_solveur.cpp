// The linear solver: its pivots and their threshold, the order of its sums, its capacity, the
// models without degrees of freedom, and the blocked degrees of freedom that come out as +0.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <vector>

#include "UTypes.h"
#include "analyse.h"
#include "outils.h"

namespace {

// =============================================================================================
// Linear solver
// =============================================================================================

using Solveur = Analyse;

TEST_F(Solveur, ElementSansAppui) {
  // L = 1 m, E Iz = 1, no support: a mechanism, refused before the elimination (whose pivots
  // would be 12, 1, then exactly 0 at row 3); K stays as assembled, the report gets the message
  // and nothing after it.
  Noeuds({0, 1});
  Element(1, 2, 1, 1);
  EXPECT_FALSE(Calculer());
  EXPECT_EQ(s->K[1][1], 12);
  EXPECT_EQ(s->K[2][2], 4);
  EXPECT_EQ(s->K[3][3], 12);
  EXPECT_EQ(Rapport(), LigneLecture() + LigneRigidite + LigneForces + LigneLiaisons +
                           LigneDeplacements + LignePivot);
}

TEST_F(Solveur, UnSeulAppuiSimple) {
  // code 1 at node 1 only: the element turns about x = 0, a mechanism refused before the
  // elimination (whose last pivot K[4][4] would be exactly 0); K stays as the supports left it.
  Noeuds({0, 1});
  Element(1, 2, 1, 1);
  Liaison(1, 1);
  EXPECT_FALSE(Calculer());
  EXPECT_EQ(s->K[1][1], 1);
  EXPECT_EQ(s->K[2][2], 4);
  EXPECT_EQ(s->K[3][3], 12);
  EXPECT_EQ(s->K[4][4], 4);
  EXPECT_EQ(Rapport(), LigneLecture() + LigneRigidite + LigneForces + LigneLiaisons +
                           LigneDeplacements + LignePivot);
}

TEST_F(Solveur, DeuxAppuisSimplesEtChargeRepartie) {
  // code 1 at both nodes, py = -12 N/m: F = (0, -0.5, 0, 0.5), exactly
  // (the end slopes of a simply supported span, py L^3 / (24 EI) = -0.5).
  Noeuds({0, 1});
  Element(1, 2, 1, 1);
  Liaison(1, 1);
  Liaison(1, 2);
  Charge(2, 1, -12);
  ASSERT_TRUE(Calculer());
  EXPECT_EQ(V(1), 0);
  EXPECT_EQ(Theta(1), -0.5);
  EXPECT_EQ(V(2), 0);
  EXPECT_EQ(Theta(2), 0.5);
  VerifierDdlBloquesAPlusZero();
  EXPECT_EQ(Etapes(), LigneLecture() + LigneRigidite + LigneForces + LigneLiaisons +
                          LigneDeplacements + LigneForcesElementaires + LigneActions);
}

TEST_F(Solveur, ConsoleEncastree) {
  // a clamp (code 3) gives two unit pivots, then positive pivots for the
  // free DOFs: 12 k0 = 300 000 and 4 k0 L^2 - (6 k0 L)^2 / (12 k0) = k0 L^2 = 100 000.
  Noeuds({0, 2});
  Element(1, 2, 2e11, 1e-6);
  Liaison(3, 1);
  Charge(1, 2, -100);
  ASSERT_TRUE(Calculer());
  EXPECT_EQ(s->K[1][1], 1);
  EXPECT_EQ(s->K[2][2], 1);
  EXPECT_EQ(s->K[3][3], 300000);
  EXPECT_EQ(s->K[4][4], 100000);
  VerifierDdlBloquesAPlusZero();
}

TEST_F(Solveur, ModuleNulEncastre) {
  // E = 0, clamped at node 1: the pivot of row 3 is 0, the message
  // follows.
  Noeuds({0, 1});
  Element(1, 2, 0, 1);
  Liaison(3, 1);
  EXPECT_FALSE(Calculer());
  EXPECT_EQ(s->K[3][3], 0);
  EXPECT_EQ(Rapport(), LigneLecture() + LigneRigidite + LigneForces + LigneLiaisons +
                           LigneDeplacements + LignePivot);
}

TEST_F(Solveur, RigiditeSousLeSeuilAbsolu) {
  // a correctly clamped cantilever, L = 1 m, E Iz = 1e-12 N.m2, fails at
  // row 3, whose pivot is 12 k0 = 1.2e-11 < 1e-10. Row 4 was never reduced by row 3.
  Noeuds({0, 1});
  Element(1, 2, 1e-6, 1e-6);
  Liaison(3, 1);
  Charge(1, 2, -1);
  EXPECT_FALSE(Calculer());
  EXPECT_DOUBLE_EQ(s->K[3][3], 1.2e-11);
  EXPECT_DOUBLE_EQ(s->K[4][4], 4e-12);
  EXPECT_EQ(Rapport(), LigneLecture() + LigneRigidite + LigneForces + LigneLiaisons +
                           LigneDeplacements + LignePivot);
}

// Direct systems of two equations (the solver reads only K, F and NbDdl).
struct CasPivot {
  const char* quoi;
  double k11, k22;
  bool reussit;
};

TEST_F(Solveur, SeuilDesPivots) {
  // a pivot exactly 1e-10 passes, one just below fails; the test compares
  // the pivot itself, so a negative pivot fails, and so does one that is not a number.
  // Both the pivot test of the elimination (row 1) and the last one (row 2) are tried.
  const double dessous = std::nextafter(1e-10, 0.0);
  const CasPivot table[] = {
      {"row 1 exactly 1e-10", 1e-10, 1, true},
      {"last exactly 1e-10", 1, 1e-10, true},
      {"row 1 just below 1e-10", dessous, 1, false},
      {"last just below 1e-10", 1, dessous, false},
      {"row 1 zero", 0, 1, false},
      {"row 1 negative", -5, 1, false},
      {"last negative", 1, -5, false},
      {"row 1 minus zero", -0.0, 1, false},
      {"row 1 NaN", NaN, 1, false},
      {"last NaN", 1, NaN, false},
      {"row 1 -NaN", -NaN, 1, false},
      {"row 1 -infinity", -std::numeric_limits<double>::infinity(), 1, false},
  };
  for (const CasPivot& c : table) {
    Recommencer();
    s->NbDdl = 2;
    s->K[1][1] = c.k11;
    s->K[1][2] = 0;
    s->K[2][1] = 0;
    s->K[2][2] = c.k22;
    s->F[1] = 3e-10;
    s->F[2] = 5;
    EXPECT_EQ(s->CalculerDeplacements(), c.reussit) << c.quoi;
    EXPECT_EQ(Rapport(), LigneDeplacements + (c.reussit ? "" : LignePivot)) << c.quoi;
    if (c.reussit) {
      EXPECT_DOUBLE_EQ(s->F[1], 3e-10 / c.k11) << c.quoi;
      EXPECT_DOUBLE_EQ(s->F[2], 5 / c.k22) << c.quoi;
    } else if (!(c.k11 >= 1e-10)) {
      // A failed pivot row returns at once: row 2 is not reduced by it.
      EXPECT_EQ(Bits(s->K[2][2]), Bits(c.k22)) << c.quoi;
      EXPECT_EQ(s->F[2], 5) << c.quoi;
    }
  }
}

TEST_F(Solveur, SommesDansLOrdreCroissant) {
  // Back substitution: s = sum of K[i][j] F[j] for j from i + 1 to n, added in ascending j from 0.
  // A symmetric system whose elimination is exact: row 1 = (1, 1, 1, 1) and diagonal 2, 4, 8
  // left after it, built for the solution (x1, 1, 2^-53, 2^-53) with F[1] = 0. In ascending
  // order s = (1 + 2^-53) + 2^-53 = 1 (each half-ulp rounds to even), so x1 = -1 exactly; the
  // other order would give -(1 + 2^-52).
  const double h = std::ldexp(1.0, -53);
  s->NbDdl = 4;
  const double k[4][4] = {{1, 1, 1, 1}, {1, 3, 1, 1}, {1, 1, 5, 1}, {1, 1, 1, 9}};
  for (Entier r = 1; r <= 4; ++r) {
    for (Entier c = 1; c <= 4; ++c) s->K[r][c] = k[r - 1][c - 1];
  }
  s->F[1] = 0;
  s->F[2] = 2;
  s->F[3] = 4 * h;
  s->F[4] = 8 * h;
  ASSERT_TRUE(s->CalculerDeplacements());
  EXPECT_EQ(s->F[4], h);
  EXPECT_EQ(s->F[3], h);
  EXPECT_EQ(s->F[2], 1);
  EXPECT_EQ(s->F[1], -1);
}

TEST_F(Solveur, PlusDeDdlQueLaCapacite) {
  // Any index outside its array is "Range check error"; the solver never works past
  // the 100 x 100 matrix.
  for (Entier d = 1; d <= CapDdl; ++d) s->K[d][d] = 1;  // every pivot inside the matrix passes
  s->NbDdl = CapDdl + 1;
  EXPECT_EQ(MotsErreur([&] { s->CalculerDeplacements(); }), HorsLimites);
  Recommencer();
  s->NbNoeuds = CapNoeuds + 1;
  EXPECT_EQ(MotsErreur([&] { s->AssemblerRigidite(); }), HorsLimites);
}

TEST_F(Solveur, PivotNonNombreVenuDesDonnees) {
  // A NaN pivot fails like a zero one. E = NaN makes every free entry NaN (row 3 fails);
  // E Iz = 1e300 x 1e300 overflows to infinity: row 3's pivot is +inf and passes, its multiplier
  // -inf / inf is NaN and the last pivot becomes NaN, which must fail too. No data file holds a
  // NaN, so the steps are called one by one.
  struct Cas {
    const char* quoi;
    double E, Iz;
  };
  const Cas table[] = {{"E = NaN", NaN, 1}, {"E Iz overflows", 1e300, 1e300}};
  for (const Cas& c : table) {
    Recommencer();
    Noeuds({0, 1});
    Element(1, 2, c.E, c.Iz);
    Liaison(3, 1);
    Charge(1, 2, -1);
    EXPECT_TRUE(s->AssemblerRigidite()) << c.quoi;
    s->AssemblerForces();
    s->MettreLiaisons();
    EXPECT_FALSE(s->CalculerDeplacements()) << c.quoi;
    EXPECT_EQ(Rapport(),
              LigneRigidite + LigneForces + LigneLiaisons + LigneDeplacements + LignePivot)
        << c.quoi;
  }
}

TEST_F(Solveur, SansDdlRienAResoudre) {
  // With NbDdl <= 0 CalculerDeplacements writes its progress line and returns true,
  // touching nothing of K or F; the run goes on with empty lists.
  for (Entier nbDdl : {0, -6, EntierMin}) {
    Recommencer();
    RemplirSentinelles();
    const std::vector<std::uint64_t> avant = Instantane();
    s->NbDdl = nbDdl;
    EXPECT_TRUE(s->CalculerDeplacements()) << nbDdl;
    EXPECT_EQ(Instantane(), avant) << nbDdl;
    EXPECT_EQ(Rapport(), LigneDeplacements) << nbDdl;
  }
  // The whole run for a model without nodes (no "$noe" section, or a count of 0 or less).
  for (Entier nbNoeuds : {0, -3}) {
    Recommencer();
    s->NbNoeuds = nbNoeuds;
    s->Liaisons.Nombre = -1;
    s->Charges.Nombre = 0;
    EXPECT_TRUE(Calculer()) << nbNoeuds;
    EXPECT_LE(s->NbDdl, 0) << nbNoeuds;
    EXPECT_EQ(Etapes(), LigneLecture() + LigneRigidite + LigneForces + LigneLiaisons +
                            LigneDeplacements + LigneForcesElementaires + LigneActions)
        << nbNoeuds;
  }
}

TEST_F(Solveur, DdlBloqueSortAPlusZero) {
  // A blocked DOF never changes and comes out as exactly 0; the sign bit is checked,
  // with negative loads on the blocked DOFs and negative displacements all around them.
  Noeuds({0, 0.9, 2.3, 3.1, 4.4});
  Element(1, 2, 2.1e11, 8.36e-6);
  Element(2, 3, 2.1e11, 8.36e-6);
  Element(3, 4, 2.1e11, 8.36e-6);
  Element(4, 5, 2.1e11, 8.36e-6);
  Liaison(3, 1);
  Liaison(1, 3);
  Liaison(2, 4);
  Liaison(1, 5);
  for (Entier e = 1; e <= 4; ++e) Charge(2, e, -3000);
  for (Entier n = 1; n <= 5; ++n) Charge(1, n, -1000, -200);
  ASSERT_TRUE(Calculer());
  VerifierDdlBloquesAPlusZero();
  EXPECT_LT(V(2), 0);
  EXPECT_LT(V(4), 0);
}

}  // namespace
