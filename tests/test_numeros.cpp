// The run-time errors where a number names nothing: loads on missing elements, node numbers out
// of range in elements, supports and loads.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "UTypes.h"
#include "analyse.h"
#include "outils.h"

namespace {

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

}  // namespace
