// Field writers of the report. Expected texts come from the exact decimal
// value of the argument (a double or extended literal), reduced to 18
// significant digits and rounded half away from zero; where printf would
// write something else, the row says so.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "format.h"

namespace {

// Extended values that no double holds, from their significand and binary exponent.
const TEtendu SousDeuxEtDemi = TEtendu::Fini(false, 1, 0x9FFFFFFFFFFFFFFFu);   // 2.5 - 2^-62
const TEtendu SousUnHuitieme = TEtendu::Fini(false, -4, 0xFFFFFFFFFFFFFFFFu);  // 0.125 - 2^-67
const TEtendu SousUnDemi = TEtendu::Fini(false, -2, 0xFFFFFFFFFFFFFFFFu);      // 0.5 - 2^-65
const TEtendu SousDix = TEtendu::Fini(false, 3, 0x9FFFFFFFFFFFFFFFu);          // 10 - 2^-60
const TEtendu DixPuissance17EtDemi = TEtendu::Fini(false, 56, 0xB1A2BC2EC5000040u);  // 1e17 + 0.5
const TEtendu PlusGrandX87 = TEtendu::Fini(false, 16383, 0xFFFFFFFFFFFFFFFFu);
const TEtendu PlusPetitNormalX87 = TEtendu::Fini(false, -16382, 0x8000000000000000u);
const TEtendu PlusPetitSousNormalX87 = TEtendu::Fini(false, -16445, 0x8000000000000000u);

TEtendu Oppose(TEtendu x) {
  x.Negatif = !x.Negatif;
  return x;
}

struct CasReel {
  TEtendu valeur;
  int largeur;
  int decimales;
  std::string attendu;
  const char* origine;
};

void Verifier(const std::vector<CasReel>& cas) {
  for (const CasReel& c : cas) {
    SCOPED_TRACE(std::string(c.origine) + ", width " + std::to_string(c.largeur) + ", decimals " +
                 std::to_string(c.decimales));
    EXPECT_EQ(FormatReel(c.valeur, c.largeur, c.decimales), c.attendu);
  }
}

std::string Zeros(int nombre) { return std::string(static_cast<std::size_t>(nombre), '0'); }

TEST(FormatEntier, DecimalRightAligned) {
  EXPECT_EQ(FormatEntier(12, 4), "  12");
  EXPECT_EQ(FormatEntier(-7, 0), "-7");
  EXPECT_EQ(FormatEntier(123456, 2), "123456");  // wider than its field: whole
  EXPECT_EQ(FormatEntier(0, 3), "  0");
  EXPECT_EQ(FormatEntier(-7, 2), "-7");  // exactly the width
  EXPECT_EQ(FormatEntier(5, -3), "5");   // negative width adds nothing
  EXPECT_EQ(FormatEntier(INT32_MIN, 12), " -2147483648");
  EXPECT_EQ(FormatEntier(INT32_MAX, INT_MIN), "2147483647");
}

TEST(FormatTexte, RightAlignedByBytes) {
  EXPECT_EQ(FormatTexte("Fl\xE8"
                        "che",
                        8),
            "  Fl\xE8"
            "che");  // è is one byte
  EXPECT_EQ(FormatTexte("Fl\xE8"
                        "che",
                        3),
            "Fl\xE8"
            "che");
  EXPECT_EQ(FormatTexte("Fl\xE8"
                        "che",
                        0),
            "Fl\xE8"
            "che");
  EXPECT_EQ(FormatTexte("", 3), "   ");
  EXPECT_EQ(FormatTexte("x", INT_MIN), "x");
}

TEST(FormatReelFixe, DocumentedExamples) {
  Verifier({
      {1234.5678, 10, 2, "   1234.57", "three blanks then 1234.57"},
      {1234.5678, 5, 2, "1234.57", "seven characters in a width of 5"},
      {0.0, 10, 6, "  0.000000", "zero"},
      {-0.0, 10, 6, " -0.000000", "negative zero keeps its sign"},
      {99.995, 0, 2, "100.00", "double just above 99.995"},
      {1e20, 5, 0, "100000000000000000000", "1 and twenty zeros"},
      {1e-18, 0, 6, "0.000000", "below 1e-17"},
      {-1e-18, 0, 6, "-0.000000", "below 1e-17, negative"},
      {0.125, 0, 2, "0.13", "half away from zero; printf gives 0.12"},
      {-0.125, 0, 2, "-0.13", "half away from zero; printf gives -0.12"},
      {2.5, 0, 0, "3", "half away from zero; printf gives 2"},
      {0.5, 0, 0, "1", "half away from zero; printf gives 0"},
      {9.9996, 0, 3, "10.000", "carry into a new integer digit"},
      {0.145, 0, 2, "0.14", "double 0.14499999999999999..."},
      {-0.4, 0, 0, "-0", "negative value rounding to zero"},
      {-0.0004, 0, 3, "-0.000", "negative value rounding to zero"},
      {-0.4, 10, 0, "        -0", "report: uniform load of -0.4 N/m"},
      {-12345.6, 5, 0, "-12346", "report: force wider than its field"},
  });
}

TEST(FormatReelFixe, HalvesRoundAwayFromZero) {
  Verifier({
      {1.5, 0, 0, "2", "exact half"},
      {-2.5, 0, 0, "-3", "exact half, negative; printf gives -2"},
      {0.375, 0, 2, "0.38", "exact half; printf gives 0.37"},
      {1.0625, 0, 3, "1.063", "exact half; printf gives 1.062"},
      {3.25, 4, 1, " 3.3", "exact half; printf gives 3.2"},
      {SousDeuxEtDemi, 0, 0, "3", "extended a hair below 2.5: 18 digits give 2.5; printf gives 2"},
      {SousUnHuitieme, 0, 2, "0.13",
       "extended a hair below 0.125: 18 digits give 0.125; printf gives 0.12"},
      {DixPuissance17EtDemi, 0, 0, "100000000000000001",
       "half at the 19th digit of a scaled value; printf gives ...000"},
      {SousUnDemi, 0, 0, "1", "extended a hair below 0.5"},
  });
}

TEST(FormatReelFixe, CarriesRunThroughNines) {
  Verifier({
      {-9.9996, 0, 3, "-10.000", "carry into a new integer digit, negative"},
      {9.5, 0, 0, "10", "carry from the only digit"},
      {99.95, 0, 1, "100.0", "double 99.950000000000003"},
      {0.96, 0, 1, "1.0", "carry from the decimals into the units"},
      {999999.5, 0, 0, "1000000", "carry through six nines"},
      {SousDix, 0, 17, "10.00000000000000000",
       "extended just below 10: y rounds to 10^18, lead digit 1"},
  });
}

TEST(FormatReelFixe, SignBitDecidesZeroSign) {
  for (int d : {0, 1, 2, 3, 4, 5, 216, 217}) {
    SCOPED_TRACE("decimals " + std::to_string(d));
    const std::string zeros = d == 0 ? "" : "." + Zeros(std::min(d, 216));
    EXPECT_EQ(FormatReel(-0.0, 0, d), "-0" + zeros);
    EXPECT_EQ(FormatReel(0.0, 0, d), "0" + zeros);
    EXPECT_EQ(FormatReel(Oppose(PlusPetitSousNormalX87), 0, d), "-0" + zeros);
  }
  Verifier({
      {-0.0049, 0, 2, "-0.00", "rounds down to zero"},
      {-0.005, 0, 2, "-0.01", "double just above 0.005"},
      {-1e-300, 3, 1, "-0.0", "tiny negative"},
  });
}

TEST(FormatReelFixe, DigitsBeyondTheGeneratedAreZeros) {
  Verifier({
      {1e20, 0, 2, "100000000000000000000.00", "exact double 10^20"},
      {1e36, 0, 0, "1000000000000000042" + Zeros(18),
       "double 1000000000000000042420637374017961984: 19 digits then zeros"},
      {std::nextafter(0x1p120, 0.0), 0, 0, "1329227995784915725" + Zeros(18),
       "largest double below 2^120 stays in fixed point, 37 digits"},
      {1.5e-17, 0, 20, "0.00000000000000002000", "17 decimals then rounding; printf gives ...1500"},
      {6e-18, 0, 17, "0.00000000000000001", "above 5e-18: the 17th decimal rounds up"},
      {4.9e-18, 0, 17, "0.00000000000000000", "below 5e-18: only zeros"},
      {0x1p-18, 0, 17, "0.00000381469726562",
       "2^-18 = 0.000003814697265625: y = 381469726562.5 ties to even"},
      {1.0 / 3.0, 0, 216, "0.33333333333333331" + Zeros(199), "double 0.333333333333333314829..."},
  });
}

TEST(FormatReelFixe, LongDigitRuns) {
  Verifier({
      {1234567890123.25, 0, 1, "1234567890123.3",
       "13 integer digits, exact half; printf gives ...123.2"},
      {1234567890123.25, 20, 2, "    1234567890123.25", "13 integer digits, right-aligned"},
      {999999999.5, 0, 0, "1000000000", "carry through nine nines into a tenth digit"},
      {12345678901234567890.0, 0, 0, "12345678901234567170",
       "double 12345678901234567168: lead digit, 18 digits, a zero"},
      {1e18, 0, 0, "1" + Zeros(18), "exact double 10^18"},
      {0.1, 0, 16, "0.1000000000000000",
       "double 0.1000000000000000055...: the 18th digit rounds down"},
      {0.1, 0, 17, "0.10000000000000001", "all 18 digits, 17 of them decimals"},
      {0.1, 0, 20, "0.10000000000000001000", "18 digits, then zeros among the decimals"},
      {123.456, 0, 20, "123.45600000000000310000",
       "double 123.456000000000003069...: scaled to 12.3456..., lead digit and 18 digits, then "
       "zeros"},
      {0.000123456789012345678, 0, 12, "0.000123456789", "leading zeros of D among the decimals"},
  });
}

TEST(FormatReelFixe, DecimalsAbove216CountAs216) {
  const std::string attendu = "0.33333333333333331" + Zeros(199);
  EXPECT_EQ(FormatReel(1.0 / 3.0, 0, 217), attendu);
  EXPECT_EQ(FormatReel(1.0 / 3.0, 0, INT_MAX), attendu);
  EXPECT_EQ(FormatReel(2.5, 0, 217), "2.5" + Zeros(215));
}

TEST(FormatReelFixe, WidthIsAMinimum) {
  Verifier({
      {3.5, 0, 1, "3.5", "width 0 adds nothing"},
      {3.5, -4, 1, "3.5", "negative width adds nothing"},
      {3.5, INT_MIN, 1, "3.5", "smallest width"},
      {-3.5, 2, 1, "-3.5", "wider than its field"},
      {-3.5, 4, 1, "-3.5", "exactly the width"},
      {-3.5, 12, 1, "        -3.5", "eight blanks"},
  });
}

TEST(FormatReelScientifique, Layout) {
  Verifier({
      {1.5, 23, -1, " 1.50000000000000E+0000", "n = 15: sign blank, 15 digits"},
      {-1234.5, 10, -1, "-1.2E+0003", "n = 2"},
      {12.96, 10, -1, " 1.3E+0001", "scaled value above 10: mantissa from the lead digit"},
      {0.0, 10, -1, " 0.0E+0000", "zero"},
      {-0.0, 12, -1, "-0.000E+0000", "negative zero"},
      {0.000123456, 12, -1, " 1.235E-0004", "negative exponent"},
      {1e-300, 12, -1, " 1.000E-0300", "negative exponent, three digits"},
      {1.5, 0, -1, " 1.5E+0000", "width below 10: n = 2, ten characters"},
      {-1.5, INT_MIN, -1, "-1.5E+0000", "smallest width: n = 2"},
      {1.5, 26, -1, " 1.50000000000000000E+0000", "n = 18, no blank"},
      {1.5, 30, -1, "     1.50000000000000000E+0000", "n = 18, four blanks"},
      {1.5, INT_MIN + 1, INT_MIN, " 1.5E+0000", "extreme width and decimals"},
  });
}

TEST(FormatReelScientifique, MantissaRounding) {
  Verifier({
      {1.25, 10, -1, " 1.3E+0000", "exact half; printf gives 1.2e+00"},
      {15.5, 10, -1, " 1.6E+0001", "half after the lead digit"},
      {9.96, 10, -1, " 1.0E+0001", "carry out of the first digit raises the exponent"},
      {-99.96, 10, -1, "-1.0E+0002", "carry out of the first digit, negative"},
      {SousDeuxEtDemi, 10, -1, " 2.5E+0000", "extended a hair below 2.5"},
  });
}

TEST(FormatReelScientifique, LongMantissas) {
  Verifier({
      {123456789.0, 17, -1, " 1.23456789E+0008", "n = 9"},
      {12.96, 26, -1, " 1.29600000000000009E+0001",
       "n = 18 from the lead digit: y = 1296000000000000085, its 18th digit 5 rounds up"},
      {-12.96, 30, -1, "    -1.29600000000000009E+0001", "n = 18, negative, four blanks"},
  });
}

TEST(FormatReelScientifique, From2Pow120Up) {
  Verifier({
      {0x1p120, 23, 2, " 1.32922799578492E+0036", "2^120 = 1.329227995784915872...e36"},
      {0x1p120, 0, 0, " 1.3E+0036", "2^120, width 0"},
      {-0x1p120, 12, 6, "-1.329E+0036", "negative"},
      {1e300, 10, 2, " 1.0E+0300", "double 1e300"},
      {std::numeric_limits<double>::max(), 10, 3, " 1.8E+0308", "largest double"},
  });
}

TEST(FormatReelScientifique, ExtendedRangeEnds) {
  Verifier({
      {PlusGrandX87, 18, -1, " 1.189731495E+4932", "largest extended 1.18973149535...e4932"},
      {PlusPetitNormalX87, 18, -1, " 3.362103143E-4932", "smallest normal 3.36210314311...e-4932"},
      {PlusPetitSousNormalX87, 18, -1, " 3.645199532E-4951",
       "smallest subnormal 3.64519953188...e-4951"},
      {Oppose(PlusPetitSousNormalX87), 26, -1, "-3.64519953188247460E-4951",
       "smallest subnormal 3.645199531882474602528...e-4951"},
  });
}

TEST(FormatReel, NonFinite) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  Verifier({
      {nan, 0, 2, "Nan", "not a number"},
      {nan, 6, 2, "   Nan", "right-aligned"},
      {-nan, 2, -1, "Nan", "sign of a NaN ignored, scientific asked"},
      {inf, 6, 2, "  +Inf", "positive infinity"},
      {-inf, 0, 2, "-Inf", "negative infinity"},
      {-inf, 12, -1, "        -Inf", "scientific asked"},
  });
}

