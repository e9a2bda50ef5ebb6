// The element's side of the extended model: the fixed-end forces of the loads inside an element
// (point forces and moments, linearly varying loads), the static condensation of an end whose
// moment is released (a hinge), and the element's own rotation there after the solve.
//
// Element DOF order (vI, thetaI, vJ, thetaJ), u = x / L. Fixed-end forces f are, as for the
// uniform load, the forces of the nodes on the element with both ends held: f = -(the consistent
// nodal loads), the loads' work-equivalent nodal forces through the Hermite shape functions
//   N  = (1 - 3u^2 + 2u^3, L (u - 2u^2 + u^3), 3u^2 - 2u^3, L (u^3 - u^2)),
//   N' = ((6u^2 - 6u) / L, 1 - 4u + 3u^2, (6u - 6u^2) / L, 3u^2 - 2u).
// Euler-Bernoulli elements loaded so give exact nodal displacements.
#include "encastrement.h"

#include <cmath>

// ---------------------------------------------------------------------------------------------
// Fixed-end forces of each kind of load
// ---------------------------------------------------------------------------------------------

// A uniform load p (N/m) over the whole element: f = (-p L/2, -p L^2/12, -p L/2, +p L^2/12).
TVecteur4 ForcesUniformes(double p, double L) {
  const double f1 = (-p * L) / 2;
  const double f2 = ((L * L) * (-p)) / 12;
  TVecteur4 f;
  f[1] = f1;
  f[2] = f2;
  f[3] = f1;
  f[4] = -f2;
  return f;
}

// A point force Fy and moment Mz at the distance a from NoeudI: the consistent loads are
// Fy N(a) + Mz N'(a).
TVecteur4 ForcesPonctuelle(const TPonctuelle& charge, double L) {
  const double u = charge.A / L;
  const double u2 = u * u, u3 = u2 * u;
  const double N[4] = {(1 - 3 * u2) + 2 * u3, L * ((u - 2 * u2) + u3), 3 * u2 - 2 * u3,
                       L * (u3 - u2)};
  const double dN[4] = {(6 * u2 - 6 * u) / L, (1 - 4 * u) + 3 * u2, (6 * u - 6 * u2) / L,
                        3 * u2 - 2 * u};
  TVecteur4 f;
  for (std::int32_t m = 1; m <= 4; ++m) f[m] = -(charge.Fy * N[m - 1] + charge.Mz * dN[m - 1]);
  return f;
}

// A load p(x) varying linearly from pa at a to pb at b: the consistent loads are the integral
// from a to b of N(x) p(x) dx. The integrand is a polynomial of degree 4, which three-point
// Gauss-Legendre quadrature integrates exactly: points at the middle and at +-sqrt(3/5) of the
// half-length, weights 5/9, 8/9, 5/9 of the half-length.
TVecteur4 ForcesTrapeze(const TTrapeze& charge, double L) {
  const double demi = 0.5 * (charge.B - charge.A), milieu = 0.5 * (charge.A + charge.B);
  const double ecart = std::sqrt(0.6) * demi;
  const double points[3] = {milieu - ecart, milieu, milieu + ecart};
  const double poids[3] = {5.0 / 9, 8.0 / 9, 5.0 / 9};
  TVecteur4 f;
  for (int k = 0; k < 3; ++k) {
    const double x = points[k];
    const double p = charge.Pa + (charge.Pb - charge.Pa) * ((x - charge.A) / (charge.B - charge.A));
    const double u = x / L, u2 = u * u, u3 = u2 * u;
    const double N[4] = {(1 - 3 * u2) + 2 * u3, L * ((u - 2 * u2) + u3), 3 * u2 - 2 * u3,
                         L * (u3 - u2)};
    for (std::int32_t m = 1; m <= 4; ++m) f[m] = f[m] - (poids[k] * demi) * (N[m - 1] * p);
  }
  return f;
}

// ---------------------------------------------------------------------------------------------
// Released ends
// ---------------------------------------------------------------------------------------------

// The ends of element e that hinges release: the codes of every hinge on it, added (codes 1 and
// 2 on one element are code 3).
std::int32_t TStructure::Liberations(std::int32_t e) const {
  std::int32_t liberations = 0;
  for (std::int32_t i = 1; i <= Rotules.Nombre; ++i) {
    const TRotule& rotule = Rotules.Item(i);
    if (rotule.Element == e && rotule.Code >= 1 && rotule.Code <= 3) liberations |= rotule.Code;
  }
  return liberations;
}

