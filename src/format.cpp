// Field writers of the report.
//
// Reals are not written through printf or streams: those round the binary
// value once, correctly, whereas the report first reduces the value to 18
// decimal digits (19 for a scaled value of 10 or more) in 64-bit extended
// arithmetic (TEtendu: the same bits on every machine) and then rounds that
// decimal form half away from zero at the last printed digit. The two differ
// on exact halves (2.5 gives 3 here) and on values a hair below a half.
//
// The report writes a few thousand fields, so the string handling is kept to
// a minimum: the 18 generated digits stay one 64-bit integer, which is cut
// and rounded by an integer division; only the digits printed are turned
// into characters, and they are written straight into the result string,
// made once at its final width. A report field fits the string's own small
// buffer, so a call allocates nothing.
#include "format.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace {

const int ChiffresGeneres = 18;  // the digits of D
const int DecimalesMax = 216;
const int ChiffresMantisseMin = 2;
const int ChiffresMantisseMax = 18;
const int LargeurHorsMantisse = 8;  // sign, point, "E", exponent sign, 4 digits
const int ChiffresExposant = 4;

// 10^0 to 10^18, as 64-bit integers.
const std::uint64_t DixPuissanceEntiere[ChiffresGeneres + 1] = {
    1u,
    10u,
    100u,
    1000u,
    10000u,
    100000u,
    1000000u,
    10000000u,
    100000000u,
    1000000000u,
    10000000000u,
    100000000000u,
    1000000000000u,
    10000000000000u,
    100000000000000u,
    1000000000000000u,
    10000000000000000u,
    100000000000000000u,
    1000000000000000000u,
};

// From 2^120 on, fixed point would need more than 37 integer digits.
const TEtendu SeuilScientifique = 0x1p120;

// The binary exponents of the x87 range, from its smallest subnormal to its
// largest value: those of every double, every x87 value and every product
// the report formats. The scientific exponent then has four digits at most.
const int ExposantMin = -16445;
const int ExposantMax = 16383;

const TEtendu Dix = 10.0;

const int LongueurEntierMax = 11;  // "-2147483648"

// Quotient rounded towards minus infinity; the built-in division truncates
// towards zero, which is one too high for a negative inexact quotient.
constexpr int DivisionPlancher(int a, int b) { return a / b - ((a % b != 0 && a < 0) ? 1 : 0); }

// Power of ten t taken out of a magnitude whose binary exponent is b:
// floor(b x 19728 / 65536), where 19728 / 65536 is log10(2) to 16 bits. The
// scaled magnitude lands near 1..20, and the scaling loop finishes the job.
constexpr int Decade(int b) { return DivisionPlancher(b * 19728, 65536); }

// The scaling multiplies by 10^-t: from 10^-4931 for the largest magnitude
// to 10^4951 for the smallest subnormal.
static_assert(-Decade(ExposantMax) >= -PuissanceDixMax && -Decade(ExposantMin) <= PuissanceDixMax,
              "powers of ten out of range");

