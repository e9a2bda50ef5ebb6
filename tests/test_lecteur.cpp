// The data-file reader's pieces: keyword lines, the text reading rules (line ends, CR, Ctrl-Z,
// 80-character lines), the free-format number grammar, and the capacities of the model.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "UTypes.h"
#include "outils.h"

namespace {

// A text file in memory, read through the same reader as a data file.
class Texte {
 public:
  explicit Texte(const std::string& contenu) : Contenu(contenu + '\0') {
    Fichier = fmemopen(&Contenu[0], contenu.size(), "rb");
  }
  ~Texte() { std::fclose(Fichier); }
  TTexteLu Lecteur() { return TTexteLu(Fichier); }

 private:
  std::string Contenu;
  std::FILE* Fichier;
};

// ---------------------------------------------------------------------------------------------
// Keyword lines
// ---------------------------------------------------------------------------------------------

struct CasMotCle {
  const char* mot;
  const char* ligne;
  bool attendu;
};

TEST(EstMotCle, ExemplesDuFormatDeDonnees) {
  const CasMotCle cas[] = {
      {"$deb", "$deb", true},
      {"$deb", "$DEB", true},
      {"$deb", "  $ D e b", true},
      {"$deb", "$debut des donnees", true},
      {"$noe", "$noeuds", true},
      {"$noe", "$NOEUDS 99", true},
      {"$ele", "$Elements", true},
      {"$deb",
       "$D\xE9"
       "but",
       false},                          // an accented letter is a letter of its own
      {"$ele", "$El\xE9ments", false},  // É/é are not upper-cased to E
      {"$deb", "\t$deb", false},        // a tab is not a space
      {"$deb", "$de", false},           // shorter than the keyword
      {"$deb", "", false},
      {"$fin", "$ f i n", true},
      {"$cha", "$lia", false},
      {"$deb", "x$deb", false},
  };
  for (const CasMotCle& c : cas) {
    EXPECT_EQ(EstMotCle(c.mot, c.ligne), c.attendu) << c.mot << " / " << c.ligne;
  }
}

TEST(EstMotCle, SeulesLes80PremieresColonnesComptent) {
  // The keyword starts at column 79: cut to 80 characters, only "$d" remains.
  EXPECT_FALSE(EstMotCle("$deb", std::string(78, ' ') + "$deb"));
  EXPECT_TRUE(EstMotCle("$deb", std::string(76, ' ') + "$deb"));
}

// ---------------------------------------------------------------------------------------------
// Lines read as text
// ---------------------------------------------------------------------------------------------

TEST(LectureLignes, FinsDeLigneEtRetoursChariot) {
  Texte t("un\r\ndeux\ntr\rois\r\n\r\n");
  TTexteLu l = t.Lecteur();
  EXPECT_EQ(l.LireLigne(), "un");     // CR LF
  EXPECT_EQ(l.LireLigne(), "deux");   // LF alone
  EXPECT_EQ(l.LireLigne(), "trois");  // a lone CR is no line end, and is left out
  EXPECT_FALSE(l.Fin());
  EXPECT_EQ(l.LireLigne(), "");
  EXPECT_TRUE(l.Fin());
  EXPECT_EQ(l.LireLigne(), "");  // reading at the end gives nothing, without error
}

TEST(LectureLignes, CtrlZTermineLeFichier) {
  Texte t(
      "avant\r\napres\x1A"
      "cache\r\nplus\r\n");
  TTexteLu l = t.Lecteur();
  EXPECT_EQ(l.LireLigne(), "avant");
  EXPECT_EQ(l.LireLigne(), "apres");
  EXPECT_TRUE(l.Fin());
  EXPECT_EQ(l.LireLigne(), "");
  EXPECT_EQ(l.LireEntier(), 0);
}

TEST(LectureLignes, QuatreVingtsCaracteresGardes) {
  const std::string longue = std::string(80, 'a') + "bcdef";
  Texte t(longue + "\r\nsuite\r\n");
  TTexteLu l = t.Lecteur();
  EXPECT_EQ(l.LireLigne(), std::string(80, 'a'));
  EXPECT_EQ(l.LireLigne(), "suite");
}

TEST(LectureLignes, FinirLigneSauteLeResteDeLaLigne) {
  Texte t("12 commentaire 34\r\n56\r\n");
  TTexteLu l = t.Lecteur();
  EXPECT_EQ(l.LireEntier(), 12);
  l.FinirLigne();
  EXPECT_EQ(l.LireEntier(), 56);
  l.FinirLigne();
  l.FinirLigne();  // at the end of the file: does nothing
  EXPECT_TRUE(l.Fin());
}

// ---------------------------------------------------------------------------------------------
// Numbers in free format
// ---------------------------------------------------------------------------------------------

TEST(LectureNombres, SeparateursSautes) {
  Texte t(" \t\r\n\r\n  -7\t+8\r\n\n9 \r 10\r\n");
  TTexteLu l = t.Lecteur();
  EXPECT_EQ(l.LireEntier(), -7);
  EXPECT_EQ(l.LireEntier(), 8);
  EXPECT_EQ(l.LireEntier(), 9);
  EXPECT_EQ(l.LireEntier(), 10);  // a lone CR is skipped like a line end
  EXPECT_EQ(l.LireEntier(), 0);   // end of the file: 0, no error
  EXPECT_DOUBLE_EQ(l.LireReel(), 0);
}

TEST(LectureNombres, JetonArreteParUnCaractereDeControle) {
  Texte t(
      "12\x01"
      "34");
  TTexteLu l = t.Lecteur();
  EXPECT_EQ(l.LireEntier(), 12);
  // The control character now stands where the next number starts: an empty token.
  EXPECT_EQ(MotsErreur([&] { l.LireEntier(); }), "Invalid numeric input");
}

struct CasReel {
  const char* jeton;
  double attendu;
};

TEST(LectureNombres, ReelsAcceptes) {
  const CasReel cas[] = {
      {"0", 0.0},
      {"2.5", 2.5},
      {"-10000", -10000.0},
      {"+3", 3.0},
      {"2.1E11", 2.1e11},
      {"8.36E-6", 8.36e-6},
      {"8.36e-06", 8.36e-6},
      {"5.", 5.0},
      {"1e+2", 100.0},
      {"1e308", 1e308},
      {"-0", -0.0},
      {"1e-400", 0.0},     // underflows to zero
      {"4e-320", 4e-320},  // a subnormal, read as the nearest double
  };
  for (const CasReel& c : cas) {
    Texte t(c.jeton);
    TTexteLu l = t.Lecteur();
    const double lu = l.LireReel();
    EXPECT_EQ(lu, c.attendu) << c.jeton;
    EXPECT_EQ(std::signbit(lu), std::signbit(c.attendu)) << c.jeton;
  }
}

TEST(LectureNombres, ReelsRefuses) {
  const char* refuses[] = {"2,5", "abc",  "1e400", "-1e999", "inf", "nan",   "0x10",
                           ".5",  "1e",   "1e+",   "--1",    "+",   "1.2.3", "1e5.0",
                           "12a", "\xE9", "1\x7F", "-",      "E5"};
  for (const char* jeton : refuses) {
    Texte t(jeton);
    TTexteLu l = t.Lecteur();
    EXPECT_EQ(MotsErreur([&] { l.LireReel(); }), "Invalid numeric input") << jeton;
  }
}

struct CasEntier {
  const char* jeton;
  std::int32_t attendu;
};

TEST(LectureNombres, EntiersSur32Bits) {
  const CasEntier cas[] = {{"0", 0},
                           {"-0", 0},
                           {"+17", 17},
                           {"007", 7},
                           {"2147483647", std::numeric_limits<std::int32_t>::max()},
                           {"-2147483648", std::numeric_limits<std::int32_t>::min()},
                           {"00000000000000000000001", 1}};
  for (const CasEntier& c : cas) {
    Texte t(c.jeton);
    TTexteLu l = t.Lecteur();
    EXPECT_EQ(l.LireEntier(), c.attendu) << c.jeton;
  }
  const char* refuses[] = {"2147483648", "-2147483649", "99999999999999999999", "1.0", "1e3", "3,",
                           "x",          "+-1"};
  for (const char* jeton : refuses) {
    Texte t(jeton);
    TTexteLu l = t.Lecteur();
    EXPECT_EQ(MotsErreur([&] { l.LireEntier(); }), "Invalid numeric input") << jeton;
  }
}

// ---------------------------------------------------------------------------------------------
// Capacities and thresholds
// ---------------------------------------------------------------------------------------------

TEST(Capacites, TableauxVerifies) {
  TTableau<double, 1, 50> x;
  x[1] = 1;
  x[50] = 50;
  EXPECT_EQ(x[1] + x[50], 51);
  for (std::int32_t i : {0, 51, -1, std::numeric_limits<std::int32_t>::min(),
                         std::numeric_limits<std::int32_t>::max()}) {
    EXPECT_EQ(MotsErreur([&] { x[i] = 0; }), "Range check error") << i;
  }
  TTableau<double, 0, 10> g;
  g[0] = 1;
  EXPECT_EQ(MotsErreur([&] { g[11] = 0; }), "Range check error");
}

TEST(Capacites, ListesLibereesSansErreur) {
  // A count above the capacity never makes freeing touch a position beyond it, and every item
  // stored is freed (the sanitizer build reports a leak otherwise); a count of zero or less has
  // no items and frees nothing.
  for (std::int32_t nombre : {60, std::numeric_limits<std::int32_t>::max()}) {
    TElements liste;
    liste.Nombre = nombre;
    liste.Nouveau(1);
    liste.Nouveau(CapElements);
  }
  for (std::int32_t nombre : {-5, 0, std::numeric_limits<std::int32_t>::min()}) {
    TElements liste;
    liste.Nombre = nombre;
  }
  TElements liste;
  liste.Nombre = 3;
  liste.Nouveau(1);
  EXPECT_EQ(MotsErreur([&] { liste.Nouveau(50); }), "Range check error");
  EXPECT_EQ(MotsErreur([&] { liste.Item(2); }), "Range check error");  // empty position
  EXPECT_EQ(MotsErreur([&] { liste.Item(4); }), "Range check error");  // beyond Nombre
}

TEST(Capacites, Indice) {
  TElements liste;
  TElement ailleurs;
  EXPECT_EQ(liste.Indice(&ailleurs), 0);  // empty list
  liste.Nombre = 2;
  TElement& premier = liste.Nouveau(1);
  TElement& second = liste.Nouveau(2);
  EXPECT_EQ(liste.Indice(&premier), 1);
  EXPECT_EQ(liste.Indice(&second), 2);
  EXPECT_EQ(liste.Indice(&ailleurs), 0);
}

TEST(Capacites, SeuilsEnPrecisionEtendue) {
  // The thresholds lie just above the doubles nearest to them: those doubles are refused too.
  EXPECT_LT(TEtendu(1e-6), LongueurMin);
  EXPECT_LT(TEtendu(1e-12), IzMin);
  EXPECT_LT(LongueurMin, TEtendu(std::nextafter(1e-6, 1.0)));
  EXPECT_LT(IzMin, TEtendu(std::nextafter(1e-12, 1.0)));
}

}  // namespace
