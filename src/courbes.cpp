// The curves along an element: deflection, slope, shear force and bending moment.
//
// Deflection: cubic Hermite interpolation of the end displacements (vI, tI, vJ, tJ) at the fraction
// u = x / L of the element,
//   v(u) = N1 vI + N2 L tI + N3 vJ + N4 L tJ,
//   N1 = 1 - 3u^2 + 2u^3, N2 = u - 2u^2 + u^3, N3 = 3u^2 - 2u^3, N4 = u^3 - u^2,
// and the slope its derivative dv/dx. Shear and moment come from the end forces at NoeudJ (q3,
// q4), the actions of the right-hand part on the left-hand part:
//   Ty(u) = q3,  Mfz(u) = q3 L (1-u) + q4.
// A uniform load p (every load on this element whose code is not 1, as in the force vector) adds
// the solution of the beam clamped at both ends, with w = p L^3 / (12 E Iz):
//   v += p L^4 u^2 (1-u)^2 / (24 E Iz),  slope += w u (1-u)(1-2u),
//   Ty += p L (1-u),  Mfz += p L^2 (1-u)^2 / 2.
// Without bending stiffness (the product E Iz is 0) the deflection and slope terms do not exist,
// and only the shear and moment terms are added. A stiffness so small that w overflows gives what
// the formulas give, infinite or not a number.
#include "courbes.h"

#include <cmath>

#include "polynome.h"

// A total uniform load of this magnitude or less (N/m) counts as no load at all.
constexpr double ChargeNegligeable = 1e-6;

double TPointCourbe::Valeur(TGrandeur g) const {
  switch (g) {
    case TGrandeur::Fleche:
      return Fleche;
    case TGrandeur::Pente:
      return Pente;
    case TGrandeur::Ty:
      return Ty;
    case TGrandeur::Mfz:
      break;
  }
  return Mfz;
}

TCourbes::TCourbes(const TStructure& s, const TElement& element, std::int32_t numero) {
  std::int32_t ddl[4];
  s.DdlNoeud(element.NoeudI, ddl[0], ddl[1]);
  s.DdlNoeud(element.NoeudJ, ddl[2], ddl[3]);
  vI = s.F[ddl[0]];
  tI = s.F[ddl[1]];
  vJ = s.F[ddl[2]];
  tJ = s.F[ddl[3]];
  q3 = element.Efforts[3];
  q4 = element.Efforts[4];
  p = 0;
  for (std::int32_t c = 1; c <= s.Charges.Nombre; ++c) {
    const TCharge& charge = s.Charges.Item(c);
    if (charge.Code != 1 && charge.Numero == numero) p = p + charge.P;
  }
  Charge = std::fabs(p) > ChargeNegligeable;
  X0 = s.X[element.NoeudI];
  L = element.Longueur();
  const double L3 = (L * L) * L;
  Flexible = element.E * element.Iz != 0;
  w = Flexible ? (p * L3) / ((12 * element.E) * element.Iz) : 0;
}

TPointCourbe TCourbes::Point(double u) const {
  const double L2 = L * L;
  const double u2 = u * u;
  const double u3 = u2 * u;
  const double v = (1 - u) * (1 - u);
  const double N1 = (1 - 3 * u2) + 2 * u3;
  const double N2 = (u - 2 * u2) + u3;
  const double N3 = 3 * u2 - 2 * u3;
  const double N4 = u3 - u2;
  TPointCourbe point;
  point.Abscisse = X0 + u * L;
  point.Fleche = ((N1 * vI + (N2 * L) * tI) + N3 * vJ) + (N4 * L) * tJ;
  point.Pente =
      ((((6 * (u2 - u)) * vI) / L + ((1 - 4 * u) + 3 * u2) * tI) + ((6 * (u - u2)) * vJ) / L) +
      (3 * u2 - 2 * u) * tJ;
  point.Ty = q3;
  point.Mfz = (q3 * L) * (1 - u) + q4;
  if (Charge) {
    if (Flexible) {
      point.Fleche = point.Fleche + (((0.5 * w) * L) * u2) * v;
      point.Pente = point.Pente + ((w * u) * (1 - u)) * (1 - 2 * u);
    }
    point.Ty = point.Ty + (p * L) * (1 - u);
    point.Mfz = point.Mfz + ((0.5 * p) * L2) * v;
  }
  return point;
}

// The derivatives along u of the formulas above, as polynomials in u:
//   dv/du    = L slope(u) = L (c0 + c1 u + c2 u^2 + c3 u^3), with
//              c0 = tI, c1 = 6 (vJ - vI) / L - 4 tI - 2 tJ + w, c2 = 6 (vI - vJ) / L + 3 (tI + tJ)
//              - 3 w, c3 = 2 w (the load term w u (1-u)(1-2u) = w (u - 3u^2 + 2u^3));
//   dslope/du = c1 + 2 c2 u + 3 c3 u^2;
//   dTy/du   = -p L, constant: Ty is linear and has its extremes at the element's ends;
//   dMfz/du  = -q3 L - p L^2 (1-u).
// The constant factor L does not move the roots and is left out.
std::vector<double> TCourbes::Stationnaires(TGrandeur g) const {
  const double wCharge = Charge && Flexible ? w : 0;
  const double pCharge = Charge ? p : 0;
  const double corde = (vJ - vI) / L;
  const double c1 = ((6 * corde - 4 * tI) - 2 * tJ) + wCharge;
  const double c2 = ((-6 * corde) + 3 * (tI + tJ)) - 3 * wCharge;
  const double c3 = 2 * wCharge;
  TPolynome derivee;
  switch (g) {
    case TGrandeur::Fleche:
      derivee.C[0] = tI;
      derivee.C[1] = c1;
      derivee.C[2] = c2;
      derivee.C[3] = c3;
      break;
    case TGrandeur::Pente:
      derivee.C[0] = c1;
      derivee.C[1] = 2 * c2;
      derivee.C[2] = 3 * c3;
      break;
    case TGrandeur::Ty:
      break;
    case TGrandeur::Mfz:
      derivee.C[0] = -q3 - pCharge * L;
      derivee.C[1] = pCharge * L;
      break;
  }
  return Racines(derivee, 0, 1);
}
