// The command-line mode: vortale [OPTION]... FICHIER...
#pragma once

#include <string>
#include <vector>

// Runs the beams named on the command line (the arguments after the program's name), each as the
// interactive run would with that name typed, and returns the exit status: 0 when every FICHIER
// gave a complete report, 1 when any did not, 2 for a usage error.
int LigneCommande(const std::vector<std::string>& arguments);
