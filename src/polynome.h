// Polynomials of degree 4 at most, and their real roots on an interval: the stationary points of
// the curves along an element (a moment where the shear is 0, a deflection where the slope is 0).
#pragma once

#include <vector>

// c[0] + c[1] t + ... + c[4] t^4.
struct TPolynome {
  double C[5] = {0, 0, 0, 0, 0};
  double Valeur(double t) const;  // by Horner's rule
  TPolynome Derivee() const;
  int Degre() const;  // the highest power whose coefficient is not 0; -1 for the zero polynomial
};

// The roots of p inside the open interval (a, b), a < b, in increasing order: every point where p
// changes sign, or touches 0 between two of its monotone pieces. Each is located to within a few
// units of the last place of t (bracketed Newton steps, bisection where Newton leaves the bracket).
// The zero polynomial has none: its quantity is constant.
std::vector<double> Racines(const TPolynome& p, double a, double b);
