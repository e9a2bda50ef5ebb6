// The equilibrium of the nodes, checked after a complete run of the command-line mode.
//
// The solver works in place and leaves no copy of the system it solved; a beam whose elements
// differ enormously in stiffness can come out of it with displacements that do not balance the
// loads, and nothing else would tell. The check forms the residual of the equations of the
// degrees of freedom that no support blocks,
//   r(i) = F(i) - sum over j of K(i, j) u(j),   i and j free,
// with K the stiffness as the assembly formed it (elements and springs), F the load vector as the
// supports left it, and u the displacements, and returns rho = ||r|| / ||F||
// (Euclidean norms), 0 when F is 0 there.
#include <algorithm>
#include <cmath>
#include <vector>

#include "UTypes.h"

// The Euclidean norm, formed from the values divided by the largest magnitude so that no square
// overflows or underflows; the sums run in increasing index order.
static double Norme(const std::vector<double>& valeurs) {
  double plusGrand = 0;
  for (double v : valeurs) plusGrand = std::fmax(plusGrand, std::fabs(v));
  if (plusGrand == 0 || !std::isfinite(plusGrand)) return plusGrand;
  double somme = 0;
  for (double v : valeurs) somme = somme + (v / plusGrand) * (v / plusGrand);
  return plusGrand * std::sqrt(somme);
}

// The solver reduces only K's upper triangle and leaves the entries below the diagonal as the
// supports left them; those of two free degrees of freedom are the assembled stiffness, exactly
// symmetric, and the diagonal was kept before the solve. So K(i, j) is read below the diagonal,
// from the kept diagonal, and as K(j, i) above it: the assembled matrix, without forming it again.
// Only the columns of the nodes that share an element with row i's node can hold anything but 0:
// the sum runs over them, from the smallest such node's to the largest's.
double TStructure::ResiduEquilibre() const {
  std::vector<std::int32_t> premier(static_cast<std::size_t>(NbDdl / 2) + 1), dernier(premier);
  for (std::int32_t n = 1; n <= NbDdl / 2; ++n) premier[n] = dernier[n] = n;
  for (std::int32_t e = 1; e <= Elements.Nombre; ++e) {
    const TElement& element = Elements.Item(e);
    const auto dedans = [this](std::int32_t n) { return n >= 1 && n <= NbDdl / 2; };
    if (!dedans(element.NoeudI) || !dedans(element.NoeudJ)) continue;
    for (const std::int32_t n : {element.NoeudI, element.NoeudJ}) {
      premier[n] = std::min({premier[n], element.NoeudI, element.NoeudJ});
      dernier[n] = std::max({dernier[n], element.NoeudI, element.NoeudJ});
    }
  }
  std::vector<double> residu, charges;
  for (std::int32_t i = 1; i <= NbDdl; ++i) {
    if (Bloque[i]) continue;
    const TTableau<double, 1, CapDdl>& ligne = K[i];
    const std::int32_t noeud = (i + 1) / 2;
    double r = FLiaisons[i];
    for (std::int32_t j = 2 * premier[noeud] - 1; j <= 2 * dernier[noeud]; ++j) {
      if (Bloque[j]) continue;
      const double k = j < i ? ligne[j] : j == i ? DiagonaleLiaisons[i] : K[j][i];
      r = r - k * F[j];
    }
    residu.push_back(r);
    charges.push_back(FLiaisons[i]);
  }
  const double normeCharges = Norme(charges);
  const double normeResidu = Norme(residu);
  if (normeCharges == 0 && normeResidu == 0) return 0;
  return normeResidu / normeCharges;
}
