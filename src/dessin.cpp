// The drawing of a complete run: one SVG 1.1 page, A4 landscape at 96 px per inch (1123 x 794 px).
//
// Its panels, stacked from top to bottom, share one horizontal scale, x in m, with a light
// vertical guide at every node:
//   poutre               the nodes, the elements, the supports, the loads and the reactions;
//   fleche               the deflection v (m);
//   pente                the slope dv/dx (rad);
//   effort-tranchant     the shear force Ty (N), filled;
//   moment-flechissant   the bending moment Mfz (N.m), filled.
// Each panel is a group <g id="..."> of that name. Positive values are drawn upwards: deflections,
// forces and loads along +y, slopes and moments counterclockwise; Ty and Mfz are the actions of
// the part of the beam to the right of the section on the part to its left, as in the report.
//
// The diagrams plot the element graphs that the report printed (TStructure::Graphes) and, for the
// elements of the extended model, their curves sampled finely and on both sides of every point
// load. Their marks are the exact extremes of the run, labelled with the report's own fields.
//
// The document is the same bytes on every machine: coordinates are rounded to 1/10 px by integer
// arithmetic, labels go through the report's field writers, and the scales use only the four
// operations, floor and ceil, which IEEE 754 arithmetic rounds the same everywhere. A value that is
// not finite never reaches a coordinate: its point is skipped and its panel says so. The page uses
// presentation attributes and the generic sans-serif family only: no style sheet, script, font or
// external resource, so that browsers, Inkscape and converters to PDF draw it alike.
#include "dessin.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "console.h"
#include "courbes.h"
#include "echelles.h"
#include "format.h"
#include "svg.h"
#include "textes.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Page layout, in px, y downwards
// ---------------------------------------------------------------------------------------------

constexpr double LargeurPage = 1123;
// The panels' frames; the value scales are written to their left.
constexpr double GaucheCadre = 96;
constexpr double DroiteCadre = 1100;
// Where the smallest and the largest node abscissae are drawn: inside the frames, with room for
// a support and its labels at either end of the beam.
constexpr double GaucheX = 116;
constexpr double DroiteX = 1080;

// The beam's panel: its top, the beam's axis, and the first baseline of each set of label rows.
constexpr double HautPoutre = 30;
constexpr double YPoutre = 130;
constexpr double YCharges = 92;   // load values, rows going up
constexpr double YNoeuds = 158;   // node numbers, rows going down
constexpr double YActions = 181;  // reactions, rows going down
constexpr double PasRangee = 11;  // from one row of labels to the next
constexpr int RangsCharges = 4;
constexpr int RangsNoeuds = 2;
constexpr int RangsActions = 4;
constexpr int RangsMax = 4;

// The diagrams' panels, stacked below the beam's, and the x axis below them. In a panel: the title,
// the frame, and the data area, with room above and below it for the labels of the extremes.
constexpr double HautDiagrammes = 222;
constexpr double HauteurDiagramme = 136;
constexpr double TitreDiagramme = 13;  // title's baseline, from the panel's top
constexpr double HautCadre = 20;       // frame, from the panel's top
constexpr double BasCadre = 132;
constexpr double HautDonnees = 34;  // data area, from the panel's top
constexpr double BasDonnees = 116;
constexpr double YAxe = HautDiagrammes + 4 * HauteurDiagramme;

// Font sizes (px), and the mean advance of one character as a fraction of its size, by which
// the width of a label is estimated (generic sans-serif faces: about 0.55 to 0.62).
constexpr double TailleEtiquette = 10;
constexpr double TailleNoeud = 9;
constexpr double ChasseMoyenne = 0.62;
constexpr double EcartEtiquettes = 4;  // least gap between two labels of a row

// Colours and strokes.
const char* const TraitPoutre = "stroke=\"#222222\" stroke-width=\"3\" fill=\"none\"";
const char* const TraitAppui = "stroke=\"#222222\" stroke-width=\"1.2\" fill=\"#ffffff\"";
const char* const TraitMur = "stroke=\"#222222\" stroke-width=\"2\" fill=\"none\"";
const char* const TraitHachure = "stroke=\"#222222\" stroke-width=\"0.8\" fill=\"none\"";
const char* const TraitCharge = "stroke=\"#b03a2e\" stroke-width=\"1.3\" fill=\"none\"";
const char* const TraitFleche = "stroke=\"#b03a2e\" stroke-width=\"1.3\" fill=\"#b03a2e\"";
const char* const TraitRepere = "stroke=\"#cccccc\" stroke-width=\"0.6\" fill=\"none\"";
const char* const TraitCadre = "stroke=\"#999999\" stroke-width=\"0.8\" fill=\"none\"";
const char* const TraitGrille = "stroke=\"#e6e6e6\" stroke-width=\"0.6\"";
const char* const TraitZero = "stroke=\"#555555\" stroke-width=\"1\"";
const char* const TraitAxe = "stroke=\"#333333\" stroke-width=\"1\"";
const char* const TexteCharge = "fill=\"#b03a2e\" text-anchor=\"middle\"";
const char* const TexteAction = "fill=\"#1e6b34\" text-anchor=\"middle\"";
const char* const TexteNoeud = "fill=\"#555555\" text-anchor=\"middle\" font-size=\"9\"";
const char* const TexteGraduation = "fill=\"#333333\" text-anchor=\"end\"";
const char* const TexteAxe = "fill=\"#333333\" text-anchor=\"middle\"";
const char* const TextePanneau = "font-size=\"11\" font-weight=\"bold\"";
const char* const TexteNonFinies = "fill=\"#c00000\" text-anchor=\"end\" font-size=\"11\"";

