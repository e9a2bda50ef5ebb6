// The JSON object of a run. Keys are French, as the program speaks; units are SI as in the data
// file (m, Pa, m4, N, N.m, N/m, rad), signs as in the report: deflections, forces and loads along
// +y, slopes and moments counterclockwise.
#include "resultats_json.h"

namespace {

// A member whose value is a number.
void Reel(TJson& j, const char* cle, double valeur) {
  j.Cle(cle);
  j.Reel(valeur);
}

// A member whose value is a number where it means something, else null.
void ReelOuNul(TJson& j, const char* cle, bool present, double valeur) {
  j.Cle(cle);
  if (present) {
    j.Reel(valeur);
  } else {
    j.Nul();
  }
}

void Entier(TJson& j, const char* cle, std::int64_t valeur) {
  j.Cle(cle);
  j.Entier(valeur);
}

// A member whose value is a list of the objects that `objet(i)` writes for i = 1..nombre.
template <typename TObjet>
void Liste(TJson& j, const char* cle, std::int32_t nombre, TObjet objet) {
  j.Cle(cle);
  j.DebutListe();
  for (std::int32_t i = 1; i <= nombre; ++i) {
    j.DebutObjet();
    objet(i);
    j.FinObjet();
  }
  j.FinListe();
}

// The 11 rows of an element's graph, as the report prints them.
void Graphe(TJson& j, const TGraphe& graphe) {
  Liste(j, "graphe", graphe.NbIntervalles + 1, [&](std::int32_t i) {
    const std::int32_t k = i - 1;
    Reel(j, "x", graphe.Abscisse[k]);
    Reel(j, "fleche", graphe.Fleche[k]);
    Reel(j, "pente", graphe.Pente[k]);
    Reel(j, "Ty", graphe.Ty[k]);
    Reel(j, "Mfz", graphe.Mfz[k]);
  });
}

// An element: its nodes, E and Iz, its length, the internal forces at its ends as the report's
// block of end forces prints them (at NoeudI the end forces with their signs changed, at NoeudJ
// as they stand), and its graph.
void Element(TJson& j, const TStructure& s, std::int32_t i) {
  const TElement& element = s.Elements.Item(i);
  Entier(j, "numero", i);
  Entier(j, "noeud_i", element.NoeudI);
  Entier(j, "noeud_j", element.NoeudJ);
  Reel(j, "E", element.E);
  Reel(j, "Iz", element.Iz);
  Reel(j, "longueur", element.Longueur());
  Reel(j, "Ty_i", -element.Efforts[1]);
  Reel(j, "Mfz_i", -element.Efforts[2]);
  Reel(j, "Ty_j", element.Efforts[3]);
  Reel(j, "Mfz_j", element.Efforts[4]);
  Graphe(j, s.Graphes[i]);
}

// An extreme value and its abscissa; null when the beam has none (no element).
void Extreme(TJson& j, const char* cle, const TExtreme& extreme) {
  j.Cle(cle);
  if (!extreme.Trouve) {
    j.Nul();
    return;
  }
  j.DebutObjet();
  Reel(j, "valeur", extreme.Valeur);
  Reel(j, "x", extreme.Abscisse);
  j.FinObjet();
}

void Extremes(TJson& j, const TExtremes& extremes) {
  static const struct {
    const char* Cle;
    TGrandeur Grandeur;
  } Grandeurs[] = {{"fleche", TGrandeur::Fleche},
                   {"pente", TGrandeur::Pente},
                   {"Ty", TGrandeur::Ty},
                   {"Mfz", TGrandeur::Mfz}};
  j.Cle("extremes");
  j.DebutObjet();
  for (const auto& g : Grandeurs) {
    j.Cle(g.Cle);
    j.DebutObjet();
    Extreme(j, "min", extremes[g.Grandeur].Min);
    Extreme(j, "max", extremes[g.Grandeur].Max);
    j.FinObjet();
  }
  j.FinObjet();
}

// The model as read: nodes, elements, supports with the reactions that the report prints (Ry
// where the deflection is blocked, Mz where the slope is; null where the support leaves it free,
// since what is left there is rounding, not a reaction), and loads of the seed's sections (a
// nodal load, code 1, with its force P and moment Mz; a uniform load, any other code, with its py
// as P).
void Modele(TJson& j, const TStructure& s) {
  Liste(j, "noeuds", s.NbNoeuds, [&](std::int32_t n) {
    Entier(j, "numero", n);
    Reel(j, "x", s.X[n]);
  });
  Liste(j, "elements", s.Elements.Nombre, [&](std::int32_t i) { Element(j, s, i); });
  Liste(j, "liaisons", s.Liaisons.Nombre, [&](std::int32_t i) {
    const TLiaison& liaison = s.Liaisons.Item(i);
    Entier(j, "numero", i);
    Entier(j, "code", liaison.Code);
    Entier(j, "noeud", liaison.Noeud);
    ReelOuNul(j, "Ry", liaison.Code == 1 || liaison.Code == 3, liaison.Ry);
    ReelOuNul(j, "Mz", liaison.Code == 2 || liaison.Code == 3, liaison.Mz);
  });
  Liste(j, "charges", s.Charges.Nombre, [&](std::int32_t i) {
    const TCharge& charge = s.Charges.Item(i);
    Entier(j, "numero", i);
    Entier(j, "code", charge.Code);
    Entier(j, charge.Code == 1 ? "noeud" : "element", charge.Numero);
    Reel(j, "P", charge.P);
    if (charge.Code == 1) Reel(j, "Mz", charge.Mz);
  });
}

// The extended model's items, each list empty in a file without its section: springs with their
// reactions, settlements, hinges with the element's own rotation at each end they release (null at
// an end they do not), point loads and trapezoidal loads.
void ModeleEtendu(TJson& j, const TStructure& s) {
  Liste(j, "ressorts", s.Ressorts.Nombre, [&](std::int32_t i) {
    const TRessort& ressort = s.Ressorts.Item(i);
    Entier(j, "numero", i);
    Entier(j, "noeud", ressort.Noeud);
    Reel(j, "Kv", ressort.Kv);
    Reel(j, "Kr", ressort.Kr);
    Reel(j, "Ry", ressort.Ry);
    Reel(j, "Mz", ressort.Mz);
  });
  Liste(j, "tassements", s.Tassements.Nombre, [&](std::int32_t i) {
    const TTassement& tassement = s.Tassements.Item(i);
    Entier(j, "numero", i);
    Entier(j, "code", tassement.Code);
    Entier(j, "noeud", tassement.Noeud);
    Reel(j, "valeur", tassement.Valeur);
  });
  Liste(j, "rotules", s.Rotules.Nombre, [&](std::int32_t i) {
    const TRotule& rotule = s.Rotules.Item(i);
    const TElement& element = s.Elements.Item(rotule.Element);
    Entier(j, "numero", i);
    Entier(j, "code", rotule.Code);
    Entier(j, "element", rotule.Element);
    ReelOuNul(j, "rotation_i", (rotule.Code & LibereI) != 0, element.RotationI);
    ReelOuNul(j, "rotation_j", (rotule.Code & LibereJ) != 0, element.RotationJ);
  });
  Liste(j, "ponctuelles", s.Ponctuelles.Nombre, [&](std::int32_t i) {
    const TPonctuelle& charge = s.Ponctuelles.Item(i);
    Entier(j, "numero", i);
    Entier(j, "element", charge.Element);
    Reel(j, "a", charge.A);
    Reel(j, "Fy", charge.Fy);
    Reel(j, "Mz", charge.Mz);
  });
  Liste(j, "trapezes", s.Trapezes.Nombre, [&](std::int32_t i) {
    const TTrapeze& charge = s.Trapezes.Item(i);
    Entier(j, "numero", i);
    Entier(j, "element", charge.Element);
    Reel(j, "a", charge.A);
    Reel(j, "b", charge.B);
    Reel(j, "pa", charge.Pa);
    Reel(j, "pb", charge.Pb);
  });
}

}  // namespace

