// The symbols of the beam's panel, each one short function drawing into the document at its
// abscissa x (px), on the beam's axis or at a support's height y (px, y downwards).
#pragma once

#include "svg.h"

namespace Symboles {

// The beam's axis in its panel (px from the page's top).
constexpr double YPoutre = 130;

// Strokes: supports and their walls and hatching, loads and their arrows.
inline const char* const TraitAppui = "stroke=\"#222222\" stroke-width=\"1.2\" fill=\"#ffffff\"";
inline const char* const TraitMur = "stroke=\"#222222\" stroke-width=\"2\" fill=\"none\"";
inline const char* const TraitHachure = "stroke=\"#222222\" stroke-width=\"0.8\" fill=\"none\"";
inline const char* const TraitCharge = "stroke=\"#b03a2e\" stroke-width=\"1.3\" fill=\"none\"";
inline const char* const TraitFleche = "stroke=\"#b03a2e\" stroke-width=\"1.3\" fill=\"#b03a2e\"";

// Into the open path (drawn in TraitFleche): a vertical arrow from yQueue to its tip at yPointe, a
// shaft and a head 7 px long and wide.
void Fleche(TSvg& svg, double x, double yQueue, double yPointe);

// Into the open path (drawn in TraitAppui): a node, a small circle of radius 2.5 px as two
// half-circle arcs.
void Noeud(TSvg& svg, double x);

// A support of code 1, deflection blocked: a pin, a triangle under the axis (at the height y,
// YPoutre unless it settles) on a hatched ground line.
void AppuiSimple(TSvg& svg, double x, double y);

// A support of code 2, slope blocked: a sleeve between two hatched vertical guides, which let the
// node move up and down but not turn.
void AppuiGlissiere(TSvg& svg, double x, double y);

// A support of code 3, clamped: a wall across the beam, hatched on its outer side, to the left
// for a node on the left half of the beam, to the right otherwise.
void Encastrement(TSvg& svg, double x, double y, bool aGauche);

// A nodal force: an arrow down onto the node, or up from it, in the direction of the force.
void ForceNodale(TSvg& svg, double x, bool versLeBas);

// A nodal moment: three quarters of a circle of radius 13 px over the node, from 45 degrees below
// the axis on the right, over the top, to 45 degrees below it on the left: from (x + c, y + c) to
// (x - c, y + c), c = 13 cos 45 = 9.19 px. The head is at the left end, pointing down and right,
// for a counterclockwise moment, and at the right end, pointing down and left, for a clockwise
// one: its tip 4 px beyond the end along the tangent, 7 px long and wide.
void MomentNodal(TSvg& svg, double x, bool antihoraire);

// A uniform load py (N/m) from xI to xJ: a load line 20 px over the beam and, unless py is zero,
// at least three arrows, about 16 px apart, pointing down onto the beam when py < 0, up from it
// when py > 0.
void ChargeUniforme(TSvg& svg, double xI, double xJ, double py);

// A spring on the deflection: a zig-zag from the node down to a hatched ground line.
void RessortVertical(TSvg& svg, double x);

// A spring on the slope: a coil of two half-turns of growing radius around the node, over it.
void RessortSpirale(TSvg& svg, double x);

// A hinge at an element's end: an open circle on the axis, just inside the element from its node
// (cote +1 when the element lies to the right of the node, -1 to its left).
void Rotule(TSvg& svg, double x, double cote);

// A load varying linearly from pa at xA to pb at xB (px): arrows about 16 px apart whose lengths
// follow |p|, up to 30 px for the larger of |pa| and |pb|, pointing down onto the beam where p < 0
// and up from it where p > 0, and the line through their tails.
void ChargeTrapeze(TSvg& svg, double xA, double xB, double pa, double pb);

}  // namespace Symboles
