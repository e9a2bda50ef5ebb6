// Extended arithmetic in software (TEtendu) against the x87 unit, where long double is that type:
// every operation must give the hardware's bits (in its default 64-bit precision mode). First a
// table of hand-picked values, every operation applied to each value and to each pair; then a
// random sweep of each operation, VORTALE_BALAYAGE operands each (default 100000; the long
// sample, 10^7 or more, is run by hand, see bench/README.md); the powers of ten are all checked,
// against strtold. Elsewhere only the first test runs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "etendu.h"

namespace {

using TNature = TEtendu::TNature;

bool Identiques(const TEtendu& a, const TEtendu& b) {
  return a.Nature == b.Nature && a.Negatif == b.Negatif && a.Exposant == b.Exposant &&
         a.Mantisse == b.Mantisse;
}

// The named constants are the correctly rounded powers; beyond the table's range, an exception.
TEST(Etendu, ConstantesEtPuissancesDix) {
  const struct {
    TEtendu constante;
    int n;
  } table[] = {
      {DixMoinsSix, -6}, {DixMoinsDouze, -12}, {DixPuissanceHuit, 8}, {DixPuissanceDixSept, 17}};
  for (const auto& c : table) EXPECT_TRUE(Identiques(c.constante, PuissanceDix(c.n))) << c.n;
  EXPECT_THROW(PuissanceDix(PuissanceDixMax + 1), std::out_of_range);
  EXPECT_THROW(PuissanceDix(-PuissanceDixMax - 1), std::out_of_range);
}

#if VORTALE_LONG_DOUBLE_X87

using X87 = std::numeric_limits<long double>;

long Balayage() {
  const char* texte = std::getenv("VORTALE_BALAYAGE");
  return texte != nullptr ? std::atol(texte) : 100000;
}

// The software value as a long double: exact within the x87 range, subnormals included.
long double VersX87(const TEtendu& x) {
  long double v = 0;
  switch (x.Nature) {
    case TNature::Zero:
      v = 0;
      break;
    case TNature::Infini:
      v = X87::infinity();
      break;
    case TNature::PasUnNombre:
      return X87::quiet_NaN();
    case TNature::Fini:
      v = std::ldexp(static_cast<long double>(x.Mantisse), x.Exposant - 63);
      break;
  }
  return x.Negatif ? -v : v;
}

// The same 80 bits (the sign of zero included), or two not-a-numbers.
bool MemeValeur(long double a, long double b) {
  return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, 10) == 0;
}

std::string Hex(long double x) {
  char texte[64];
  std::snprintf(texte, sizeof texte, "%La", x);
  return texte;
}

void Verifier(const char* operation, const TEtendu& logiciel, long double materiel) {
  const long double v = VersX87(logiciel);
  EXPECT_TRUE(MemeValeur(v, materiel))
      << operation << ": software " << Hex(v) << ", x87 " << Hex(materiel);
}

// A product the x87 unit gives without overflow or subnormal rounding: zero, a non-finite value,
// or a binary exponent within its normal range.
bool ProduitNormal(const TEtendu& p) {
  return p.Nature != TNature::Fini || (p.Exposant >= X87::min_exponent - 1 && p.Exposant < 16384);
}

// Conversion (from the long double, and from the double when it holds the value), exponent,
// rounding to an integer; products and order against every value.
void VerifierValeur(long double a, const std::vector<long double>& autres) {
  const TEtendu x = a;
  Verifier("conversion", x, a);
  const double d = static_cast<double>(a);
  if (static_cast<long double>(d) == a) Verifier("conversion from double", d, a);
  if (x.Nature == TNature::Fini) {
    EXPECT_EQ(x.Exposant, std::ilogb(a)) << Hex(a);
  }
  if (x.Nature != TNature::PasUnNombre && a >= 0 && a < 0x1p64L) {
    EXPECT_EQ(x.ArrondiEntier(), static_cast<std::uint64_t>(std::rint(a))) << Hex(a);
  }
  for (long double b : autres) {
    const TEtendu y = b;
    const TEtendu p = x * y;
    if (ProduitNormal(p)) Verifier("product", p, a * b);
    EXPECT_EQ(x < y, a < b) << Hex(a) << " < " << Hex(b);
    EXPECT_EQ(x >= y, a >= b) << Hex(a) << " >= " << Hex(b);
  }
}

