// The global force vector from the loads, and the supports that block degrees of freedom.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "UTypes.h"
#include "analyse.h"
#include "outils.h"

namespace {

// =============================================================================================
// Global force vector
// =============================================================================================

using VecteurForces = Analyse;

TEST_F(VecteurForces, ChargeRepartieSurUnElementDeDeuxMetres) {
  // py = -1000 N/m on 1-2, L = 2 m: F = (-1000, -333.33, -1000, +333.33),
  // Efforts = (1000, 333.33, 1000, -333.33). f1 = (1000 x 2) / 2, f2 = (4 x 1000) / 12.
  Noeuds({0, 2});
  Element(1, 2, 2e11, 1e-6);
  Charge(2, 1, -1000);
  ASSERT_TRUE(s->AssemblerRigidite());
  s->AssemblerForces();
  const double tiers = 4000.0 / 12;  // 333.333...
  const double F[4] = {-1000, -tiers, -1000, tiers};
  const double efforts[4] = {1000, tiers, 1000, -tiers};
  for (Entier m = 1; m <= 4; ++m) {
    EXPECT_EQ(s->F[m], F[m - 1]) << "F " << m;
    EXPECT_EQ(El(1).Efforts[m], efforts[m - 1]) << "Efforts " << m;
  }
}

TEST_F(VecteurForces, ChargeNodale) {
  // Fy = -500 N and Mz = 200 N.m at node 3 add -500 to F[5] and 200 to
  // F[6]; every Efforts is left unchanged (here: the fixed-end forces of the uniform load).
  Noeuds({0, 1, 2});
  Element(1, 2, 1, 1);
  Element(2, 3, 1, 1);
  Charge(2, 2, -12);
  Charge(1, 3, -500, 200);
  ASSERT_TRUE(s->AssemblerRigidite());
  s->AssemblerForces();
  // The uniform load on element 2 adds its equivalent loads py L/2, py L^2/12, py L/2,
  // -py L^2/12 = -6, -1, -6, +1 at DOFs 3 to 6.
  const double F[6] = {0, 0, -6, -1, -6 - 500, 1 + 200};
  for (Entier m = 1; m <= 6; ++m) EXPECT_EQ(s->F[m], F[m - 1]) << "F " << m;
  const double efforts2[4] = {6, 1, 6, -1};
  for (Entier m = 1; m <= 4; ++m) {
    EXPECT_EQ(El(1).Efforts[m], 0) << m;
    EXPECT_EQ(El(2).Efforts[m], efforts2[m - 1]) << m;
  }
}

TEST_F(VecteurForces, DeuxChargesRepartiesSAjoutent) {
  // two uniform loads on one element equal one load of the summed
  // intensity, up to rounding.
  Noeuds({0, 1.7});
  Element(1, 2, 1, 1);
  Charge(2, 1, -300.3);
  Charge(2, 1, -699.7);
  ASSERT_TRUE(s->AssemblerRigidite());
  s->AssemblerForces();
  double F2[5], efforts2[5];
  for (Entier m = 1; m <= 4; ++m) {
    F2[m] = s->F[m];
    efforts2[m] = El(1).Efforts[m];
  }
  Recommencer();
  Noeuds({0, 1.7});
  Element(1, 2, 1, 1);
  Charge(2, 1, -1000);
  ASSERT_TRUE(s->AssemblerRigidite());
  s->AssemblerForces();
  for (Entier m = 1; m <= 4; ++m) {
    EXPECT_DOUBLE_EQ(F2[m], s->F[m]) << m;
    EXPECT_DOUBLE_EQ(efforts2[m], El(1).Efforts[m]) << m;
  }
}

TEST_F(VecteurForces, SansChargeToutEstNul) {
  // without loads F[1..NbDdl] = 0 and every Efforts = 0, whatever they
  // held before; AssemblerForces starts them afresh each time it runs.
  Noeuds({0, 1, 3});
  Element(1, 2, 1, 1);
  Element(2, 3, 1, 1);
  RemplirSentinelles();
  for (Entier e = 1; e <= 2; ++e) {
    for (Entier m = 1; m <= 4; ++m) El(e).Efforts[m] = 99;
  }
  ASSERT_TRUE(s->AssemblerRigidite());
  s->AssemblerForces();
  for (Entier m = 1; m <= 6; ++m) EXPECT_EQ(Bits(s->F[m]), 0u) << m;
  for (Entier e = 1; e <= 2; ++e) {
    for (Entier m = 1; m <= 4; ++m) EXPECT_EQ(Bits(El(e).Efforts[m]), 0u) << e << "," << m;
  }
}

TEST_F(VecteurForces, DeuxPassagesDonnentLeMemeResultat) {
  // Efforts is cleared only here, so a second run does not add to the first.
  Noeuds({0, 2});
  Element(1, 2, 1, 1);
  Charge(2, 1, -1000);
  ASSERT_TRUE(s->AssemblerRigidite());
  s->AssemblerForces();
  s->AssemblerForces();
  EXPECT_EQ(s->F[1], -1000);
  EXPECT_EQ(El(1).Efforts[1], 1000);
}

TEST_F(VecteurForces, ChargeNodaleSurUnDdlBloque) {
  // a nodal load on a DOF a support blocks ends in F here; the supports then
  // sets that entry to zero.
  Noeuds({0, 2});
  Element(1, 2, 1, 1);
  Liaison(3, 1);
  Charge(1, 1, -10, 4);
  Charge(1, 2, -100, 0);
  ASSERT_TRUE(s->AssemblerRigidite());
  s->AssemblerForces();
  EXPECT_EQ(s->F[1], -10);
  EXPECT_EQ(s->F[2], 4);
  s->MettreLiaisons();
  EXPECT_EQ(Bits(s->F[1]), 0u);
  EXPECT_EQ(Bits(s->F[2]), 0u);
  EXPECT_EQ(s->F[3], -100);
}

TEST_F(VecteurForces, ToutCodeAutreQueUnEstUneChargeRepartie) {
  // code 2 and any code but 1 are uniform loads; their Mz is not used.
  for (Entier code : {2, 0, -1, 3, 7, EntierMax, EntierMin}) {
    Recommencer();
    Noeuds({0, 2});
    Element(1, 2, 1, 1);
    Charge(code, 1, -1000, 12345);
    ASSERT_TRUE(s->AssemblerRigidite());
    s->AssemblerForces();
    EXPECT_EQ(s->F[1], -1000) << code;
    EXPECT_EQ(s->F[2], -4000.0 / 12) << code;
    EXPECT_EQ(s->F[3], -1000) << code;
    EXPECT_EQ(s->F[4], 4000.0 / 12) << code;
  }
}

// =============================================================================================
// Supports
// =============================================================================================

using Liaisons = Analyse;

TEST_F(Liaisons, ConsoleEncastree) {
  // clamped at node 1 (code 3): rows and columns 1 and 2 are zero except
  // K[1][1] = K[2][2] = 1, and F[1] = F[2] = 0; the rest is as assembled.
  Noeuds({0, 2});
  Element(1, 2, 2e11, 1e-6);
  Liaison(3, 1);
  Charge(1, 1, 50, -60);
  Charge(1, 2, -100, 7);
  ASSERT_TRUE(s->AssemblerRigidite());
  s->AssemblerForces();
  s->MettreLiaisons();
  const double attendu[4][4] = {
      {1, 0, 0, 0},
      {0, 1, 0, 0},
      {0, 0, 300000, -300000},
      {0, 0, -300000, 400000},
  };
  for (Entier r = 1; r <= 4; ++r) {
    for (Entier c = 1; c <= 4; ++c) EXPECT_EQ(s->K[r][c], attendu[r - 1][c - 1]) << r << "," << c;
  }
  EXPECT_EQ(Bits(s->F[1]), 0u);
  EXPECT_EQ(Bits(s->F[2]), 0u);
  EXPECT_EQ(s->F[3], -100);
  EXPECT_EQ(s->F[4], 7);
  EXPECT_EQ(Rapport(), LigneRigidite + LigneForces + LigneLiaisons);
}

TEST_F(Liaisons, AppuisSimplesAuxDeuxBouts) {
  // code 1 at both end nodes blocks only DOFs 1 and 3; the slope rows
  // and columns 2 and 4 keep their assembled entries (4 k0 L^2 and 2 k0 L^2).
  Noeuds({0, 2});
  Element(1, 2, 2e11, 1e-6);
  Liaison(1, 1);
  Liaison(1, 2);
  ASSERT_TRUE(s->AssemblerRigidite());
  s->AssemblerForces();
  s->MettreLiaisons();
  const double attendu[4][4] = {
      {1, 0, 0, 0},
      {0, 400000, 0, 200000},
      {0, 0, 1, 0},
      {0, 200000, 0, 400000},
  };
  for (Entier r = 1; r <= 4; ++r) {
    for (Entier c = 1; c <= 4; ++c) EXPECT_EQ(s->K[r][c], attendu[r - 1][c - 1]) << r << "," << c;
  }
}

TEST_F(Liaisons, CodeUnPlusCodeDeuxEgaleCodeTrois) {
  // code 1 and code 2 on one node give the same system, to the bit, as
  // one code 3 (in either order); a DOF blocked twice is as a DOF blocked once.
  const auto Systeme3 = [&](std::initializer_list<Entier> codes) {
    Recommencer();
    Noeuds({0, 1.3, 2.1});
    Element(1, 2, 2.1e11, 8.36e-6);
    Element(2, 3, 2.1e11, 8.36e-6);
    Charge(2, 1, -2000);
    Charge(2, 2, -1500);
    Charge(1, 2, -700, 90);
    for (Entier code : codes) Liaison(code, 2);
    EXPECT_TRUE(s->AssemblerRigidite());
    s->AssemblerForces();
    s->MettreLiaisons();
    return Instantane();
  };
  const std::vector<std::uint64_t> trois = Systeme3({3});
  EXPECT_EQ(Systeme3({1, 2}), trois);
  EXPECT_EQ(Systeme3({2, 1}), trois);
  EXPECT_EQ(Systeme3({3, 3}), trois);
  EXPECT_EQ(Systeme3({1, 3, 2}), trois);
}

TEST_F(Liaisons, CodesQuiNeBloquentRien) {
  // code 0 or 4 (any code outside 1..3) blocks nothing, and a
  // model without supports leaves K and F unchanged.
  const auto Construire = [&] {
    Recommencer();
    Noeuds({0, 1.3, 2.1});
    Element(1, 2, 2.1e11, 8.36e-6);
    Element(2, 3, 2.1e11, 8.36e-6);
    Charge(2, 1, -2000);
    Charge(1, 3, -700, 90);
    EXPECT_TRUE(s->AssemblerRigidite());
    s->AssemblerForces();
  };
  Construire();
  s->MettreLiaisons();
  const std::vector<std::uint64_t> libre = Instantane();
  for (Entier code : {0, 4, -1, 5, EntierMax, EntierMin}) {
    Construire();
    Liaison(code, 1);
    Liaison(code, 2);
    Liaison(code, 3);
    Liaison(code, 51);  // its DOF numbers are never used
    Liaison(code, 0);
    s->MettreLiaisons();
    EXPECT_EQ(Instantane(), libre) << "code " << code;
  }
}

TEST_F(Liaisons, AppuiSurUnNoeudAuDelaDeNbNoeuds) {
  // a support on a node between NbNoeuds + 1 and 50 has DOFs above
  // NbDdl: its cleared entries, its unit diagonal and its zero force lie outside the block, so
  // the system the solver sees is unchanged, and so are the displacements.
  const auto Construire = [&] {
    Recommencer();
    Noeuds({0, 2});
    Element(1, 2, 2e11, 1e-6);
    Liaison(3, 1);
    Charge(1, 2, -100, 10);
  };
  Construire();
  ASSERT_TRUE(s->AssemblerRigidite());
  s->AssemblerForces();
  s->MettreLiaisons();
  const std::vector<std::uint64_t> sansAppuiEnTrop = Systeme(4);
  ASSERT_TRUE(s->CalculerDeplacements());
  const std::vector<std::uint64_t> solutionSans = Systeme(4);

  Construire();
  Liaison(3, 3);
  Liaison(1, 50);
  Liaison(2, 49);
  RemplirSentinelles();
  ASSERT_TRUE(s->AssemblerRigidite());
  s->AssemblerForces();
  s->MettreLiaisons();
  EXPECT_EQ(Systeme(4), sansAppuiEnTrop);
  EXPECT_EQ(s->K[5][5], 1);
  EXPECT_EQ(s->K[6][6], 1);
  EXPECT_EQ(s->K[99][99], 1);
  EXPECT_EQ(s->K[98][98], 1);
  EXPECT_EQ(s->F[5], 0);
  EXPECT_EQ(s->F[99], 0);
  EXPECT_EQ(s->F[98], 0);
  EXPECT_EQ(s->K[1][5], 0);                 // column 5 cleared within rows 1..NbDdl
  EXPECT_EQ(s->K[5][1], 0);                 // row 5 cleared within columns 1..NbDdl
  EXPECT_EQ(s->K[7][5], Sentinelle(7, 5));  // rows above NbDdl are not visited
  ASSERT_TRUE(s->CalculerDeplacements());
  EXPECT_EQ(Systeme(4), solutionSans);
}

}  // namespace
