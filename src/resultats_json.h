// The JSON object of one run of the command-line mode (--json): one line per FICHIER.
#pragma once

#include <string>
#include <vector>

#include "UTypes.h"
#include "console.h"
#include "extremes.h"
#include "json.h"

// The results of a complete run, as the members that follow the object's first ones: the model as
// read, the displacements, the end forces and graphs, the reactions, the exact extremes, the
// equilibrium residual and the summary line (its UTF-8 text). Every number is the value computed,
// not the report's digits. Written while the model is there, before it is freed.
TJson ResultatsJson(const TStructure& s, const TExtremes& extremes, double residu,
                    const std::string& resume);

// The whole object, on one line without its line end: "fichier" (as given), "rapport" (the
// report's name when the run created it, else null), "complet", "diagnostics", then the results
// when the run is complete.
std::string ObjetJson(const std::string& fichier, const std::string& rapport, bool rapportCree,
                      bool complet, const std::vector<TDiagnostic>& diagnostics,
                      const TJson& resultats);
