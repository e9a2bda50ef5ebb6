// The mechanism check: can the supported beam move without deforming?
//
// Gauss elimination on a singular matrix leaves rounding residues that an absolute pivot test does
// not always catch, so a beam that is not held would otherwise get a report of huge, meaningless
// displacements. The test here is exact and made before the elimination.
//
// Nodes joined by an element that has bending stiffness (k0 = E Iz / L^3 not 0, formed as the
// element stiffness forms it) move together on one straight line v = a + b x when the beam does not
// deform: such nodes make one group, and a node on no such element is a group of its own. The
// supports of a group's nodes constrain its line: a deflection blocked at node n gives
// a + b x(n) = 0, a slope blocked gives b = 0. The group is held only when a = b = 0 is the only
// line left: a clamp, a slope block with a deflection block, or deflection blocks at two different
// abscissae. A node on no stiff element must have both its deflection and its slope blocked.
#include <algorithm>
#include <string>
#include <vector>

#include "UTypes.h"
#include "format.h"
#include "textes.h"

namespace {

// The groups of nodes 1..n: each node's representative, by union of the nodes of every stiff
// element.
class TGroupes {
 public:
  explicit TGroupes(std::int32_t n) : Parent(static_cast<std::size_t>(n) + 1) {
    for (std::size_t i = 0; i < Parent.size(); ++i) Parent[i] = static_cast<std::int32_t>(i);
  }
  std::int32_t Racine(std::int32_t n) {
    while (Parent[n] != n) n = Parent[n] = Parent[Parent[n]];
    return n;
  }
  void Unir(std::int32_t a, std::int32_t b) { Parent[Racine(a)] = Racine(b); }

 private:
  std::vector<std::int32_t> Parent;
};

// What the supports of one group leave free, with the nodes of the group in increasing order.
struct TTenue {
  std::vector<std::int32_t> Noeuds;
  bool Relie = false;  // at least one stiff element among its nodes
  bool FlecheBloquee = false;
  bool AbscissesDistinctes = false;  // deflections blocked at two different abscissae
  double XBloque = 0;                // the abscissa of the first blocked deflection (m)
  bool PenteBloquee = false;
  bool Tenu() const { return FlecheBloquee && (PenteBloquee || AbscissesDistinctes); }
};

// The nodes as the diagnostic names them: runs of three or more consecutive numbers as "1 à 3",
// the others one by one, the last joined by " et ".
std::string ListeNoeuds(const std::vector<std::int32_t>& noeuds) {
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

// True when the element has bending stiffness: k0 = (E Iz) / (L^2 L), as the element stiffness
// forms it, is not 0.
bool EstRigide(const TElement& element) {
  const double L = element.Longueur();
  const double L2 = L * L;
  return (element.E * element.Iz) / (L2 * L) != 0;
}

bool Contient(const std::vector<std::int32_t>& noeuds, std::int32_t n) {
  return std::binary_search(noeuds.begin(), noeuds.end(), n);
}

// The description of the motion of a group that is not held, for the diagnostic: what moves and
// how, and the element without stiffness that cuts it from the rest of the beam when there is one.
std::string Mouvement(const TStructure& s, const TTenue& groupe) {
  const std::string noeuds = ListeNoeuds(groupe.Noeuds);
  std::string mouvement;
  if (!groupe.Relie) {
    mouvement = Remplir(Textes::NoeudSansElement, {noeuds});
  } else if (!groupe.FlecheBloquee && !groupe.PenteBloquee) {
    mouvement = Remplir(Textes::NoeudsSansLiaison, {noeuds});
  } else if (groupe.FlecheBloquee) {
    mouvement = Remplir(Textes::NoeudsTournent,
                        {noeuds, SansBlancs(FormatReel(groupe.XBloque, ChampAbscisse))});
  } else {
    mouvement = Remplir(Textes::NoeudsMontent, {noeuds});
  }
  for (std::int32_t e = 1; e <= s.Elements.Nombre; ++e) {
    const TElement& element = s.Elements.Item(e);
    const bool touche =
        Contient(groupe.Noeuds, element.NoeudI) || Contient(groupe.Noeuds, element.NoeudJ);
    if (touche && !EstRigide(element)) {
      return mouvement + Remplir(Textes::ElementSansRigidite, {std::to_string(e)});
    }
  }
  return mouvement;
}

}  // namespace

// The groups of nodes 1 to n (n = NbNoeuds, within the degrees of freedom of the system), each
// with what its supports block; true when one is not held, `mouvement` then describing the first
// such group (by its smallest node). Elements and supports that name a node outside 1..n take no
// part: the reader refuses them, and the solver's own tests make do without.
bool TStructure::Mecanisme(std::string& mouvement) const {
  const std::int32_t n = std::min({NbNoeuds, NbDdl / 2, CapNoeuds});
  if (n <= 0) return false;
  const auto dedans = [n](std::int32_t noeud) { return noeud >= 1 && noeud <= n; };
  TGroupes groupes(n);
  std::vector<bool> relie(static_cast<std::size_t>(n) + 1, false);
  for (std::int32_t e = 1; e <= Elements.Nombre; ++e) {
    const TElement& element = Elements.Item(e);
    if (!dedans(element.NoeudI) || !dedans(element.NoeudJ) || !EstRigide(element)) continue;
    groupes.Unir(element.NoeudI, element.NoeudJ);
    relie[element.NoeudI] = relie[element.NoeudJ] = true;
  }
  std::vector<TTenue> tenues(static_cast<std::size_t>(n) + 1);
  for (std::int32_t noeud = 1; noeud <= n; ++noeud) {
    TTenue& groupe = tenues[groupes.Racine(noeud)];
    groupe.Noeuds.push_back(noeud);
    groupe.Relie = groupe.Relie || relie[noeud];
  }
  for (std::int32_t l = 1; l <= Liaisons.Nombre; ++l) {
    const TLiaison& liaison = Liaisons.Item(l);
    if (!dedans(liaison.Noeud)) continue;
    TTenue& groupe = tenues[groupes.Racine(liaison.Noeud)];
    if (liaison.Code == 1 || liaison.Code == 3) {
      const double x = X[liaison.Noeud];
      if (groupe.FlecheBloquee && x != groupe.XBloque) groupe.AbscissesDistinctes = true;
      if (!groupe.FlecheBloquee) groupe.XBloque = x;
      groupe.FlecheBloquee = true;
    }
    if (liaison.Code == 2 || liaison.Code == 3) groupe.PenteBloquee = true;
  }
  for (std::int32_t noeud = 1; noeud <= n; ++noeud) {
    const TTenue& groupe = tenues[groupes.Racine(noeud)];
    if (groupe.Noeuds.front() == noeud && !groupe.Tenu()) {
      mouvement = Mouvement(*this, groupe);
      return true;
    }
  }
  return false;
}