// One diagram: its group, title, graph column, the report's field for its values, whether the area
// between its curve and the zero line is filled, and its colours.
struct TDiagramme {
  const char* Id;
  const char* Titre;
  TColonneGraphe Colonne;
  TGrandeur Grandeur;
  TChamp Champ;
  bool Rempli;
  const char* Trait;
};

const TDiagramme Diagrammes[] = {
    {"fleche", Textes::DessinFleche, &TGraphe::Fleche, TGrandeur::Fleche, ChampFleche, false,
     "stroke=\"#1f4e9a\" stroke-width=\"1.6\" stroke-linejoin=\"round\" fill=\"none\""},
    {"pente", Textes::DessinPente, &TGraphe::Pente, TGrandeur::Pente, ChampPente, false,
     "stroke=\"#6a3d9a\" stroke-width=\"1.6\" stroke-linejoin=\"round\" fill=\"none\""},
    {"effort-tranchant", Textes::DessinTy, &TGraphe::Ty, TGrandeur::Ty, ChampTy, true,
     "stroke=\"#a34a00\" stroke-width=\"1.3\" stroke-linejoin=\"round\" fill=\"#f6d6b8\""},
    {"moment-flechissant", Textes::DessinMfz, &TGraphe::Mfz, TGrandeur::Mfz, ChampMfz, true,
     "stroke=\"#1b6e3a\" stroke-width=\"1.3\" stroke-linejoin=\"round\" fill=\"#c4e6cd\""},
};

// True when the bytes read as UTF-8: each lead byte followed by as many continuation bytes
// (10xxxxxx) as it announces. ASCII is UTF-8.
bool EstUtf8(std::string_view texte) {
  int suite = 0;  // continuation bytes still expected
  for (const char c : texte) {
    const unsigned char octet = static_cast<unsigned char>(c);
    if (suite > 0) {
      if ((octet & 0xC0) != 0x80) return false;
      --suite;
    } else if ((octet & 0xE0) == 0xC0) {
      suite = 1;
    } else if ((octet & 0xF0) == 0xE0) {
      suite = 2;
    } else if ((octet & 0xF8) == 0xF0) {
      suite = 3;
    } else if (octet >= 0x80) {
      return false;
    }
  }
  return suite == 0;
}

// The data file's name as the user gave it: kept as it is when it reads as UTF-8 (a name from a
// UTF-8 system), read as Windows-1252 otherwise (a name from the page or from Windows).
std::string NomEnUtf8(const std::string& nom) {
  return EstUtf8(nom) ? nom : Utf8DepuisWindows1252(nom);
}

// ---------------------------------------------------------------------------------------------
// The symbols, each drawn at its abscissa x (px) on the beam's axis
// ---------------------------------------------------------------------------------------------

// Into the open path (drawn in TraitFleche): a vertical arrow from yQueue to its tip at yPointe, a
// shaft and a head 7 px long and wide.
void Fleche(TSvg& svg, double x, double yQueue, double yPointe) {
  const bool versLeBas = yPointe > yQueue;
  svg.Deplacer(x, yQueue);
  svg.Verticale(versLeBas ? yPointe - 6 : yPointe + 6);
  svg.Deplacer(x, yPointe);
  svg.Ecrire(versLeBas ? " l-3.5 -7 h7 z" : " l-3.5 7 h7 z");
}

// Into the open path (drawn in TraitAppui): a node, a small circle of radius 2.5 px as two
// half-circle arcs.
void Noeud(TSvg& svg, double x) {
  svg.Deplacer(x - 2.5, YPoutre);
  svg.Ecrire(" a2.5 2.5 0 1 0 5 0 a2.5 2.5 0 1 0 -5 0");
}

