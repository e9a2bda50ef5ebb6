// The mechanism check: can the supported beam move without deforming?
//
// Gauss elimination on a singular matrix leaves rounding residues that an absolute pivot test does
// not always catch, so a beam that is not held would otherwise get a report of huge, meaningless
// displacements. The test here is made before the elimination.
//
// When the beam does not deform, each element with bending stiffness (k0 = E Iz / L^3 not 0,
// formed as the element stiffness forms it) moves on one straight line v = a + b x, and so do the
// stiff elements that share a node where neither releases its moment: together they make one rigid
// body, whose slope b is the slope of every node where they are tied. Bodies that meet at a node
// where one of them is released (a hinge) share only their deflection there. The supports and the
// springs constrain the lines: a deflection held at node n (support code 1 or 3, Kv > 0) gives
// v(x(n)) = 0, a slope held there (code 2 or 3, Kr > 0) gives b = 0 for the body tied at n.
//  - A body that meets no other is held only when a = b = 0 is the only line left: a clamp, a
//    slope held with a deflection held, or deflections held at two different abscissae.
//  - Bodies linked by hinges are held when the equations of their lines, taken together, leave no
//    line free but zero: the rank of that small system, by elimination.
//  - A node on no stiff element must have its deflection and its slope held; a node whose every
//    element end is released has a slope of its own, held at 0 by the supports' step unless a
//    nodal moment acts there, which nothing could carry.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "UTypes.h"
#include "format.h"
#include "textes.h"

namespace {

using TNoeuds = std::vector<std::int32_t>;

// Sets of numbers 0..n-1 joined by union: each one's representative.
class TUnions {
 public:
  explicit TUnions(std::size_t n) : Parent(n) {
    for (std::size_t i = 0; i < n; ++i) Parent[i] = static_cast<std::int32_t>(i);
  }
  std::int32_t Racine(std::int32_t i) {
    while (Parent[i] != i) i = Parent[i] = Parent[Parent[i]];
    return i;
  }
  void Unir(std::int32_t a, std::int32_t b) { Parent[Racine(a)] = Racine(b); }