bool TStructure::Etendu(std::int32_t e) const {
  if (Liberations(e) != 0) return true;
  for (std::int32_t i = 1; i <= Ponctuelles.Nombre; ++i) {
    if (Ponctuelles.Item(i).Element == e) return true;
  }
  for (std::int32_t i = 1; i <= Trapezes.Nombre; ++i) {
    if (Trapezes.Item(i).Element == e) return true;
  }
  return false;
}

namespace {

// The ratios c[i] = k[i][r] / k[r][r] of the released rotation r (2 at NoeudI, 4 at NoeudJ), from
// L alone, so that they hold for an element of any E Iz, 0 included:
//   r = 2: (3 / (2L), 1, -3 / (2L), 1/2);   r = 4: (3 / (2L), 1/2, -3 / (2L), 1);
//   r = 4 once r = 2 is condensed (both ends released): (1/L, 0, -1/L, 1).
void Rapports(double L, std::int32_t r, bool apresI, double c[5]) {
  if (apresI) {
    c[1] = 1 / L, c[2] = 0, c[3] = -1 / L, c[4] = 1;
    return;
  }
  const double a = 3 / (2 * L);
  c[1] = a, c[2] = r == 2 ? 1 : 0.5, c[3] = -a, c[4] = r == 2 ? 0.5 : 1;
}

// The released rotations of an element, in the order of condensation: 2, then 4.
template <typename TAction>
void PourChaqueLiberation(std::int32_t liberations, double L, TAction action) {
  double c[5];
  if (liberations & LibereI) {
    Rapports(L, 2, false, c);
    action(2, c);
  }
  if (liberations & LibereJ) {
    Rapports(L, 4, (liberations & LibereI) != 0, c);
    action(4, c);
  }
}

}  // namespace

// The fixed-end forces condensed on the released rotations: f'[i] = f[i] - c[i] f[r], so that
// f'[r] = 0: a released end carries no moment.
void TStructure::Condenser(std::int32_t e, TVecteur4& f) const {
  PourChaqueLiberation(Liberations(e), Elements.Item(e).Longueur(),
                       [&f](std::int32_t r, const double* c) {
                         const double fr = f[r];
                         for (std::int32_t i = 1; i <= 4; ++i) f[i] = i == r ? 0 : f[i] - c[i] * fr;
                       });
}

// The element's stiffness condensed on its released rotations: k'[i][j] = k[i][j] - c[i] k[r][j],
// row and column r then zero; the lower triangle is copied from the upper one, so that k' stays
// exactly symmetric. An element without hinges keeps its matrix as formed. False, the matrix
// untouched, for an element too short.
bool TStructure::RigiditeCondensee(std::int32_t e, TMatrice4& k) const {
  const TElement& element = Elements.Item(e);
  if (!element.RigiditeElement(k)) return false;
  const std::int32_t liberations = Liberations(e);
  if (liberations == 0) return true;
  PourChaqueLiberation(liberations, element.Longueur(), [&k](std::int32_t r, const double* c) {
    const double ligne[5] = {0, k[r][1], k[r][2], k[r][3], k[r][4]};  // row r before it goes
    for (std::int32_t i = 1; i <= 4; ++i) {
      for (std::int32_t j = i; j <= 4; ++j) {
        k[i][j] = i == r || j == r ? 0 : k[i][j] - c[i] * ligne[j];
      }
    }
    for (std::int32_t i = 2; i <= 4; ++i) {
      for (std::int32_t j = 1; j < i; ++j) k[i][j] = k[j][i];
    }
  });
  return true;
}

// ---------------------------------------------------------------------------------------------
// The loads' forces in the system, and the rotations at released ends
// ---------------------------------------------------------------------------------------------

// The fixed-end forces f of one load on element e, condensed when the element has hinges: the
// nodes receive the equivalent loads -f, and the element's Efforts start at +f.
void TStructure::AjouterForcesEncastrement(std::int32_t e, TVecteur4 f) {
  if (Liberations(e) != 0) Condenser(e, f);
  TDdlElement d;
  DdlElement(e, d);
  TElement& element = Elements.Item(e);
  for (std::int32_t m = 1; m <= 4; ++m) F[d[m]] = F[d[m]] - f[m];
  for (std::int32_t m = 1; m <= 4; ++m) element.Efforts[m] = element.Efforts[m] + f[m];
}