// A support of code 1, deflection blocked: a pin, a triangle under the axis (at the height y,
// YPoutre unless it settles) on a hatched ground line.
void AppuiSimple(TSvg& svg, double x, double y) {
  svg.DebutChemin(TraitAppui);
  svg.Deplacer(x, y + 2);
  svg.Ecrire(" l-7 11 h14 z");
  svg.FinChemin();
  svg.DebutChemin(TraitHachure);
  svg.Deplacer(x - 11, y + 13);
  svg.Ecrire(" h22 m-19 0 l-4 4 m9 -4 l-4 4 m9 -4 l-4 4 m9 -4 l-4 4");
  svg.FinChemin();
}

// A support of code 2, slope blocked: a sleeve between two hatched vertical guides, which let the
// node move up and down but not turn.
void AppuiGlissiere(TSvg& svg, double x, double y) {
  svg.DebutChemin(TraitHachure);
  svg.Deplacer(x - 8, y - 15);
  svg.Ecrire(" v30 m0 -27 l-4 -4 m4 12 l-4 -4 m4 12 l-4 -4 m4 12 l-4 -4");
  svg.Deplacer(x + 8, y - 15);
  svg.Ecrire(" v30 m0 -27 l4 -4 m-4 12 l4 -4 m-4 12 l4 -4 m-4 12 l4 -4");
  svg.FinChemin();
  svg.DebutChemin(TraitAppui);
  svg.Deplacer(x - 5, y - 6);
  svg.Ecrire(" h10 v12 h-10 z");
  svg.FinChemin();
}

// A support of code 3, clamped: a wall across the beam, hatched on its outer side, to the left
// for a node on the left half of the beam, to the right otherwise.
void Encastrement(TSvg& svg, double x, double y, bool aGauche) {
  svg.DebutChemin(TraitMur);
  svg.Deplacer(x, y - 16);
  svg.Ecrire(" v32");
  svg.FinChemin();
  svg.DebutChemin(TraitHachure);
  svg.Deplacer(x, y - 14);
  svg.Ecrire(aGauche ? " l-6 4 m6 2 l-6 4 m6 2 l-6 4 m6 2 l-6 4 m6 2 l-6 4 m6 2 l-6 4"
                     : " l6 4 m-6 2 l6 4 m-6 2 l6 4 m-6 2 l6 4 m-6 2 l6 4 m-6 2 l6 4");
  svg.FinChemin();
}

// A nodal force: an arrow down onto the node, or up from it, in the direction of the force.
void ForceNodale(TSvg& svg, double x, bool versLeBas) {
  svg.DebutChemin(TraitFleche);
  if (versLeBas) {
    Fleche(svg, x, YPoutre - 34, YPoutre - 2);
  } else {
    Fleche(svg, x, YPoutre - 2, YPoutre - 34);
  }
  svg.FinChemin();
}

// A nodal moment: three quarters of a circle of radius 13 px over the node, from 45 degrees below
// the axis on the right, over the top, to 45 degrees below it on the left: from (x + c, y + c) to
// (x - c, y + c), c = 13 cos 45 = 9.19 px. The head is at the left end, pointing down and right,
// for a counterclockwise moment, and at the right end, pointing down and left, for a clockwise
// one: its tip 4 px beyond the end along the tangent, 7 px long and wide.
void MomentNodal(TSvg& svg, double x, bool antihoraire) {
  const double c = 9.19, y = YPoutre;
  svg.DebutChemin(TraitCharge);
  svg.Deplacer(x + c, y + c);
  svg.Ecrire(" a13 13 0 1 0 -18.38 0");
  svg.FinChemin();
  svg.DebutChemin(TraitFleche);
  if (antihoraire) {
    svg.Deplacer(x - c + 4, y + c + 4);
    svg.Ecrire(" l-7.42 -2.47 l4.95 -4.95 z");
  } else {
    svg.Deplacer(x + c - 4, y + c + 4);
    svg.Ecrire(" l7.42 -2.47 l-4.95 -4.95 z");
  }
  svg.FinChemin();
}

// A uniform load py (N/m) from xI to xJ: a load line 20 px over the beam and, unless py is zero,
// at least three arrows, about 16 px apart, pointing down onto the beam when py < 0, up from it
// when py > 0.
void ChargeUniforme(TSvg& svg, double xI, double xJ, double py) {
  const double yLigne = YPoutre - 20;
  svg.Ligne(xI, yLigne, xJ, yLigne, TraitCharge);
  if (!(py < 0 || py > 0)) return;
  svg.DebutChemin(TraitFleche);
  const int intervalles = std::max(2, static_cast<int>(std::fabs(xJ - xI) / 16));
  for (int j = 0; j <= intervalles; ++j) {
    const double x = xI + (xJ - xI) * j / intervalles;
    if (py < 0) {
      Fleche(svg, x, yLigne, YPoutre - 2);
    } else {
      Fleche(svg, x, YPoutre - 2, yLigne);
    }
  }
  svg.FinChemin();
}

