// The JSON writer: numbers in their shortest form, strings that are always valid UTF-8.
#include "json.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "console.h"

namespace {

// A finite double as decimal digits and an exponent: |valeur| = 0.d1d2...dk x 10^Rang, the
// digits in Chiffres[0..Nombre). NombreJson takes the fewest digits that read back to the same
// double, without a trailing zero ("0" for a zero). Plain characters, no allocation: a batch
// writes thousands of numbers per beam.
struct TDecimal {
  bool Negatif = false;
  char Chiffres[24];
  int Nombre = 0;
  int Rang = 0;
};

// The digits and the exponent of a text "[-]d[.ddd]e[+-]xx" as to_chars and printf's "%e" write
// it in the C locale (the program never calls setlocale), every digit kept.
TDecimal LireScientifique(const char* c) {
  TDecimal decimal;
  decimal.Negatif = *c == '-';
  if (decimal.Negatif) ++c;
  decimal.Chiffres[decimal.Nombre++] = *c++;
  if (*c == '.') {
    for (++c; *c != 'e' && decimal.Nombre < 20; ++c) decimal.Chiffres[decimal.Nombre++] = *c;
  }
  while (*c != 'e') ++c;
  const bool negatif = *++c == '-';
  int exposant = 0;
  for (++c; *c >= '0' && *c <= '9'; ++c) exposant = 10 * exposant + (*c - '0');
  decimal.Rang = (negatif ? -exposant : exposant) + 1;
  return decimal;
}

// The same decimal without its trailing zeros.
TDecimal SansZerosFinals(TDecimal decimal) {
  while (decimal.Nombre > 1 && decimal.Chiffres[decimal.Nombre - 1] == '0') --decimal.Nombre;
  return decimal;
}

#if defined(__cpp_lib_to_chars) && !defined(VORTALE_JSON_RELECTURE)
// The shortest digits that read back, from the run-time library's own conversion.
TDecimal DecimalCourt(double valeur) {
  char texte[64];
  const std::to_chars_result fin =
      std::to_chars(texte, texte + sizeof texte - 1, valeur, std::chars_format::scientific);
  *fin.ptr = '\0';
  return SansZerosFinals(LireScientifique(texte));
}
#else
// Where the library has no conversion of doubles to their shortest text (the browser's; the tests
// build it with VORTALE_JSON_RELECTURE too), the same digits found by reading texts back. The
// texts of k digits that read back to a double lie around it in its rounding interval, which is
// narrower below a power of two than above it: when any does, the one nearest the value (the
// correctly rounded text) does, or else its neighbour on the other side of the value. So for
// k = 15, 16, 17 in turn: the correctly rounded text, then that neighbour, the first that reads
// back (17 digits always do). A normal value that a text of fewer than 15 digits reads back to
// has that text, with zeros after it, as its correctly rounded 15 digits; a subnormal one, whose
// interval is wider, starts at 1 digit.

double Relire(const TDecimal& d) {
  char texte[64];
  std::snprintf(texte, sizeof texte, "%s0.%.*se%d", d.Negatif ? "-" : "", d.Nombre, d.Chiffres,
                d.Rang);
  return std::strtod(texte, nullptr);
}

// The decimal with the same count of digits one unit of its last digit further from zero
// (sens = +1) or nearer to it (sens = -1).
TDecimal Voisin(TDecimal d, int sens) {
  char* c = d.Chiffres;
  const char bord = sens > 0 ? '9' : '0';
  int i = d.Nombre;
  for (; i > 0 && c[i - 1] == bord; --i) c[i - 1] = sens > 0 ? '0' : '9';
  if (sens > 0 && i == 0) {  // 9.99 -> 10.0: one place up, the same count of digits
    c[0] = '1';
    ++d.Rang;
  } else if (sens > 0) {
    ++c[i - 1];
  } else {
    --c[i - 1];         // the leading digit of a value that is not 0 is not 0, so i > 0
    if (c[0] == '0') {  // 1.00 -> 0.999: one place down, a digit more at the end
      for (int k = 1; k < d.Nombre; ++k) c[k - 1] = c[k];
      c[d.Nombre - 1] = '9';
      --d.Rang;
    }
  }
  return d;
}

TDecimal DecimalCourt(double valeur) {
  char texte[64];
  for (int chiffres = std::fabs(valeur) < DBL_MIN ? 1 : 15;; ++chiffres) {
    std::snprintf(texte, sizeof texte, "%.*e", chiffres - 1, valeur);
    const TDecimal arrondi = LireScientifique(texte);
    const double relu = Relire(arrondi);
    if (relu == valeur || chiffres == 17) return SansZerosFinals(arrondi);
    const TDecimal voisin = Voisin(arrondi, std::fabs(relu) < std::fabs(valeur) ? +1 : -1);
    if (Relire(voisin) == valeur) return SansZerosFinals(voisin);
  }
}
#endif

// The decimal laid out as JavaScript does (see NombreJson), written at `texte`, which has room for
// 32 characters ("-0.00000" and 17 digits, or 17 digits, a point and "e-324"); returns its end.
char* Disposer(const TDecimal& d, char* texte) {
  const int k = d.Nombre;
  const int n = d.Rang;
  char* c = texte;
  if (d.Negatif) *c++ = '-';
  const auto chiffres = [&](int debut, int fin) {
    for (int i = debut; i < fin; ++i) *c++ = d.Chiffres[i];
  };
  if (k <= n && n <= 21) {  // an integer: its digits, then zeros
    chiffres(0, k);
    for (int i = k; i < n; ++i) *c++ = '0';
  } else if (0 < n && n <= 21) {  // a point among the digits
    chiffres(0, n);
    *c++ = '.';
    chiffres(n, k);
  } else if (-6 < n && n <= 0) {  // "0.", zeros, the digits
    *c++ = '0';
    *c++ = '.';
    for (int i = n; i < 0; ++i) *c++ = '0';
    chiffres(0, k);
  } else {  // one digit, the others after a point, a signed exponent
    chiffres(0, 1);
    if (k > 1) *c++ = '.';
    chiffres(1, k);
    *c++ = 'e';
    *c++ = n - 1 >= 0 ? '+' : '-';
    const int exposant = std::abs(n - 1);
    if (exposant >= 100) *c++ = static_cast<char>('0' + exposant / 100);
    if (exposant >= 10) *c++ = static_cast<char>('0' + exposant / 10 % 10);
    *c++ = static_cast<char>('0' + exposant % 10);
  }
  return c;
}

// The number's text at `texte` (room for 32 characters); returns its end.
char* EcrireNombre(double valeur, char* texte) { return Disposer(DecimalCourt(valeur), texte); }

}  // namespace

