// The finite element analysis: degree-of-freedom numbering, element stiffness and global assembly,
// the global force vector, the supports, the solver, the element end forces and the reactions.
//
// The linear system lives in place: K and F are assembled, modified for the supports and reduced
// by the solver in the same arrays, and F ends holding the displacements. Every operation is
// written in the order below so that the last bits, and the sign of every zero, are fixed.
#include <algorithm>

#include "UTypes.h"
#include "encastrement.h"
#include "textes.h"

// ---------------------------------------------------------------------------------------------
// Degree-of-freedom numbering
// ---------------------------------------------------------------------------------------------

// Node n owns DOF 2n-1 (deflection v) and 2n (slope theta). No test on n here: the numbers are
// tested when they index K or F. They are formed in 64 bits, and a node number whose DOFs would
// not even fit 32 bits (and so lie far outside 1..CapDdl) is the range error at once.
void TStructure::DdlNoeud(std::int32_t n, std::int32_t& ddlV, std::int32_t& ddlTheta) const {
  const std::int64_t theta = 2 * static_cast<std::int64_t>(n);
  if (theta - 1 < INT32_MIN || theta > INT32_MAX) ErreurHorsLimites();
  ddlV = static_cast<std::int32_t>(theta - 1);
  ddlTheta = static_cast<std::int32_t>(theta);
}

// The four DOFs of element e in element order: (v, theta) of NoeudI, then (v, theta) of NoeudJ.
void TStructure::DdlElement(std::int32_t e, TDdlElement& d) const {
  const TElement& element = Elements.Item(e);
  DdlNoeud(element.NoeudI, d[1], d[2]);
  DdlNoeud(element.NoeudJ, d[3], d[4]);
}

// ---------------------------------------------------------------------------------------------
// Element stiffness and global stiffness
// ---------------------------------------------------------------------------------------------

// Euler-Bernoulli bending stiffness, with k0 = E Iz / L^3 (N/m):
//
//        |  12 k0     6 k0 L    -12 k0     6 k0 L  |
//   ke = |  6 k0 L    4 k0 L2   -6 k0 L    2 k0 L2 |
//        | -12 k0    -6 k0 L     12 k0    -6 k0 L  |
//        |  6 k0 L    2 k0 L2   -6 k0 L    4 k0 L2 |
//
// Each entry is formed from k0 first; the lower triangle is copied from the upper one, so the
// matrix is exactly symmetric. An element shorter than LongueurMin (or of negative length) is
// refused and the matrix left untouched.
bool TElement::RigiditeElement(TMatrice4& k) const {
  const double L = Longueur();
  if (TEtendu(L) < LongueurMin) return false;
  const double L2 = L * L;
  const double k0 = (E * Iz) / (L2 * L);
  k[1][1] = 12 * k0;
  k[1][2] = (6 * k0) * L;
  k[1][3] = (-k0) * 12;
  k[1][4] = (6 * k0) * L;
  k[2][2] = (4 * k0) * L2;
  k[2][3] = ((-k0) * 6) * L;
  k[2][4] = (2 * k0) * L2;
  k[3][3] = 12 * k0;
  k[3][4] = ((-k0) * 6) * L;
  k[4][4] = (4 * k0) * L2;
  for (std::int32_t r = 2; r <= 4; ++r) {
    for (std::int32_t s = 1; s < r; ++s) k[r][s] = k[s][r];
  }
  return true;
}

// K = sum over the elements of ke (condensed on its released ends), added at the element's four
// DOFs, then the springs on the diagonal. NbDdl = 2 x NbNoeuds (a
// count of zero or less gives no DOF at all; one beyond the capacity of K is the range error).
// Only the block 1..NbDdl is cleared and used. A refused element stops the assembly, with no
// message of its own.
bool TStructure::AssemblerRigidite() {
  Rapport.Ligne(Textes::AssemblageRigidite);
  const std::int64_t nbDdl = 2 * static_cast<std::int64_t>(std::max(NbNoeuds, 0));
  if (nbDdl > CapDdl) ErreurHorsLimites();
  NbDdl = static_cast<std::int32_t>(nbDdl);
  return AjouterRigidites(K);
}