// A spring on the deflection: a zig-zag from the node down to a hatched ground line.
void RessortVertical(TSvg& svg, double x) {
  svg.DebutChemin(TraitHachure);
  svg.Deplacer(x, YPoutre + 3);
  svg.Ecrire(" v4 l5 2.5 l-10 5 l10 5 l-10 5 l5 2.5 v4");
  svg.Deplacer(x - 9, YPoutre + 27);
  svg.Ecrire(" h18 m-15 0 l-4 4 m9 -4 l-4 4 m9 -4 l-4 4 m9 -4 l-4 4");
  svg.FinChemin();
}

// A spring on the slope: a coil of two half-turns of growing radius around the node, over it.
void RessortSpirale(TSvg& svg, double x) {
  svg.DebutChemin(TraitHachure);
  svg.Deplacer(x + 5, YPoutre);
  svg.Ecrire(" a5 5 0 0 0 -10 0 a7.5 7.5 0 0 0 15 0 a10 10 0 0 0 -20 0");
  svg.FinChemin();
}

// A hinge at an element's end: an open circle on the axis, just inside the element from its node
// (cote +1 when the element lies to the right of the node, -1 to its left).
void Rotule(TSvg& svg, double x, double cote) {
  svg.Cercle(x + 6 * cote, YPoutre, 3.5, TraitAppui);
}

// A load varying linearly from pa at xA to pb at xB (px): arrows about 16 px apart whose lengths
// follow |p|, up to 30 px for the larger of |pa| and |pb|, pointing down onto the beam where p < 0
// and up from it where p > 0, and the line through their tails.
void ChargeTrapeze(TSvg& svg, double xA, double xB, double pa, double pb) {
  const double plusGrand = std::max(std::fabs(pa), std::fabs(pb));
  if (!(plusGrand > 0)) return;
  const int intervalles = std::max(2, static_cast<int>(std::fabs(xB - xA) / 16));
  const auto longueur = [&](double p) { return 4 + 26 * (std::fabs(p) / plusGrand); };
  svg.DebutChemin(TraitCharge);
  for (int j = 0; j <= intervalles; ++j) {
    const double f = static_cast<double>(j) / intervalles, p = pa + (pb - pa) * f;
    const double x = xA + (xB - xA) * f, y = YPoutre - 2 - longueur(p);
    if (j == 0) {
      svg.Deplacer(x, y);
    } else {
      svg.Ecrire(" L");
      svg.Nombre(x);
      svg.Ecrire(' ');
      svg.Nombre(y);
    }
  }
  svg.FinChemin();
  svg.DebutChemin(TraitFleche);
  for (int j = 0; j <= intervalles; ++j) {
    const double f = static_cast<double>(j) / intervalles, p = pa + (pb - pa) * f;
    const double x = xA + (xB - xA) * f, queue = YPoutre - 2 - longueur(p);
    if (p < 0) Fleche(svg, x, queue, YPoutre - 2);
    if (p > 0) Fleche(svg, x, YPoutre - 2, queue);
  }
  svg.FinChemin();
}

// ---------------------------------------------------------------------------------------------
// The page
// ---------------------------------------------------------------------------------------------

// A label of a row of labels along the beam: its text (Windows-1252, or UTF-8 when Utf8 says so)
// and the abscissa (px) on which it is centred.
struct TEtiquette {
  double X;
  std::string Texte;
  bool Utf8 = false;
};

class TDessin {
 public:
  TDessin(const TStructure& s, const TExtremes& extremes);
  std::string Document() { return Svg.Document(); }  // the page, handed over

 private:
  const TStructure& S;
  const TExtremes& Exacts;
  TSvg Svg;
  double XMin = 0;  // the beam's extent (m), drawn from GaucheX to DroiteX
  double XMax = 1;

  void Etendue();
  double Px(double x) const;
  bool PxNoeud(std::int32_t n, double& px) const;

  void Etiquette(double x, double y, const char* attributs, std::string_view texte);
  void Rangees(std::vector<TEtiquette>& etiquettes, double taille, int rangs, double y0, double pas,
               const char* attributs);

