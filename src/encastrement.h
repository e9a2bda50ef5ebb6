// The fixed-end forces of each kind of load on an element of length L (m), in element DOF order:
// the forces (N) and moments (N.m) of the nodes on the element with both its ends held, along +y
// and counterclockwise.
#pragma once

#include "UTypes.h"

using TVecteur4 = TTableau<double, 1, 4>;

TVecteur4 ForcesUniformes(double p, double L);                    // p in N/m over the element
TVecteur4 ForcesPonctuelle(const TPonctuelle& charge, double L);  // Fy and Mz at a
TVecteur4 ForcesTrapeze(const TTrapeze& charge, double L);        // pa at a to pb at b
