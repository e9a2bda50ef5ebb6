// The DOF numbering, the element stiffness and the assembly of the global stiffness, with the
// guards against refused elements and the block of K that the steps may touch.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>

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

}  // namespace