 private:
  std::vector<std::int32_t> Parent;
};

void Ajouter(TNoeuds& noeuds, std::int32_t n) {
  const auto place = std::lower_bound(noeuds.begin(), noeuds.end(), n);
  if (place == noeuds.end() || *place != n) noeuds.insert(place, n);
}

bool Contient(const TNoeuds& noeuds, std::int32_t n) {
  return std::binary_search(noeuds.begin(), noeuds.end(), n);
}

// The nodes as the diagnostic names them: runs of three or more consecutive numbers as "1 à 3",
// the others one by one, the last joined by " et ".
std::string ListeNoeuds(const TNoeuds& noeuds) {
  std::vector<std::string> morceaux;
  for (std::size_t i = 0; i < noeuds.size();) {
    std::size_t j = i;
    while (j + 1 < noeuds.size() && noeuds[j + 1] == noeuds[j] + 1) ++j;
    if (j >= i + 2) {
      morceaux.push_back(Remplir(Textes::IntervalleNoeuds,
                                 {std::to_string(noeuds[i]), std::to_string(noeuds[j])}));
      i = j + 1;
    } else {
      morceaux.push_back(std::to_string(noeuds[i]));
      ++i;
    }
  }
  std::string liste;
  for (std::size_t k = 0; k < morceaux.size(); ++k) {
    if (k > 0) liste += k + 1 == morceaux.size() ? Textes::EtNoeud : ", ";
    liste += morceaux[k];
  }
  return liste;
}

std::string Abscisse(double x) { return SansBlancs(FormatReel(x, ChampAbscisse)); }

// True when the element has bending stiffness: k0 = (E Iz) / (L^2 L), as the element stiffness
// forms it, is not 0.
bool EstRigide(const TElement& element) {
  const double L = element.Longueur();
  const double L2 = L * L;
  return (element.E * element.Iz) / (L2 * L) != 0;
}

// One rigid body: its nodes, and those where it is tied (its slope is theirs).
struct TCorps {
  TNoeuds Noeuds;
  TNoeuds Lies;
};

// The model as the check sees it: nodes 1..n, what holds each, and the rigid bodies.
struct TTenues {
  std::vector<bool> FlecheTenue, PenteTenue;     // by node
  std::vector<std::vector<std::int32_t>> Corps;  // by node: the bodies there
  std::vector<std::int32_t> CorpsLie;            // by node: the body tied there, or -1
  std::vector<TCorps> Liste;
};

// One equation of the bodies' lines: the coefficients of (a, b) of each body, the line of a body
// being v = a + b (x - x0) / D over the linked bodies' extent, from x0 to x0 + D.
using TEquation = std::vector<double>;

// The null space of the equations, by Gauss elimination with full pivoting on a copy: true when
// some line other than zero satisfies them all, `mouvement` then receiving one (for each unknown,
// its value, the largest 1). A pivot below Seuil counts as zero: the coefficients are 1 and
// abscissae scaled to [0, 1], so that only lines that really coincide or cross where they meet
// fall below it.
constexpr double Seuil = 1e-10;

bool Noyau(std::vector<TEquation> equations, std::size_t inconnues,
           std::vector<double>& mouvement) {
  std::vector<std::size_t> colonnes(inconnues);
  for (std::size_t j = 0; j < inconnues; ++j) colonnes[j] = j;
  std::size_t rang = 0;
  for (; rang < inconnues && rang < equations.size(); ++rang) {
    std::size_t ligne = rang, colonne = rang;
    double plusGrand = 0;
    for (std::size_t i = rang; i < equations.size(); ++i) {
      for (std::size_t j = rang; j < inconnues; ++j) {
        if (std::fabs(equations[i][colonnes[j]]) > plusGrand) {
          plusGrand = std::fabs(equations[i][colonnes[j]]);
          ligne = i;
          colonne = j;
        }
      }
    }
    if (!(plusGrand > Seuil)) break;
    std::swap(equations[rang], equations[ligne]);
    std::swap(colonnes[rang], colonnes[colonne]);
    const double pivot = equations[rang][colonnes[rang]];
    for (std::size_t i = rang + 1; i < equations.size(); ++i) {
      const double m = equations[i][colonnes[rang]] / pivot;
      for (std::size_t j = rang; j < inconnues; ++j) {
        equations[i][colonnes[j]] = equations[i][colonnes[j]] - m * equations[rang][colonnes[j]];
      }
    }
  }
  if (rang == inconnues) return false;
  // The first free unknown set to 1, the others to 0, the pivots' unknowns from the rows above.
  mouvement.assign(inconnues, 0);
  mouvement[colonnes[rang]] = 1;
  for (std::size_t k = rang; k-- > 0;) {
    double somme = 0;
    for (std::size_t j = k + 1; j < inconnues; ++j) {
      somme = somme + equations[k][colonnes[j]] * mouvement[colonnes[j]];
    }
    mouvement[colonnes[k]] = -somme / equations[k][colonnes[k]];
  }
  double plusGrand = 0;
  for (double v : mouvement) plusGrand = std::fmax(plusGrand, std::fabs(v));
  for (double& v : mouvement) v = v / plusGrand;
  return true;
}

// What holds each node, and the rigid bodies of the stiff elements.
TTenues Tenues(const TStructure& s, std::int32_t n) {
  TTenues t;
  const std::size_t taille = static_cast<std::size_t>(n) + 1;
  t.FlecheTenue.assign(taille, false);
  t.PenteTenue.assign(taille, false);
  t.Corps.assign(taille, {});
  t.CorpsLie.assign(taille, -1);
  const auto dedans = [n](std::int32_t noeud) { return noeud >= 1 && noeud <= n; };
  for (std::int32_t l = 1; l <= s.Liaisons.Nombre; ++l) {
    const TLiaison& liaison = s.Liaisons.Item(l);
    if (!dedans(liaison.Noeud)) continue;
    if (liaison.Code == 1 || liaison.Code == 3) t.FlecheTenue[liaison.Noeud] = true;
    if (liaison.Code == 2 || liaison.Code == 3) t.PenteTenue[liaison.Noeud] = true;
  }
  for (std::int32_t r = 1; r <= s.Ressorts.Nombre; ++r) {
    const TRessort& ressort = s.Ressorts.Item(r);
    if (!dedans(ressort.Noeud)) continue;
    if (ressort.Kv > 0) t.FlecheTenue[ressort.Noeud] = true;
    if (ressort.Kr > 0) t.PenteTenue[ressort.Noeud] = true;
  }
  // Stiff elements tied at a common node are one body.
  const std::size_t nombre = static_cast<std::size_t>(std::max(s.Elements.Nombre, 0)) + 1;
  TUnions unions(nombre);
  std::vector<std::int32_t> premierLie(taille, 0);
  std::vector<bool> rigide(nombre, false);
  for (std::int32_t e = 1; e <= s.Elements.Nombre; ++e) {
    const TElement& element = s.Elements.Item(e);
    rigide[e] = dedans(element.NoeudI) && dedans(element.NoeudJ) && EstRigide(element);
    if (!rigide[e]) continue;
    const std::int32_t liberations = s.Liberations(e);
    for (const std::int32_t noeud : {element.NoeudI, element.NoeudJ}) {
      const bool libere = (liberations & (noeud == element.NoeudI ? LibereI : LibereJ)) != 0;
      if (libere) continue;
      if (premierLie[noeud] == 0) premierLie[noeud] = e;
      unions.Unir(e, premierLie[noeud]);
    }
  }
  std::vector<std::int32_t> numero(nombre, -1);
  for (std::int32_t e = 1; e <= s.Elements.Nombre; ++e) {
    if (!rigide[e]) continue;
    const std::int32_t racine = unions.Racine(e);
    if (numero[racine] < 0) {
      numero[racine] = static_cast<std::int32_t>(t.Liste.size());
      t.Liste.emplace_back();
    }
    const std::int32_t c = numero[racine];
    const TElement& element = s.Elements.Item(e);
    const std::int32_t liberations = s.Liberations(e);
    for (const std::int32_t noeud : {element.NoeudI, element.NoeudJ}) {
      Ajouter(t.Liste[c].Noeuds, noeud);
      if (std::find(t.Corps[noeud].begin(), t.Corps[noeud].end(), c) == t.Corps[noeud].end()) {
        t.Corps[noeud].push_back(c);
      }
      if (!(liberations & (noeud == element.NoeudI ? LibereI : LibereJ))) {
        Ajouter(t.Liste[c].Lies, noeud);
        t.CorpsLie[noeud] = c;
      }
    }
  }
  return t;
}

// The element without bending stiffness that touches these nodes, as a suffix of the diagnostic
// (it is why they are cut from the rest of the beam), or "".
std::string SansRigidite(const TStructure& s, const TNoeuds& noeuds) {
  for (std::int32_t e = 1; e <= s.Elements.Nombre; ++e) {
    const TElement& element = s.Elements.Item(e);
    const bool touche = Contient(noeuds, element.NoeudI) || Contient(noeuds, element.NoeudJ);
    if (touche && !EstRigide(element)) {
      return Remplir(Textes::ElementSansRigidite, {std::to_string(e)});
    }
  }
  return "";
}

// A body that meets no other: held by a deflection held at two different abscissae, or by one
// and its slope held; otherwise the motion that its supports leave.
bool CorpsSeulTenu(const TStructure& s, const TTenues& t, const TCorps& corps,
                   std::string& mouvement) {
  bool fleche = false, distinctes = false, pente = false;
  double x0 = 0;
  for (const std::int32_t n : corps.Noeuds) {
    if (t.FlecheTenue[n]) {
      if (fleche && s.X[n] != x0) distinctes = true;
      if (!fleche) x0 = s.X[n];
      fleche = true;
    }
    if (t.PenteTenue[n] && Contient(corps.Lies, n)) pente = true;
  }
  if (fleche && (pente || distinctes)) return true;
  const std::string noeuds = ListeNoeuds(corps.Noeuds);
  if (fleche) {
    mouvement = Remplir(Textes::NoeudsTournent, {noeuds, Abscisse(x0)});
  } else if (pente) {
    mouvement = Remplir(Textes::NoeudsMontent, {noeuds});
  } else {
    mouvement = Remplir(Textes::NoeudsSansLiaison, {noeuds});
  }
  mouvement += SansRigidite(s, corps.Noeuds);
  return false;
}

// Bodies linked by hinges (`membres`, the numbers of the bodies of one linked set): their lines'
// equations, and when they leave a line free, the motion of the first body that moves (by its
// smallest node): about a hinge, about an abscissa, or up and down.
bool CorpsLiesTenus(const TStructure& s, const TTenues& t, const std::vector<std::int32_t>& membres,
                    std::string& mouvement) {
  TNoeuds noeuds;
  for (const std::int32_t c : membres) {
    for (const std::int32_t n : t.Liste[c].Noeuds) Ajouter(noeuds, n);
  }
  double xMin = s.X[noeuds.front()], xMax = xMin;
  for (const std::int32_t n : noeuds) {
    xMin = std::fmin(xMin, s.X[n]);
    xMax = std::fmax(xMax, s.X[n]);
  }
  const double D = xMax - xMin;
  const std::size_t inconnues = 2 * membres.size();
  const auto rang = [&membres](std::int32_t c) {
    return 2 *
           static_cast<std::size_t>(std::find(membres.begin(), membres.end(), c) - membres.begin());
  };
  std::vector<TEquation> equations;
  for (const std::int32_t n : noeuds) {
    const double xi = (s.X[n] - xMin) / D;
    const std::vector<std::int32_t>& ici = t.Corps[n];
    for (std::size_t k = 1; k < ici.size(); ++k) {  // one deflection at a hinge
      TEquation e(inconnues, 0);
      e[rang(ici[k])] = 1, e[rang(ici[k]) + 1] = xi;
      e[rang(ici[0])] = -1, e[rang(ici[0]) + 1] = -xi;
      equations.push_back(e);
    }
    if (t.FlecheTenue[n]) {
      TEquation e(inconnues, 0);
      e[rang(ici[0])] = 1, e[rang(ici[0]) + 1] = xi;
      equations.push_back(e);
    }
    if (t.PenteTenue[n] && t.CorpsLie[n] >= 0) {
      TEquation e(inconnues, 0);
      e[rang(t.CorpsLie[n]) + 1] = 1;
      equations.push_back(e);
    }
  }
  std::vector<double> libre;
  if (!Noyau(equations, inconnues, libre)) return true;
  std::int32_t premier = -1;
  for (const std::int32_t c : membres) {
    const bool bouge = std::fabs(libre[rang(c)]) + std::fabs(libre[rang(c) + 1]) > Seuil;
    if (bouge && (premier < 0 || t.Liste[c].Noeuds.front() < t.Liste[premier].Noeuds.front())) {
      premier = c;
    }
  }
  const TCorps& corps = t.Liste[premier];
  const double a = libre[rang(premier)], b = libre[rang(premier) + 1];
  const std::string liste = ListeNoeuds(corps.Noeuds);
  if (std::fabs(b) <= Seuil) {
    mouvement = Remplir(Textes::NoeudsMontent, {liste});
    return false;
  }
  const double x0 = xMin + (-a / b) * D;
  for (const std::int32_t n : corps.Noeuds) {
    if (t.Corps[n].size() > 1 && std::fabs(s.X[n] - x0) <= Seuil * D) {
      mouvement = Remplir(Textes::NoeudsTournentRotule, {liste, std::to_string(n)});
      return false;
    }
  }
  mouvement = Remplir(Textes::NoeudsTournent, {liste, Abscisse(x0)});
  return false;
}

// A node that no body ties: on no stiff element, both its deflection and its slope must be held;
// on stiff elements that all release their moment there, its slope is held at 0 by the supports'
// step unless a nodal moment acts there.
bool NoeudTenu(const TStructure& s, const TTenues& t, std::int32_t n, std::string& mouvement) {
  const TNoeuds seul{n};
  if (t.Corps[n].empty()) {
    if (t.FlecheTenue[n] && t.PenteTenue[n]) return true;
    mouvement = Remplir(Textes::NoeudSansElement, {std::to_string(n)}) + SansRigidite(s, seul);
    return false;
  }
  if (t.CorpsLie[n] >= 0 || t.PenteTenue[n]) return true;
  if (s.PenteLibre(n) && !s.MomentNodal(n)) return true;
  mouvement = Remplir(s.PenteLibre(n) ? Textes::MomentSurRotules : Textes::PenteSansElement,
                      {std::to_string(n)}) +
              SansRigidite(s, seul);
  return false;
}

}  // namespace

