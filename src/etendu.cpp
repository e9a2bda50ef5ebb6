// Extended-precision reals in software.
//
// Products are formed exactly in 128 bits (unsigned __int128, which g++ and clang++ offer on
// every 64-bit target) and rounded once to 64 bits. Powers of ten are computed from the exact
// integer 5^|n| with a small big-integer helper, then rounded once.
#include "etendu.h"

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

__extension__ typedef unsigned __int128 TEntier128;

using TNature = TEtendu::TNature;

constexpr std::uint64_t BitDeTete = std::uint64_t{1} << 63;

// A value of the given nature and sign: zero, infinity or not-a-number.
TEtendu Speciale(TNature nature, bool negatif) {
  TEtendu x;
  x.Nature = nature;
  x.Negatif = negatif;
  return x;
}

// (-1)^negatif x m x 2^(exposant - 63) for m > 0 that may lack its top bit (a subnormal input):
// the significand is shifted up until its top bit is set, the exponent down as much.
TEtendu Normaliser(bool negatif, std::int32_t exposant, std::uint64_t m) {
  while ((m & BitDeTete) == 0) {
    m <<= 1;
    --exposant;
  }
  return TEtendu::Fini(negatif, exposant, m);
}

// Rounds to nearest, ties to even, a magnitude of which `haut` holds the 64 leading bits (top
// bit set), `arrondi` the next bit and `collant` whether any later bit is set. Rounding up past
// 2^64 - 1 gives 2^64: significand 2^63, exponent raised by one.
TEtendu Arrondir(bool negatif, std::int32_t exposant, std::uint64_t haut, bool arrondi,
                 bool collant) {
  if (arrondi && (collant || (haut & 1) != 0)) {
    ++haut;
    if (haut == 0) {
      haut = BitDeTete;
      ++exposant;
    }
  }
  return TEtendu::Fini(negatif, exposant, haut);
}

// Order of two magnitudes: -1, 0 or 1 as |a| is below, equal to or above |b|. Zero, the finite
// values and infinity are declared in that order; finite ones compare by exponent, then
// significand.
int ComparerMagnitudes(const TEtendu& a, const TEtendu& b) {
  if (a.Nature != b.Nature) return a.Nature < b.Nature ? -1 : 1;
  if (a.Nature != TNature::Fini) return 0;
  if (a.Exposant != b.Exposant) return a.Exposant < b.Exposant ? -1 : 1;
  if (a.Mantisse != b.Mantisse) return a.Mantisse < b.Mantisse ? -1 : 1;
  return 0;
}

// Order of two values that are numbers: -1, 0 or 1. The signs decide, unless both are zeros.
int Comparer(const TEtendu& a, const TEtendu& b) {
  const bool zeros = a.Nature == TNature::Zero && b.Nature == TNature::Zero;
  if (a.Negatif != b.Negatif && !zeros) return a.Negatif ? -1 : 1;
  const int magnitudes = ComparerMagnitudes(a, b);
  return a.Negatif ? -magnitudes : magnitudes;
}

// Whether the two are ordered: neither is not-a-number.
bool Ordonnes(const TEtendu& a, const TEtendu& b) {
  return a.Nature != TNature::PasUnNombre && b.Nature != TNature::PasUnNombre;
}

// ---------------------------------------------------------------------------------------------
// Natural numbers of any size, for the exact powers of five
// ---------------------------------------------------------------------------------------------

// 64-bit words, the least significant first.
using TGrandEntier = std::vector<std::uint64_t>;

// a := a x f.
void Multiplier(TGrandEntier& a, std::uint64_t f) {
  std::uint64_t retenue = 0;
  for (std::uint64_t& mot : a) {
    const TEntier128 produit = static_cast<TEntier128>(mot) * f + retenue;
    mot = static_cast<std::uint64_t>(produit);
    retenue = static_cast<std::uint64_t>(produit >> 64);
  }
  if (retenue != 0) a.push_back(retenue);
}

// 5^n: products by 5^27, the largest power of five in one word, then one by 5^(n mod 27).
TGrandEntier CinqPuissance(int n) {
  const int exposantMot = 27;
  std::uint64_t cinqPuissanceMot = 1;
  for (int i = 0; i < exposantMot; ++i) cinqPuissanceMot *= 5;
  TGrandEntier a{1};
  for (; n >= exposantMot; n -= exposantMot) Multiplier(a, cinqPuissanceMot);
  std::uint64_t reste = 1;
  for (int i = 0; i < n; ++i) reste *= 5;
  Multiplier(a, reste);
  return a;
}

