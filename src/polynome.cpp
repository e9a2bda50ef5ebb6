// Real roots of a polynomial of degree 4 at most on an interval.
//
// The derivative's roots cut the interval into pieces on which p is monotone; a piece whose ends
// have values of opposite signs holds exactly one root, found by Newton steps kept inside the
// bracket, and a derivative root where p is exactly 0 is a root itself (p touches 0 there).
#include "polynome.h"

#include <cmath>

double TPolynome::Valeur(double t) const {
  double v = C[4];
  for (int k = 3; k >= 0; --k) v = v * t + C[k];
  return v;
}

TPolynome TPolynome::Derivee() const {
  TPolynome d;
  for (int k = 1; k <= 4; ++k) d.C[k - 1] = k * C[k];
  return d;
}

int TPolynome::Degre() const {
  int degre = 4;
  while (degre >= 0 && C[degre] == 0) --degre;
  return degre;
}

// The one root of the monotone p between a and b, where p(a) and p(b) have opposite signs: a
// Newton step from the bracket's better end when it lands strictly inside the bracket, the
// midpoint otherwise; the bracket shrinks at every step until its ends are neighbours.
static double RacineEncadree(const TPolynome& p, const TPolynome& derivee, double a, double b) {
  double fa = p.Valeur(a);
  double t = 0.5 * a + 0.5 * b;
  for (int pas = 0; pas < 200; ++pas) {
    const double ft = p.Valeur(t);
    if (ft == 0) return t;
    if ((ft < 0) == (fa < 0)) {
      a = t;
      fa = ft;
    } else {
      b = t;
    }
    const double milieu = 0.5 * a + 0.5 * b;
    if (!(milieu > a && milieu < b)) break;  // a and b are neighbouring doubles
    const double pente = derivee.Valeur(t);
    const double newton = pente != 0 ? t - ft / pente : milieu;
    t = newton > a && newton < b ? newton : milieu;
  }
  return 0.5 * a + 0.5 * b;
}

std::vector<double> Racines(const TPolynome& p, double a, double b) {
  std::vector<double> racines;
  const int degre = p.Degre();
  if (degre <= 0 || !(a < b)) return racines;
  if (degre == 1) {
    const double t = -p.C[0] / p.C[1];
    if (t > a && t < b) racines.push_back(t);
    return racines;
  }
  const TPolynome derivee = p.Derivee();
  std::vector<double> bornes{a};
  for (double t : Racines(derivee, a, b)) bornes.push_back(t);
  bornes.push_back(b);
  for (std::size_t k = 0; k + 1 < bornes.size(); ++k) {
    const double g = bornes[k], d = bornes[k + 1];
    const double fg = p.Valeur(g), fd = p.Valeur(d);
    if (k > 0 && fg == 0) {
      racines.push_back(g);
    } else if ((fg < 0 && fd > 0) || (fg > 0 && fd < 0)) {
      racines.push_back(RacineEncadree(p, derivee, g, d));
    }
  }
  return racines;
}