  void Entete();
  void Reperes();
  void Poutre();
  void Elements();
  void Noeuds(std::vector<TEtiquette>& etiquettes);
  void Appui(const TLiaison& liaison);
  void Actions(const TLiaison& liaison, std::vector<TEtiquette>& etiquettes);
  void ChargeNodale(const TCharge& charge, std::vector<TEtiquette>& etiquettes);
  void ChargeRepartie(const TCharge& charge, std::vector<TEtiquette>& etiquettes);
  void ModeleEtendu(std::vector<TEtiquette>& actions, std::vector<TEtiquette>& charges);
  void Ressort(const TRessort& ressort, std::vector<TEtiquette>& etiquettes);
  void Tassement(const TTassement& tassement, std::vector<TEtiquette>& etiquettes);
  void Rotules(const TRotule& rotule);
  void Ponctuelle(const TPonctuelle& charge, std::vector<TEtiquette>& etiquettes);
  void Trapeze(const TTrapeze& charge, std::vector<TEtiquette>& etiquettes);
  bool PxElement(std::int32_t e, double a, double& px) const;
  void Diagramme(const TDiagramme& d, double haut);
  void Echelle(const TEchelleDiagramme& e, double haut);
  void Courbe(const TDiagramme& d, const TEchelleDiagramme& e, double haut);
  std::vector<TPointCourbe> PointsElement(std::int32_t i) const;
  void Extremes(const TDiagramme& d, const TEchelleDiagramme& e, double haut);
  void Extreme(double x, double y, bool dessus, const char* classe, const std::string& texte);
  void AxeX();
};

// ---- Labels ----

// A label whose text is the program's (Windows-1252).
void TDessin::Etiquette(double x, double y, const char* attributs, std::string_view texte) {
  Svg.Etiquette(x, y, attributs, Utf8DepuisWindows1252(texte));
}

// Labels of the font size `taille` centred on their abscissae, moved inside the frames where
// needed, in up to `rangs` rows whose baselines start at y0 and step by `pas`: each label, taken
// from left to right, goes in the first row where it clears the label before it; one that clears
// none is left out, so that labels never pile up.
void TDessin::Rangees(std::vector<TEtiquette>& etiquettes, double taille, int rangs, double y0,
                      double pas, const char* attributs) {
  std::stable_sort(etiquettes.begin(), etiquettes.end(),
                   [](const TEtiquette& a, const TEtiquette& b) { return a.X < b.X; });
  double fin[RangsMax];
  std::fill(fin, fin + RangsMax, -LargeurPage);  // left of the page: every row free
  for (const TEtiquette& e : etiquettes) {
    const double largeur = ChasseMoyenne * taille * static_cast<double>(e.Texte.size());
    const double centre =
        std::max(GaucheCadre + largeur / 2, std::min(e.X, DroiteCadre - largeur / 2));
    for (int r = 0; r < std::min(rangs, RangsMax); ++r) {
      if (centre - largeur / 2 >= fin[r] + EcartEtiquettes) {
        fin[r] = centre + largeur / 2;
        if (e.Utf8) {
          Svg.Etiquette(centre, y0 + r * pas, attributs, e.Texte);
        } else {
          Etiquette(centre, y0 + r * pas, attributs, e.Texte);
        }
        break;
      }
    }
  }
}

// ---- The horizontal scale ----

// The beam's extent (m): from the smallest to the largest finite node abscissa. A beam without
// length (one node) gets half a metre, or half its abscissa, on either side, so that the scale
// never divides by zero.
void TDessin::Etendue() {
  bool trouve = false;
  for (std::int32_t n = 1; n <= std::min(S.NbNoeuds, CapNoeuds); ++n) {
    const double x = S.X[n];
    if (!std::isfinite(x)) continue;
    if (!trouve || x < XMin) XMin = x;
    if (!trouve || x > XMax) XMax = x;
    trouve = true;
  }
  if (!trouve) {
    XMin = 0;
    XMax = 1;
  } else if (!(XMax > XMin)) {
    const double demi = std::max(0.5, 0.5 * std::fabs(XMin));
    XMin = XMin - demi;
    XMax = XMax + demi;
  }
}

// The abscissa x (m) on the page (px).
double TDessin::Px(double x) const {
  return GaucheX + Fraction(x, XMin, XMax) * (DroiteX - GaucheX);
}

// The abscissa (px) of node n; false for a node number outside 1..NbNoeuds or a node whose
// abscissa is not finite, which is not drawn.
bool TDessin::PxNoeud(std::int32_t n, double& px) const {
  if (n < 1 || n > std::min(S.NbNoeuds, CapNoeuds) || !std::isfinite(S.X[n])) return false;
  px = Px(S.X[n]);
  return true;
}

// ---- The page ----

// The page, panel after panel. The document's room is reserved once: 16 kB for the page, its
// scales and labels, and 1 kB per element for its graph points in the four diagrams and its
// symbols (the largest model takes 51 kB of the 66 kB).
TDessin::TDessin(const TStructure& s, const TExtremes& extremes)
    : S(s), Exacts(extremes), Svg(16384 + 1024 * static_cast<std::size_t>(NombreGraphes(s))) {
  Etendue();
  Entete();
  Reperes();
  Poutre();
  for (int i = 0; i < 4; ++i) Diagramme(Diagrammes[i], HautDiagrammes + i * HauteurDiagramme);
  AxeX();
  Svg.Ecrire("</svg>\n");
}

