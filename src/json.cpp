// The JSON writer: numbers in their shortest form, strings that are always valid UTF-8.
#include "json.h"

#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "console.h"

namespace {

// A finite double as decimal digits and an exponent: |valeur| = 0.d1d2...dk x 10^Rang. NombreJson
// takes the fewest digits that read back to the same double, without a trailing zero ("0" for a
// zero).
struct TDecimal {
  bool Negatif = false;
  std::string Chiffres;
  int Rang = 0;
};

// The digits and the exponent of a text "[-]d.ddde[+-]xx", whatever the character of its point,
// every digit kept.
TDecimal LireScientifique(const char* texte) {
  TDecimal decimal;
  const char* c = texte;
  if (*c == '-') {
    decimal.Negatif = true;
    ++c;
  }
  for (; *c != '\0' && *c != 'e'; ++c) {
    if (*c >= '0' && *c <= '9') decimal.Chiffres += *c;
  }
  const int exposant = *c == 'e' ? std::atoi(c + 1) : 0;
  decimal.Rang = exposant + 1;
  return decimal;
}

// The same decimal without its trailing zeros.
TDecimal SansZerosFinals(TDecimal decimal) {
  while (decimal.Chiffres.size() > 1 && decimal.Chiffres.back() == '0') decimal.Chiffres.pop_back();
  return decimal;
}

#if defined(__cpp_lib_to_chars)
// The shortest digits that read back, from the run-time library's own conversion.
TDecimal DecimalCourt(double valeur) {
  char texte[64];
  const std::to_chars_result fin =
      std::to_chars(texte, texte + sizeof texte - 1, valeur, std::chars_format::scientific);
  *fin.ptr = '\0';
  return SansZerosFinals(LireScientifique(texte));
}
#else
// Where the library has no conversion of doubles to their shortest text (the browser's), the same
// digits found by reading texts back. The texts of k digits that read back to a double lie around
// it in its rounding interval, which is narrower below a power of two than above it: when any
// does, the one nearest the value (the correctly rounded text) does, or else its neighbour on the
// other side of the value. So for k = 15, 16, 17 in turn: the correctly rounded text, then that
// neighbour, the first that reads back (17 digits always do). A normal value that a text of fewer
// than 15 digits reads back to has that text, with zeros after it, as its correctly rounded 15
// digits; a subnormal one, whose interval is wider, starts at 1 digit.

double Relire(const TDecimal& d) {
  const std::string texte = (d.Negatif ? "-0." : "0.") + d.Chiffres + "e" + std::to_string(d.Rang);
  return std::strtod(texte.c_str(), nullptr);
}

// The decimal with the same count of digits one unit of its last digit further from zero
// (sens = +1) or nearer to it (sens = -1).
TDecimal Voisin(TDecimal d, int sens) {
  std::string& c = d.Chiffres;
  const char bord = sens > 0 ? '9' : '0';
  std::size_t i = c.size();
  for (; i > 0 && c[i - 1] == bord; --i) c[i - 1] = sens > 0 ? '0' : '9';
  if (sens > 0 && i == 0) {  // 9.99 -> 10.0: one place up
    c.insert(c.begin(), '1');
    c.pop_back();
    ++d.Rang;
  } else if (sens > 0) {
    ++c[i - 1];
  } else {
    --c[i - 1];  // the leading digit of a value that is not 0 is not 0, so i > 0
    if (c[0] == '0') {  // 1.00 -> 0.999: one place down, a digit more at the end
      c.erase(c.begin());
      c.push_back('9');
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

}  // namespace

std::string NombreJson(double valeur) {
  const TDecimal d = DecimalCourt(valeur);
  const int k = static_cast<int>(d.Chiffres.size());
  const int n = d.Rang;
  std::string texte = d.Negatif ? "-" : "";
  if (k <= n && n <= 21) {
    texte += d.Chiffres;
    texte.append(static_cast<std::size_t>(n - k), '0');
  } else if (0 < n && n <= 21) {
    texte += d.Chiffres.substr(0, static_cast<std::size_t>(n)) + "." +
             d.Chiffres.substr(static_cast<std::size_t>(n));
  } else if (-6 < n && n <= 0) {
    texte += "0.";
    texte.append(static_cast<std::size_t>(-n), '0');
    texte += d.Chiffres;
  } else {
    texte += d.Chiffres.substr(0, 1);
    if (k > 1) texte += "." + d.Chiffres.substr(1);
    texte += (n - 1 >= 0 ? "e+" : "e-") + std::to_string(std::abs(n - 1));
  }
  return texte;
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
      case '"': texte += "\\\""; break;
      case '\\': texte += "\\\\"; break;
      case '\b': texte += "\\b"; break;
      case '\f': texte += "\\f"; break;
      case '\n': texte += "\\n"; break;
      case '\r': texte += "\\r"; break;
      case '\t': texte += "\\t"; break;
      default: texte += octet < 0x20 ? EchappementU(octet) : std::string(1, octets[i]);
    }
    ++i;
  }
  return texte;
}

// ---------------------------------------------------------------------------------------------
// The writer
// ---------------------------------------------------------------------------------------------

void TJson::Valeur() {
  if (!Premier.back()) Texte += ',';
  Premier.back() = false;
}

void TJson::DebutObjet() {
  Valeur();
  Texte += '{';
  Premier.push_back(true);
}

void TJson::FinObjet() {
  Premier.pop_back();
  Texte += '}';
}

void TJson::DebutListe() {
  Valeur();
  Texte += '[';
  Premier.push_back(true);
}

void TJson::FinListe() {
  Premier.pop_back();
  Texte += ']';
}

// The name is the program's own, ASCII. Its value follows without a comma.
void TJson::Cle(const char* nom) {
  Valeur();
  Texte += '"';
  Texte += nom;
  Texte += "\":";
  Premier.back() = true;
}

void TJson::Reel(double valeur) {
  Valeur();
  Texte += std::isfinite(valeur) ? NombreJson(valeur) : "null";
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
  suite.Premier.back() = false;
  return suite;
}
