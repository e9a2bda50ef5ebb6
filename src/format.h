// Field writers of the report: every number and right-aligned heading of the
// report goes through one of these three functions.
//
// Texts are Windows-1252 bytes, one byte per character. A width is a minimum:
// a shorter text gets blanks on its left up to the width, a longer one is
// returned whole. A width of 0 or less adds nothing. A width is honoured as
// given, however large: the padding is computed in std::size_t, so no width
// overflows; a width near INT_MAX asks for a string of that many bytes, which
// the allocator gives or refuses with std::bad_alloc.
#ifndef VORTALE_FORMAT_H
#define VORTALE_FORMAT_H

#include <cstdint>
#include <string>

#include "etendu.h"

// The integer in decimal, "-" before a negative value, right-aligned.
std::string FormatEntier(std::int32_t valeur, int largeur);

// The text unchanged, right-aligned.
std::string FormatTexte(const std::string& texte, int largeur);

// The real in fixed point with `decimales` decimals (at most 216 are written),
// right-aligned; in scientific form when `decimales` is negative or the
// magnitude is 2^120 or more. The digits come from the value held in 64-bit
// extended precision (TEtendu): in fixed point a magnitude below 10 keeps its
// unit digit and 17 decimals; a larger one, and every value in scientific
// form, is scaled by powers of ten to between 1 and 16 and keeps 18
// significant digits (19 when the scaled value is 10 or more). That decimal
// form is then rounded half away from zero at the last printed digit. The
// sign bit gives the sign: -0.0, and negative values that round to zero,
// print "-0...". Not-a-number prints "Nan", infinities "+Inf" and "-Inf".
// The value's binary exponent must lie in the x87 range, -16445 to 16383
// (every double, every long double of the x87 type, and the report's
// products do); beyond it std::out_of_range is thrown.
std::string FormatReel(const TEtendu& valeur, int largeur, int decimales);
std::string FormatReel(double valeur, int largeur, int decimales);

#if VORTALE_LONG_DOUBLE_X87
// The x87 value, converted exactly (subnormals, infinities and not-a-numbers
// included).
std::string FormatReel(long double valeur, int largeur, int decimales);
#endif

// A field of the report for a real: its width and its number of decimals.
struct TChamp {
  int Largeur;
  int Decimales;
};
inline std::string FormatReel(double valeur, TChamp champ) {
  return FormatReel(valeur, champ.Largeur, champ.Decimales);
}

// The report's fields for the values that the drawing labels too, so that a label shows the very
// text that the report prints for its value.
constexpr TChamp ChampAbscisse{7, 3};         // graph rows: x (m)
constexpr TChamp ChampFleche{12, 6};          // graph rows: deflection (m)
constexpr TChamp ChampPente{13, 5};           // graph rows: slope (rad)
constexpr TChamp ChampTy{12, 2};              // graph rows: shear force (N)
constexpr TChamp ChampMfz{10, 2};             // graph rows: bending moment (N.m)
constexpr TChamp ChampAction{5, 0};           // support reactions Ry (N) and Mz (N.m)
constexpr TChamp ChampChargeNodale{7, 0};     // nodal loads Fy (N) and Mz (N.m)
constexpr TChamp ChampChargeRepartie{10, 0};  // uniform loads py (N/m)

// A field without the blanks that right-align it: the text of a value as the report prints it,
// for a label or a summary.
std::string SansBlancs(std::string champ);

#endif