// The two digits of every number below 100, "00" to "99": digits are written
// two at a time, which halves the divisions, the main cost of writing them.
constexpr char Paires[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// A slice of at most nine digits, which fit in 32 bits: 32-bit divisions by
// a constant cost fewer instructions than 64-bit ones.
const int ChiffresTranche = 9;

// Writes the `nombre` (at most 9) last decimal digits of v, with leading
// zeros, in the `nombre` characters that end at `fin`; returns their start.
char* EcrireTranche(std::uint32_t v, int nombre, char* fin) {
  char* const debut = fin - nombre;
  while (fin - debut >= 2) {
    fin -= 2;
    std::memcpy(fin, Paires + 2 * (v % 100), 2);
    v /= 100;
  }
  if (fin != debut) *--fin = static_cast<char>('0' + v % 10);
  return fin;
}

// Writes the `nombre` decimal digits of v < 10^nombre, with leading zeros,
// from `debut` on, and returns the end of what it wrote: slices of nine
// digits from the right, the last one holding the first digits. A report's
// numbers have nine digits at most, a single slice.
char* EcrireChiffres(std::uint64_t v, int nombre, char* debut) {
  char* const fin = debut + nombre;
  char* finTranche = fin;
  for (; nombre > ChiffresTranche; nombre -= ChiffresTranche) {
    const std::uint64_t tranche = DixPuissanceEntiere[ChiffresTranche];
    finTranche =
        EcrireTranche(static_cast<std::uint32_t>(v % tranche), ChiffresTranche, finTranche);
    v /= tranche;
  }
  EcrireTranche(static_cast<std::uint32_t>(v), nombre, finTranche);
  return fin;
}

// Scaling: multiplies m by 10^-t, each product rounded once, until its
// binary exponent lies in 0..3, where t is 0: then 1 <= m < 16, and k counts
// the powers taken out. A magnitude below 1 has a negative t and is
// multiplied by 10^|t|. The magnitudes of the x87 subnormals need up to
// 10^4951, beyond the x87 range: in x87 arithmetic the product had to be
// formed as (m x 2^64) x (5^64 x 10^(|t|-64)), the second factor having the
// same 64-bit significand as 10^|t|. The exponent of TEtendu has room for
// 10^4951 itself, so that product is simply m x 10^|t|, rounded once.
TEtendu MettreAEchelle(TEtendu m, int& k) {
  k = 0;
  while (m.Nature != TEtendu::TNature::Zero) {
    const int t = Decade(m.Exposant);
    if (t == 0) break;
    m = m * PuissanceDix(-t);
    k += t;
  }
  return m;
}

// The digits of a magnitude, as one integer: y = m x 10^17, rounded once in
// extended, then to the nearest integer with ties to even (rint). Written in decimal, y is the lead
// digit L followed by the 18 digits D: as m < 16, y is at most 1.6 x 10^18, and L is 1 exactly when
// y reaches 10^18. The value is about L D[0] . D[1] D[2] ... x 10^k when L is 1, D[0] . D[1] ... x
// 10^k otherwise.
struct Chiffres {
  int k = 0;            // power of ten taken out by the scaling
  std::uint64_t y = 0;  // L and D
};

Chiffres GenererChiffres(TEtendu m, bool echelle) {
  Chiffres c;
  if (echelle) m = MettreAEchelle(m, c.k);
  c.y = (m * DixPuissanceDixSept).ArrondiEntier();
  return c;
}

// L and the first p digits of D, as one integer q.
struct Coupe {
  std::uint64_t q = 0;
  int chiffres = 0;  // the digits of D in q, min(p, 18): L is 1 when q >= 10^chiffres
};

// Keeps the first p digits of D (p >= 1). Below 18 digits, the (p+1)-th digit
// decides: 5 or more adds one to the p-th digit, the carry running left
// through nines and out of D[0] into L. On the integer y, that is dropping
// its last 18 - p digits and adding one when they make at least half of the
// unit 10^(18-p) dropped; the carry is that of the addition. When L is
// already 1, D starts with 6 at most (y <= 1.6 x 10^18), so the carry can
// only reach an L of 0. From 18 digits on, nothing is rounded, and the
// missing digits are zeros, written by the callers.
Coupe Couper(std::uint64_t y, int p) {
  if (p >= ChiffresGeneres) return {y, ChiffresGeneres};
  const std::uint64_t unite = DixPuissanceEntiere[ChiffresGeneres - p];
  std::uint64_t q = y / unite;
  if (y % unite >= unite / 2) ++q;
  return {q, p};
}

// A field for a text of `longueur` characters: the width, or the text's
// length when that is more, in blanks. The caller writes the text over the
// last `longueur` blanks, straight into the string: no copy, and no
// allocation when the field fits the string's own small buffer.
std::string Champ(std::size_t longueur, int largeur) {
  const bool aligner = largeur > 0 && static_cast<std::size_t>(largeur) > longueur;
  return std::string(aligner ? static_cast<std::size_t>(largeur) : longueur, ' ');
}

// Where a text of `longueur` characters starts in its field.
char* DebutDuTexte(std::string& champ, std::size_t longueur) {
  return champ.data() + (champ.size() - longueur);
}

// The text right-aligned in the width.
std::string AlignerADroite(std::string_view texte, int largeur) {
  std::string champ = Champ(texte.size(), largeur);
  std::copy(texte.begin(), texte.end(), DebutDuTexte(champ, texte.size()));
  return champ;
}

// Fixed point for m < 2^120: a magnitude below 10 is not scaled (k = 0);
// k + 1 integer digits (after L when L is 1), then the decimals. Of these
// k + 1 + d digits of D, q holds the first min(k + 1 + d, 18), after L, and
// a division by a power of ten splits them between the integer part and the
// decimals; the digits of D beyond the 18th are zeros.
std::string FormatFixe(bool negatif, const TEtendu& m, int decimales, int largeur) {
  const Chiffres c = GenererChiffres(m, m >= Dix);
  const int entiers = c.k + 1;
  const Coupe coupe = Couper(c.y, entiers + decimales);
  const int chiffresEntiers = std::min(coupe.chiffres, entiers);
  const int chiffresDecimaux = coupe.chiffres - chiffresEntiers;
  const std::uint64_t unite = DixPuissanceEntiere[chiffresDecimaux];
  std::uint64_t partieEntiere = coupe.q / unite;
  const bool l = partieEntiere >= DixPuissanceEntiere[chiffresEntiers];
  if (l) partieEntiere -= DixPuissanceEntiere[chiffresEntiers];
  const int longueur =
      (negatif ? 1 : 0) + (l ? 1 : 0) + entiers + (decimales > 0 ? 1 + decimales : 0);
  std::string champ = Champ(static_cast<std::size_t>(longueur), largeur);
  char* fin = DebutDuTexte(champ, static_cast<std::size_t>(longueur));
  if (negatif) *fin++ = '-';
  if (l) *fin++ = '1';
  fin = EcrireChiffres(partieEntiere, chiffresEntiers, fin);
  fin = std::fill_n(fin, entiers - chiffresEntiers, '0');
  if (decimales > 0) {
    *fin++ = '.';
    fin = EcrireChiffres(coupe.q % unite, chiffresDecimaux, fin);
    std::fill_n(fin, decimales - chiffresDecimaux, '0');
  }
  return champ;
}

// Scientific form: n = w - 8 mantissa digits, between 2 and 18, counted from
// L when L is 1 (the exponent then gains one); a sign position ("-" or a
// blank), d.ddd, "E", the exponent's sign and its magnitude in exactly four
// digits (the extended range keeps it below 10000, at most 4951): n + 8
// characters, right-aligned.
std::string FormatScientifique(bool negatif, const TEtendu& m, int largeur) {
  // Clamping the width before subtracting keeps any width from overflowing.
  const int n = std::clamp(largeur, ChiffresMantisseMin + LargeurHorsMantisse,
                           ChiffresMantisseMax + LargeurHorsMantisse) -
                LargeurHorsMantisse;
  const Chiffres c = GenererChiffres(m, true);
  const int l = c.y >= DixPuissanceEntiere[ChiffresGeneres] ? 1 : 0;
  const Coupe coupe = Couper(c.y, n - l);
  const int exposant = c.k + (coupe.q >= DixPuissanceEntiere[coupe.chiffres] ? 1 : 0);
  // A carry into an L of 0 leaves q = 10^n, 1 and n zeros, of which the
  // mantissa keeps n.
  const std::uint64_t mantisse = coupe.q >= DixPuissanceEntiere[n] ? coupe.q / 10 : coupe.q;
  const std::uint64_t unite = DixPuissanceEntiere[n - 1];
  const std::size_t longueur = static_cast<std::size_t>(n + LargeurHorsMantisse);
  std::string champ = Champ(longueur, largeur);
  char* fin = DebutDuTexte(champ, longueur);
  *fin++ = negatif ? '-' : ' ';
  *fin++ = static_cast<char>('0' + mantisse / unite);
  *fin++ = '.';
  fin = EcrireChiffres(mantisse % unite, n - 1, fin);
  *fin++ = 'E';
  *fin++ = exposant >= 0 ? '+' : '-';
  EcrireChiffres(static_cast<std::uint64_t>(std::abs(exposant)), ChiffresExposant, fin);
  return champ;
}

}  // namespace

