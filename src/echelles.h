// The scales of the drawing: where a value falls between two bounds, round tick steps, the ticks
// between two bounds and their texts, and the extremes and value scale of a diagram, from the
// exact extremes of its quantity over the beam.
//
// Only the four operations, floor and ceil are used, which IEEE 754 arithmetic rounds the same on
// every machine, so that the scales, and the drawing, are the same bytes everywhere.
#pragma once

#include <cstdint>
#include <string>

#include "UTypes.h"
#include "extremes.h"

// One column of the element graphs: &TGraphe::Fleche, &TGraphe::Pente, &TGraphe::Ty or
// &TGraphe::Mfz.
using TColonneGraphe = TTableau<double, 0, 10> TGraphe::*;

// What a diagram shows of one quantity over the whole beam: its exact extremes, and the range and
// step of its value scale. Only finite points count (a point whose value or abscissa is not
// finite is skipped); a tie goes to the graph rows, then to the first point met.
struct TEchelleDiagramme {
  bool Valeurs = false;    // at least one finite point
  bool NonFinies = false;  // at least one point skipped
  double Min = 0;          // smallest value, and its abscissa (m)
  double XMin = 0;
  double Max = 0;  // largest value, and its abscissa (m)
  double XMax = 0;
  // The scale runs from Bas to Haut and always holds 0, so that the diagram's zero line shows. Its
  // ticks are the multiples of Pas between them, Pas being 1, 2 or 5 times a power of ten, about a
  // fifth of the range; Bas and Haut are rounded outwards to ticks. Without a range (every value
  // 0, or no finite value) the scale is -1 to 1 with the zero tick alone: Pas = 0.
  double Bas = -1;
  double Haut = 1;
  double Pas = 0;
  int Exposant = 0;  // Pas is 1, 2 or 5 times 10^Exposant
};

// The extremes and the scale of one quantity, from its exact extremes (ExtremesExacts).
TEchelleDiagramme EchelleDiagramme(const TExtremesGrandeur& extremes);

// The number of elements whose graphs the run kept, and the index of the last point of a graph
// (-1 for none): the graphs that the scales and the diagrams read.
std::int32_t NombreGraphes(const TStructure& s);
std::int32_t DernierPoint(const TGraphe& g);

// The fraction of the way from bas to haut (bas < haut) at which v lies. When the range itself
// overflows (bounds of opposite signs near the largest double), it is taken in halves.
double Fraction(double v, double bas, double haut);

// A tick step: the smallest of 1, 2, 5 and 10 times a power of ten that is at least `brut`, and
// the exponent of that step's leading digit. Pas = 0 when there is none: brut not a positive
// finite number, or below the smallest power of ten that a double holds.
struct TPas {
  double Pas = 0;
  int Exposant = 0;
};
TPas PasRond(double brut);

// The ticks of a scale: the multiples of pas from bas to haut, at most 20 of them (the scales
// here have about 5 to 10). A bound that is a tick up to rounding (within a hundredth of a step)
// keeps its tick.
struct TGraduations {
  double Premier = 0;  // the first tick's multiple of pas
  int Nombre = 0;
};
TGraduations Graduations(double bas, double haut, double pas);

// The text of a tick's value: fixed point with the decimals that the step needs, or the
// scientific form when the step is below 10^-9 or above 10^9. The zero tick is +0, so that it
// prints without a sign.
std::string ValeurGraduation(double valeur, int exposant);
