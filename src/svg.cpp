// The SVG writer of the drawing; see svg.h.
#include "svg.h"

#include <charconv>
#include <cmath>

// The integer part of |v| x 10, plus one when the fraction left (exact) is a half or more, with
// the sign of v: rounding half away from zero by integer arithmetic.
std::int32_t Dixiemes(double v) {
  if (!(v >= -CoordonneeMax)) v = -CoordonneeMax;  // a not-a-number too
  if (v > CoordonneeMax) v = CoordonneeMax;
  const double exacts = std::fabs(v) * 10;
  auto dixiemes = static_cast<std::int32_t>(exacts);
  if (exacts - dixiemes >= 0.5) ++dixiemes;
  return v < 0 ? -dixiemes : dixiemes;
}

// The sign, the whole tenths in decimal, the point and the last digit.
void TSvg::EcrireDixiemes(std::int32_t dixiemes) {
  char texte[16];  // sign, 9 digits, point, decimal
  char* fin = texte;
  if (dixiemes < 0) *fin++ = '-';
  const std::uint32_t grandeur = dixiemes < 0 ? 0u - static_cast<std::uint32_t>(dixiemes)
                                              : static_cast<std::uint32_t>(dixiemes);
  fin = std::to_chars(fin, texte + sizeof texte, grandeur / 10).ptr;
  *fin++ = '.';
  *fin++ = static_cast<char>('0' + grandeur % 10);
  Sortie.append(texte, fin);
}

// Byte by byte: UTF-8 sequences pass whole, as no byte of theirs is below 0x80.
void TSvg::TexteUtf8(std::string_view utf8) {
  for (const char c : utf8) {
    if (c == '&') {
      Ecrire("&amp;");
    } else if (c == '<') {
      Ecrire("&lt;");
    } else if (c == '>') {
      Ecrire("&gt;");
    } else if (c == '"') {
      Ecrire("&quot;");
    } else if (static_cast<unsigned char>(c) < 0x20) {
      Ecrire("\xEF\xBF\xBD");
    } else {
      Ecrire(c);
    }
  }
}

// "<nom": the start of an element's start tag.
void TSvg::Ouvrir(const char* nom) {
  Ecrire('<');
  Ecrire(nom);
}

// ` nom="12.5"`: a coordinate or a length in px.
void TSvg::Attribut(const char* nom, double v) {
  Ecrire(' ');
  Ecrire(nom);
  Ecrire("=\"");
  Nombre(v);
  Ecrire('"');
}

// ` nom="valeur"`, the value escaped.
void TSvg::Attribut(const char* nom, std::string_view valeur) {
  Ecrire(' ');
  Ecrire(nom);
  Ecrire("=\"");
  TexteUtf8(valeur);
  Ecrire('"');
}

// ` liste`: attributes already formed.
void TSvg::Attributs(std::string_view liste) {
  Ecrire(' ');
  Ecrire(liste);
}

// "/>": the end of an empty element.
void TSvg::FermerVide() { Ecrire("/>\n"); }

// ">text</nom>": the end of the start tag, the escaped text and the end tag.
void TSvg::FermerTexte(const char* nom, std::string_view utf8) {
  Ecrire('>');
  TexteUtf8(utf8);
  Ecrire("</");
  Ecrire(nom);
  Ecrire(">\n");
}

// `<g id="id">`.
void TSvg::OuvrirGroupe(std::string_view id) {
  Ouvrir("g");
  Attribut("id", id);
  Ecrire(">\n");
}

// `</g>`.
void TSvg::FermerGroupe() { Ecrire("</g>\n"); }

// <line x1 y1 x2 y2 .../>.
void TSvg::Ligne(double x1, double y1, double x2, double y2, std::string_view trait) {
  Ouvrir("line");
  Attribut("x1", x1);
  Attribut("y1", y1);
  Attribut("x2", x2);
  Attribut("y2", y2);
  Attributs(trait);
  FermerVide();
}

// <circle cx cy r .../>.
void TSvg::Cercle(double x, double y, double r, std::string_view trait) {
  Ouvrir("circle");
  Attribut("cx", x);
  Attribut("cy", y);
  Attribut("r", r);
  Attributs(trait);
  FermerVide();
}

// <text x y ...>text</text>.
void TSvg::Etiquette(double x, double y, std::string_view attributs, std::string_view utf8) {
  Ouvrir("text");
  Attribut("x", x);
  Attribut("y", y);
  Attributs(attributs);
  FermerTexte("text", utf8);
}

// `<path trait d="`: the commands follow.
void TSvg::DebutChemin(std::string_view trait) {
  Ouvrir("path");
  Attributs(trait);
  Ecrire(" d=\"");
  CheminVide = true;
}

// "M x y", after a blank unless it is the path's first command.
void TSvg::DeplacerDixiemes(std::int32_t x, std::int32_t y) {
  Ecrire(CheminVide ? "M" : " M");
  CheminVide = false;
  EcrireDixiemes(x);
  Ecrire(' ');
  EcrireDixiemes(y);
}

// "M x y" for a point in px.
void TSvg::Deplacer(double x, double y) { DeplacerDixiemes(Dixiemes(x), Dixiemes(y)); }

// " V y": a vertical line to y.
void TSvg::VerticaleDixiemes(std::int32_t y) {
  Ecrire(" V");
  EcrireDixiemes(y);
}

// " V y" for an ordinate in px.
void TSvg::Verticale(double y) { VerticaleDixiemes(Dixiemes(y)); }

// " H x": a horizontal line to x.
void TSvg::Horizontale(double x) {
  Ecrire(" H");
  Nombre(x);
}

// " l dx dy": a line by (dx, dy) from the current point.
void TSvg::LigneRelativeDixiemes(std::int32_t dx, std::int32_t dy) {
  Ecrire(" l");
  EcrireDixiemes(dx);
  Ecrire(' ');
  EcrireDixiemes(dy);
}

// `"/>`: the end of the commands and of the path.
void TSvg::FinChemin() { Ecrire("\"/>\n"); }
