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

#include <algorithm>
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
  EI = element.E * element.Iz;
  w = Flexible ? (p * L3) / ((12 * element.E) * element.Iz) : 0;
  if (numero >= 1 && s.Etendu(numero)) Morceler(s, element, numero);
}

TPointCourbe TCourbes::Point(double u) const {
  if (Morceaux.empty()) return Hermite(u);
  TPointCourbe point = SurMorceau(MorceauEn(u * L), u * L);
  point.Abscisse = X0 + u * L;
  return point;
}

TPointCourbe TCourbes::Hermite(double u) const {
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

// ---------------------------------------------------------------------------------------------
// The pieces of an element of the extended model
// ---------------------------------------------------------------------------------------------

// A point load belongs to the left of the section at x when a <= x + Tolerance L: a section
// computed as u L that misses a by a rounding still shows the values just after the load.
constexpr double Tolerance = 1e-9;

// The pieces between the element's load points, from its end forces at NoeudI (q1, q2), its own
// rotation and deflection at NoeudI, and its loads. On a piece where the distributed load is
// p(t) = P0 + P1 t (the uniform loads and the trapezoids over it), t from the piece's start:
//   Ty(t)    = T0 - P0 t - P1 t^2 / 2,                       (dTy/dx = -p)
//   Mfz(t)   = M0 - T0 t + P0 t^2 / 2 + P1 t^3 / 6,           (dMfz/dx = -Ty)
//   theta(t) = Theta0 + (M0 t - T0 t^2 / 2 + P0 t^3 / 6 + P1 t^4 / 24) / EI,
//   v(t)     = V0 + Theta0 t + (M0 t^2 / 2 - T0 t^3 / 6 + P0 t^4 / 24 + P1 t^5 / 120) / EI.
// At x = 0, Ty = -q1 and Mfz = -q2; a point force Fy at a lowers Ty by Fy and a point moment Mz
// lowers Mfz by Mz (the left part then carries them); slope and deflection are continuous. The
// loads standing at x = L get a last piece of no length, so that the section at L carries them.
void TCourbes::Morceler(const TStructure& s, const TElement& element, std::int32_t numero) {
  std::vector<double> bornes{0, L};
  for (std::int32_t i = 1; i <= s.Ponctuelles.Nombre; ++i) {
    if (s.Ponctuelles.Item(i).Element == numero) bornes.push_back(s.Ponctuelles.Item(i).A);
  }
  for (std::int32_t i = 1; i <= s.Trapezes.Nombre; ++i) {
    const TTrapeze& t = s.Trapezes.Item(i);
    if (t.Element == numero) bornes.insert(bornes.end(), {t.A, t.B});
  }
  std::sort(bornes.begin(), bornes.end());
  bornes.erase(std::unique(bornes.begin(), bornes.end()), bornes.end());
  bornes.push_back(L);  // the last piece, of no length, for the loads at L
  TMorceau m{0, 0, 0, 0, -element.Efforts[1], -element.Efforts[2], element.RotationI, vI};
  for (std::size_t k = 0; k + 1 < bornes.size(); ++k) {
    m.Debut = bornes[k];
    m.Fin = bornes[k + 1];
    if (k > 0) {
      const TPointCourbe fin = SurMorceau(Morceaux.back(), m.Debut);
      m.T0 = fin.Ty, m.M0 = fin.Mfz, m.Theta0 = fin.Pente, m.V0 = fin.Fleche;
    }
    for (std::int32_t i = 1; i <= s.Ponctuelles.Nombre; ++i) {
      const TPonctuelle& c = s.Ponctuelles.Item(i);
      if (c.Element == numero && c.A == m.Debut) m.T0 = m.T0 - c.Fy, m.M0 = m.M0 - c.Mz;
    }
    m.P0 = p;
    m.P1 = 0;
    for (std::int32_t i = 1; i <= s.Trapezes.Nombre; ++i) {
      const TTrapeze& t = s.Trapezes.Item(i);
      if (t.Element != numero || !(t.A <= m.Debut && m.Fin <= t.B && m.Debut < m.Fin)) continue;
      const double pente = (t.Pb - t.Pa) / (t.B - t.A);
      m.P0 = m.P0 + (t.Pa + pente * (m.Debut - t.A));
      m.P1 = m.P1 + pente;
    }
    if (m.Fin > m.Debut || k + 2 == bornes.size()) Morceaux.push_back(m);
  }
}

// The piece whose formulas hold at x: the last one that starts at x + Tolerance L or before.
const TCourbes::TMorceau& TCourbes::MorceauEn(double x) const {
  std::size_t k = 0;
  while (k + 1 < Morceaux.size() && Morceaux[k + 1].Debut <= x + Tolerance * L) ++k;
  return Morceaux[k];
}

// The curves at x (m from NoeudI) by the formulas of piece m. Without bending stiffness the
// deflection and slope are the Hermite interpolation of the end values with the nodes' slopes.
TPointCourbe TCourbes::SurMorceau(const TMorceau& m, double x) const {
  const double t = x - m.Debut, t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t;
  TPointCourbe point;
  point.Abscisse = X0 + x;
  point.Ty = (m.T0 - m.P0 * t) - m.P1 * t2 / 2;
  point.Mfz = ((m.M0 - m.T0 * t) + m.P0 * t2 / 2) + m.P1 * t3 / 6;
  if (Flexible) {
    point.Pente = m.Theta0 + (((m.M0 * t - m.T0 * t2 / 2) + m.P0 * t3 / 6) + m.P1 * t4 / 24) / EI;
    point.Fleche = (m.V0 + m.Theta0 * t) +
                   (((m.M0 * t2 / 2 - m.T0 * t3 / 6) + m.P0 * t4 / 24) + m.P1 * t5 / 120) / EI;
  } else {
    const TPointCourbe hermite = Hermite(x / L);
    point.Pente = hermite.Pente;
    point.Fleche = hermite.Fleche;
  }
  return point;
}

// The derivative along x of each quantity on piece m, as a polynomial in t: dv/dx = theta,
// dtheta/dx = Mfz / EI (EI leaves the roots where they are), dMfz/dx = -Ty, dTy/dx = -p.
static TPolynome DeriveeSurMorceau(TGrandeur g, double T0, double M0, double Theta0, double P0,
                                   double P1, double EI) {
  TPolynome d;
  switch (g) {
    case TGrandeur::Fleche:
      d.C[0] = Theta0, d.C[1] = M0 / EI, d.C[2] = -T0 / (2 * EI), d.C[3] = P0 / (6 * EI);
      d.C[4] = P1 / (24 * EI);
      break;
    case TGrandeur::Pente:
      d.C[0] = M0, d.C[1] = -T0, d.C[2] = P0 / 2, d.C[3] = P1 / 6;
      break;
    case TGrandeur::Mfz:
      d.C[0] = T0, d.C[1] = -P0, d.C[2] = -P1 / 2;
      break;
    case TGrandeur::Ty:
      d.C[0] = P0, d.C[1] = P1;
      break;
  }
  return d;
}

std::vector<TPointCourbe> TCourbes::Candidats(TGrandeur g) const {
  std::vector<TPointCourbe> candidats;
  if (Morceaux.empty()) {
    for (const double u : Stationnaires(g)) candidats.push_back(Point(u));
    return candidats;
  }
  const bool hermite = !Flexible && (g == TGrandeur::Fleche || g == TGrandeur::Pente);
  if (hermite) {
    for (const double u : Stationnaires(g)) candidats.push_back(Point(u));
  }
  for (const TMorceau& m : Morceaux) {
    candidats.push_back(SurMorceau(m, m.Debut));
    candidats.push_back(SurMorceau(m, m.Fin));
    if (hermite || !(m.Fin > m.Debut)) continue;
    const TPolynome d = DeriveeSurMorceau(g, m.T0, m.M0, m.Theta0, m.P0, m.P1, EI);
    for (const double t : Racines(d, 0, m.Fin - m.Debut)) {
      candidats.push_back(SurMorceau(m, m.Debut + t));
    }
  }
  return candidats;
}

std::vector<TPointCourbe> TCourbes::Echantillons(std::int32_t n) const {
  std::vector<TPointCourbe> points;
  std::size_t k = 0;
  for (std::int32_t i = 0; i <= n; ++i) {
    const double x = static_cast<double>(i) / n * L;
    // Both sides of every load point passed: the end of its piece, then the start of the next.
    while (!Morceaux.empty() && k + 1 < Morceaux.size() && Morceaux[k + 1].Debut <= x) {
      points.push_back(SurMorceau(Morceaux[k], Morceaux[k].Fin));
      points.push_back(SurMorceau(Morceaux[k + 1], Morceaux[k + 1].Debut));
      ++k;
    }
    points.push_back(Point(static_cast<double>(i) / n));
  }
  return points;
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
  const bool charge = Charge && Morceaux.empty();  // the extended model's pieces, no load terms
  const double wCharge = charge && Flexible ? w : 0;
  const double pCharge = charge ? p : 0;
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
