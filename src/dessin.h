// The drawing of a complete run: the beam and its four diagrams on one SVG page.
#pragma once

#include <string>

#include "UTypes.h"

// One column of the element graphs: &TGraphe::Fleche, &TGraphe::Pente, &TGraphe::Ty or
// &TGraphe::Mfz.
using TColonneGraphe = TTableau<double, 0, 10> TGraphe::*;

// What a diagram shows of one column over the whole beam: its extremes, and the range and step of
// its value scale. Only finite points count (a point whose value or abscissa is not finite is
// skipped); a tie goes to the first point met, in element order then point order.
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

// The extremes and the scale of one column, read from the graphs kept in
// s.Graphes[1..Elements.Nombre].
TEchelleDiagramme EchelleDiagramme(const TStructure& s, TColonneGraphe colonne);

// The drawing of a model after a complete run (Calculer returned true): one self-contained SVG 1.1
// document, UTF-8, A4 landscape. It reads the nodes, elements, supports, loads and reactions of s
// and the graphs that the report printed (s.Graphes), never computing anything again.
std::string DessinSvg(const TStructure& s);