// Number of significant bits of a > 0, whose last word is not zero.
int NombreDeBits(const TGrandEntier& a) {
  int bits = 64 * static_cast<int>(a.size() - 1);
  for (std::uint64_t dernier = a.back(); dernier != 0; dernier >>= 1) ++bits;
  return bits;
}

// Bit i of a; 0 for a negative i.
bool Bit(const TGrandEntier& a, int i) {
  return i >= 0 && ((a[static_cast<std::size_t>(i / 64)] >> (i % 64)) & 1) != 0;
}

// Whether a has a set bit below position i.
bool BitsSous(const TGrandEntier& a, int i) {
  for (int j = 0; j < i; ++j) {
    if (Bit(a, j)) return true;
  }
  return false;
}

bool EstNul(const TGrandEntier& a) {
  for (std::uint64_t mot : a) {
    if (mot != 0) return false;
  }
  return true;
}

// a < b, for two numbers of the same number of words.
bool Inferieur(const TGrandEntier& a, const TGrandEntier& b) {
  for (std::size_t i = a.size(); i-- > 0;) {
    if (a[i] != b[i]) return a[i] < b[i];
  }
  return false;
}

// a := 2a; a's top bit is clear.
void Doubler(TGrandEntier& a) {
  std::uint64_t retenue = 0;
  for (std::uint64_t& mot : a) {
    const std::uint64_t sortant = mot >> 63;
    mot = (mot << 1) | retenue;
    retenue = sortant;
  }
}

// a := a - b, for b <= a of the same number of words.
void Soustraire(TGrandEntier& a, const TGrandEntier& b) {
  std::uint64_t emprunt = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const std::uint64_t difference = a[i] - b[i] - emprunt;
    emprunt = (a[i] < b[i] || (a[i] == b[i] && emprunt != 0)) ? 1 : 0;
    a[i] = difference;
  }
}

// ---------------------------------------------------------------------------------------------
// Powers of ten
// ---------------------------------------------------------------------------------------------

// 10^n = 5^n x 2^n for n >= 0: the 64 leading bits of 5^n rounded once, the exponent that of
// 5^n raised by n. Below 64 bits 5^n is exact, padded with zeros.
TEtendu PuissanceDixPositive(int n) {
  const TGrandEntier cinq = CinqPuissance(n);
  const int bits = NombreDeBits(cinq);
  std::uint64_t haut = 0;
  for (int i = bits - 1; i >= bits - 64; --i) haut = (haut << 1) | (Bit(cinq, i) ? 1 : 0);
  return Arrondir(false, bits - 1 + n, haut, Bit(cinq, bits - 65), BitsSous(cinq, bits - 65));
}

// 10^-m = 2^-m / 5^m for m > 0, by long division, one quotient bit at a time. With b the number
// of bits of d = 5^m, the division of 2^(b-1) by d (a quotient between 1/2 and 1) starts with a
// remainder 2^(b-1) < d; each step doubles the remainder and takes d out when it can, giving
// the next quotient bit. 64 bits, then the rounding bit; the final remainder is the sticky part.
// The quotient q of 2^(b+64) by d lies in [2^64, 2^65), so 10^-m = q x 2^(-m-b-64) has the
// binary exponent -m - b.
TEtendu PuissanceDixNegative(int m) {
  TGrandEntier diviseur = CinqPuissance(m);
  const int bits = NombreDeBits(diviseur);
  diviseur.push_back(0);  // room for the doubled remainder
  TGrandEntier reste(diviseur.size(), 0);
  reste[static_cast<std::size_t>((bits - 1) / 64)] = std::uint64_t{1} << ((bits - 1) % 64);
  std::uint64_t haut = 0;
  bool arrondi = false;
  for (int i = 0; i <= 64; ++i) {
    Doubler(reste);
    const bool chiffre = !Inferieur(reste, diviseur);
    if (chiffre) Soustraire(reste, diviseur);
    if (i < 64) {
      haut = (haut << 1) | (chiffre ? 1 : 0);
    } else {
      arrondi = chiffre;
    }
  }
  return Arrondir(false, -m - bits, haut, arrondi, !EstNul(reste));
}

}  // namespace

// A double: 1 sign bit, 11 exponent bits, 52 fraction bits. A normal double is
// (2^52 + fraction) x 2^(field - 1023 - 52); a subnormal one (field 0) is fraction x 2^-1074,
// that is fraction x 2^(-1011 - 63), normalised; field 2047 marks the infinities and the
// not-a-numbers.
TEtendu::TEtendu(double x) {
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  const bool negatif = (bits >> 63) != 0;
  const int champExposant = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (champExposant == 0x7FF) {
    *this = Speciale(fraction == 0 ? TNature::Infini : TNature::PasUnNombre, negatif);
  } else if (champExposant == 0) {
    *this = fraction == 0 ? Speciale(TNature::Zero, negatif) : Normaliser(negatif, -1011, fraction);
  } else {
    *this = Fini(negatif, champExposant - 1023, BitDeTete | (fraction << 11));
  }
}

