// The symbols of the beam's panel: supports, springs, hinges and loads (each described in
// symboles.h).
#include "symboles.h"

#include <algorithm>
#include <cmath>

namespace Symboles {

void Fleche(TSvg& svg, double x, double yQueue, double yPointe) {
  const bool versLeBas = yPointe > yQueue;
  svg.Deplacer(x, yQueue);
  svg.Verticale(versLeBas ? yPointe - 6 : yPointe + 6);
  svg.Deplacer(x, yPointe);
  svg.Ecrire(versLeBas ? " l-3.5 -7 h7 z" : " l-3.5 7 h7 z");
}

void Noeud(TSvg& svg, double x) {
  svg.Deplacer(x - 2.5, YPoutre);
  svg.Ecrire(" a2.5 2.5 0 1 0 5 0 a2.5 2.5 0 1 0 -5 0");
}

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

void ForceNodale(TSvg& svg, double x, bool versLeBas) {
  svg.DebutChemin(TraitFleche);
  if (versLeBas) {
    Fleche(svg, x, YPoutre - 34, YPoutre - 2);
  } else {
    Fleche(svg, x, YPoutre - 2, YPoutre - 34);
  }
  svg.FinChemin();
}

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

void RessortVertical(TSvg& svg, double x) {
  svg.DebutChemin(TraitHachure);
  svg.Deplacer(x, YPoutre + 3);
  svg.Ecrire(" v4 l5 2.5 l-10 5 l10 5 l-10 5 l5 2.5 v4");
  svg.Deplacer(x - 9, YPoutre + 27);
  svg.Ecrire(" h18 m-15 0 l-4 4 m9 -4 l-4 4 m9 -4 l-4 4 m9 -4 l-4 4");
  svg.FinChemin();
}

void RessortSpirale(TSvg& svg, double x) {
  svg.DebutChemin(TraitHachure);
  svg.Deplacer(x + 5, YPoutre);
  svg.Ecrire(" a5 5 0 0 0 -10 0 a7.5 7.5 0 0 0 15 0 a10 10 0 0 0 -20 0");
  svg.FinChemin();
}

void Rotule(TSvg& svg, double x, double cote) {
  svg.Cercle(x + 6 * cote, YPoutre, 3.5, TraitAppui);
}

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

}  // namespace Symboles