TEST(FormatReel, ExponentBeyondTheX87Range) {
  // 2^16384 and 2^-16446, one step beyond the largest x87 binade and the smallest subnormal.
  EXPECT_THROW(FormatReel(TEtendu::Fini(false, 16384, 0x8000000000000000u), 0, 0),
               std::out_of_range);
  EXPECT_THROW(FormatReel(TEtendu::Fini(true, -16446, 0x8000000000000000u), 0, 0),
               std::out_of_range);
}

#if VORTALE_LONG_DOUBLE_X87
// The long double entry converts the x87 value exactly: the texts of the extended rows above.
TEST(FormatReel, LongDoubleX87) {
  using X87 = std::numeric_limits<long double>;
  EXPECT_EQ(FormatReel(X87::max(), 18, -1), " 1.189731495E+4932");
  EXPECT_EQ(FormatReel(-X87::denorm_min(), 26, -1), "-3.64519953188247460E-4951");
  EXPECT_EQ(FormatReel(std::nextafter(2.5L, 0.0L), 0, 0), "3");
  EXPECT_EQ(FormatReel(-0.0L, 0, 1), "-0.0");
  EXPECT_EQ(FormatReel(-X87::infinity(), 0, 2), "-Inf");
  EXPECT_EQ(FormatReel(X87::quiet_NaN(), 0, 2), "Nan");
}
#endif

}  // namespace
