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
// which no load names), once its end forces are known. Each point is computed by the formulas of
// the report's graph rows, so that a point at a row's fraction u gives that row's very bits.
//
// An element with none of the extended model's loads and no hinge keeps the cubic Hermite
// interpolation of its end displacements with the clamped-clamped solution of its uniform load.
// The others are cut into pieces between their load points (point loads, ends of trapezoidal
// loads), on each of which the curves are polynomials, from statics and two integrations of the
// moment; a point load belongs to the part left of the section at x when its a <= x + 1e-9 L, so
// that a row at a load's abscissa shows the values just after it.
class TCourbes {
 public:
  TCourbes(const TStructure& s, const TElement& element, std::int32_t numero);
  // The point at the fraction u of the element from NoeudI (0 to 1).
  TPointCourbe Point(double u) const;
  // The candidates of the extremes of the quantity inside the element, besides the rows: the
  // points where it is stationary (its derivative along the element is 0), and on both sides of
  // every load point.
  std::vector<TPointCourbe> Candidats(TGrandeur g) const;
  // The points that draw the element's curves: n + 1 equally spaced ones, and both sides of every
  // point load, in order along the element.
  std::vector<TPointCourbe> Echantillons(std::int32_t n) const;
  bool Morcelee() const { return !Morceaux.empty(); }

 private:
  // One piece from Debut to Fin (m from NoeudI), where the distributed load is P0 + P1 t, t being
  // the distance from Debut, and T0, M0, Theta0, V0 the shear, moment, slope and deflection at
  // its start, just after the loads standing there.
  struct TMorceau {
    double Debut, Fin;
    double P0, P1;
    double T0, M0, Theta0, V0;
  };
  TPointCourbe Hermite(double u) const;
  TPointCourbe SurMorceau(const TMorceau& m, double x) const;
  const TMorceau& MorceauEn(double x) const;
  std::vector<double> Stationnaires(TGrandeur g) const;
  void Morceler(const TStructure& s, const TElement& element, std::int32_t numero);

  double X0, L;
  double vI, tI, vJ, tJ;           // end displacements, m and rad
  double q3, q4;                   // end forces at NoeudJ, N and N.m
  double p;                        // total uniform load, N/m
  bool Charge;                     // |p| above the negligible load
  bool Flexible;                   // E Iz is not 0
  double EI;                       // N.m2
  double w;                        // p L^3 / (12 E Iz), rad
  std::vector<TMorceau> Morceaux;  // the pieces of an element of the extended model
};