// The XML declaration, the page of fixed size, its title (the data file's name) and a white
// background, so that conversions to bitmaps are not transparent.
void TDessin::Entete() {
  Svg.Ecrire(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"1123\" height=\"794\" "
      "viewBox=\"0 0 1123 794\" font-family=\"sans-serif\" font-size=\"10\">\n");
  const std::string titre = Utf8DepuisWindows1252(std::string(Textes::Titre) + Textes::DeuxPoints) +
                            NomEnUtf8(S.NomFichier + Textes::ExtensionDonnees);
  Svg.Ouvrir("title");
  Svg.FermerTexte("title", titre);
  Svg.Ecrire("<rect x=\"0\" y=\"0\" width=\"1123\" height=\"794\" fill=\"#ffffff\"/>\n");
  Svg.Etiquette(GaucheCadre, 20, "font-size=\"15\" font-weight=\"bold\"", titre);
}

// A light vertical line at every node, from the beam's panel down to the x axis.
void TDessin::Reperes() {
  Svg.OuvrirGroupe("reperes");
  Svg.DebutChemin(TraitRepere);
  double px = 0;
  for (std::int32_t n = 1; n <= std::min(S.NbNoeuds, CapNoeuds); ++n) {
    if (!PxNoeud(n, px)) continue;
    Svg.Deplacer(px, HautPoutre + 22);
    Svg.Verticale(YAxe);
  }
  Svg.FinChemin();
  Svg.FermerGroupe();
}

// ---- The beam ----

// The beam's panel: the elements, the supports, the loads and the nodes, then the rows of labels:
// load values above, node numbers and reactions below.
void TDessin::Poutre() {
  Svg.OuvrirGroupe("poutre");
  Etiquette(GaucheCadre, HautPoutre + TitreDiagramme, TextePanneau, Textes::DessinPoutre);
  Elements();
  std::vector<TEtiquette> actions, charges, noeuds;
  actions.reserve(2 * CapLiaisons);
  charges.reserve(2 * CapCharges);
  noeuds.reserve(CapNoeuds);
  for (std::int32_t l = 1; l <= std::min(S.Liaisons.Nombre, CapLiaisons); ++l) {
    Appui(S.Liaisons.Item(l));
    Actions(S.Liaisons.Item(l), actions);
  }
  for (std::int32_t c = 1; c <= std::min(S.Charges.Nombre, CapCharges); ++c) {
    const TCharge& charge = S.Charges.Item(c);
    if (charge.Code == 1) {
      ChargeNodale(charge, charges);
    } else {
      ChargeRepartie(charge, charges);
    }
  }
  ModeleEtendu(actions, charges);
  Noeuds(noeuds);
  Rangees(charges, TailleEtiquette, RangsCharges, YCharges, -PasRangee, TexteCharge);
  Rangees(noeuds, TailleNoeud, RangsNoeuds, YNoeuds, PasRangee, TexteNoeud);
  Rangees(actions, TailleEtiquette, RangsActions, YActions, PasRangee, TexteAction);
  Svg.FermerGroupe();
}

// The elements, as one thick line on the axis from node to node, in one path.
void TDessin::Elements() {
  Svg.DebutChemin(TraitPoutre);
  for (std::int32_t i = 1; i <= NombreGraphes(S); ++i) {
    const TElement& element = S.Elements.Item(i);
    double xI = 0, xJ = 0;
    if (PxNoeud(element.NoeudI, xI) && PxNoeud(element.NoeudJ, xJ)) {
      Svg.Deplacer(xI, YPoutre);
      Svg.Horizontale(xJ);
    }
  }
  Svg.FinChemin();
}

// The nodes, in one path, and their numbers.
void TDessin::Noeuds(std::vector<TEtiquette>& etiquettes) {
  Svg.DebutChemin(TraitAppui);
  double px = 0;
  for (std::int32_t n = 1; n <= std::min(S.NbNoeuds, CapNoeuds); ++n) {
    if (!PxNoeud(n, px)) continue;
    Noeud(Svg, px);
    etiquettes.push_back({px, std::to_string(n)});
  }
  Svg.FinChemin();
}

