// The curves along one element after the solve: deflection, slope, shear force and bending moment
// at any point of it, and the points inside it where each is stationary.
#pragma once

#include <cstdint>
#include <vector>

#include "UTypes.h"

// The four quantities of an element's curves, in the order of the graph columns.
enum class TGrandeur { Fleche, Pente, Ty, Mfz };

// One point of the curves: its abscissa (m, the nodes' origin) and the four values there.
struct TPointCourbe {
  double Abscisse = 0;
  double Fleche = 0;  // m
  double Pente = 0;   // rad
  double Ty = 0;      // N
  double Mfz = 0;     // N.m
  double Valeur(TGrandeur g) const;
};

// The curves of an element of s, numbered `numero` in its list (0 for an element outside the list,
// which no load names), once its end forces are known. Each point is computed by the
// formulas of the report's graph rows, so that a point at a row's fraction u gives that row's
// very bits.
class TCourbes {
 public:
  TCourbes(const TStructure& s, const TElement& element, std::int32_t numero);
  // The point at the fraction u of the element from NoeudI (0 to 1).
  TPointCourbe Point(double u) const;
  // The fractions u strictly between 0 and 1 where the quantity is stationary: its derivative
  // along the element, a polynomial in u, is 0 there.
  std::vector<double> Stationnaires(TGrandeur g) const;

 private:
  double X0, L;
  double vI, tI, vJ, tJ;  // end displacements, m and rad
  double q3, q4;          // end forces at NoeudJ, N and N.m
  double p;               // total uniform load, N/m
  bool Charge;            // |p| above the negligible load
  bool Flexible;          // E Iz is not 0
  double w;               // p L^3 / (12 E Iz), rad
};
