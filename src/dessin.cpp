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

#include "console.h"
#include "dessin_page.h"
#include "symboles.h"
#include "textes.h"

namespace Dessin {
namespace {

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

}  // namespace

using namespace Symboles;

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

}  // namespace Dessin

// The page of s, written panel after panel by TDessin.
std::string DessinSvg(const TStructure& s, const TExtremes& extremes) {
  return Dessin::TDessin(s, extremes).Document();
}
