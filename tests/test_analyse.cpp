// The finite element analysis: numbering, element stiffness and assembly, the force vector, the
// supports, the solver, the element end forces and the reactions, with the guards against
// missing elements, overflowing node numbers and failed pivots.
//
// Every test builds its model in memory (outils.h). A test of one step calls that step, in the
// order of Calculer, and looks at what it left; a test of the whole analysis runs Calculer, which
// reads the model back from a data file, and looks at the structure read back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "UTypes.h"
#include "analyse.h"
#include "outils.h"

namespace {

// =============================================================================================
// DOF numbering, element stiffness and global stiffness assembly
// =============================================================================================

using Rigidite = Analyse;

TEST_F(Rigidite, NumerosDeDdlDUnNoeud) {
  // Node n owns 2n - 1 and 2n; no test on n here: numbers outside 1..100
  // are refused only when they index K or F.
  struct Cas {
    Entier noeud, v, theta;
  };
  const Cas table[] = {
      {1, 1, 2},
      {2, 3, 4},
      {3, 5, 6},
      {50, 99, 100},
      {51, 101, 102},
      {0, -1, 0},
      {-1, -3, -2},
      {1073741823, 2147483645, 2147483646},
      {-1073741823, -2147483647, -2147483646},
  };
  for (const Cas& c : table) {
    Entier v = 7, theta = 7;
    s->DdlNoeud(c.noeud, v, theta);
    EXPECT_EQ(v, c.v) << "node " << c.noeud;
    EXPECT_EQ(theta, c.theta) << "node " << c.noeud;
  }
}

TEST_F(Rigidite, NumerosDeDdlSansDebordementEntier) {
  // DOF numbers are formed without integer overflow; a node whose DOF numbers do not
  // fit 32 bits is the range error at once.
  for (Entier noeud : {EntierMax, EntierMin, 1073741824, -1073741824}) {
    Entier v, theta;
    EXPECT_EQ(MotsErreur([&] { s->DdlNoeud(noeud, v, theta); }), HorsLimites) << noeud;
  }
}

TEST_F(Rigidite, NumerosDeDdlDUnElement) {
  // Element DOF order (v_I, theta_I, v_J, theta_J) = (2i - 1, 2i, 2j - 1, 2j).
  Noeuds({0, 1, 2, 3, 4});
  Element(3, 5, 1, 1);
  Element(5, 3, 1, 1);  // the order follows NoeudI, NoeudJ, not the abscissae
  TDdlElement d;
  s->DdlElement(1, d);
  EXPECT_EQ(d[1], 5);
  EXPECT_EQ(d[2], 6);
  EXPECT_EQ(d[3], 9);
  EXPECT_EQ(d[4], 10);
  s->DdlElement(2, d);
  EXPECT_EQ(d[1], 9);
  EXPECT_EQ(d[2], 10);
  EXPECT_EQ(d[3], 5);
  EXPECT_EQ(d[4], 6);
  // Positions outside the list, or empty, are range errors.
  for (Entier e : {0, 3, 49, 50, -1}) {
    EXPECT_EQ(MotsErreur([&] { s->DdlElement(e, d); }), HorsLimites) << e;
  }
}

TEST_F(Rigidite, MatriceDeLElementDeDeuxMetres) {
  // x = 0 to 2 m, E = 2e11 Pa, Iz = 1e-6 m4, so E Iz = 2e5 N.m2 and
  // k0 = E Iz / L^3 = 25 000 N/m. Every entry is an integer of the doubles, hence exact.
  Noeuds({0, 2});
  Element(1, 2, 2e11, 1e-6);
  const double attendu[4][4] = {
      {300000, 300000, -300000, 300000},
      {300000, 400000, -300000, 200000},
      {-300000, -300000, 300000, -300000},
      {300000, 200000, -300000, 400000},
  };
  TMatrice4 k;
  ASSERT_TRUE(El(1).RigiditeElement(k));
  for (Entier r = 1; r <= 4; ++r) {
    for (Entier c = 1; c <= 4; ++c) EXPECT_EQ(k[r][c], attendu[r - 1][c - 1]) << r << "," << c;
  }
  // Nodes 1 and 2 fill the whole 4 x 4 block of K, NbDdl = 4.
  ASSERT_TRUE(s->AssemblerRigidite());
  EXPECT_EQ(s->NbDdl, 4);
  for (Entier r = 1; r <= 4; ++r) {
    for (Entier c = 1; c <= 4; ++c) EXPECT_EQ(s->K[r][c], attendu[r - 1][c - 1]) << r << "," << c;
  }
  EXPECT_EQ(Rapport(), LigneRigidite);
}

TEST_F(Rigidite, AssemblageDeDeuxElements) {
  // elements 1-2 and 2-3 add at DOFs 3 and 4; K[1][5] = K[5][1] = 0.
  // Nodes at 0, 2 and 3 m, E Iz = 2e5 N.m2: k0 = 25 000 N/m on the first element (L = 2 m),
  // 200 000 N/m on the second (L = 1 m). K[3][3] = 12 k0 + 12 k0' = 300 000 + 2 400 000 and
  // K[4][4] = 4 k0 L^2 + 4 k0' L'^2 = 400 000 + 800 000.
  Noeuds({0, 2, 3});
  Element(1, 2, 2e11, 1e-6);
  Element(2, 3, 2e11, 1e-6);
  const double attendu[6][6] = {
      {300000, 300000, -300000, 300000, 0, 0},
      {300000, 400000, -300000, 200000, 0, 0},
      {-300000, -300000, 2700000, 900000, -2400000, 1200000},
      {300000, 200000, 900000, 1200000, -1200000, 400000},
      {0, 0, -2400000, -1200000, 2400000, -1200000},
      {0, 0, 1200000, 400000, -1200000, 800000},
  };
  ASSERT_TRUE(s->AssemblerRigidite());
  EXPECT_EQ(s->NbDdl, 6);
  for (Entier r = 1; r <= 6; ++r) {
    for (Entier c = 1; c <= 6; ++c) EXPECT_EQ(s->K[r][c], attendu[r - 1][c - 1]) << r << "," << c;
  }
  EXPECT_EQ(Bits(s->K[1][5]), 0u);
  EXPECT_EQ(Bits(s->K[5][1]), 0u);
}

TEST_F(Rigidite, DeuxElementsSurLaMemePaireDeNoeudsSAjoutent) {
  // two list entries with the same pair of nodes are both added.
  Noeuds({0, 1});
  Element(1, 2, 1, 1);
  Element(1, 2, 2, 1);
  ASSERT_TRUE(s->AssemblerRigidite());
  EXPECT_EQ(s->K[1][1], 36);  // 12 k0 + 12 k0' with k0 = 1, k0' = 2
  EXPECT_EQ(s->K[2][4], 6);   // 2 k0 L^2 + 2 k0' L^2
}

TEST_F(Rigidite, LongueurNegativeArreteLAssemblage) {
  // NoeudJ left of NoeudI; RigiditeElement returns false and leaves the
  // matrix untouched; AssemblerRigidite returns false at once, without a message, and the
  // elements after it are not visited.
  Noeuds({0, 1, 2, 3});
  Element(1, 2, 1, 1);
  Element(3, 2, 1, 1);
  Element(3, 4, 1, 1);
  TMatrice4 k;
  for (Entier r = 1; r <= 4; ++r) {
    for (Entier c = 1; c <= 4; ++c) k[r][c] = Sentinelle(r, c);
  }
  EXPECT_FALSE(El(2).RigiditeElement(k));
  for (Entier r = 1; r <= 4; ++r) {
    for (Entier c = 1; c <= 4; ++c) EXPECT_EQ(k[r][c], Sentinelle(r, c)) << r << "," << c;
  }
  EXPECT_FALSE(s->AssemblerRigidite());
  EXPECT_EQ(s->K[1][1], 12);  // the first element (DOFs 1 to 4) is in
  EXPECT_EQ(s->K[3][3], 12);
  EXPECT_EQ(s->K[5][5], 0);  // the third element (DOFs 5 to 8) is not
  EXPECT_EQ(s->K[7][7], 0);
  EXPECT_EQ(Rapport(), LigneRigidite);
}

TEST_F(Rigidite, SeuilDeLongueurEnPrecisionEtendue) {
  // L < 1e-6 held in extended precision; the double nearest
  // to 1e-6 lies below it and is refused, the next double up is accepted; zero and negative
  // lengths are refused.
  struct Cas {
    double xJ;
    bool accepte;
    const char* pourquoi;
  };
  const Cas table[] = {
      {1e-6, false, "the double nearest to 1e-6"},
      {std::nextafter(1e-6, 1.0), true, "the next double up"},
      {0, false, "zero length"},
      {-1, false, "negative length"},
      {1, true, "1 m"},
  };
  for (const Cas& c : table) {
    Recommencer();
    Noeuds({0, c.xJ});
    Element(1, 2, 1, 1);
    TMatrice4 k;
    EXPECT_EQ(El(1).RigiditeElement(k), c.accepte) << c.pourquoi;
    EXPECT_EQ(s->AssemblerRigidite(), c.accepte) << c.pourquoi;
  }
}

TEST_F(Rigidite, NoeudsSansElement) {
  // NbDdl = 2 NbNoeuds, a zero block, true.
  Noeuds({0, 1, 2});
  RemplirSentinelles();
  ASSERT_TRUE(s->AssemblerRigidite());
  EXPECT_EQ(s->NbDdl, 6);
  for (Entier r = 1; r <= 6; ++r) {
    for (Entier c = 1; c <= 6; ++c) EXPECT_EQ(Bits(s->K[r][c]), 0u) << r << "," << c;
  }
}

TEST_F(Rigidite, ModuleNulMatriceNulle) {
  // E Iz = 0 is not refused; its matrix is all zeros.
  Noeuds({0, 1.5});
  Element(1, 2, 0, 1e-4);
  TMatrice4 k;
  ASSERT_TRUE(El(1).RigiditeElement(k));
  for (Entier r = 1; r <= 4; ++r) {
    for (Entier c = 1; c <= 4; ++c) EXPECT_EQ(k[r][c], 0) << r << "," << c;
  }
}

TEST_F(Rigidite, SymetrieAuDernierBit) {
  // each element matrix is symmetric by construction and mirror entries
  // receive their contributions in the same order, so K is symmetric to the last bit. Irregular
  // lengths and stiffnesses, elements out of order, and a doubled element.
  Noeuds({0, 0.37, 1.1, 2.9, 3.0000001, 7.3});
  Element(3, 4, 2.1e11, 8.36e-6);
  Element(1, 2, 7.1e10, 3.3e-7);
  Element(2, 3, 2.05e11, 1.234567e-5);
  Element(4, 5, 1.9e11, 4.4e-6);
  Element(5, 6, 3.3e9, 9.87e-4);
  Element(2, 3, 1.1e11, 2.2e-6);
  Element(1, 6, 1.0e6, 1.0e-3);  // one long element over all the others
  for (Entier e = 1; e <= s->Elements.Nombre; ++e) {
    TMatrice4 k;
    ASSERT_TRUE(El(e).RigiditeElement(k));
    for (Entier r = 1; r <= 4; ++r) {
      for (Entier c = 1; c <= 4; ++c) EXPECT_EQ(Bits(k[r][c]), Bits(k[c][r])) << e;
    }
  }
  ASSERT_TRUE(s->AssemblerRigidite());
  for (Entier r = 1; r <= s->NbDdl; ++r) {
    for (Entier c = 1; c <= s->NbDdl; ++c) {
      EXPECT_EQ(Bits(s->K[r][c]), Bits(s->K[c][r])) << r << "," << c;
    }
  }
  // Still symmetric once the supports have cleared their rows and columns.
  Liaison(3, 1);
  Liaison(1, 4);
  Liaison(2, 6);
  s->AssemblerForces();
  s->MettreLiaisons();
  for (Entier r = 1; r <= s->NbDdl; ++r) {
    for (Entier c = 1; c <= s->NbDdl; ++c) {
      EXPECT_EQ(Bits(s->K[r][c]), Bits(s->K[c][r])) << r << "," << c;
    }
  }
}

TEST_F(Rigidite, HorsDuBlocRienNeChange) {
  // entries of K outside the block 1..NbDdl keep their value. The whole
  // run is checked: no step reads or writes K or F outside the block when every node number
  // lies within 1..NbNoeuds.
  Noeuds({0, 0.7, 1.9});
  Element(1, 2, 2e11, 1e-5);
  Element(2, 3, 2e11, 2e-5);
  Liaison(1, 1);
  Liaison(1, 3);
  Charge(2, 1, -1500);
  Charge(1, 2, -800, 35);
  RemplirSentinelles();
  ASSERT_TRUE(s->AssemblerRigidite());
  const auto VerifierHorsBloc = [&](const char* etape) {
    for (Entier r = 1; r <= CapDdl; ++r) {
      for (Entier c = 1; c <= CapDdl; ++c) {
        if (r > 6 || c > 6) {
          ASSERT_EQ(s->K[r][c], Sentinelle(r, c)) << etape << " K " << r << "," << c;
        }
      }
      if (r > 6) {
        ASSERT_EQ(s->F[r], -Sentinelle(r, 0)) << etape << " F " << r;
      }
    }
  };
  VerifierHorsBloc("AssemblerRigidite");
  s->AssemblerForces();
  VerifierHorsBloc("AssemblerForces");
  s->MettreLiaisons();
  VerifierHorsBloc("MettreLiaisons");
  ASSERT_TRUE(s->CalculerDeplacements());
  VerifierHorsBloc("CalculerDeplacements");
  s->CalculerForcesElementaires();
  s->CalculerActionsLiaison();
  VerifierHorsBloc("CalculerActionsLiaison");
}

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

// =============================================================================================
// Linear solver
// =============================================================================================

using Solveur = Analyse;

TEST_F(Solveur, ElementSansAppui) {
  // L = 1 m, E Iz = 1, no support: pivots 12, 1, then exactly 0 at row
  // 3; the report gets the message and nothing after it.
  Noeuds({0, 1});
  Element(1, 2, 1, 1);
  EXPECT_FALSE(Calculer());
  EXPECT_EQ(s->K[1][1], 12);
  EXPECT_EQ(s->K[2][2], 1);
  EXPECT_EQ(s->K[3][3], 0);
  EXPECT_EQ(Rapport(), LigneLecture() + LigneRigidite + LigneForces + LigneLiaisons +
                           LigneDeplacements + LignePivot);
}

TEST_F(Solveur, UnSeulAppuiSimple) {
  // code 1 at node 1 only: pivots 1, 4, 3, and the last pivot K[4][4] is
  // exactly 0; the message comes from the last pivot test.
  Noeuds({0, 1});
  Element(1, 2, 1, 1);
  Liaison(1, 1);
  EXPECT_FALSE(Calculer());
  EXPECT_EQ(s->K[1][1], 1);
  EXPECT_EQ(s->K[2][2], 4);
  EXPECT_EQ(s->K[3][3], 3);
  EXPECT_EQ(s->K[4][4], 0);
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
// Run-time errors where a number names nothing
// =============================================================================================

using Decisions = Analyse;

TEST_F(Decisions, ChargeRepartieSurUnePositionVide) {
  // A uniform load naming an empty position of the element list (above Elements.Nombre but
  // within 1..49, or any position of an empty list) is "Range check error", like an element
  // number outside 1..49; no operation touches a missing element.
  struct Cas {
    const char* quoi;
    Entier nombre;  // Elements.Nombre
    Entier code;
    Entier numero;
  };
  const Cas table[] = {
      {"one element, load on 2", 1, 2, 2},
      {"one element, load on 49 (last position)", 1, 2, 49},
      {"one element, code 0 load on 2", 1, 0, 2},
      {"empty list, load on 1", 0, 2, 1},
      {"negative count, load on 1", -3, 2, 1},
      {"one element, load on 0", 1, 2, 0},
      {"one element, load on -1", 1, 2, -1},
      {"one element, load on 50 (beyond the capacity)", 1, 2, 50},
      {"one element, load on 2147483647", 1, 2, EntierMax},
      {"one element, load on -2147483648", 1, 2, EntierMin},
  };
  for (const Cas& c : table) {
    Recommencer();
    Noeuds({0, 1});
    if (c.nombre >= 1) Element(1, 2, 1, 1);
    s->Elements.Nombre = c.nombre;
    Charge(c.code, c.numero, -10);
    ASSERT_TRUE(s->AssemblerRigidite()) << c.quoi;
    EXPECT_EQ(MotsErreur([&] { s->AssemblerForces(); }), HorsLimites) << c.quoi;
    EXPECT_EQ(Rapport(), LigneRigidite + LigneForces) << c.quoi;
  }
}

TEST_F(Decisions, ChargeRepartieSurUnElementAuDelaDuNombre) {
  // An item left beyond Elements.Nombre is not an element of the list.
  Noeuds({0, 1, 2});
  Element(1, 2, 1, 1);
  Element(2, 3, 1, 1);
  s->Elements.Nombre = 1;
  Charge(2, 2, -10);
  ASSERT_TRUE(s->AssemblerRigidite());
  EXPECT_EQ(s->K[5][5], 0);  // the second element was not assembled
  EXPECT_EQ(MotsErreur([&] { s->AssemblerForces(); }), HorsLimites);
  s->Elements.Nombre = 2;  // so that the list frees it
}

TEST_F(Decisions, NumerosDeNoeudHorsLimites) {
  // A node number outside 1..NbNoeuds' capacity in an element, a support or a nodal load is
  // "Range check error" at the step that uses it, never undefined behaviour (2147483647 cannot
  // even give DOF numbers).
  const Entier numeros[] = {EntierMax, 0, 51, -1, EntierMin, 1073741824};
  for (Entier n : numeros) {
    // Element: its length reads X[n] in the assembly...
    Recommencer();
    Noeuds({0, 1});
    Element(1, n, 1, 1);
    EXPECT_EQ(MotsErreur([&] { s->AssemblerRigidite(); }), HorsLimites) << "element 1-" << n;
    Recommencer();
    Noeuds({0, 1});
    Element(n, 2, 1, 1);
    EXPECT_EQ(MotsErreur([&] { s->AssemblerRigidite(); }), HorsLimites) << "element " << n << "-2";
    // ... and its DOF numbers in the force vector and the end forces.
    Recommencer();
    Noeuds({0, 1});
    Element(1, n, 1, 1);
    Charge(2, 1, -10);
    s->NbDdl = 4;
    EXPECT_EQ(MotsErreur([&] { s->AssemblerForces(); }), HorsLimites) << "load on element 1-" << n;
    EXPECT_EQ(MotsErreur([&] { s->CalculerForcesElementaires(); }), HorsLimites)
        << "end forces of element 1-" << n;
    // Supports of the three codes that block something.
    for (Entier code : {1, 2, 3}) {
      Recommencer();
      Noeuds({0, 1});
      Element(1, 2, 1, 1);
      Liaison(code, n);
      ASSERT_TRUE(s->AssemblerRigidite());
      s->AssemblerForces();
      EXPECT_EQ(MotsErreur([&] { s->MettreLiaisons(); }), HorsLimites)
          << "support code " << code << " on node " << n;
      EXPECT_EQ(Rapport(), LigneRigidite + LigneForces + LigneLiaisons);
    }
    // Nodal load.
    Recommencer();
    Noeuds({0, 1});
    Element(1, 2, 1, 1);
    Charge(1, n, -10, 1);
    ASSERT_TRUE(s->AssemblerRigidite());
    EXPECT_EQ(MotsErreur([&] { s->AssemblerForces(); }), HorsLimites) << "nodal load on " << n;
    EXPECT_EQ(Rapport(), LigneRigidite + LigneForces);
  }
}

TEST_F(Decisions, AppuiQuiNeBloqueRienSurUnNoeudHorsLimites) {
  // A support that blocks nothing uses no DOF: on node 51 or 0 it passes the whole run. Node
  // 2147483647 has no DOF numbers at all, and that is the range error whatever the
  // code (MettreLiaisons forms the DOF numbers before it looks at the code).
  for (Entier n : {51, 0, -1}) {
    Recommencer();
    Noeuds({0, 1});
    Element(1, 2, 1, 1);
    Liaison(3, 1);
    Liaison(0, n);
    EXPECT_TRUE(Calculer()) << n;
  }
  Recommencer();
  Noeuds({0, 1});
  Element(1, 2, 1, 1);
  Liaison(3, 1);
  Liaison(0, EntierMax);
  ASSERT_TRUE(s->AssemblerRigidite());
  s->AssemblerForces();
  EXPECT_EQ(MotsErreur([&] { s->MettreLiaisons(); }), HorsLimites);
}

TEST_F(Decisions, NombreDeNoeudsEnormeSansDebordement) {
  // Reachable only through the model (the reader stops at node 51): NbDdl = 2 x NbNoeuds is
  // formed without overflow, and a count beyond the capacity of K is the range error.
  s->NbNoeuds = EntierMax;
  EXPECT_EQ(MotsErreur([&] { s->AssemblerRigidite(); }), HorsLimites);
}

TEST_F(Decisions, ChargeNodaleSurUnNoeudAuDelaDeNbNoeuds) {
  // Within the capacity (node 50 of a 2-node model) a nodal load is no error: its DOFs 99 and
  // 100 lie outside the block and the solver never sees them. The reader refuses that node, so
  // the steps are called one by one.
  Noeuds({0, 2});
  Element(1, 2, 1, 1);
  Liaison(3, 1);
  Charge(1, 2, -100, 0);
  Charge(1, 50, 1e6, 1e6);
  ASSERT_TRUE(s->AssemblerRigidite());
  s->AssemblerForces();
  s->MettreLiaisons();
  ASSERT_TRUE(s->CalculerDeplacements());
  s->CalculerForcesElementaires();
  s->CalculerActionsLiaison();
  EXPECT_NEAR(V(2), -800.0 / 3, 1e-9);
  EXPECT_NEAR(Li(1).Ry, 100, 1e-9);
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