TJson ResultatsJson(const TStructure& s, const TExtremes& extremes, double residu,
                    const std::string& resume) {
  TJson j = TJson::SuiteObjet();
  Modele(j, s);
  ModeleEtendu(j, s);
  Liste(j, "deplacements", s.NbNoeuds, [&](std::int32_t n) {
    Entier(j, "noeud", n);
    Reel(j, "fleche", s.F[2 * n - 1]);
    Reel(j, "pente", s.F[2 * n]);
  });
  Extremes(j, extremes);
  j.Cle("equilibre");
  j.DebutObjet();
  Reel(j, "residu", residu);
  j.FinObjet();
  j.Cle("resume");
  j.Chaine(resume);
  return j;
}

std::string ObjetJson(const std::string& fichier, const std::string& rapport, bool rapportCree,
                      bool complet, const std::vector<TDiagnostic>& diagnostics,
                      const TJson& resultats) {
  TJson j;
  j.DebutObjet();
  j.Cle("fichier");
  j.Chaine(fichier);
  j.Cle("rapport");
  if (rapportCree)
    j.Chaine(rapport);
  else
    j.Nul();
  j.Cle("complet");
  j.Booleen(complet);
  j.Cle("diagnostics");
  j.DebutListe();
  for (const TDiagnostic& diagnostic : diagnostics) {
    j.DebutObjet();
    j.Cle("ligne");
    if (diagnostic.Ligne > 0)
      j.Entier(diagnostic.Ligne);
    else
      j.Nul();
    j.Cle("gravite");
    j.Chaine(diagnostic.Gravite == TGravite::Attention ? "attention" : "erreur");
    j.Cle("message");
    j.Chaine(Utf8DepuisWindows1252(diagnostic.Message));
    j.FinObjet();
  }
  j.FinListe();
  if (complet) j.Membres(resultats);
  j.FinObjet();
  return j.Texte;
}
