// The SVG writer: coordinates rounded to tenths of px, texts escaped for XML, elements and paths.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "svg.h"

namespace {

// A coordinate (px): its tenths, rounded half away from zero and clamped to 1e6 px (a
// not-a-number to -1e6 px), and their text.
TEST(Svg, CoordonneesEnDixiemes) {
  const double infini = std::numeric_limits<double>::infinity();
  struct Cas {
    double V;
    std::int32_t Dixiemes;
    const char* Texte;
  };
  const Cas cas[] = {
      {0, 0, "0.0"},
      {-0.04, 0, "0.0"},  // rounds to zero: no sign
      {0.05, 1, "0.1"},   // 0.05 x 10 is 0.5 once rounded, a half
      {-0.05, -1, "-0.1"},
      {1.25, 13, "1.3"},  // an exact half
      {-1.25, -13, "-1.3"},
      {1.2499, 12, "1.2"},
      {99.95, 1000, "100.0"},  // a digit more after rounding
      {-987654.3, -9876543, "-987654.3"},
      {1e6, 10000000, "1000000.0"},
      {2e6, 10000000, "1000000.0"},
      {-1e300, -10000000, "-1000000.0"},
      {infini, 10000000, "1000000.0"},
      {-infini, -10000000, "-1000000.0"},
      {std::numeric_limits<double>::quiet_NaN(), -10000000, "-1000000.0"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.Texte);
    EXPECT_EQ(Dixiemes(c.V), c.Dixiemes);
    TSvg svg(16);
    svg.Nombre(c.V);
    EXPECT_EQ(svg.Document(), c.Texte);
  }
}

// A writing into a fresh writer, and the document it should give.
struct CasEcriture {
  std::function<void(TSvg&)> Ecrire;
  const char* Attendu;
};

// Each case in a writer of its own.
void Verifier(const std::vector<CasEcriture>& cas) {
  for (const CasEcriture& c : cas) {
    TSvg svg(16);
    c.Ecrire(svg);
    EXPECT_EQ(svg.Document(), c.Attendu);
  }
}

// A number of tenths written as it is, and a UTF-8 text escaped.
CasEcriture Nombre(std::int32_t dixiemes, const char* attendu) {
  return {[dixiemes](TSvg& svg) { svg.EcrireDixiemes(dixiemes); }, attendu};
}
CasEcriture Echappe(const char* texte, const char* attendu) {
  return {[texte](TSvg& svg) { svg.TexteUtf8(texte); }, attendu};
}

// Any number of tenths, the steps of a path's relative lines included, down to the extremes of
// 32 bits.
TEST(Svg, NombresDeDixiemes) {
  Verifier({
      Nombre(9, "0.9"),
      Nombre(-10, "-1.0"),
      Nombre(123456789, "12345678.9"),
      Nombre(std::numeric_limits<std::int32_t>::max(), "214748364.7"),
      Nombre(std::numeric_limits<std::int32_t>::min(), "-214748364.8"),
  });
}

// Texts escaped for XML: the four markup characters as entities, the control characters (which
// XML 1.0 forbids, line ends included) as U+FFFD, every other byte of the UTF-8 text as it is.
TEST(Svg, TextesEchappes) {
  Verifier({
      Echappe("Ry = 8750 N", "Ry = 8750 N"),
      Echappe("a&b", "a&amp;b"),
      Echappe("<g>", "&lt;g&gt;"),
      Echappe("\"'", "&quot;'"),
      Echappe("\t\r\n\x1F", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"),
      Echappe("\x7F \xE2\x9C\x93 fl\xC3\xA8", "\x7F \xE2\x9C\x93 fl\xC3\xA8"),
  });
}

// Elements, their attributes and paths: a path's first command has no blank before it, in every
// path.
TEST(Svg, ElementsEtChemins) {
  Verifier({
      {[](TSvg& svg) {
         svg.Ouvrir("text");
         svg.Attribut("class", "max min");
         svg.Attribut("x", 12.34);
         svg.Attributs("fill=\"#000\"");
         svg.FermerTexte("text", "a<b");
       },
       "<text class=\"max min\" x=\"12.3\" fill=\"#000\">a&lt;b</text>\n"},
      {[](TSvg& svg) {
         svg.OuvrirGroupe("a\"b");
         svg.Ligne(0, 1, 2, 3, "s");
         svg.Cercle(1, 2, 2.5, "f");
         svg.Etiquette(-1, 2, "t", "&");
         svg.FermerGroupe();
       },
       "<g id=\"a&quot;b\">\n<line x1=\"0.0\" y1=\"1.0\" x2=\"2.0\" y2=\"3.0\" s/>\n"
       "<circle cx=\"1.0\" cy=\"2.0\" r=\"2.5\" f/>\n<text x=\"-1.0\" y=\"2.0\" t>&amp;</text>\n"
       "</g>\n"},
      {[](TSvg& svg) {
         for (int i = 0; i < 2; ++i) {
           svg.DebutChemin("s");
           svg.Deplacer(1, 2);
           svg.Verticale(3);
           svg.Horizontale(-4);
           svg.LigneRelativeDixiemes(-5, 7);
           svg.DeplacerDixiemes(0, 15);
           svg.VerticaleDixiemes(-1);
           svg.FinChemin();
         }
       },
       "<path s d=\"M1.0 2.0 V3.0 H-4.0 l-0.5 0.7 M0.0 1.5 V-0.1\"/>\n"
       "<path s d=\"M1.0 2.0 V3.0 H-4.0 l-0.5 0.7 M0.0 1.5 V-0.1\"/>\n"},
  });
}

}  // namespace