std::string NombreJson(double valeur) {
  char texte[32];
  return std::string(texte, EcrireNombre(valeur, texte));
}

namespace {

// The length of the well-formed UTF-8 sequence that starts at i, or 0 when none does: no overlong
// form, no surrogate, nothing above U+10FFFF.
std::size_t SequenceUtf8(std::string_view octets, std::size_t i) {
  const auto octet = [&](std::size_t j) { return static_cast<unsigned char>(octets[j]); };
  const unsigned char tete = octet(i);
  std::size_t longueur = 0;
  unsigned char bas = 0x80, haut = 0xBF;  // the range of the second byte
  if (tete >= 0xC2 && tete <= 0xDF) {
    longueur = 2;
  } else if (tete >= 0xE0 && tete <= 0xEF) {
    longueur = 3;
    if (tete == 0xE0) bas = 0xA0;
    if (tete == 0xED) haut = 0x9F;
  } else if (tete >= 0xF0 && tete <= 0xF4) {
    longueur = 4;
    if (tete == 0xF0) bas = 0x90;
    if (tete == 0xF4) haut = 0x8F;
  } else {
    return 0;
  }
  if (i + longueur > octets.size()) return 0;
  if (octet(i + 1) < bas || octet(i + 1) > haut) return 0;
  for (std::size_t j = i + 2; j < i + longueur; ++j) {
    if (octet(j) < 0x80 || octet(j) > 0xBF) return 0;
  }
  return longueur;
}

std::string EchappementU(unsigned point) {
  char texte[8];
  std::snprintf(texte, sizeof texte, "\\u%04x", point);
  return texte;
}

}  // namespace