// The fixed-end forces of every load on element e, not condensed: its uniform loads (every "$cha"
// load on it whose code is not 1), then its point loads and its trapezoidal loads.
TVecteur4 TStructure::ForcesElement(std::int32_t e) const {
  const double L = Elements.Item(e).Longueur();
  TVecteur4 total;
  const auto ajouter = [&total](const TVecteur4& f) {
    for (std::int32_t m = 1; m <= 4; ++m) total[m] = total[m] + f[m];
  };
  for (std::int32_t c = 1; c <= Charges.Nombre; ++c) {
    const TCharge& charge = Charges.Item(c);
    if (charge.Code != 1 && charge.Numero == e) ajouter(ForcesUniformes(charge.P, L));
  }
  for (std::int32_t i = 1; i <= Ponctuelles.Nombre; ++i) {
    if (Ponctuelles.Item(i).Element == e) ajouter(ForcesPonctuelle(Ponctuelles.Item(i), L));
  }
  for (std::int32_t i = 1; i <= Trapezes.Nombre; ++i) {
    if (Trapezes.Item(i).Element == e) ajouter(ForcesTrapeze(Trapezes.Item(i), L));
  }
  return total;
}

// The element's own rotations: the nodes' slopes, or at a released end r the rotation that makes
// the moment there zero in the element's uncondensed equations, k[r][.] u* + f[r] = 0, where u*
// is the element's end vector with that rotation in place of the node's slope (two equations,
// solved together, when both ends are released:
//   k22 tI + k24 tJ = -(k21 vI + k23 vJ + f2),  k42 tI + k44 tJ = -(k41 vI + k43 vJ + f4)).
// Without bending stiffness (k[r][r] = 0) the rotation is not defined: the node's slope stands in.
void TStructure::RotationsPropres(std::int32_t e) {
  TElement& element = Elements.Item(e);
  TDdlElement d;
  DdlElement(e, d);
  TVecteur4 u;
  for (std::int32_t m = 1; m <= 4; ++m) u[m] = F[d[m]];
  element.RotationI = u[2];
  element.RotationJ = u[4];
  const std::int32_t liberations = Liberations(e);
  TMatrice4 k;
  if (liberations == 0 || !element.RigiditeElement(k) || !(k[2][2] != 0)) return;
  const TVecteur4 f = ForcesElement(e);
  // b[r]: the moment at end r from the deflections, the other end's slope and the loads.
  const double b2 = (k[2][1] * u[1] + k[2][3] * u[3]) + f[2];
  const double b4 = (k[4][1] * u[1] + k[4][3] * u[3]) + f[4];
  if (liberations == (LibereI | LibereJ)) {
    const double determinant = k[2][2] * k[4][4] - k[2][4] * k[4][2];
    element.RotationI = (-b2 * k[4][4] + k[2][4] * b4) / determinant;
    element.RotationJ = (-b4 * k[2][2] + k[4][2] * b2) / determinant;
  } else if (liberations == LibereI) {
    element.RotationI = -(b2 + k[2][4] * u[4]) / k[2][2];
  } else {
    element.RotationJ = -(b4 + k[4][2] * u[2]) / k[4][4];
  }
}

// Node n's slope has no stiffness when elements end there, every one of them released there, and
// neither a slope support (code 2 or 3) nor a rotational spring holds it.
bool TStructure::PenteLibre(std::int32_t n) const {
  bool extremite = false;
  for (std::int32_t e = 1; e <= Elements.Nombre; ++e) {
    const TElement& element = Elements.Item(e);
    const std::int32_t liberations = Liberations(e);
    if (element.NoeudI == n) {
      if (!(liberations & LibereI)) return false;
      extremite = true;
    }
    if (element.NoeudJ == n) {
      if (!(liberations & LibereJ)) return false;
      extremite = true;
    }
  }
  for (std::int32_t l = 1; l <= Liaisons.Nombre; ++l) {
    const TLiaison& liaison = Liaisons.Item(l);
    if (liaison.Noeud == n && (liaison.Code == 2 || liaison.Code == 3)) return false;
  }
  for (std::int32_t r = 1; r <= Ressorts.Nombre; ++r) {
    if (Ressorts.Item(r).Noeud == n && Ressorts.Item(r).Kr > 0) return false;
  }
  return extremite;
}
