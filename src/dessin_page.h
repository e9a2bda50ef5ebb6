// The page of the drawing, shared by the files that draw it (dessin.cpp: the page, the beam and
// its symbols' places; diagrammes.cpp: the four diagrams): its layout in px, the diagrams' table,
// and TDessin, which writes the page panel after panel.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "UTypes.h"
#include "courbes.h"
#include "echelles.h"
#include "extremes.h"
#include "format.h"
#include "svg.h"
#include "textes.h"

namespace Dessin {

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
inline const char* const TraitPoutre = "stroke=\"#222222\" stroke-width=\"3\" fill=\"none\"";
inline const char* const TraitRepere = "stroke=\"#cccccc\" stroke-width=\"0.6\" fill=\"none\"";
inline const char* const TraitCadre = "stroke=\"#999999\" stroke-width=\"0.8\" fill=\"none\"";
inline const char* const TraitGrille = "stroke=\"#e6e6e6\" stroke-width=\"0.6\"";
inline const char* const TraitZero = "stroke=\"#555555\" stroke-width=\"1\"";
inline const char* const TraitAxe = "stroke=\"#333333\" stroke-width=\"1\"";
inline const char* const TexteCharge = "fill=\"#b03a2e\" text-anchor=\"middle\"";
inline const char* const TexteAction = "fill=\"#1e6b34\" text-anchor=\"middle\"";
inline const char* const TexteNoeud = "fill=\"#555555\" text-anchor=\"middle\" font-size=\"9\"";
inline const char* const TexteGraduation = "fill=\"#333333\" text-anchor=\"end\"";
inline const char* const TexteAxe = "fill=\"#333333\" text-anchor=\"middle\"";
inline const char* const TextePanneau = "font-size=\"11\" font-weight=\"bold\"";
inline const char* const TexteNonFinies = "fill=\"#c00000\" text-anchor=\"end\" font-size=\"11\"";

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

inline const TDiagramme Diagrammes[] = {
    {"fleche", Textes::DessinFleche, &TGraphe::Fleche, TGrandeur::Fleche, ChampFleche, false,
     "stroke=\"#1f4e9a\" stroke-width=\"1.6\" stroke-linejoin=\"round\" fill=\"none\""},
    {"pente", Textes::DessinPente, &TGraphe::Pente, TGrandeur::Pente, ChampPente, false,
     "stroke=\"#6a3d9a\" stroke-width=\"1.6\" stroke-linejoin=\"round\" fill=\"none\""},
    {"effort-tranchant", Textes::DessinTy, &TGraphe::Ty, TGrandeur::Ty, ChampTy, true,
     "stroke=\"#a34a00\" stroke-width=\"1.3\" stroke-linejoin=\"round\" fill=\"#f6d6b8\""},
    {"moment-flechissant", Textes::DessinMfz, &TGraphe::Mfz, TGrandeur::Mfz, ChampMfz, true,
     "stroke=\"#1b6e3a\" stroke-width=\"1.3\" stroke-linejoin=\"round\" fill=\"#c4e6cd\""},
};

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

}  // namespace Dessin
