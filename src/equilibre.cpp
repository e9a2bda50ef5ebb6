// The equilibrium of the nodes, checked after a complete run of the command-line mode.
//
// The solver works in place and leaves no copy of the system it solved; a beam whose elements
// differ enormously in stiffness can come out of it with displacements that do not balance the
// loads, and nothing else would tell. The check forms the residual of the equations of the
// degrees of freedom that no support blocks,
//   r(i) = F(i) - sum over j of K(i, j) u(j),   i and j free,
// with K assembled again as the assembly forms it, F the load vector as the supports left it, and
// u the displacements, and returns rho = ||r|| / ||F|| (Euclidean norms), 0 when F is 0 there.
#include <cmath>
#include <memory>
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

double TStructure::ResiduEquilibre() const {
  const auto k = std::make_unique<TMatriceGlobale>();
  AjouterRigidites(*k);  // every element passed it during the assembly
  std::vector<double> residu, charges;
  for (std::int32_t i = 1; i <= NbDdl; ++i) {
    if (Bloque[i]) continue;
    double r = FLiaisons[i];
    for (std::int32_t j = 1; j <= NbDdl; ++j) {
      if (!Bloque[j]) r = r - (*k)[i][j] * F[j];
    }
    residu.push_back(r);
    charges.push_back(FLiaisons[i]);
  }
  const double normeCharges = Norme(charges);
  const double normeResidu = Norme(residu);
  if (normeCharges == 0 && normeResidu == 0) return 0;
  return normeResidu / normeCharges;
}