#if VORTALE_LONG_DOUBLE_X87
// frexp gives x = f x 2^e with 1/2 <= f < 1, subnormals included; f x 2^64 is then the 64-bit
// significand, exactly, and the binary exponent is e - 1.
TEtendu::TEtendu(long double x) {
  const bool negatif = std::signbit(x);
  if (std::isnan(x)) {
    *this = Speciale(TNature::PasUnNombre, negatif);
  } else if (std::isinf(x)) {
    *this = Speciale(TNature::Infini, negatif);
  } else if (x == 0) {
    *this = Speciale(TNature::Zero, negatif);
  } else {
    int e = 0;
    const long double f = std::frexp(std::fabs(x), &e);
    *this = Fini(negatif, e - 1, static_cast<std::uint64_t>(std::ldexp(f, 64)));
  }
}
#endif

// The value is Mantisse x 2^(Exposant - 63) with Exposant <= 63. Below 1/2 (Exposant < -1) it
// gives 0; between 1/2 and 1 (Exposant = -1) it gives 1, except 1/2 itself, a tie that goes to
// the even 0. From 1 on, the integer part is Mantisse shifted right by 63 - Exposant places, and
// the bits shifted out are the fraction, compared with one half.
std::uint64_t TEtendu::ArrondiEntier() const {
  if (Nature == TNature::Zero || Exposant < -1) return 0;
  if (Exposant == -1) return Mantisse > BitDeTete ? 1 : 0;
  const int decalage = 63 - Exposant;
  if (decalage == 0) return Mantisse;
  const std::uint64_t entier = Mantisse >> decalage;
  const std::uint64_t moitie = std::uint64_t{1} << (decalage - 1);
  const std::uint64_t fraction = Mantisse & (2 * moitie - 1);
  const bool superieur = fraction > moitie || (fraction == moitie && (entier & 1) != 0);
  return superieur ? entier + 1 : entier;
}

// The significands' product lies in [2^126, 2^128). Below 2^127 it is shifted up one place, so
// that its high word holds the 64 leading bits and its low word the bits after them; the
// exponents add, plus one when the product reaches 2^127. An infinity times zero is not a
// number, as in hardware.
TEtendu operator*(const TEtendu& a, const TEtendu& b) {
  const bool negatif = a.Negatif != b.Negatif;
  if (a.Nature == TNature::PasUnNombre || b.Nature == TNature::PasUnNombre) {
    return Speciale(TNature::PasUnNombre, negatif);
  }
  if (a.Nature == TNature::Infini || b.Nature == TNature::Infini) {
    const bool zero = a.Nature == TNature::Zero || b.Nature == TNature::Zero;
    return Speciale(zero ? TNature::PasUnNombre : TNature::Infini, negatif);
  }
  if (a.Nature == TNature::Zero || b.Nature == TNature::Zero) {
    return Speciale(TNature::Zero, negatif);
  }
  TEntier128 produit = static_cast<TEntier128>(a.Mantisse) * b.Mantisse;
  std::int32_t exposant = a.Exposant + b.Exposant;
  if ((produit >> 127) != 0) {
    ++exposant;
  } else {
    produit <<= 1;
  }
  const std::uint64_t haut = static_cast<std::uint64_t>(produit >> 64);
  const std::uint64_t bas = static_cast<std::uint64_t>(produit);
  return Arrondir(negatif, exposant, haut, (bas & BitDeTete) != 0, (bas << 1) != 0);
}

bool operator<(const TEtendu& a, const TEtendu& b) { return Ordonnes(a, b) && Comparer(a, b) < 0; }

bool operator>=(const TEtendu& a, const TEtendu& b) {
  return Ordonnes(a, b) && Comparer(a, b) >= 0;
}

TEtendu PuissanceDix(int n) {
  if (n < -PuissanceDixMax || n > PuissanceDixMax) throw std::out_of_range("PuissanceDix");
  static TEtendu table[2 * PuissanceDixMax + 1];
  static bool calculee[2 * PuissanceDixMax + 1];
  const std::size_t i = static_cast<std::size_t>(n + PuissanceDixMax);
  if (!calculee[i]) {
    table[i] = n >= 0 ? PuissanceDixPositive(n) : PuissanceDixNegative(-n);
    calculee[i] = true;
  }
  return table[i];
}