std::string ChaineJson(std::string_view octets) {
  std::string texte;
  texte.reserve(octets.size());
  for (std::size_t i = 0; i < octets.size();) {
    const unsigned char octet = static_cast<unsigned char>(octets[i]);
    if (octet >= 0x80) {
      const std::size_t longueur = SequenceUtf8(octets, i);
      texte += longueur > 0 ? std::string(octets.substr(i, longueur))
                            : EchappementU(PointWindows1252(octet));
      i += longueur > 0 ? longueur : 1;
      continue;
    }
    switch (octet) {
      case '"':
        texte += "\\\"";
        break;
      case '\\':
        texte += "\\\\";
        break;
      case '\b':
        texte += "\\b";
        break;
      case '\f':
        texte += "\\f";
        break;
      case '\n':
        texte += "\\n";
        break;
      case '\r':
        texte += "\\r";
        break;
      case '\t':
        texte += "\\t";
        break;
      default:
        texte += octet < 0x20 ? EchappementU(octet) : std::string(1, octets[i]);
    }
    ++i;
  }
  return texte;
}

// ---------------------------------------------------------------------------------------------
// The writer
// ---------------------------------------------------------------------------------------------

void TJson::Valeur() {
  if (!Premier) Texte += ',';
  Premier = false;
}

// An object or a list opens as a value, empty; once closed it is a value of the one around it,
// which is then no longer empty.
void TJson::Ouvrir(char signe) {
  Valeur();
  Texte += signe;
  Premier = true;
}

void TJson::Fermer(char signe) {
  Texte += signe;
  Premier = false;
}

void TJson::DebutObjet() { Ouvrir('{'); }
void TJson::FinObjet() { Fermer('}'); }
void TJson::DebutListe() { Ouvrir('['); }
void TJson::FinListe() { Fermer(']'); }

// The name is the program's own, ASCII. Its value follows without a comma. Written in place, as a
// number is: a beam's object has thousands of keys.
void TJson::Cle(const char* nom) {
  Valeur();
  const std::size_t debut = Texte.size();
  Texte.resize(debut + std::char_traits<char>::length(nom) + 3);
  char* c = &Texte[debut];
  *c++ = '"';
  while (*nom != '\0') *c++ = *nom++;
  *c++ = '"';
  *c = ':';
  Premier = true;
}

// The number written in place at the end of the text, which grows by at most 32 characters.
void TJson::Reel(double valeur) {
  Valeur();
  if (!std::isfinite(valeur)) {
    Texte += "null";
    return;
  }
  const std::size_t debut = Texte.size();
  Texte.resize(debut + 32);
  Texte.resize(static_cast<std::size_t>(EcrireNombre(valeur, &Texte[debut]) - Texte.data()));
}

void TJson::Entier(std::int64_t valeur) {
  Valeur();
  Texte += std::to_string(valeur);
}

void TJson::Booleen(bool valeur) {
  Valeur();
  Texte += valeur ? "true" : "false";
}

void TJson::Nul() {
  Valeur();
  Texte += "null";
}

void TJson::Chaine(std::string_view octets) {
  Valeur();
  Texte += '"';
  Texte += ChaineJson(octets);
  Texte += '"';
}

void TJson::Membres(const TJson& suite) { Texte += suite.Texte; }

TJson TJson::SuiteObjet() {
  TJson suite;
  suite.Premier = false;
  return suite;
}
