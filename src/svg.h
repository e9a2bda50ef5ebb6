// The SVG writer of the drawing: elements and their attributes, texts escaped for XML, paths,
// lines, circles and text labels, every coordinate in tenths of a pixel.
//
// The writer knows nothing of beams: it writes what it is given, in UTF-8. Coordinates are
// rounded by integer arithmetic, so that a document is the same bytes on every machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

// Coordinates beyond this (px) are clamped before they are written; the drawing's scales never
// produce them, and the clamp keeps the conversion to an integer defined whatever happens.
constexpr double CoordonneeMax = 1e6;

// A coordinate in tenths of px (a tenth of a pixel is 0.03 mm on the printed page), rounded half
// away from zero; a not-a-number is taken as -CoordonneeMax.
std::int32_t Dixiemes(double v);

class TSvg {
 public:
  // A writer whose document will hold about `capacite` bytes: reserved once, so that the text
  // grows without moving.
  explicit TSvg(std::size_t capacite) { Sortie.reserve(capacite); }

  // The document, handed over once it is complete: the writer is not used after.
  std::string Document() { return std::move(Sortie); }

  // Bytes written as they are: markup that the caller has formed, path commands. They go
  // straight into the document, which grows inside its reserved room.
  void Ecrire(std::string_view texte) { Sortie.append(texte); }
  void Ecrire(char c) { Sortie.push_back(c); }

  // A number of tenths as a decimal number with one decimal ("-12.5"), and a coordinate (px) so.
  void EcrireDixiemes(std::int32_t dixiemes);
  void Nombre(double v) { EcrireDixiemes(Dixiemes(v)); }

  // A UTF-8 text escaped for XML: &, <, > and " as entities; the control characters, which
  // XML 1.0 forbids, as U+FFFD.
  void TexteUtf8(std::string_view utf8);

  // An element: "<nom", then its attributes, then either "/>" or its text and its end tag, and
  // a line end. Attributs writes a list of attributes formed by the caller (a stroke, a fill).
  void Ouvrir(const char* nom);
  void Attribut(const char* nom, double v);
  void Attribut(const char* nom, std::string_view valeur);
  void Attributs(std::string_view liste);
  void FermerVide();
  void FermerTexte(const char* nom, std::string_view utf8);

  // A group <g id="...">, and its end.
  void OuvrirGroupe(std::string_view id);
  void FermerGroupe();

  // A line from (x1, y1) to (x2, y2), a circle, a text label at (x, y): each with its list of
  // attributes.
  void Ligne(double x1, double y1, double x2, double y2, std::string_view trait);
  void Cercle(double x, double y, double r, std::string_view trait);
  void Etiquette(double x, double y, std::string_view attributs, std::string_view utf8);

  // A path: its stroke and fill, then its commands, separated by blanks, the first a move; then its
  // end. Coordinates in px, or in tenths already rounded; other commands go through Ecrire.
  void DebutChemin(std::string_view trait);
  void Deplacer(double x, double y);
  void DeplacerDixiemes(std::int32_t x, std::int32_t y);
  void Verticale(double y);
  void VerticaleDixiemes(std::int32_t y);
  void Horizontale(double x);
  void LigneRelativeDixiemes(std::int32_t dx, std::int32_t dy);
  void FinChemin();

 private:
  std::string Sortie;
  bool CheminVide = true;  // no command written yet in the open path
};
