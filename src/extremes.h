// The exact extremes of the beam's curves: over the graph rows of every element and, inside each
// element, the points where its curves are stationary.
#pragma once

#include "UTypes.h"
#include "courbes.h"

// One extreme value and its abscissa (m).
struct TExtreme {
  double Valeur = 0;
  double Abscisse = 0;
  bool Trouve = false;
};

// The extremes of one quantity over the whole beam.
//  - Min and Max: the smallest and the largest finite value at a finite abscissa (the drawing's
//    marks); a point that is not finite is skipped, and NonFinies says so.
//  - PlusGrand: the value of largest magnitude (the summary); a value that is not a number is
//    kept only until any other value comes.
// The graph rows come first, in element order then row order, and then the stationary points; a
// candidate replaces the one kept only when it is strictly beyond it, so that on a tie the row
// wins and an extreme at a node keeps the row's digits.
struct TExtremesGrandeur {
  TExtreme Min, Max, PlusGrand;
  bool NonFinies = false;
  void Retenir(double valeur, double abscisse);
};

struct TExtremes {
  TExtremesGrandeur Grandeurs[4];  // in the order of TGrandeur
  const TExtremesGrandeur& operator[](TGrandeur g) const { return Grandeurs[static_cast<int>(g)]; }
};

// The extremes of a complete run: the graphs that the report printed (s.Graphes) and the curves of
// every element.
TExtremes ExtremesExacts(const TStructure& s);