// A support, drawn by its code at its node; any other code draws nothing, as the report writes no
// wording for it.
void TDessin::Appui(const TLiaison& liaison) {
  double x = 0;
  if (!PxNoeud(liaison.Noeud, x)) return;
  // A support whose deflection settles is drawn 6 px lower (or higher) than the beam's axis.
  double y = YPoutre;
  for (std::int32_t t = 1; t <= std::min(S.Tassements.Nombre, CapTassements); ++t) {
    const TTassement& tassement = S.Tassements.Item(t);
    const bool fleche = liaison.Code == 1 || liaison.Code == 3;
    if (fleche && tassement.Code == 1 && tassement.Noeud == liaison.Noeud) {
      y = YPoutre + (tassement.Valeur < 0 ? 6 : tassement.Valeur > 0 ? -6 : 0);
    }
  }
  switch (liaison.Code) {
    case 1:
      AppuiSimple(Svg, x, y);
      break;
    case 2:
      AppuiGlissiere(Svg, x, y);
      break;
    case 3:
      Encastrement(Svg, x, y, x <= (GaucheX + DroiteX) / 2);
      break;
    default:
      break;
  }
}

// The reactions that the report writes for the support: Ry for code 1, Mz for code 2, both for
// code 3, with the report's field for each.
void TDessin::Actions(const TLiaison& liaison, std::vector<TEtiquette>& etiquettes) {
  double x = 0;
  if (!PxNoeud(liaison.Noeud, x)) return;
  if (liaison.Code == 1 || liaison.Code == 3) {
    etiquettes.push_back(
        {x, Textes::Ry + SansBlancs(FormatReel(liaison.Ry, ChampAction)) + Textes::DessinN});
  }
  if (liaison.Code == 2 || liaison.Code == 3) {
    etiquettes.push_back(
        {x, Textes::MzSeul + SansBlancs(FormatReel(liaison.Mz, ChampAction)) + Textes::UniteMz});
  }
}

// A nodal load, each of its values drawn and labelled only when the report writes it: the force
// Fy as an arrow, the moment Mz as an arc, counterclockwise when positive.
void TDessin::ChargeNodale(const TCharge& charge, std::vector<TEtiquette>& etiquettes) {
  double x = 0;
  if (!PxNoeud(charge.Numero, x)) return;
  if (std::fabs(charge.P) > ValeurNegligeable) {
    ForceNodale(Svg, x, charge.P < 0);
    etiquettes.push_back(
        {x,
         Textes::DessinFy + SansBlancs(FormatReel(charge.P, ChampChargeNodale)) + Textes::DessinN});
  }
  if (std::fabs(charge.Mz) > ValeurNegligeable) {
    MomentNodal(Svg, x, charge.Mz > 0);
    etiquettes.push_back({x, Textes::MzSeul + SansBlancs(FormatReel(charge.Mz, ChampChargeNodale)) +
                                 Textes::UniteMz});
  }
}

// A uniform load on its element, and its value, written whatever its size as in the report, over
// the element's middle.
void TDessin::ChargeRepartie(const TCharge& charge, std::vector<TEtiquette>& etiquettes) {
  if (charge.Numero < 1 || charge.Numero > NombreGraphes(S)) return;
  const TElement& element = S.Elements.Item(charge.Numero);
  double xI = 0, xJ = 0;
  if (!PxNoeud(element.NoeudI, xI) || !PxNoeud(element.NoeudJ, xJ)) return;
  ChargeUniforme(Svg, xI, xJ, charge.P);
  etiquettes.push_back(
      {0.5 * xI + 0.5 * xJ,
       Textes::DessinPy + SansBlancs(FormatReel(charge.P, ChampChargeRepartie)) + Textes::UnitePy});
}

// ---- The extended model ----

// The springs, the settlements, the hinges, the point loads and the trapezoidal loads, each drawn
// at its place and labelled in its row: springs and settlements with the reactions, loads with the
// loads.
void TDessin::ModeleEtendu(std::vector<TEtiquette>& actions, std::vector<TEtiquette>& charges) {
  for (std::int32_t i = 1; i <= std::min(S.Ressorts.Nombre, CapRessorts); ++i) {
    Ressort(S.Ressorts.Item(i), actions);
  }
  for (std::int32_t i = 1; i <= std::min(S.Tassements.Nombre, CapTassements); ++i) {
    Tassement(S.Tassements.Item(i), actions);
  }
  for (std::int32_t i = 1; i <= std::min(S.Rotules.Nombre, CapRotules); ++i)
    Rotules(S.Rotules.Item(i));
  for (std::int32_t i = 1; i <= std::min(S.Ponctuelles.Nombre, CapPonctuelles); ++i) {
    Ponctuelle(S.Ponctuelles.Item(i), charges);
  }
  for (std::int32_t i = 1; i <= std::min(S.Trapezes.Nombre, CapTrapezes); ++i) {
    Trapeze(S.Trapezes.Item(i), charges);
  }
}