// The block 1..NbDdl of k cleared, then every element's stiffness added at its four DOFs and every
// spring's, in list order; false at the first element refused.
bool TStructure::AjouterRigidites(TMatriceGlobale& k) const {
  for (std::int32_t r = 1; r <= NbDdl; ++r) {
    for (std::int32_t s = 1; s <= NbDdl; ++s) k[r][s] = 0;
  }
  for (std::int32_t e = 1; e <= Elements.Nombre; ++e) {
    TMatrice4 ke;
    if (!RigiditeCondensee(e, ke)) return false;
    TDdlElement d;
    DdlElement(e, d);
    for (std::int32_t a = 1; a <= 4; ++a) {
      for (std::int32_t b = 1; b <= 4; ++b) k[d[a]][d[b]] = k[d[a]][d[b]] + ke[a][b];
    }
  }
  // The springs, on the diagonal of their node's deflection (Kv) and slope (Kr).
  for (std::int32_t r = 1; r <= Ressorts.Nombre; ++r) {
    const TRessort& ressort = Ressorts.Item(r);
    std::int32_t d1, d2;
    DdlNoeud(ressort.Noeud, d1, d2);
    k[d1][d1] = k[d1][d1] + ressort.Kv;
    k[d2][d2] = k[d2][d2] + ressort.Kr;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Global force vector
// ---------------------------------------------------------------------------------------------

// F from the loads, and the fixed-end part of every element's Efforts.
//  - code 1, at node n: F[2n-1] += Fy (N), F[2n] += Mz (N.m);
//  - any other code, uniform py (N/m) along element e of length L: the fixed-end forces are
//      f = (f1, f2, f1, -f2) = (-py L/2, -py L^2/12, -py L/2, +py L^2/12)
//    (forces along +y, moments counterclockwise, exerted on the element by its nodes);
//    the nodes receive the equivalent loads -f, and the element's Efforts start at +f.
void TStructure::AssemblerForces() {
  Rapport.Ligne(Textes::AssemblageForces);
  for (std::int32_t k = 1; k <= NbDdl; ++k) F[k] = 0;
  for (std::int32_t e = 1; e <= Elements.Nombre; ++e) {
    TElement& element = Elements.Item(e);
    for (std::int32_t m = 1; m <= 4; ++m) element.Efforts[m] = 0;
  }
  for (std::int32_t c = 1; c <= Charges.Nombre; ++c) {
    const TCharge& charge = Charges.Item(c);
    if (charge.Code == 1) {
      std::int32_t d1, d2;
      DdlNoeud(charge.Numero, d1, d2);
      F[d1] = F[d1] + charge.P;
      F[d2] = F[d2] + charge.Mz;
    } else {
      TDdlElement d;
      DdlElement(charge.Numero, d);  // a missing element is the range error here
      AjouterForcesEncastrement(charge.Numero,
                                ForcesUniformes(charge.P, Elements.Item(charge.Numero).Longueur()));
    }
  }
  for (std::int32_t i = 1; i <= Ponctuelles.Nombre; ++i) {
    const TPonctuelle& charge = Ponctuelles.Item(i);
    AjouterForcesEncastrement(charge.Element,
                              ForcesPonctuelle(charge, Elements.Item(charge.Element).Longueur()));
  }
  for (std::int32_t i = 1; i <= Trapezes.Nombre; ++i) {
    const TTrapeze& charge = Trapezes.Item(i);
    AjouterForcesEncastrement(charge.Element,
                              ForcesTrapeze(charge, Elements.Item(charge.Element).Longueur()));
  }
}

// ---------------------------------------------------------------------------------------------
// Supports
// ---------------------------------------------------------------------------------------------

// Replaces the equation of DOF d by "displacement d = its imposed value delta": row and column d
// cleared, a unit diagonal, F[d] = delta. A settlement (delta not 0) first moves the known
// displacement to the right-hand side, F[r] -= K[r][d] delta for every other r, so that clearing
// the column loses nothing; without one, the prescribed value being zero, clearing the column
// needs no correction of F. K stays symmetric.
void TStructure::BloquerDdl(std::int32_t d) {
  const double delta = ValeurImposee(d);
  if (delta != 0) {
    for (std::int32_t r = 1; r <= NbDdl; ++r) {
      if (r != d) F[r] = F[r] - K[r][d] * delta;
    }
  }
  for (std::int32_t r = 1; r <= NbDdl; ++r) K[r][d] = 0;
  for (std::int32_t s = 1; s <= NbDdl; ++s) K[d][s] = 0;
  K[d][d] = 1;
  F[d] = 0;
  if (delta != 0) F[d] = delta;
  Bloque[d] = true;
}

// The settlement of DOF d (m or rad): that of the settlement naming its node and kind, 0 when
// none does.
double TStructure::ValeurImposee(std::int32_t d) const {
  for (std::int32_t i = 1; i <= Tassements.Nombre; ++i) {
    const TTassement& tassement = Tassements.Item(i);
    std::int32_t d1, d2;
    DdlNoeud(tassement.Noeud, d1, d2);
    if ((tassement.Code == 1 ? d1 : d2) == d) return tassement.Valeur;
  }
  return 0;
}

// True when a nodal load at node n has a moment other than exactly 0.
bool TStructure::MomentNodal(std::int32_t n) const {
  for (std::int32_t c = 1; c <= Charges.Nombre; ++c) {
    const TCharge& charge = Charges.Item(c);
    if (charge.Code == 1 && charge.Numero == n && charge.Mz != 0) return true;
  }
  return false;
}

// Code 1 blocks the deflection of the node, code 2 its slope, code 3 both; any other code nothing.
void TStructure::MettreLiaisons() {
  Rapport.Ligne(Textes::MiseEnPlaceLiaisons);
  for (std::int32_t d = 1; d <= NbDdl; ++d) Bloque[d] = false;
  for (std::int32_t s = 1; s <= Liaisons.Nombre; ++s) {
    const TLiaison& liaison = Liaisons.Item(s);
    std::int32_t d1, d2;
    DdlNoeud(liaison.Noeud, d1, d2);
    if (liaison.Code == 1 || liaison.Code == 3) BloquerDdl(d1);
    if (liaison.Code == 2 || liaison.Code == 3) BloquerDdl(d2);
  }
  // A node slope that nothing holds (every element end there released) has no stiffness and no
  // meaning: each element turns its own way there. It is held at 0 unless a nodal moment acts
  // there, which nothing could carry: the mechanism check then refuses the beam.
  if (Rotules.Nombre > 0) {
    for (std::int32_t n = 1; n <= NbNoeuds && 2 * n <= NbDdl; ++n) {
      if (PenteLibre(n) && !MomentNodal(n)) BloquerDdl(2 * n);
    }
  }
  for (std::int32_t d = 1; d <= NbDdl; ++d) {
    FLiaisons[d] = F[d];
    DiagonaleLiaisons[d] = K[d][d];
  }
}

// ---------------------------------------------------------------------------------------------
// Linear solver
// ---------------------------------------------------------------------------------------------

// K U = F by Gauss elimination without row exchanges, on the upper triangle only (the reduced
// matrices stay symmetric, so the multiplier of row i is taken from row k above the diagonal),
// then back substitution; U is written over F. Every pivot must reach PivotMin: the threshold is
// absolute, a negative pivot fails like a zero one, and so does a pivot that is not a number.
// Before the elimination, a beam that can move without deforming (a mechanism) is refused as a
// failed pivot is, whatever rounding would leave on its pivots. A model without any DOF has
// nothing to solve.
bool TStructure::CalculerDeplacements() {
  Rapport.Ligne(Textes::CalculDeplacements);
  bool resultat = true;
  // The report gets the message; the command-line mode also names the degree of freedom d whose
  // pivot failed, the deflection (odd d) or the slope (even d) of node (d + 1) / 2.
  const auto ErreurPivot = [this, &resultat](std::int32_t d) {
    Rapport.Ligne(Textes::PivotNul);
    Signaler(0,
             Remplir(d % 2 == 1 ? Textes::PivotFleche : Textes::PivotPente,
                     {std::to_string(d), std::to_string((d + 1) / 2)}),
             false);
    resultat = false;
  };
  const std::int32_t n = NbDdl;
  if (n <= 0) return resultat;
  if (n > CapDdl) ErreurHorsLimites();
  std::string mouvement;
  if (Mecanisme(mouvement)) {
    Rapport.Ligne(Textes::PivotNul);
    Signaler(0, Remplir(Textes::Mecanisme, {mouvement}), false);
    return false;
  }
  for (std::int32_t k = 1; k <= n - 1; ++k) {
    const TTableau<double, 1, CapDdl>& Kk = K[k];
    if (!(Kk[k] >= PivotMin)) {
      ErreurPivot(k);
      return resultat;
    }
    for (std::int32_t i = k + 1; i <= n; ++i) {
      TTableau<double, 1, CapDdl>& Ki = K[i];
      const double m = Kk[i] / Kk[k];
      F[i] = F[i] - m * F[k];
      for (std::int32_t j = i; j <= n; ++j) Ki[j] = Ki[j] - m * Kk[j];
    }
  }
  if (!(K[n][n] >= PivotMin)) {
    ErreurPivot(n);
    return resultat;
  }
  F[n] = F[n] / K[n][n];
  for (std::int32_t i = n - 1; i >= 1; --i) {
    double s = 0;
    for (std::int32_t j = i + 1; j <= n; ++j) s = s + K[i][j] * F[j];
    F[i] = (F[i] - s) / K[i][i];
  }
  return resultat;
}

// ---------------------------------------------------------------------------------------------
// Element end forces and support reactions
// ---------------------------------------------------------------------------------------------

// Efforts = ke ue - feq: the stiffness part is added to the fixed-end forces already there.
// The element matrix is formed again, the global one no longer holding it.
void TStructure::CalculerForcesElementaires() {
  Rapport.Ligne(Textes::CalculForces);
  for (std::int32_t e = 1; e <= Elements.Nombre; ++e) {
    TElement& element = Elements.Item(e);
    TDdlElement d;
    DdlElement(e, d);
    TTableau<double, 1, 4> ue;
    for (std::int32_t m = 1; m <= 4; ++m) ue[m] = F[d[m]];
    TMatrice4 ke;
    RigiditeCondensee(e, ke);  // every element passed it during the assembly
    for (std::int32_t i = 1; i <= 4; ++i) {
      for (std::int32_t j = 1; j <= 4; ++j) {
        element.Efforts[i] = element.Efforts[i] + ke[i][j] * ue[j];
      }
    }
    RotationsPropres(e);
  }
}

// Ry and Mz of a support: the sums of the end forces of the elements at its node, taken in list
// order. Nodal loads at that node are not part of the sums.
void TStructure::CalculerActionsLiaison() {
  Rapport.Ligne(Textes::CalculActions);
  for (std::int32_t s = 1; s <= Liaisons.Nombre; ++s) {
    TLiaison& liaison = Liaisons.Item(s);
    double R = 0;
    double M = 0;
    for (std::int32_t e = 1; e <= Elements.Nombre; ++e) {
      const TElement& element = Elements.Item(e);
      if (element.NoeudI == liaison.Noeud) {
        R = R + element.Efforts[1];
        M = M + element.Efforts[2];
      }
      if (element.NoeudJ == liaison.Noeud) {
        R = R + element.Efforts[3];
        M = M + element.Efforts[4];
      }
    }
    liaison.Ry = R;
    liaison.Mz = M;
  }
  // A spring exerts on the beam the force -Kv v and the moment -Kr theta of its node.
  for (std::int32_t r = 1; r <= Ressorts.Nombre; ++r) {
    TRessort& ressort = Ressorts.Item(r);
    std::int32_t d1, d2;
    DdlNoeud(ressort.Noeud, d1, d2);
    ressort.Ry = -ressort.Kv * F[d1];
    ressort.Mz = -ressort.Kr * F[d2];
  }
}
