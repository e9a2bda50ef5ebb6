// The drawing of a complete run: the beam and its four diagrams on one SVG page.
#pragma once

#include <string>

#include "UTypes.h"
#include "extremes.h"

// The drawing of a model after a complete run (Calculer returned true): one self-contained SVG 1.1
// document, UTF-8, A4 landscape. It reads the nodes, elements, supports, loads and reactions of s,
// the graphs that the report printed (s.Graphes), the curves of the elements of the extended model
// between them, and marks the exact extremes of the run.
std::string DessinSvg(const TStructure& s, const TExtremes& extremes);
