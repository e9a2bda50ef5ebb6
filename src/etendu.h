// Extended-precision reals in software: a 64-bit significand, a sign and a binary exponent.
//
// The report's digit generation and the element thresholds work with 64 significant bits, more
// than a double holds. A long double has them only where it is the x87 80-bit type; elsewhere it
// is a double (Apple Silicon, MSVC) or a 113-bit quad (aarch64 Linux, WebAssembly). This type
// gives the same bits on every machine: each operation is rounded to nearest, ties to even, as
// the x87 unit rounds in its 64-bit precision mode. The exponent is a plain int32, so nothing
// overflows or becomes subnormal within the program's values: the x87 range (binary exponents
// -16445 to 16383, its subnormals included), powers of ten up to 10^4951, and their products.
// Only what the program needs is here: exact conversion, multiplication, comparison, rounding
// to an integer, and correctly rounded powers of ten.
#ifndef VORTALE_ETENDU_H
#define VORTALE_ETENDU_H

#include <cstdint>

// 1 where long double is the x87 80-bit type (x86-64 Linux, MinGW), whose values convert
// exactly to TEtendu; 0 elsewhere.
#if defined(__LDBL_MANT_DIG__) && __LDBL_MANT_DIG__ == 64
#define VORTALE_LONG_DOUBLE_X87 1
#else
#define VORTALE_LONG_DOUBLE_X87 0
#endif

// A real: zero, a finite nonzero value (-1)^Negatif x Mantisse x 2^(Exposant - 63) whose
// Mantisse has its top bit set (so Exposant is the binary exponent, what ilogb gives), an
// infinity or not-a-number. Zero and the infinities carry their sign.
struct TEtendu {
  enum class TNature : std::uint8_t { Zero, Fini, Infini, PasUnNombre };

  TNature Nature = TNature::Zero;
  bool Negatif = false;
  std::int32_t Exposant = 0;
  std::uint64_t Mantisse = 0;

  constexpr TEtendu() = default;  // +0

  // Exact conversions, implicit like the hardware widening of a double to a long double.
  TEtendu(double x);
#if VORTALE_LONG_DOUBLE_X87
  TEtendu(long double x);
#endif

  // The finite value (-1)^negatif x mantisse x 2^(exposant - 63), mantisse at least 2^63.
  static constexpr TEtendu Fini(bool negatif, std::int32_t exposant, std::uint64_t mantisse) {
    TEtendu x;
    x.Nature = TNature::Fini;
    x.Negatif = negatif;
    x.Exposant = exposant;
    x.Mantisse = mantisse;
    return x;
  }

  constexpr TEtendu ValeurAbsolue() const {
    TEtendu x = *this;
    x.Negatif = false;
    return x;
  }

  // The nearest integer, ties to even (rint), of a value that is not negative and below 2^64:
  // values up to 1/2 give 0, those just above it 1.
  std::uint64_t ArrondiEntier() const;
};

// The product, rounded once.
TEtendu operator*(const TEtendu& a, const TEtendu& b);

// The order of the reals: -0 and +0 are equal; a not-a-number compares false with everything.
bool operator<(const TEtendu& a, const TEtendu& b);
bool operator>=(const TEtendu& a, const TEtendu& b);

// 10^n correctly rounded, for |n| <= PuissanceDixMax: the scaling of the smallest x87 subnormal
// (binary exponent -16445) needs 10^4951. Computed exactly once per n, when first asked for;
// an n out of range throws std::out_of_range.
constexpr int PuissanceDixMax = 4951;
TEtendu PuissanceDix(int n);

// Correctly rounded constants: the report's unit conversions (E in 10^6 Pa, Iz in cm4), the
// element thresholds, and the digit generation's 10^17.
constexpr TEtendu DixMoinsSix = TEtendu::Fini(false, -20, 0x8637BD05AF6C69B6u);
constexpr TEtendu DixMoinsDouze = TEtendu::Fini(false, -40, 0x8CBCCC096F5088CCu);
constexpr TEtendu DixPuissanceHuit = TEtendu::Fini(false, 26, 0xBEBC200000000000u);
constexpr TEtendu DixPuissanceDixSept = TEtendu::Fini(false, 56, 0xB1A2BC2EC5000000u);

#endif
