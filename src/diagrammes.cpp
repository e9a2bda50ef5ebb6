// The drawing's four diagrams: deflection, slope, shear force and bending moment, each in its
// panel with its value scale, its curve and its exact extremes; the x axis under them.
#include <algorithm>
#include <cmath>

#include "console.h"
#include "dessin_page.h"
#include "textes.h"

namespace Dessin {

// y (px) of the value v in the data area of the diagram whose panel starts at `haut`.
double YValeur(double v, const TEchelleDiagramme& e, double haut) {
  return haut + BasDonnees - Fraction(v, e.Bas, e.Haut) * (BasDonnees - HautDonnees);
}

// One diagram's panel: title, frame and value scale, the zero line, the curve (filled for the
// shear force and the bending moment), and the extremes; a note when points were skipped.
void TDessin::Diagramme(const TDiagramme& d, double haut) {
  const TEchelleDiagramme e = EchelleDiagramme(Exacts[d.Grandeur]);
  Svg.OuvrirGroupe(d.Id);
  Etiquette(GaucheCadre, haut + TitreDiagramme, TextePanneau, d.Titre);
  if (e.NonFinies) {
    Etiquette(DroiteCadre, haut + TitreDiagramme, TexteNonFinies, Textes::DessinNonFinies);
  }
  Echelle(e, haut);
  const double y0 = YValeur(0, e, haut);
  Svg.Ligne(GaucheCadre, y0, DroiteCadre, y0, TraitZero);
  Courbe(d, e, haut);
  Extremes(d, e, haut);
  Svg.FermerGroupe();
}

// The frame, and at each tick of the value scale a grid line and the tick's value on the left.
void TDessin::Echelle(const TEchelleDiagramme& e, double haut) {
  Svg.Ouvrir("rect");
  Svg.Attribut("x", GaucheCadre);
  Svg.Attribut("y", haut + HautCadre);
  Svg.Attribut("width", DroiteCadre - GaucheCadre);
  Svg.Attribut("height", BasCadre - HautCadre);
  Svg.Attributs(TraitCadre);
  Svg.FermerVide();
  const TGraduations g = Graduations(e.Bas, e.Haut, e.Pas);
  for (int j = 0; j < g.Nombre; ++j) {
    const double valeur = (g.Premier + j) * e.Pas;
    const double y = YValeur(valeur, e, haut);
    Svg.Ligne(GaucheCadre, y, DroiteCadre, y, TraitGrille);
    Etiquette(GaucheCadre - 4, y + 3.5, TexteGraduation, ValeurGraduation(valeur, e.Exposant));
  }
  if (g.Nombre == 0) Etiquette(GaucheCadre - 4, YValeur(0, e, haut) + 3.5, TexteGraduation, "0");
}

// The curve through the graph points, element after element, as one path. A point whose value or
// abscissa is not finite is skipped, and the curve starts again after it. An element that starts
// where the one before it ended is joined to it, so that a jump at a node (the shear force under a
// point load or a support) shows as a vertical segment. In a filled diagram each piece of the curve
// is closed along the zero line, so that the path's area is the one between the curve and that
// line.
//
// Coordinates in tenths of px. A piece starts with a move to its first point, from the zero line
// when filled; each next point is a relative line from the one before, whose steps, differences
// of rounded coordinates, are exact and short; a filled piece ends back on the zero line.
void TDessin::Courbe(const TDiagramme& d, const TEchelleDiagramme& e, double haut) {
  if (!e.Valeurs) return;
  const std::int32_t zero = Dixiemes(YValeur(0, e, haut));
  const auto fin = [&]() {
    if (!d.Rempli) return;
    Svg.VerticaleDixiemes(zero);
    Svg.Ecrire(" Z");
  };
  Svg.DebutChemin(d.Trait);
  std::int32_t xDessine = 0, yDessine = 0;
  bool enCours = false;
  double xPrecedent = 0;
  for (std::int32_t i = 1; i <= NombreGraphes(S); ++i) {
    const std::vector<TPointCourbe> points = PointsElement(i);
    for (std::size_t k = 0; k < points.size(); ++k) {
      const double x = points[k].Abscisse, v = points[k].Valeur(d.Grandeur);
      const bool fini = std::isfinite(x) && std::isfinite(v);
      if (enCours && (!fini || (k == 0 && x != xPrecedent))) {
        fin();
        enCours = false;
      }
      if (!fini) continue;
      const std::int32_t px = Dixiemes(Px(x)), py = Dixiemes(YValeur(v, e, haut));
      if (enCours) {
        Svg.LigneRelativeDixiemes(px - xDessine, py - yDessine);
      } else {
        Svg.DeplacerDixiemes(px, d.Rempli ? zero : py);
        if (d.Rempli) Svg.VerticaleDixiemes(py);
      }
      enCours = true;
      xPrecedent = x;
      xDessine = px;
      yDessine = py;
    }
  }
  if (enCours) fin();
  Svg.FinChemin();
}

// The points through which element i's curves are drawn: the report's graph rows, or for an
// element of the extended model its curves sampled about every 4 px and on both sides of every
// point load, so that they are drawn smooth and their jumps and kinks stand where the loads are.
std::vector<TPointCourbe> TDessin::PointsElement(std::int32_t i) const {
  const TElement& element = S.Elements.Item(i);
  const TCourbes courbes(S, element, i);
  if (courbes.Morcelee()) {
    double xI = 0, xJ = 0;
    const bool dessine = PxNoeud(element.NoeudI, xI) && PxNoeud(element.NoeudJ, xJ);
    const double largeur = dessine ? std::fabs(xJ - xI) : 0;
    return courbes.Echantillons(
        static_cast<std::int32_t>(std::max(10.0, std::min(250.0, std::ceil(largeur / 4)))));
  }
  const TGraphe& g = S.Graphes[i];
  std::vector<TPointCourbe> points;
  for (std::int32_t k = 0; k <= DernierPoint(g); ++k) {
    points.push_back({g.Abscisse[k], g.Fleche[k], g.Pente[k], g.Ty[k], g.Mfz[k]});
  }
  return points;
}

// The largest value marked and labelled above its point, the smallest below its point; one label
// when they are equal. A label shows the report's text for the value and for its abscissa.
void TDessin::Extremes(const TDiagramme& d, const TEchelleDiagramme& e, double haut) {
  if (!e.Valeurs) return;
  const std::string x = SansBlancs(FormatReel(e.XMax, ChampAbscisse));
  const std::string max = SansBlancs(FormatReel(e.Max, d.Champ));
  const std::string finMax = Textes::DessinAbscisse + x + Textes::DessinFinAbscisse;
  if (e.Max == e.Min) {
    Extreme(Px(e.XMax), YValeur(e.Max, e, haut), true, "max min",
            Textes::DessinMaxMin + max + finMax);
    return;
  }
  Extreme(Px(e.XMax), YValeur(e.Max, e, haut), true, "max", Textes::DessinMax + max + finMax);
  Extreme(Px(e.XMin), YValeur(e.Min, e, haut), false, "min",
          Textes::DessinMin + SansBlancs(FormatReel(e.Min, d.Champ)) + Textes::DessinAbscisse +
              SansBlancs(FormatReel(e.XMin, ChampAbscisse)) + Textes::DessinFinAbscisse);
}

// A marked point and its label, above or below it, on the side of the page's middle so that it
// stays inside the frame.
void TDessin::Extreme(double x, double y, bool dessus, const char* classe,
                      const std::string& texte) {
  Svg.Cercle(x, y, 2.5, "fill=\"#000000\"");
  const bool aDroite = x < (GaucheX + DroiteX) / 2;
  Svg.Ouvrir("text");
  Svg.Attribut("class", std::string_view(classe));
  Svg.Attribut("x", aDroite ? x + 5 : x - 5);
  Svg.Attribut("y", dessus ? y - 6 : y + 14);
  Svg.Attribut("text-anchor", std::string_view(aDroite ? "start" : "end"));
  Svg.FermerTexte("text", Utf8DepuisWindows1252(texte));
}

// The x axis under the panels: at most 15 intervals between ticks over the beam's extent, with the
// ticks' abscissae in m.
void TDessin::AxeX() {
  Svg.OuvrirGroupe("axe");
  Svg.Ligne(GaucheCadre, YAxe, DroiteCadre, YAxe, TraitAxe);
  const TPas pas = PasRond(XMax / 15 - XMin / 15);
  const TGraduations g = Graduations(XMin, XMax, pas.Pas);
  for (int j = 0; j < g.Nombre; ++j) {
    const double x = (g.Premier + j) * pas.Pas;
    Svg.Ligne(Px(x), YAxe, Px(x), YAxe + 4, TraitAxe);
    Etiquette(Px(x), YAxe + 14, TexteAxe, ValeurGraduation(x, pas.Exposant));
  }
  Etiquette(GaucheCadre - 24, YAxe + 14, TexteGraduation, Textes::DessinAxe);
  Svg.FermerGroupe();
}

}  // namespace Dessin