// The abscissa (px) of the point at a (m) from element e's first node; false when the element or
// its nodes are not drawn.
bool TDessin::PxElement(std::int32_t e, double a, double& px) const {
  if (e < 1 || e > NombreGraphes(S)) return false;
  const TElement& element = S.Elements.Item(e);
  double xI = 0;
  if (!PxNoeud(element.NoeudI, xI) || !std::isfinite(a)) return false;
  px = Px(S.X[element.NoeudI] + a);
  return true;
}

// A spring: a zig-zag for Kv > 0, a coil for Kr > 0, each labelled with its stiffness and the
// reaction it exerts, with the report's fields.
void TDessin::Ressort(const TRessort& ressort, std::vector<TEtiquette>& etiquettes) {
  double x = 0;
  if (!PxNoeud(ressort.Noeud, x)) return;
  if (ressort.Kv > 0) {
    RessortVertical(Svg, x);
    etiquettes.push_back(
        {x, Textes::DessinKv + SansBlancs(FormatReel(ressort.Kv, 12, 0)) + Textes::DessinUniteKv});
    etiquettes.push_back(
        {x, Textes::Ry + SansBlancs(FormatReel(ressort.Ry, ChampAction)) + Textes::DessinN});
  }
  if (ressort.Kr > 0) {
    RessortSpirale(Svg, x);
    etiquettes.push_back(
        {x, Textes::DessinKr + SansBlancs(FormatReel(ressort.Kr, 12, 0)) + Textes::UniteKr});
    etiquettes.push_back(
        {x, Textes::MzSeul + SansBlancs(FormatReel(ressort.Mz, ChampAction)) + Textes::UniteMz});
  }
}

// A settlement's value beside its support (which its support's symbol shows settled): in m for
// a deflection, in rad for a slope, with the report's field.
void TDessin::Tassement(const TTassement& tassement, std::vector<TEtiquette>& etiquettes) {
  double x = 0;
  if (!PxNoeud(tassement.Noeud, x)) return;
  etiquettes.push_back({x,
                        Textes::DessinTassementUtf8 +
                            SansBlancs(FormatReel(tassement.Valeur, 10, 6)) +
                            (tassement.Code == 1 ? Textes::Metre : Textes::Radian),
                        true});
}

// A hinge: an open circle at each end it releases.
void TDessin::Rotules(const TRotule& rotule) {
  if (rotule.Element < 1 || rotule.Element > NombreGraphes(S)) return;
  const TElement& element = S.Elements.Item(rotule.Element);
  double xI = 0, xJ = 0;
  if (!PxNoeud(element.NoeudI, xI) || !PxNoeud(element.NoeudJ, xJ)) return;
  if (rotule.Code == 1 || rotule.Code == 3) Rotule(Svg, xI, 1);
  if (rotule.Code == 2 || rotule.Code == 3) Rotule(Svg, xJ, -1);
}

// A point load inside an element, drawn and labelled as a nodal load at its abscissa.
void TDessin::Ponctuelle(const TPonctuelle& charge, std::vector<TEtiquette>& etiquettes) {
  double x = 0;
  if (!PxElement(charge.Element, charge.A, x)) return;
  if (std::fabs(charge.Fy) > ValeurNegligeable) {
    ForceNodale(Svg, x, charge.Fy < 0);
    etiquettes.push_back({x, Textes::DessinFy +
                                 SansBlancs(FormatReel(charge.Fy, ChampChargeNodale)) +
                                 Textes::DessinN});
  }
  if (std::fabs(charge.Mz) > ValeurNegligeable) {
    MomentNodal(Svg, x, charge.Mz > 0);
    etiquettes.push_back({x, Textes::MzSeul + SansBlancs(FormatReel(charge.Mz, ChampChargeNodale)) +
                                 Textes::UniteMz});
  }
}

// A trapezoidal load, labelled with its intensities at both ends.
void TDessin::Trapeze(const TTrapeze& charge, std::vector<TEtiquette>& etiquettes) {
  double xA = 0, xB = 0;
  if (!PxElement(charge.Element, charge.A, xA) || !PxElement(charge.Element, charge.B, xB)) return;
  ChargeTrapeze(Svg, xA, xB, charge.Pa, charge.Pb);
  for (const auto& [x, p] : {std::pair<double, double>{xA, charge.Pa}, {xB, charge.Pb}}) {
    etiquettes.push_back(
        {x, Textes::DessinP + SansBlancs(FormatReel(p, ChampChargeRepartie)) + Textes::UnitePy});
  }
}

// ---- The diagrams ----

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

}  // namespace

// The page of s, written panel after panel by TDessin.
std::string DessinSvg(const TStructure& s, const TExtremes& extremes) {
  return TDessin(s, extremes).Document();
}