// std::to_chars writes what std::to_string would, in a local array.
std::string FormatEntier(std::int32_t valeur, int largeur) {
  char texte[LongueurEntierMax];
  const char* const fin = std::to_chars(texte, texte + LongueurEntierMax, valeur).ptr;
  return AlignerADroite({texte, static_cast<std::size_t>(fin - texte)}, largeur);
}

std::string FormatTexte(const std::string& texte, int largeur) {
  return AlignerADroite(texte, largeur);
}

std::string FormatReel(const TEtendu& valeur, int largeur, int decimales) {
  switch (valeur.Nature) {
    case TEtendu::TNature::PasUnNombre:
      return AlignerADroite("Nan", largeur);
    case TEtendu::TNature::Infini:
      return AlignerADroite(valeur.Negatif ? "-Inf" : "+Inf", largeur);
    case TEtendu::TNature::Fini:
      if (valeur.Exposant < ExposantMin || valeur.Exposant > ExposantMax) {
        throw std::out_of_range("FormatReel: exponent beyond the x87 range");
      }
      break;
    case TEtendu::TNature::Zero:
      break;
  }
  const TEtendu m = valeur.ValeurAbsolue();
  if (decimales < 0 || m >= SeuilScientifique) {
    return FormatScientifique(valeur.Negatif, m, largeur);
  }
  return FormatFixe(valeur.Negatif, m, std::min(decimales, DecimalesMax), largeur);
}

std::string FormatReel(double valeur, int largeur, int decimales) {
  return FormatReel(TEtendu(valeur), largeur, decimales);
}

#if VORTALE_LONG_DOUBLE_X87
std::string FormatReel(long double valeur, int largeur, int decimales) {
  return FormatReel(TEtendu(valeur), largeur, decimales);
}
#endif

std::string SansBlancs(std::string champ) {
  champ.erase(0, champ.find_first_not_of(' '));
  return champ;
}