TEST(EtenduX87, ValeursChoisies) {
  const long double unPlus2Moins32 = 1 + 0x1p-32L;       // squared: 1 + 2^-31 + 2^-64, a tie, down
  const long double unPlus3Fois2Moins32 = 1 + 0x3p-32L;  // times the one above: a tie, up
  const std::vector<long double> valeurs = {
      0.0L,
      -0.0L,
      1.0L,
      -1.0L,
      0.5L,                        // rint: tie, to 0
      1.5L,                        // rint: tie, to 2
      2.5L,                        // rint: tie, to 2
      0x1p62L + 0.5L,              // rint: tie, to 2^62
      0x1p64L - 1,                 // largest integer below 2^64
      1e17L,                       // the digit generation's factor
      1e17L + 0.5L,                // rint: tie, to 10^17
      std::nextafter(0.5L, 0.0L),  // rint: just below 1/2
      unPlus2Moins32,
      unPlus3Fois2Moins32,
      -std::nextafter(2.5L, 0.0L),                // -(2.5 - 2^-62): low bits all set
      std::numeric_limits<double>::denorm_min(),  // subnormal doubles
      0x0.8000000000001p-1022L,                   // 2^-1023 + 2^-1074
      std::numeric_limits<double>::min(),
      std::numeric_limits<double>::max(),
      1e-6,  // the element thresholds, in double and in extended
      1e-6L,
      std::nextafter(1e-6, 1.0),
      1e-12,
      1e-12L,
      1e8L,
      0x1p120L,  // where the scientific form starts
      std::nextafter(0x1p120, 0.0),
      1e4932L,   // the largest x87 power of ten
      1e-4931L,  // the smallest normal one
      X87::max(),
      X87::min(),
      X87::denorm_min(),  // x87 subnormals
      -0x1.23456789ABCDEFp-16400L,
      X87::infinity(),
      -X87::infinity(),
      X87::quiet_NaN(),
  };
  for (long double a : valeurs) {
    SCOPED_TRACE(Hex(a));
    VerifierValeur(a, valeurs);
  }
  const struct {
    TEtendu constante;
    long double litteral;
  } constantes[] = {{DixMoinsSix, 1e-6L},
                    {DixMoinsDouze, 1e-12L},
                    {DixPuissanceHuit, 1e8L},
                    {DixPuissanceDixSept, 1e17L}};
  for (const auto& c : constantes) Verifier("constant", c.constante, c.litteral);
}

// Random operands, from a fixed seed.
class TTirage {
 public:
  std::uint64_t Bits() { return Generateur(); }
  int Entier(int bas, int haut) {
    return std::uniform_int_distribution<int>(bas, haut)(Generateur);
  }
  bool UnSur(int n) { return Entier(1, n) == 1; }

  // A significand, top bit set. One time in four only its 33 leading bits, the last one set:
  // the product of two such has 65 or 66 bits, and when 65 it is exactly half-way between two
  // 64-bit significands.
  std::uint64_t Mantisse() {
    const std::uint64_t m = Bits() | (std::uint64_t{1} << 63);
    if (!UnSur(4)) return m;
    return (m | (std::uint64_t{1} << 31)) & ~((std::uint64_t{1} << 31) - 1);
  }

  // A finite x87 value of binary exponent in [bas, haut], either sign, written bit by bit;
  // below -16382 it is a subnormal, its significand shifted down.
  long double X87(int bas, int haut) {
    std::uint64_t m = Mantisse();
    int champ = Entier(bas, haut) + 16383;
    if (champ < 1) {
      m >>= 1 - champ;
      champ = 0;
    }
    const std::uint16_t signeEtExposant =
        static_cast<std::uint16_t>(champ | (UnSur(2) ? 0x8000 : 0));
    long double x = 0;
    std::memcpy(&x, &m, 8);
    std::memcpy(reinterpret_cast<char*>(&x) + 8, &signeEtExposant, 2);
    return x;
  }