// The nodes 1 to n (n = NbNoeuds, within the degrees of freedom of the system) and the rigid
// bodies, each set of bodies linked by hinges taken together; true when something is not held,
// `mouvement` then describing the first (by its smallest node). Elements, supports and springs
// that name a node outside 1..n take no part: the reader refuses them, and the solver's own tests
// make do without.
bool TStructure::Mecanisme(std::string& mouvement) const {
  const std::int32_t n = std::min({NbNoeuds, NbDdl / 2, CapNoeuds});
  if (n <= 0) return false;
  const TTenues t = Tenues(*this, n);
  TUnions lies(t.Liste.size());
  for (std::int32_t noeud = 1; noeud <= n; ++noeud) {
    for (const std::int32_t c : t.Corps[noeud]) lies.Unir(c, t.Corps[noeud][0]);
  }
  std::vector<bool> vu(t.Liste.size(), false);
  for (std::int32_t noeud = 1; noeud <= n; ++noeud) {
    if (!NoeudTenu(*this, t, noeud, mouvement)) return true;
    for (const std::int32_t c : t.Corps[noeud]) {
      const std::int32_t racine = lies.Racine(c);
      if (vu[racine]) continue;
      vu[racine] = true;
      std::vector<std::int32_t> membres;
      for (std::size_t k = 0; k < t.Liste.size(); ++k) {
        if (lies.Racine(static_cast<std::int32_t>(k)) == racine) {
          membres.push_back(static_cast<std::int32_t>(k));
        }
      }
      const bool tenu = membres.size() == 1
                            ? CorpsSeulTenu(*this, t, t.Liste[membres[0]], mouvement)
                            : CorpsLiesTenus(*this, t, membres, mouvement);
      if (!tenu) return true;
    }
  }
  return false;
}
