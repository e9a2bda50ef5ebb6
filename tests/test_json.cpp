// The JSON writer: numbers in the shortest text that reads back, laid out as JavaScript writes
// them; strings that are always valid UTF-8; commas and nesting.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "json.h"

namespace {

// (value, text): the expected texts are those of JavaScript's Number.prototype.toString, which
// JSON.stringify uses (ECMA-262, Number::toString), except for the sign of a negative zero.
TEST(Json, Nombres) {
  const struct {
    double Valeur;
    const char* Texte;
  } cas[] = {
      {0.0, "0"},
      {-0.0, "-0"},
      {15625.0, "15625"},
      {-8750.000000000002, "-8750.000000000002"},  // 16 digits needed to read back
      {0.1, "0.1"},                                // not 0.1000000000000000055511...
      {2.1e11, "210000000000"},
      {8.36e-6, "0.00000836"},
      {1e-6, "0.000001"},  // the smallest magnitude in fixed point
      {1e-7, "1e-7"},
      {1.5e-7, "1.5e-7"},
      {1e21, "1e+21"},                                  // from 1e21, an exponent
      {9.999999999999999e20, "999999999999999900000"},  // shortest digits, then zeros
      {9007199254740994.0, "9007199254740994"},         // 2^53 + 2
      {1.2345678901234568e20, "123456789012345680000"},
      {-123456.78901234567, "-123456.78901234567"},
      {0.00001, "0.00001"},
      {-0.019476712, "-0.019476712"},
      {5.684341886080802e-14, "5.684341886080802e-14"},  // 2^-44: narrower interval below
      {5e-324, "5e-324"},                                // the smallest subnormal
      {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.Texte);
    EXPECT_EQ(NombreJson(c.Valeur), c.Texte);
    EXPECT_EQ(std::strtod(NombreJson(c.Valeur).c_str(), nullptr), c.Valeur);
  }
}

// Every power of two, where the digits that read back are not centred on the value, reads back.
TEST(Json, PuissancesDeDeuxRelues) {
  for (int e = -1074; e <= 1023; ++e) {
    const double v = std::ldexp(1.0, e);
    ASSERT_EQ(std::strtod(NombreJson(v).c_str(), nullptr), v) << e;
  }
}

// (bytes, string contents): UTF-8 kept, other bytes as the Windows-1252 character they stand for.
TEST(Json, Chaines) {
  const struct {
    const char* Octets;
    const char* Texte;
  } cas[] = {
      {"poutre", "poutre"},
      {"\xc3\xa9t\xc3\xa9", "\xc3\xa9t\xc3\xa9"},            // UTF-8 "été" as it is
      {"\xe9t\xe9", "\\u00e9t\\u00e9"},                      // Windows-1252 "été"
      {"\x80", "\\u20ac"},                                   // the euro sign
      {"\x81", "\\ufffd"},                                   // undefined in Windows-1252
      {"\xc3", "\\u00c3"},                                   // a sequence cut short
      {"\xc0\xaf", "\\u00c0\\u00af"},                        // an overlong "/"
      {"\xed\xa0\x80", "\\u00ed\\u00a0\\u20ac"},             // a surrogate, U+D800
      {"\xf4\x90\x80\x80", "\\u00f4\\ufffd\\u20ac\\u20ac"},  // above U+10FFFF; 90 undefined
      {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},              // U+1F600, four bytes
      {"a\"b\\c/", "a\\\"b\\\\c/"},
      {"\n\r\t\b\f\x01\x1f\x7f", "\\n\\r\\t\\b\\f\\u0001\\u001f\x7f"},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.Octets);
    EXPECT_EQ(ChaineJson(c.Octets), c.Texte);
  }
  EXPECT_EQ(ChaineJson(std::string("a\0b", 3)), "a\\u0000b");
}

// Commas between members and items, none after an opening; values not finite as null; the
// members of a second writer placed after those already written.
TEST(Json, Ecrivain) {
  TJson j;
  j.DebutObjet();
  j.Cle("a");
  j.DebutListe();
  j.Reel(1.5);
  j.Reel(std::numeric_limits<double>::infinity());
  j.Reel(std::nan(""));
  j.Entier(-3);
  j.Booleen(true);
  j.Nul();
  j.DebutObjet();
  j.FinObjet();
  j.FinListe();
  j.Cle("b");
  j.Chaine("x");
  TJson suite = TJson::SuiteObjet();
  suite.Cle("c");
  suite.Booleen(false);
  j.Membres(suite);
  j.FinObjet();
  EXPECT_EQ(j.Texte, R"({"a":[1.5,null,null,-3,true,null,{}],"b":"x","c":false})");
}

}  // namespace