  // A double from random bits (infinities and not-a-numbers now and then); one time in eight a
  // subnormal, one in sixteen a zero.
  double Double() {
    std::uint64_t bits = Bits();
    if (UnSur(8)) bits &= ~(std::uint64_t{0x7FF} << 52);
    if (UnSur(16)) bits &= std::uint64_t{1} << 63;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }

  // An operand of the products: a double one time in eight, else an x87 value whose exponent
  // keeps any product of two within the normal range.
  long double Facteur() { return UnSur(8) ? Double() : X87(-8000, 8000); }

 private:
  std::mt19937_64 Generateur{20240607};
};

TEST(EtenduX87, BalayageConversionsEtExposant) {
  TTirage tirage;
  for (long i = 0; i < Balayage(); ++i) {
    const long double x = tirage.X87(-16445, 16383);
    const TEtendu e = x;
    Verifier("conversion", e, x);
    ASSERT_EQ(e.Exposant, std::ilogb(x)) << Hex(x);
    const double d = tirage.Double();
    Verifier("conversion from double", d, d);
  }
}

TEST(EtenduX87, BalayageProduits) {
  TTirage tirage;
  for (long i = 0; i < Balayage(); ++i) {
    const long double a = tirage.Facteur();
    const long double b = tirage.Facteur();
    Verifier("product", TEtendu(a) * TEtendu(b), a * b);
  }
}

// Pairs often equal, opposite or neighbours, to reach every branch of the order.
TEST(EtenduX87, BalayageComparaisons) {
  TTirage tirage;
  for (long i = 0; i < Balayage(); ++i) {
    const long double a = tirage.UnSur(8) ? tirage.Double() : tirage.X87(-3, 3);
    long double b = tirage.X87(-3, 3);
    switch (tirage.Entier(0, 3)) {
      case 0:
        b = a;
        break;
      case 1:
        b = -a;
        break;
      case 2:
        b = std::nextafter(a, 0.0L);
        break;
    }
    const TEtendu x = a;
    const TEtendu y = b;
    ASSERT_EQ(x < y, a < b) << Hex(a) << " < " << Hex(b);
    ASSERT_EQ(x >= y, a >= b) << Hex(a) << " >= " << Hex(b);
  }
}

// Values below 2^64, tiny ones included; one time in four exactly an integer and a half.
TEST(EtenduX87, BalayageArrondiEntier) {
  TTirage tirage;
  for (long i = 0; i < Balayage(); ++i) {
    const int exposant = tirage.Entier(-70, 63);
    std::uint64_t m = tirage.Mantisse();
    const int fraction = 63 - exposant;  // bits of m below the unit
    if (fraction >= 1 && fraction <= 64 && tirage.UnSur(4)) {
      const std::uint64_t moitie = std::uint64_t{1} << (fraction - 1);
      m = (m & ~(moitie | (moitie - 1))) | moitie;
    }
    const long double x = std::ldexp(static_cast<long double>(m), exposant - 63);
    ASSERT_EQ(TEtendu(x).ArrondiEntier(), static_cast<std::uint64_t>(std::rint(x))) << Hex(x);
  }
}

// Every power against strtold. Those beyond the normal x87 range are compared scaled by 2^-64
// (10^n x 2^-64 = 5^64 x 10^(n-64)) or 2^64, exact decimal forms that strtold rounds once.
TEST(EtenduX87, PuissancesDix) {
  for (int n = -PuissanceDixMax; n <= PuissanceDixMax; ++n) {
    TEtendu p = PuissanceDix(n);
    std::string texte = "1e" + std::to_string(n);
    if (n > X87::max_exponent10) {
      p.Exposant -= 64;
      texte = "542101086242752217003726400434970855712890625e" + std::to_string(n - 64);
    } else if (n < X87::min_exponent10) {
      p.Exposant += 64;
      texte = "18446744073709551616e" + std::to_string(n);
    }
    Verifier(texte.c_str(), p, std::strtold(texte.c_str(), nullptr));
  }
}

#else

TEST(EtenduX87, Ignore) { GTEST_SKIP() << "long double is not the x87 80-bit type here"; }

#endif

}  // namespace
